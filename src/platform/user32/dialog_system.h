// What the controls and dialogs take from GDI and the clipboard beyond single calls: text
// measured in a control's font outside painting, a dialog template's font and its base
// units, and the clipboard's text.
#pragma once

#include <korvane/win32.h>

#include <string>
#include <string_view>

namespace kw::user32 {

// The font a control draws with: its own, or the system font when it has none.
HFONT controlFont(HFONT font);

// Text measured in a DC's selected font: the width of a run, the height of a line.
int textWidthOn(HDC dc, std::string_view text);
int lineHeightOn(HDC dc);

// A DC for measuring text in a font (null: the system font) outside painting.
class TextMeasure {
 public:
  explicit TextMeasure(HFONT font);
  ~TextMeasure();
  TextMeasure(const TextMeasure&) = delete;
  TextMeasure& operator=(const TextMeasure&) = delete;
  int width(std::string_view text) const { return textWidthOn(dc_, text); }
  int lineHeight() const { return lineHeightOn(dc_); }
  HDC dc() const { return dc_; }

 private:
  HDC dc_;
  HGDIOBJ old_ = nullptr;
};

int textWidth(HFONT font, std::string_view text);
int lineHeight(HFONT font);
// The dialog base units of a font: the average width of the 52 Latin letters and the
// height; false when the font cannot be measured.
bool fontBaseUnits(HFONT font, int* x, int* y);
// A dialog template's font, `points` high at the screen's resolution (null when there is
// none to be had); DeleteObject frees it.
HFONT createDialogFont(int points, int weight, bool italic, BYTE charSet, const std::string& face);

// Whether anything may still bring the calling thread a message it does not have yet: a
// timer of its own or a display that gives input.
bool inputCanArrive();

// The clipboard's text (CF_TEXT), through OpenClipboard and global memory.
bool putClipboardText(HWND owner, std::string_view text);
bool takeClipboardText(HWND owner, std::string* text);

}  // namespace kw::user32
