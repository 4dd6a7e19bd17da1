// Printer DCs: made from the printer's device mode (paper and orientation), measured at
// 600 dots per inch with no unprintable margin (a PDF page has none).
#include "winspool/printer_dc.h"

#include "winspool/devmode.h"

#include <unistd.h>

#include <algorithm>

namespace kw::winspool {

PrinterDC::~PrinterDC() { dropJob(); }

void PrinterDC::dropJob() {
  if (own) {
    cairo_surface_destroy(own);
    own = nullptr;
  }
  if (!temporary.empty()) unlink(temporary.c_str());
  temporary.clear();
  inDoc = inPage = false;
}

std::shared_ptr<gdi::DeviceContext> makePrinterDC(LPCSTR, LPCSTR device, LPCSTR, const DEVMODEA* wanted,
                                                  bool information) {
  auto printer = findPrinter(device);
  if (!printer) {
    SetLastError(ERROR_INVALID_PRINTER_NAME);
    return nullptr;
  }
  DEVMODEA mode = defaultDevMode(*printer);
  if (wanted) {
    DEVMODEA copy;
    if (!readDevMode(wanted, copy) || !mergeDevMode(*printer, copy, mode)) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
    }
  }
  LONG width = mode.dmPaperWidth > 0 ? mode.dmPaperWidth : 2100;  // tenths of a millimetre
  LONG length = mode.dmPaperLength > 0 ? mode.dmPaperLength : 2970;
  if (mode.dmOrientation == DMORIENT_LANDSCAPE) std::swap(width, length);
  gdi::DeviceCaps caps;
  caps.technology = DT_RASPRINTER;
  caps.logPixelsX = caps.logPixelsY = kPrinterDpi;
  caps.physicalWidth = caps.horzRes = static_cast<int>((width * kPrinterDpi + 127) / 254);
  caps.physicalHeight = caps.vertRes = static_cast<int>((length * kPrinterDpi + 127) / 254);
  // At least a millimetre each way: the metric and English mapping modes scale by these
  // sizes, and a device of no size would map every length to 0.
  caps.horzSize = std::max(1, static_cast<int>((width + 5) / 10));
  caps.vertSize = std::max(1, static_cast<int>((length + 5) / 10));
  caps.bitsPixel = printer->color ? 24 : 1;
  caps.rasterCaps = RC_BITBLT | RC_BANDING | RC_STRETCHBLT | RC_STRETCHDIB | RC_DIBTODEV | RC_BIGFONT;
  try {
    auto dc = std::make_shared<PrinterDC>(caps, std::move(*printer), mode);
    dc->information = information;
    return dc;
  } catch (...) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
}

namespace {

// Printer DCs come from here from the moment the library is loaded.
struct RegisterFactory {
  RegisterFactory() { gdi::setPrinterDCFactory(makePrinterDC); }
} registerFactory;

}  // namespace

}  // namespace kw::winspool
