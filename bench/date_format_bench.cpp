// Date formatting and validation per call, beside the C library's strftime and strptime on
// the same values.
//
// Run (Release build):
//   cmake -S . -B build-rel -G Ninja -DCMAKE_BUILD_TYPE=Release
//   cmake --build build-rel --target korvane-bench && build-rel/bench/korvane-bench --benchmark_filter=date/
#include <benchmark/benchmark.h>

#include <korvane/format.h>

#include <cstring>
#include <ctime>

namespace {

FMTCNTLBLOCK usBlock(int type) {
  FMTCNTLBLOCK b;
  std::memset(&b, 0, sizeof b);
  FMTInitCntlBlock(&b);
  b.nFormatType = type;
  b.lpszShortPic = const_cast<LPSTR>("M/d/yy");
  b.lpszLongPic = const_cast<LPSTR>("dddd, MMMM dd, yyyy");
  b.lpszTimeSep = const_cast<LPSTR>(":");
  b.iTLZero = 1;
  b.lpsz1159 = const_cast<LPSTR>("AM");
  b.lpsz2359 = const_cast<LPSTR>("PM");
  return b;
}

void formatLong(benchmark::State& state) {
  FMTCNTLBLOCK b = usBlock(FMT_TYPE_DATE);
  b.lpszLongPic = const_cast<LPSTR>("dddd, MMMM dd, yyyy hh:mm:ss AMPM");
  b.dtValue = DATDEF{3, 15, 2001, 13, 5, 9, 0};
  char out[80];
  b.lpszOutput = out;
  for (auto _ : state) {
    benchmark::DoNotOptimize(FMTFormatDateTime(&b));
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(formatLong)->Name("date/format/korvane");

void formatStrftime(benchmark::State& state) {
  std::tm t{};
  t.tm_year = 101;
  t.tm_mon = 2;
  t.tm_mday = 15;
  t.tm_hour = 13;
  t.tm_min = 5;
  t.tm_sec = 9;
  t.tm_wday = 4;
  char out[80];
  for (auto _ : state) {
    benchmark::DoNotOptimize(std::strftime(out, sizeof out, "%A, %B %d, %Y %I:%M:%S %p", &t));
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(formatStrftime)->Name("date/format/strftime");

void validate(benchmark::State& state, const char* text) {
  FMTCNTLBLOCK b = usBlock(FMT_TYPE_DATE);
  b.lpszInput = const_cast<LPSTR>(text);
  for (auto _ : state) benchmark::DoNotOptimize(FMTValidateDateTime(&b));
  if (!FMTValidateDateTime(&b)) state.SkipWithError("not valid");
}
BENCHMARK_CAPTURE(validate, long, "March 15, 2001")->Name("date/validate/korvane/long");
BENCHMARK_CAPTURE(validate, short, "3/15/01")->Name("date/validate/korvane/short");

void parseStrptime(benchmark::State& state, const char* text, const char* form) {
  for (auto _ : state) {
    std::tm t{};
    benchmark::DoNotOptimize(strptime(text, form, &t));
    benchmark::DoNotOptimize(t);
  }
}
BENCHMARK_CAPTURE(parseStrptime, long, "March 15, 2001", "%B %d, %Y")->Name("date/validate/strptime/long");
BENCHMARK_CAPTURE(parseStrptime, short, "3/15/01", "%m/%d/%y")->Name("date/validate/strptime/short");

}  // namespace
