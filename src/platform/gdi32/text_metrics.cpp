// What the selected font measures: its metrics, its face name, and the extent of text.
#include "realized_font.h"
#include "text_layout.h"

#include <cstring>

namespace {

using kw::gdi::DcState;

// The font's metrics in the DC's logical units.
TEXTMETRICA logicalMetrics(const DcState& s, const TEXTMETRICA& device) {
  TEXTMETRICA tm = device;
  for (LONG* y : {&tm.tmHeight, &tm.tmAscent, &tm.tmDescent, &tm.tmInternalLeading, &tm.tmExternalLeading})
    *y = kw::gdi::logicalLengthY(s, *y);
  for (LONG* x : {&tm.tmAveCharWidth, &tm.tmMaxCharWidth, &tm.tmOverhang}) *x = kw::gdi::logicalLengthX(s, *x);
  return tm;
}

}  // namespace

KW32_API BOOL WINAPI GetTextMetricsA(HDC dc, LPTEXTMETRICA metrics) {
  auto d = kw::gdi::lookupDC(dc);
  if (!d || !metrics) return FALSE;
  auto font = kw::gdi::realizedFontOf(*d);
  if (!font) return FALSE;
  *metrics = logicalMetrics(d->state, font->metrics());
  return TRUE;
}

KW32_API int WINAPI GetTextFaceA(HDC dc, int size, LPSTR face) {
  auto d = kw::gdi::lookupDC(dc);
  if (!d || size < 0 || (face && size == 0)) return 0;
  auto font = kw::gdi::realizedFontOf(*d);
  if (!font) return 0;
  const std::string& name = font->faceName();
  if (!face) return static_cast<int>(name.size()) + 1;
  size_t n = std::min(name.size(), static_cast<size_t>(size) - 1);
  std::memcpy(face, name.data(), n);
  face[n] = 0;
  return static_cast<int>(n);
}

KW32_API BOOL WINAPI GetTextExtentPoint32A(HDC dc, LPCSTR text, int count, LPSIZE size) {
  auto d = kw::gdi::lookupDC(dc);
  if (!d || !size || count < 0 || (!text && count > 0)) return FALSE;
  auto font = kw::gdi::realizedFontOf(*d);
  if (!font) return FALSE;
  int width = font->width(kw::gdi::toUtf32(text, count));
  size->cx = kw::gdi::logicalLengthX(d->state, width);
  size->cy = kw::gdi::logicalLengthY(d->state, font->metrics().tmHeight);
  return TRUE;
}

KW32_API DWORD WINAPI GetTabbedTextExtentA(HDC dc, LPCSTR text, int count, int tabCount, const INT* tabs) {
  auto d = kw::gdi::lookupDC(dc);
  if (!d || count < 0 || (!text && count > 0) || tabCount < 0 || (tabCount > 0 && !tabs)) return 0;
  auto font = kw::gdi::realizedFontOf(*d);
  if (!font) return 0;
  kw::gdi::TabStops stops = kw::gdi::tabStops(d->state, *font, tabCount, tabs);
  int width = kw::gdi::tabbedWidth(*font, kw::gdi::toUtf32(text, count), stops);
  LONG w = kw::gdi::logicalLengthX(d->state, width), h = kw::gdi::logicalLengthY(d->state, font->metrics().tmHeight);
  return static_cast<DWORD>(std::min<LONG>(w, 0xFFFF)) | static_cast<DWORD>(std::min<LONG>(h, 0xFFFF)) << 16;
}
