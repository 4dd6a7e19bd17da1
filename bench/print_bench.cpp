// Page printing: a 100-page text job to a PDF file (pages per second, cairo's rendering
// included), and the library's own work per sheet (layout, placing, the callbacks) on an
// information context, where nothing is rendered (goal: under 50 microseconds).
#include <benchmark/benchmark.h>
#include <korvane/platform.h>
#include <korvane/print.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "print/page_layout.h"

namespace {

struct PdfPrinter {
  std::filesystem::path dir;
  PdfPrinter() {
    std::string pattern = "/tmp/korvane-bench-XXXXXX";
    if (mkdtemp(pattern.data())) dir = pattern;
    setenv("CUPS_SERVER", (dir / "none.sock").c_str(), 1);
    std::ofstream(dir / "win.ini") << "[devices]\nFile PDF=PDF Writer," << (dir / "out.pdf").string() << "\n";
    KwConfigureWinIni((dir / "win.ini").c_str());
  }
  ~PdfPrinter() {
    KwConfigureWinIni(nullptr);
    std::filesystem::remove_all(dir);
  }
};

int pagesLeft = 0;

BOOL KV_CALL paintText(HDC dc, int, LPRECT, DWORD, int, int, int) {
  char line[64];
  for (int i = 0; i < 50; ++i) {
    const int n = std::snprintf(line, sizeof line, "Line %d of a page of the benchmark's report", i + 1);
    TextOutA(dc, 1000, -(1000 + i * 167), line, n);
  }
  return TRUE;
}
BOOL KV_CALL paintNothing(HDC, int, LPRECT, DWORD, int, int, int) { return TRUE; }
BOOL KV_CALL more(DWORD) { return --pagesLeft > 0; }

PRINTJOB letterJob(PRINTPAINTPROC paint) {
  PRINTJOB job{};
  job.nCopies = 1;
  job.cxPage = 8500;
  job.cyPage = 11000;
  job.bAllPages = TRUE;
  job.bSnap = TRUE;
  job.lpfnPaint = paint;
  job.lpfnMorePages = more;
  job.desc.dwFlags = PRINT_FLAG_NO_DIALOG;
  std::snprintf(job.desc.szDevice, sizeof job.desc.szDevice, "File PDF");
  std::snprintf(job.desc.szDriver, sizeof job.desc.szDriver, "PDF Writer");
  return job;
}

void BM_PagePrint100TextPages(benchmark::State& state) {
  PdfPrinter printer;
  HWND owner = CreateWindowExA(0, "Static", "owner", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  for (auto _ : state) {
    pagesLeft = 100;
    PRINTJOB job = letterJob(paintText);
    PagePrint(owner, &job);
    if (job.desc.wResult != PRINT_DONE) state.SkipWithError("the job failed");
  }
  DestroyWindow(owner);
  state.counters["pages/s"] = benchmark::Counter(100.0 * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PagePrint100TextPages)->Unit(benchmark::kMillisecond);

void BM_LayoutPerSheet(benchmark::State& state) {
  PdfPrinter printer;
  HDC ic = CreateICA("PDF Writer", "File PDF", nullptr, nullptr);
  PRINTJOB job = letterJob(paintNothing);
  job.bFrame = TRUE;
  pagesLeft = 1 << 30;
  kv::PageLayout layout(ic, job);
  layout.start();
  const RECT band{0, 0, 5100, 6600};
  for (auto _ : state) {
    benchmark::DoNotOptimize(layout.paint(band, 0, 0, 0));
    benchmark::DoNotOptimize(layout.next());
  }
  DeleteDC(ic);
}
BENCHMARK(BM_LayoutPerSheet);

}  // namespace
