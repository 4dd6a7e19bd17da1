// Font selection when the font was realized before: creating the logical font, selecting it
// and reading its metrics must not run fontconfig again (goal: under 10 microseconds); text
// measured and drawn.
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

// A 40-character line drawn and measured, as a control paints one line of its text.
void BM_TextOutAndExtent40(benchmark::State& state) {
  HDC screen = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 400, 40);
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  HFONT font = CreateFontA(-13, 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
  HGDIOBJ old = SelectObject(dc, font);
  const char line[] = "Invoice 2041: 12 items, total $1,234.56.";
  static_assert(sizeof line - 1 == 40);
  SIZE size{};
  for (auto _ : state) {
    GetTextExtentPoint32A(dc, line, 40, &size);
    TextOutA(dc, 2, 2, line, 40);
    benchmark::DoNotOptimize(size.cx);
  }
  DeleteObject(SelectObject(dc, old));
  DeleteObject(SelectObject(dc, oldBitmap));
  DeleteDC(dc);
  DeleteDC(screen);
}
BENCHMARK(BM_TextOutAndExtent40);

}  // namespace
