// Date formatting and validation per call, beside the C library's strftime and strptime on
// the same values.
//
// Run (Release build):
//   cmake -S . -B build-rel -G Ninja -DCMAKE_BUILD_TYPE=Release
//   cmake --build build-rel --target korvane-bench && build-rel/bench/korvane-bench --benchmark_filter=date/
#include <benchmark/benchmark.h>

#include <korvane/format.h>
#include <korvane/intl.h>
#include <korvane/korvane.h>
#include <korvane/platform.h>

#include <atomic>
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

// Thursday 15 March 2001 13:05:09 for the C library.
std::tm march15() {
  std::tm t{};
  t.tm_year = 101;
  t.tm_mon = 2;
  t.tm_mday = 15;
  t.tm_hour = 13;
  t.tm_min = 5;
  t.tm_sec = 9;
  t.tm_wday = 4;
  return t;
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
  const std::tm t = march15();
  char out[80];
  for (auto _ : state) {
    benchmark::DoNotOptimize(std::strftime(out, sizeof out, "%A, %B %d, %Y %I:%M:%S %p", &t));
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(formatStrftime)->Name("date/format/strftime");

// Formats `picture` under fixed US settings; the date type chooses the long picture, or the
// era form when it is 3.
void formatPicture(benchmark::State& state, const char* picture, LONG dateType) {
  FMTCNTLBLOCK b = usBlock(FMT_TYPE_DATE);
  b.lpszLongPic = const_cast<LPSTR>(picture);
  b.iDateType = dateType;
  b.dtValue = DATDEF{3, 15, 2001, 13, 5, 9, 0};
  char out[80];
  b.lpszOutput = out;
  for (auto _ : state) {
    benchmark::DoNotOptimize(FMTFormatDateTime(&b));
    benchmark::DoNotOptimize(out);
  }
  if (!FMTFormatDateTime(&b)) state.SkipWithError("not formatted");
}
BENCHMARK_CAPTURE(formatPicture, short, "M/d/yy", 0)->Name("date/format/korvane/short");
BENCHMARK_CAPTURE(formatPicture, long, "dddd, MMMM dd, yyyy", 0)->Name("date/format/korvane/long");
BENCHMARK_CAPTURE(formatPicture, time, "hh:mm:ss AMPM", 0)->Name("date/format/korvane/time");
BENCHMARK_CAPTURE(formatPicture, quoted, "'Week of' MMM d 'at' hhhh'h'", 0)->Name("date/format/korvane/quoted");

// The era form ("Heisei 13"-style) under a Japanese system.
void formatEra(benchmark::State& state) {
  const LANGID lang = GetSystemDefaultLangID();
  const LCID lcid = GetUserDefaultLCID();
  KwConfigureSystem(0x0411, 0x0411);
  IntlInit();
  formatPicture(state, "dddd, MMMM dd, yyyy", 3);
  KwConfigureSystem(lang, lcid);
  IntlInit();
}
BENCHMARK(formatEra)->Name("date/format/korvane/era_japanese");

void formatStrftimePicture(benchmark::State& state, const char* form) {
  const std::tm t = march15();
  char out[80];
  for (auto _ : state) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"  // the forms are the captured literals
    benchmark::DoNotOptimize(std::strftime(out, sizeof out, form, &t));
#pragma GCC diagnostic pop
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK_CAPTURE(formatStrftimePicture, short, "%m/%d/%y")->Name("date/format/strftime/short");
BENCHMARK_CAPTURE(formatStrftimePicture, long, "%A, %B %d, %Y")->Name("date/format/strftime/long");
BENCHMARK_CAPTURE(formatStrftimePicture, time, "%I:%M:%S %p")->Name("date/format/strftime/time");
BENCHMARK_CAPTURE(formatStrftimePicture, quoted, "Week of %b %d at %Hh")->Name("date/format/strftime/quoted");

// Two threads formatting the long picture at once: the settings lock must not serialize them.
void formatThreaded(benchmark::State& state) {
  FMTCNTLBLOCK b = usBlock(FMT_TYPE_DATETIME);
  b.bUseIntl = TRUE;  // the regional settings, read under the settings lock
  b.wFlags = FMT_FLAG_DEFAULT_TIME;
  b.dtValue = DATDEF{3, 15, 2001, 13, 5, 9, 0};
  char out[80];
  b.lpszOutput = out;
  for (auto _ : state) {
    benchmark::DoNotOptimize(FMTFormatDateTime(&b));
    benchmark::DoNotOptimize(out);
  }
  if (FMTFormatDateTime(&b) != 1) state.SkipWithError("not formatted");
}
BENCHMARK(formatThreaded)->Name("date/format/korvane/regional")->Threads(1)->Threads(2)->UseRealTime();

void validate(benchmark::State& state, const char* text, LONG type) {
  FMTCNTLBLOCK b = usBlock(type);
  b.lpszInput = const_cast<LPSTR>(text);
  for (auto _ : state) benchmark::DoNotOptimize(FMTValidateDateTime(&b));
  if (!FMTValidateDateTime(&b)) state.SkipWithError("not valid");
}
BENCHMARK_CAPTURE(validate, long, "March 15, 2001", FMT_TYPE_DATE)->Name("date/validate/korvane/long");
BENCHMARK_CAPTURE(validate, short, "3/15/01", FMT_TYPE_DATE)->Name("date/validate/korvane/short");
BENCHMARK_CAPTURE(validate, iso, "2001-03-15", FMT_TYPE_DATE)->Name("date/validate/korvane/iso");
BENCHMARK_CAPTURE(validate, abbrev, "15 Mar, 2001", FMT_TYPE_DATE)->Name("date/validate/korvane/abbrev");
BENCHMARK_CAPTURE(validate, time, "1:05:09 PM", FMT_TYPE_TIME)->Name("date/validate/korvane/time");

void parseStrptime(benchmark::State& state, const char* text, const char* form) {
  for (auto _ : state) {
    std::tm t{};
    benchmark::DoNotOptimize(strptime(text, form, &t));
    benchmark::DoNotOptimize(t);
  }
}
BENCHMARK_CAPTURE(parseStrptime, long, "March 15, 2001", "%B %d, %Y")->Name("date/validate/strptime/long");
BENCHMARK_CAPTURE(parseStrptime, short, "3/15/01", "%m/%d/%y")->Name("date/validate/strptime/short");
BENCHMARK_CAPTURE(parseStrptime, iso, "2001-03-15", "%Y-%m-%d")->Name("date/validate/strptime/iso");
BENCHMARK_CAPTURE(parseStrptime, abbrev, "15 Mar, 2001", "%d %b, %Y")->Name("date/validate/strptime/abbrev");
BENCHMARK_CAPTURE(parseStrptime, time, "1:05:09 PM", "%I:%M:%S %p")->Name("date/validate/strptime/time");

}  // namespace
