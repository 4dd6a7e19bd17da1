// Realizing logical fonts with FreeType: pixel sizes from Win32's height rules, metrics
// from the faces' OS/2 and hhea tables, glyph advances rounded as GDI rounds them.
#include "realized_font.h"

#include "font_match.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <cmath>
#include <cstddef>
#include <cstring>
#include <deque>
#include <unordered_map>

static_assert(sizeof(LOGFONTA) == 60, "LOGFONTA keeps its Win32 size");
static_assert(offsetof(TEXTMETRICA, tmCharSet) + 1 == 53 && sizeof(TEXTMETRICA) == 56,
              "TEXTMETRICA keeps its Win32 layout");

namespace kw::gdi {
namespace {

// FreeType faces are not safe to share between threads, and cairo uses ours while drawing;
// one lock covers both. Recursive: cairo may release a face (and so call back) while drawing.
std::recursive_mutex& ftMutex() {
  static std::recursive_mutex m;
  return m;
}

FT_Library library() {
  static FT_Library lib = [] {
    FT_Library l = nullptr;
    if (FT_Init_FreeType(&l) != 0) l = nullptr;
    return l;
  }();
  return lib;
}

const cairo_user_data_key_t kFaceKey{};

void releaseFace(void* face) {
  std::scoped_lock lock(ftMutex());
  FT_Done_Face(static_cast<FT_Face>(face));
}

constexpr int kDefaultPoints = 12;  // lfHeight 0
constexpr size_t kCacheLimit = 128;

}  // namespace

struct FaceSlot {
  FT_Face ft = nullptr;
  cairo_font_face_t* cairo = nullptr;  // owns `ft` through its user data
  int em = 0;
  std::unordered_map<unsigned long, int> advances;
  ~FaceSlot() {
    if (cairo)
      cairo_font_face_destroy(cairo);
    else if (ft)
      FT_Done_Face(ft);
  }
  void sized() const { FT_Set_Pixel_Sizes(ft, 0, static_cast<FT_UInt>(em)); }
  int advance(unsigned long glyph) {
    if (auto it = advances.find(glyph); it != advances.end()) return it->second;
    int a = 0;
    if (FT_Load_Glyph(ft, static_cast<FT_UInt>(glyph), FT_LOAD_DEFAULT) == 0)
      a = static_cast<int>((ft->glyph->advance.x + 32) >> 6);
    if (advances.size() < 4096) advances.emplace(glyph, a);
    return a;
  }
};

namespace {

std::unique_ptr<FaceSlot> openSlot(const FaceMatch& m, int em) {
  std::scoped_lock lock(ftMutex());
  if (m.file.empty() || !library()) return nullptr;
  auto slot = std::make_unique<FaceSlot>();
  if (FT_New_Face(library(), m.file.c_str(), m.index, &slot->ft) != 0) {
    slot->ft = nullptr;
    return nullptr;
  }
  slot->em = std::max(1, em);
  if (FT_IS_SCALABLE(slot->ft)) {
    slot->sized();
  } else if (slot->ft->num_fixed_sizes > 0) {
    FT_Select_Size(slot->ft, 0);
    slot->em = std::max(1, static_cast<int>(slot->ft->size->metrics.y_ppem));
  }
  slot->cairo = cairo_ft_font_face_create_for_ft_face(slot->ft, FT_LOAD_DEFAULT);
  if (cairo_font_face_status(slot->cairo) != CAIRO_STATUS_SUCCESS ||
      cairo_font_face_set_user_data(slot->cairo, &kFaceKey, slot->ft, releaseFace) != CAIRO_STATUS_SUCCESS) {
    cairo_font_face_destroy(slot->cairo);
    slot->cairo = nullptr;
    return nullptr;  // the slot's destructor releases the FreeType face
  }
  return slot;
}

LONG scaled(double units, double scale) { return static_cast<LONG>(std::lround(units * scale)); }

}  // namespace

RealizedFont::~RealizedFont() {
  std::scoped_lock lock(ftMutex());
  fallback_.reset();
  face_.reset();
}

std::shared_ptr<const RealizedFont> realize(const LOGFONTA& request, int pixelHeight, int logPixelsY) {
  // The key: the request with its face name cut at the terminator, and the device height.
  LOGFONTA log = request;
  size_t nameLength = strnlen(log.lfFaceName, LF_FACESIZE - 1);
  std::memset(log.lfFaceName + nameLength, 0, LF_FACESIZE - nameLength);
  std::string key(reinterpret_cast<const char*>(&log), sizeof log);
  key.append(reinterpret_cast<const char*>(&pixelHeight), sizeof pixelHeight);
  key.append(reinterpret_cast<const char*>(&logPixelsY), sizeof logPixelsY);

  static std::mutex cacheMutex;
  static std::unordered_map<std::string, std::shared_ptr<const RealizedFont>> cache;
  static std::deque<std::string> order;  // oldest first, for the bound
  std::scoped_lock cacheLock(cacheMutex);
  if (auto it = cache.find(key); it != cache.end()) return it->second;

  FaceMatch match = matchFace(log);
  if (match.file.empty()) return nullptr;
  std::shared_ptr<RealizedFont> font(new RealizedFont);
  {
    std::scoped_lock lock(ftMutex());
    // Open at a provisional size to read the face's design metrics.
    font->face_ = openSlot(match, 16);
    if (!font->face_) return nullptr;
    FT_Face ft = font->face_->ft;
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(ft, FT_SFNT_OS2));
    const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(ft, FT_SFNT_HHEA));
    TEXTMETRICA& tm = font->metrics_;
    bool scalable = FT_IS_SCALABLE(ft) && ft->units_per_EM > 0;
    if (scalable) {
      double upem = ft->units_per_EM;
      double winAscent = os2 && os2->usWinAscent ? os2->usWinAscent : ft->ascender;
      double winDescent = os2 && os2->usWinAscent ? os2->usWinDescent : -ft->descender;
      if (winAscent + winDescent <= 0) winAscent = upem;
      int cell = pixelHeight > 0 ? pixelHeight : pixelHeight == 0 ? (kDefaultPoints * logPixelsY + 36) / 72 : 0;
      double scale;
      if (cell > 0) {  // cell height: the whole ascent + descent
        scale = cell / (winAscent + winDescent);
        tm.tmAscent = scaled(winAscent, scale);
        tm.tmDescent = cell - tm.tmAscent;
      } else {  // character height: the em square
        scale = -static_cast<double>(pixelHeight) / upem;
        tm.tmAscent = scaled(winAscent, scale);
        tm.tmDescent = scaled(winDescent, scale);
      }
      font->face_->em = std::max(1, static_cast<int>(std::lround(upem * scale)));
      font->face_->sized();
      tm.tmHeight = tm.tmAscent + tm.tmDescent;
      tm.tmInternalLeading = std::max<LONG>(0, tm.tmHeight - font->face_->em);
      if (hhea) {
        double gap = hhea->Line_Gap - ((winAscent + winDescent) - (hhea->Ascender - hhea->Descender));
        tm.tmExternalLeading = std::max<LONG>(0, scaled(gap, scale));
      }
      tm.tmMaxCharWidth = scaled(ft->max_advance_width, scale);
      tm.tmAveCharWidth = os2 && os2->xAvgCharWidth > 0 ? scaled(os2->xAvgCharWidth, scale) : 0;
    } else {
      const FT_Size_Metrics& sm = ft->size->metrics;
      tm.tmAscent = static_cast<LONG>((sm.ascender + 32) >> 6);
      tm.tmDescent = static_cast<LONG>((-sm.descender + 32) >> 6);
      tm.tmHeight = tm.tmAscent + tm.tmDescent;
      tm.tmInternalLeading = std::max<LONG>(0, tm.tmHeight - font->face_->em);
      tm.tmMaxCharWidth = static_cast<LONG>((sm.max_advance + 32) >> 6);
    }
    if (tm.tmAveCharWidth == 0) {
      FT_UInt x = FT_Get_Char_Index(ft, 'x');
      tm.tmAveCharWidth = x ? font->face_->advance(x) : tm.tmMaxCharWidth;
    }
    tm.tmWeight = request.lfWeight >= FW_SEMIBOLD && match.weight < FW_SEMIBOLD ? FW_BOLD : match.weight;
    tm.tmDigitizedAspectX = logPixelsY;
    tm.tmDigitizedAspectY = logPixelsY;
    tm.tmFirstChar = 0x1E;
    tm.tmLastChar = 0xFF;
    tm.tmDefaultChar = 0x1F;
    tm.tmBreakChar = 0x20;
    tm.tmItalic = request.lfItalic ? 255 : 0;
    tm.tmUnderlined = request.lfUnderline ? 255 : 0;
    tm.tmStruckOut = request.lfStrikeOut ? 255 : 0;
    BYTE family = request.lfPitchAndFamily & 0xF0;
    if (match.monospace) family = FF_MODERN;
    else if (family == FF_DONTCARE || family == FF_MODERN) family = FF_SWISS;
    // TMPF_FIXED_PITCH set means variable pitch.
    tm.tmPitchAndFamily = static_cast<BYTE>(family | (match.monospace ? 0 : TMPF_FIXED_PITCH) |
                                            (scalable ? TMPF_VECTOR | TMPF_TRUETYPE : 0));
    tm.tmCharSet = request.lfCharSet;
    if (tm.tmCharSet == DEFAULT_CHARSET) {
      // The code page's set if the face has its script, else ANSI.
      BYTE set = defaultCharSet();
      char32_t probe = set == SHIFTJIS_CHARSET ? 0x3042 : set == HANGEUL_CHARSET ? 0xAC00 : 0x4E00;
      tm.tmCharSet = set == ANSI_CHARSET || FT_Get_Char_Index(ft, probe) ? set : BYTE(ANSI_CHARSET);
    }
  }
  font->faceName_ = match.family.substr(0, LF_FACESIZE - 1);
  font->em_ = font->face_->em;
  font->underline_ = request.lfUnderline != 0;
  font->strikeOut_ = request.lfStrikeOut != 0;

  if (cache.size() >= kCacheLimit) {
    cache.erase(order.front());
    order.pop_front();
  }
  cache.emplace(key, font);
  order.push_back(std::move(key));
  return font;
}

