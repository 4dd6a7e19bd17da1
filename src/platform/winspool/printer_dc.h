// Printer device contexts: a printer's page at 600 dots per inch, and the job that
// collects its pages into one PDF.
#pragma once

#include <string>

#include "gdi32/device_context.h"
#include "winspool/printers.h"

namespace kw::winspool {

constexpr int kPrinterDpi = 600;

struct PrinterDC : gdi::DeviceContext {
  PrinterDC(const gdi::DeviceCaps& c, Printer p, const DEVMODEA& m)
      : DeviceContext(gdi::SurfaceKind::Printer, c), printer(std::move(p)), mode(m) {}
  ~PrinterDC() override;

  Printer printer;
  DEVMODEA mode;
  bool information = false;  // an information context: measured, never printed on
  ABORTPROC abortProc = nullptr;
  // The job, while one runs.
  bool inDoc = false;
  bool inPage = false;
  int pages = 0;
  std::string title;
  std::string output;     // a file named by StartDocA, else empty
  std::string temporary;  // where the PDF is written until EndDoc
  short copies = 1;

  void dropJob();
};

// The DC of a printer, or null when the name is not one.
std::shared_ptr<gdi::DeviceContext> makePrinterDC(LPCSTR driver, LPCSTR device, LPCSTR port, const DEVMODEA* mode,
                                                  bool information);

// Sends a finished PDF to a CUPS queue; false when the server does not take it.
bool sendToCups(const std::string& queue, const std::string& pdf, const std::string& title, int copies);

}  // namespace kw::winspool
