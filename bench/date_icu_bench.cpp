// ICU's SimpleDateFormat (udat C API) on the same values as the date benchmarks, when the
// build found ICU.
#include <benchmark/benchmark.h>

#if defined(KORVANE_BENCH_ICU)
#include <unicode/udat.h>
#include <unicode/ustring.h>

namespace {

struct IcuFormat {
  UDateFormat* fmt = nullptr;
  explicit IcuFormat(const char* pattern) {
    UErrorCode status = U_ZERO_ERROR;
    UChar upattern[64];
    u_uastrcpy(upattern, pattern);
    fmt = udat_open(UDAT_PATTERN, UDAT_PATTERN, "en_US", u"UTC", -1, upattern, -1, &status);
    if (U_FAILURE(status)) fmt = nullptr;
  }
  ~IcuFormat() {
    if (fmt) udat_close(fmt);
  }
};

// 15 March 2001 13:05:09 UTC in milliseconds.
constexpr UDate kDate = 984661509000.0;

void formatIcu(benchmark::State& state, const char* pattern) {
  IcuFormat f(pattern);
  if (!f.fmt) return state.SkipWithError("ICU pattern refused");
  UChar out[80];
  for (auto _ : state) {
    UErrorCode status = U_ZERO_ERROR;
    benchmark::DoNotOptimize(udat_format(f.fmt, kDate, out, 80, nullptr, &status));
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK_CAPTURE(formatIcu, full, "EEEE, MMMM dd, yyyy hh:mm:ss a")->Name("date/format/icu");
BENCHMARK_CAPTURE(formatIcu, short, "M/d/yy")->Name("date/format/icu/short");
BENCHMARK_CAPTURE(formatIcu, long, "EEEE, MMMM dd, yyyy")->Name("date/format/icu/long");
BENCHMARK_CAPTURE(formatIcu, time, "hh:mm:ss a")->Name("date/format/icu/time");
BENCHMARK_CAPTURE(formatIcu, quoted, "'Week of' MMM d 'at' HH'h'")->Name("date/format/icu/quoted");

void parseIcu(benchmark::State& state, const char* pattern, const char* text) {
  IcuFormat f(pattern);
  if (!f.fmt) return state.SkipWithError("ICU pattern refused");
  UChar utext[40];
  u_uastrcpy(utext, text);
  for (auto _ : state) {
    UErrorCode status = U_ZERO_ERROR;
    benchmark::DoNotOptimize(udat_parse(f.fmt, utext, -1, nullptr, &status));
  }
}
BENCHMARK_CAPTURE(parseIcu, long, "MMMM d, yyyy", "March 15, 2001")->Name("date/validate/icu/long");
BENCHMARK_CAPTURE(parseIcu, short, "M/d/yy", "3/15/01")->Name("date/validate/icu/short");
BENCHMARK_CAPTURE(parseIcu, iso, "yyyy-MM-dd", "2001-03-15")->Name("date/validate/icu/iso");
BENCHMARK_CAPTURE(parseIcu, abbrev, "d MMM, yyyy", "15 Mar, 2001")->Name("date/validate/icu/abbrev");
BENCHMARK_CAPTURE(parseIcu, time, "h:mm:ss a", "1:05:09 PM")->Name("date/validate/icu/time");

}  // namespace
#endif
