// Text output: alignment to the reference point, background cell or rectangle, clipping to
// the rectangle, underline and strike-out, and the current position under TA_UPDATECP.
#include "realized_font.h"
#include "text_layout.h"

#include <algorithm>

namespace kw::gdi {
namespace {

void fillRect(cairo_t* cr, const RECT& r, COLORREF color) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  setSourceColor(cr, color);
  cairo_rectangle(cr, r.left, r.top, static_cast<double>(r.right) - r.left, static_cast<double>(r.bottom) - r.top);
  cairo_fill(cr);
}

}  // namespace

bool textOut(DeviceContext& dc, int x, int y, UINT options, const RECT* rect, const std::u32string& text,
             const std::vector<int>* dx) {
  auto font = realizedFontOf(dc);
  if (!font) return false;
  DcState& s = dc.state;
  std::vector<PlacedGlyph> glyphs = font->layout(text);
  if (dx && dx->size() == glyphs.size())
    for (size_t i = 0; i < glyphs.size(); ++i) glyphs[i].advance = static_cast<int>(deviceLengthX(s, (*dx)[i]));
  int width = 0;
  for (const PlacedGlyph& g : glyphs) width += g.advance;

  const TEXTMETRICA& tm = font->metrics();
  bool updateCP = (s.textAlign & TA_UPDATECP) != 0;
  POINT ref = toDevice(s, updateCP ? s.position : POINT{x, y});
  int left = ref.x;
  if ((s.textAlign & TA_CENTER) == TA_CENTER) left -= width / 2;
  else if (s.textAlign & TA_RIGHT) left -= width;
  int baseline = ref.y + tm.tmAscent;
  if ((s.textAlign & TA_BASELINE) == TA_BASELINE) baseline = ref.y;
  else if (s.textAlign & TA_BOTTOM) baseline = ref.y - tm.tmDescent;
  if (updateCP) {
    int nextX = (s.textAlign & TA_CENTER) == TA_CENTER ? ref.x : (s.textAlign & TA_RIGHT) ? left : left + width;
    s.position.x = toLogical(s, {nextX, ref.y}).x;
  }

  cairo_t* cr = dc.begin();
  if (!cr) return true;  // nothing visible: done, as for other output
  RECT box{};
  if (rect) box = toDeviceRect(s, *rect);
  if (rect && (options & ETO_OPAQUE)) fillRect(cr, box, s.bkColor);
  if (rect && (options & ETO_CLIPPED)) {
    cairo_rectangle(cr, box.left, box.top, static_cast<double>(box.right) - box.left,
                    static_cast<double>(box.bottom) - box.top);
    cairo_clip(cr);
  }
  if (s.bkMode == OPAQUE) fillRect(cr, {left, baseline - tm.tmAscent, left + width, baseline + tm.tmDescent}, s.bkColor);
  setSourceColor(cr, s.textColor);
  font->draw(cr, left, baseline, glyphs);
  int stroke = std::max(1, font->emPixels() / 14);
  if (font->underline()) {
    int top = baseline + std::max(1, static_cast<int>(tm.tmDescent) / 2);
    fillRect(cr, {left, top, left + width, top + stroke}, s.textColor);
  }
  if (font->strikeOut()) {
    int top = baseline - static_cast<int>(tm.tmAscent - tm.tmInternalLeading) / 3;
    fillRect(cr, {left, top, left + width, top + stroke}, s.textColor);
  }
  cairo_destroy(cr);
  return true;
}

}  // namespace kw::gdi

KW32_API UINT WINAPI SetTextAlign(HDC dc, UINT align) {
  auto d = kw::gdi::lookupDC(dc);
  if (!d) return GDI_ERROR;
  UINT old = d->state.textAlign;
  d->state.textAlign = align & (TA_UPDATECP | TA_CENTER | TA_BASELINE);
  return old;
}

KW32_API UINT WINAPI GetTextAlign(HDC dc) {
  auto d = kw::gdi::lookupDC(dc);
  return d ? d->state.textAlign : GDI_ERROR;
}

KW32_API BOOL WINAPI ExtTextOutA(HDC dc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT count,
                                 const INT* dx) {
  auto d = kw::gdi::lookupDC(dc);
  if (!d || (!text && count > 0) || count > 0x7FFFFFFF) return FALSE;
  std::u32string wide = kw::gdi::toUtf32(text, static_cast<int>(count));
  std::vector<int> spacing;
  if (dx && count > 0) {
    // Spacing is given per byte; a double-byte character takes the sum of its two.
    UINT cp = GetACP();
    for (UINT i = 0; i < count; ++i) {
      int w = dx[i];
      if (IsDBCSLeadByteEx(cp, static_cast<BYTE>(text[i])) && i + 1 < count) w += dx[++i];
      spacing.push_back(w);
    }
  }
  return kw::gdi::textOut(*d, x, y, options, rect, wide, dx ? &spacing : nullptr) ? TRUE : FALSE;
}

KW32_API BOOL WINAPI TextOutA(HDC dc, int x, int y, LPCSTR text, int count) {
  if (count < 0) return FALSE;
  return ExtTextOutA(dc, x, y, 0, nullptr, text, static_cast<UINT>(count), nullptr);
}
