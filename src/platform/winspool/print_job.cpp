// Print jobs: StartDocA opens a PDF file beside its destination, each page is one PDF
// page at the job's paper size, and EndDoc moves the finished PDF into place or hands it to
// the printer's CUPS queue. Nothing half-written is left behind by a job that fails.
#include <cairo-pdf.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <string>

#include "kernel32/host_path.h"
#include "winspool/printer_dc.h"

namespace {

using kw::winspool::PrinterDC;

std::shared_ptr<PrinterDC> printerDC(HDC dc) {
  auto context = kw::gdi::lookupDC(dc);
  if (!context || context->surfaceKind != kw::gdi::SurfaceKind::Printer) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return std::static_pointer_cast<PrinterDC>(context);
}

// The host file a job for this DC ends in, or empty when it goes to a CUPS queue (or,
// for a declared printer without a file, nowhere).
std::string destinationFile(const PrinterDC& dc) {
  std::string host;
  if (!dc.output.empty()) return kw::hostPathFromAnsi(dc.output.c_str(), host) ? host : std::string();
  if (dc.printer.kind == kw::winspool::Kind::PdfFile) return dc.printer.ports.substr(0, dc.printer.ports.find(','));
  return {};
}

// The page size in PDF points.
double points(int deviceUnits) { return deviceUnits * 72.0 / kw::winspool::kPrinterDpi; }

int abortAsked(PrinterDC& dc, HDC handle) {
  if (dc.abortProc && !dc.abortProc(handle, 0)) {
    dc.dropJob();
    return SP_APPABORT;
  }
  return 0;
}

}  // namespace

KW32_API int WINAPI StartDocA(HDC handle, const DOCINFOA* info) {
  auto dc = printerDC(handle);
  if (!dc) return SP_ERROR;
  if (dc->inDoc || dc->information) return SP_ERROR;
  dc->title = info && info->lpszDocName ? info->lpszDocName : "";
  dc->output = info && info->lpszOutput ? info->lpszOutput : "";
  dc->copies = dc->mode.dmCopies > 0 ? dc->mode.dmCopies : 1;
  const std::string target = destinationFile(*dc);
  if (target.empty() && dc->printer.kind != kw::winspool::Kind::Cups) return SP_ERROR;
  // The PDF is written next to where it will end up (so the final rename stays on one file
  // system), or in the temporary directory for a queue.
  std::string pattern = target.empty() ? std::string(P_tmpdir) + "/korvane-job-XXXXXX" : target + ".part-XXXXXX";
  const int fd = mkstemp(pattern.data());
  if (fd < 0) return SP_OUTOFDISK;
  close(fd);
  dc->temporary = pattern;
  cairo_surface_t* pdf =
      cairo_pdf_surface_create(pattern.c_str(), points(dc->caps.physicalWidth), points(dc->caps.physicalHeight));
  if (cairo_surface_status(pdf) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(pdf);
    dc->dropJob();
    return SP_OUTOFMEMORY;
  }
  // Drawing is in device units: 600 to the inch.
  cairo_surface_set_device_scale(pdf, 72.0 / kw::winspool::kPrinterDpi, 72.0 / kw::winspool::kPrinterDpi);
  if (!dc->title.empty()) cairo_pdf_surface_set_metadata(pdf, CAIRO_PDF_METADATA_TITLE, dc->title.c_str());
  dc->own = pdf;
  dc->inDoc = true;
  dc->pages = 0;
  static std::atomic<int> jobs{0};  // job numbers, as the spooler hands them out
  return (jobs.fetch_add(1) & 0x7FFFFFFF) + 1;
}

KW32_API int WINAPI StartPage(HDC handle) {
  auto dc = printerDC(handle);
  if (!dc || !dc->inDoc || dc->inPage) return SP_ERROR;
  cairo_pdf_surface_set_size(dc->own, points(dc->caps.physicalWidth), points(dc->caps.physicalHeight));
  dc->inPage = true;
  return 1;
}