std::vector<PlacedGlyph> RealizedFont::layout(const std::u32string& text) const {
  std::vector<PlacedGlyph> out;
  out.reserve(text.size());
  std::scoped_lock lock(ftMutex());
  face_->sized();
  bool fallbackSized = false;
  for (char32_t c : text) {
    FT_UInt glyph = FT_Get_Char_Index(face_->ft, c);
    if (glyph == 0 && c >= 0x80) {
      if (!fallbackTried_) {
        fallbackTried_ = true;
        FaceMatch m = matchFallback(c);
        if (!m.file.empty()) fallback_ = openSlot(m, em_);
      }
      if (fallback_) {
        if (FT_UInt g = FT_Get_Char_Index(fallback_->ft, c)) {
          if (!fallbackSized) fallback_->sized(), fallbackSized = true;
          out.push_back({g, fallback_->advance(g), 1});
          continue;
        }
      }
    }
    out.push_back({glyph, face_->advance(glyph), 0});
  }
  return out;
}

int RealizedFont::width(const std::u32string& text) const {
  int w = 0;
  for (const PlacedGlyph& g : layout(text)) w += g.advance;
  return w;
}

void RealizedFont::draw(cairo_t* cr, double x, double y, const std::vector<PlacedGlyph>& glyphs) const {
  std::scoped_lock lock(ftMutex());
  for (int f = 0; f < 2; ++f) {
    const FaceSlot* slot = f == 0 ? face_.get() : fallback_.get();
    if (!slot) continue;
    std::vector<cairo_glyph_t> run;
    double pen = x;
    for (const PlacedGlyph& g : glyphs) {
      if (g.face == f) run.push_back({g.index, pen, y});
      pen += g.advance;
    }
    if (run.empty()) continue;
    cairo_set_font_face(cr, slot->cairo);
    cairo_set_font_size(cr, slot->em);
    cairo_show_glyphs(cr, run.data(), static_cast<int>(run.size()));
  }
  cairo_set_font_face(cr, nullptr);  // the context must not keep our face past the lock
}

