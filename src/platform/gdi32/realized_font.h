// A logical font made real for one device: the FreeType face at a pixel size, its Win32
// metrics, and the glyphs of text. Realized fonts are shared process-wide (a bounded cache
// keyed by the LOGFONTA and the pixel height), so selecting an often-used font is cheap.
#pragma once

#include "device_context.h"

#include <cairo.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace kw::gdi {

struct FaceSlot;  // a FreeType face and its cairo face, private to realized_font.cpp

struct PlacedGlyph {
  unsigned long index;  // glyph index in its face
  int advance;          // device pixels
  int face;             // 0: the font's face, 1: the fallback face
};

class RealizedFont {
 public:
  ~RealizedFont();
  const TEXTMETRICA& metrics() const { return metrics_; }  // device pixels
  const std::string& faceName() const { return faceName_; }
  int emPixels() const { return em_; }
  bool underline() const { return underline_; }
  bool strikeOut() const { return strikeOut_; }

  // Glyphs of UTF-32 text, advances rounded to whole pixels as Win32 measures them.
  std::vector<PlacedGlyph> layout(const std::u32string& text) const;
  int width(const std::u32string& text) const;
  // Draws glyphs with the baseline origin at (x, y) in the context's user space.
  void draw(cairo_t* cr, double x, double y, const std::vector<PlacedGlyph>& glyphs) const;

 private:
  friend std::shared_ptr<const RealizedFont> realize(const LOGFONTA&, int, int);
  RealizedFont() = default;
  TEXTMETRICA metrics_{};
  std::string faceName_;
  int em_ = 0;
  bool underline_ = false, strikeOut_ = false;
  std::unique_ptr<FaceSlot> face_;
  mutable std::unique_ptr<FaceSlot> fallback_;
  mutable bool fallbackTried_ = false;
};

// The font for a LOGFONTA whose height is already in device pixels (`pixelHeight`, with
// lfHeight's sign rules; 0: a default size at `logPixelsY`); null if no face loads.
std::shared_ptr<const RealizedFont> realize(const LOGFONTA& log, int pixelHeight, int logPixelsY);
// The DC's selected font, realized for its mapping mode and resolution.
std::shared_ptr<const RealizedFont> realizedFontOf(DeviceContext& dc);

// The ANSI text of a call (count < 0: up to its terminator) in UTF-32, read in the current
// code page.
std::u32string toUtf32(LPCSTR text, int count);

}  // namespace kw::gdi