KW32_API int WINAPI EndPage(HDC handle) {
  auto dc = printerDC(handle);
  if (!dc || !dc->inDoc || !dc->inPage) return SP_ERROR;
  cairo_surface_show_page(dc->own);
  dc->inPage = false;
  ++dc->pages;
  if (cairo_surface_status(dc->own) != CAIRO_STATUS_SUCCESS) {
    dc->dropJob();
    return SP_OUTOFDISK;
  }
  if (int stop = abortAsked(*dc, handle)) return stop;
  return 1;
}

KW32_API int WINAPI EndDoc(HDC handle) {
  auto dc = printerDC(handle);
  if (!dc || !dc->inDoc) return SP_ERROR;
  if (dc->inPage) EndPage(handle);
  if (!dc->inDoc) return SP_APPABORT;  // the abort procedure stopped it at that page
  cairo_surface_finish(dc->own);
  const bool written = cairo_surface_status(dc->own) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(dc->own);
  dc->own = nullptr;
  if (!written) {
    dc->dropJob();
    return SP_OUTOFDISK;
  }
  const std::string target = destinationFile(*dc);
  bool delivered;
  if (!target.empty()) {
    delivered = rename(dc->temporary.c_str(), target.c_str()) == 0;
    if (delivered) dc->temporary.clear();
  } else {
    delivered = kw::winspool::sendToCups(dc->printer.name, dc->temporary, dc->title, dc->copies);
  }
  dc->dropJob();
  return delivered ? 1 : (target.empty() ? SP_ERROR : SP_OUTOFDISK);
}

KW32_API int WINAPI AbortDoc(HDC handle) {
  auto dc = printerDC(handle);
  if (!dc) return SP_ERROR;
  dc->dropJob();
  return 1;
}

KW32_API int WINAPI SetAbortProc(HDC handle, ABORTPROC proc) {
  auto dc = printerDC(handle);
  if (!dc) return SP_ERROR;
  dc->abortProc = proc;
  return 1;
}

KW32_API int WINAPI Escape(HDC handle, int escape, int inputSize, LPCSTR input, LPVOID output) {
  auto dc = printerDC(handle);
  if (!dc) return SP_ERROR;
  switch (escape) {
    case QUERYESCSUPPORT: {
      if (!input || inputSize < static_cast<int>(sizeof(int))) return 0;
      int asked;
      std::memcpy(&asked, input, sizeof asked);
      return asked == QUERYESCSUPPORT || asked == SETABORTPROC || asked == GETPHYSPAGESIZE ||
                     asked == GETPRINTINGOFFSET || asked == DRAFTMODE || asked == SETCOPYCOUNT || asked == BANDINFO
                 ? 1
                 : 0;
    }
    case SETABORTPROC:
      dc->abortProc = reinterpret_cast<ABORTPROC>(const_cast<char*>(input));
      return 1;
    case GETPHYSPAGESIZE:
    case GETPRINTINGOFFSET: {
      if (!output) return SP_ERROR;
      const POINT p = escape == GETPHYSPAGESIZE ? POINT{dc->caps.physicalWidth, dc->caps.physicalHeight}
                                                : POINT{dc->caps.physicalOffsetX, dc->caps.physicalOffsetY};
      std::memcpy(output, &p, sizeof p);
      return 1;
    }
    case DRAFTMODE:
      return 1;
    case SETCOPYCOUNT: {
      // The device's own copies: a PDF file makes one, a queue as many as it can.
      int wanted = 1;
      if (input && inputSize >= static_cast<int>(sizeof(int))) std::memcpy(&wanted, input, sizeof wanted);
      const int made = wanted < 1 ? 1 : wanted > dc->printer.maxCopies ? dc->printer.maxCopies : wanted;
      dc->copies = static_cast<short>(made);
      if (output) std::memcpy(output, &made, sizeof made);
      return 1;
    }
    case BANDINFO: {
      if (output) {
        BANDINFOSTRUCT band{TRUE, TRUE, {0, 0, dc->caps.horzRes, dc->caps.vertRes}};
        std::memcpy(output, &band, sizeof band);
      }
      return 1;
    }
    default:
      return 0;
  }
}