std::shared_ptr<const RealizedFont> realizedFontOf(DeviceContext& dc) {
  const DcState& s = dc.state;
  if (!s.font) return nullptr;
  const LOGFONTA& log = s.font->log;
  LONG h = log.lfHeight == 0 ? 0 : deviceLengthY(s, log.lfHeight);
  if (h == 0 && log.lfHeight != 0) h = 1;
  if (h > 0x7FFF) h = 0x7FFF;  // absurd heights would only exhaust memory
  return realize(log, log.lfHeight < 0 ? -h : h, dc.caps.logPixelsY);
}

std::u32string toUtf32(LPCSTR text, int count) {
  std::u32string out;
  if (!text || count == 0) return out;
  int n = MultiByteToWideChar(CP_ACP, 0, text, count, nullptr, 0);
  if (n <= 0) return out;
  std::u16string wide(static_cast<size_t>(n), u'\0');
  MultiByteToWideChar(CP_ACP, 0, text, count, reinterpret_cast<LPWSTR>(wide.data()), n);
  if (count < 0 && !wide.empty()) wide.pop_back();  // the terminator
  out.reserve(wide.size());
  for (size_t i = 0; i < wide.size(); ++i) {
    char32_t c = wide[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 && wide[i + 1] < 0xE000)
      c = 0x10000 + ((c - 0xD800) << 10) + (wide[++i] - 0xDC00);
    out.push_back(c);
  }
  return out;
}

}  // namespace kw::gdi
