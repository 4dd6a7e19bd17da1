// Font selection when the font was realized before: creating the logical font, selecting it
// and reading its metrics must not run fontconfig again (goal: under 10 microseconds).
#include <benchmark/benchmark.h>
#include <korvane/win32.h>

namespace {

void BM_WarmFontCreateSelectMetrics(benchmark::State& state) {
  HDC dc = CreateCompatibleDC(nullptr);
  LOGFONTA log{};
  log.lfHeight = -13;
  lstrcpynA(log.lfFaceName, "MS Sans Serif", LF_FACESIZE);
  TEXTMETRICA tm{};
  HGDIOBJ old = SelectObject(dc, CreateFontIndirectA(&log));
  GetTextMetricsA(dc, &tm);  // realizes it once
  DeleteObject(SelectObject(dc, old));
  for (auto _ : state) {
    HFONT font = CreateFontIndirectA(&log);
    old = SelectObject(dc, font);
    GetTextMetricsA(dc, &tm);
    benchmark::DoNotOptimize(tm.tmHeight);
    SelectObject(dc, old);
    DeleteObject(font);
  }
  DeleteDC(dc);
}
BENCHMARK(BM_WarmFontCreateSelectMetrics);

void BM_TextExtent(benchmark::State& state) {
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT font = CreateFontA(-13, 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size{};
  for (auto _ : state) {
    GetTextExtentPoint32A(dc, "The quick brown fox jumps", 25, &size);
    benchmark::DoNotOptimize(size.cx);
  }
  DeleteObject(SelectObject(dc, old));
  DeleteDC(dc);
}
BENCHMARK(BM_TextExtent);

}  // namespace
