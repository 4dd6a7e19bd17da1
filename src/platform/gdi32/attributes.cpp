// The DC's colour attributes: text and background colours, background mode.
#include "device_context.h"

namespace {

// Colours keep their RGB bytes; the top byte (palette flags) is dropped.
COLORREF swapColor(HDC dc, COLORREF color, COLORREF kw::gdi::DcState::*field) {
  auto d = kw::gdi::lookupDC(dc);
  if (!d) return CLR_INVALID;
  COLORREF old = d->state.*field;
  d->state.*field = color & 0x00FFFFFF;
  return old;
}

COLORREF readColor(HDC dc, COLORREF kw::gdi::DcState::*field) {
  auto d = kw::gdi::lookupDC(dc);
  return d ? d->state.*field : CLR_INVALID;
}

}  // namespace

KW32_API int WINAPI SetBkMode(HDC dc, int mode) {
  auto d = kw::gdi::lookupDC(dc);
  if (!d || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
  int old = d->state.bkMode;
  d->state.bkMode = mode;
  return old;
}

KW32_API int WINAPI GetBkMode(HDC dc) {
  auto d = kw::gdi::lookupDC(dc);
  return d ? d->state.bkMode : 0;
}

KW32_API COLORREF WINAPI SetTextColor(HDC dc, COLORREF color) { return swapColor(dc, color, &kw::gdi::DcState::textColor); }
KW32_API COLORREF WINAPI GetTextColor(HDC dc) { return readColor(dc, &kw::gdi::DcState::textColor); }
KW32_API COLORREF WINAPI SetBkColor(HDC dc, COLORREF color) { return swapColor(dc, color, &kw::gdi::DcState::bkColor); }
KW32_API COLORREF WINAPI GetBkColor(HDC dc) { return readColor(dc, &kw::gdi::DcState::bkColor); }
