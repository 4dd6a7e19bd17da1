// KwSaveDCAsPng: what a DC shows, as a PNG file, for tests and people to look at.
#include "device_context.h"

#include "kernel32/host_path.h"

KW32_API BOOL WINAPI KwSaveDCAsPng(HDC dc, LPCSTR path) {
  auto d = kw::gdi::lookupDC(dc);
  std::string host;
  if (!d || !path || !kw::hostPathFromAnsi(path, host)) return FALSE;
  cairo_surface_t* s = d->surface();
  if (!s) return FALSE;
  cairo_surface_flush(s);
  if (cairo_surface_write_to_png(s, host.c_str()) != CAIRO_STATUS_SUCCESS) {
    SetLastError(ERROR_GEN_FAILURE);
    return FALSE;
  }
  return TRUE;
}
