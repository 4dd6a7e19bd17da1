// Number formatting and unformatting per call: the picture "#,##0.00;(#,##0.00)" and the
// regional currency form, beside snprintf("%.2f") and ICU's DecimalFormat (unum C API)
// with the same pattern. ICU is a bench-only comparison: its library is opened at run
// time when present, and its benchmarks report an error otherwise.
//
// Run (Release build):
//   cmake -S . -B build-rel -G Ninja -DCMAKE_BUILD_TYPE=Release
//   cmake --build build-rel --target korvane-bench && build-rel/bench/korvane-bench --benchmark_filter=numformat/
#include <benchmark/benchmark.h>

#include <dlfcn.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include <korvane/format.h>

#if __has_include(<unicode/unum.h>)
#include <unicode/unum.h>
#define KV_BENCH_ICU 1
#endif

namespace {

constexpr char kPicture[] = "#,##0.00;(#,##0.00)";
constexpr size_t kPool = 256;

struct Values {
  std::vector<tagNUMBER> numbers;
  std::vector<double> doubles;
  std::vector<std::string> pictureText;   // formatted by the picture
  std::vector<std::string> currencyText;  // in the regional currency form
};

FMTCNTLBLOCK makeBlock(LONG kind) {
  FMTCNTLBLOCK b{};
  FMTInitCntlBlock(&b);
  b.nFormatType = kind;
  b.bUseIntl = 0;  // fixed US-style settings, independent of the machine's win.ini
  b.cThousand = ',';
  b.cDecimal = '.';
  b.iDigits = 2;
  b.lpszCurrency = const_cast<char*>("$");
  b.iCurrency = 0;
  b.iNegCurr = 0;
  b.iLzero = 1;
  return b;
}

// Amounts of up to 9 integer digits with up to 4 decimals, a third of them negative.
const Values& values() {
  static const Values v = [] {
    Values out;
    std::mt19937_64 rng(42);
    char text[64];
    char formatted[64];
    for (size_t i = 0; i < kPool; ++i) {
      std::snprintf(text, sizeof text, "%s%llu.%04llu", rng() % 3 == 0 ? "-" : "",
                    static_cast<unsigned long long>(rng() % 1000000000ull),
                    static_cast<unsigned long long>(rng() % 10000));
      tagNUMBER n{};
      NumAsciiToNumber(&n, text);
      out.numbers.push_back(n);
      out.doubles.push_back(std::strtod(text, nullptr));
      FMTCNTLBLOCK b = makeBlock(FMT_TYPE_PICTURE);
      b.lpszPicture = const_cast<char*>(kPicture);
      b.lpszOutput = formatted;
      b.number = n;
      FMTFormatNumber(&b);
      out.pictureText.emplace_back(formatted);
      b.nFormatType = FMT_TYPE_CURRENCY;
      FMTFormatNumber(&b);
      out.currencyText.emplace_back(formatted);
    }
    return out;
  }();
  return v;
}

void format_picture(benchmark::State& state) {
  const Values& v = values();
  FMTCNTLBLOCK b = makeBlock(FMT_TYPE_PICTURE);
  b.lpszPicture = const_cast<char*>(kPicture);
  char out[64];
  b.lpszOutput = out;
  size_t i = 0;
  for (auto _ : state) {
    b.number = v.numbers[i++ % kPool];
    benchmark::DoNotOptimize(FMTFormatNumber(&b));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(format_picture)->Name("numformat/picture");

void format_currency(benchmark::State& state) {
  const Values& v = values();
  FMTCNTLBLOCK b = makeBlock(FMT_TYPE_CURRENCY);
  char out[64];
  b.lpszOutput = out;
  size_t i = 0;
  for (auto _ : state) {
    b.number = v.numbers[i++ % kPool];
    benchmark::DoNotOptimize(FMTFormatNumber(&b));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(format_currency)->Name("numformat/currency");

void format_snprintf(benchmark::State& state) {
  const Values& v = values();
  char out[64];
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(std::snprintf(out, sizeof out, "%.2f", v.doubles[i++ % kPool]));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(format_snprintf)->Name("numformat/snprintf_2f");

void unformat_picture(benchmark::State& state) {
  const Values& v = values();
  FMTCNTLBLOCK b = makeBlock(FMT_TYPE_PICTURE);
  b.lpszPicture = const_cast<char*>(kPicture);
  char out[128];
  b.lpszOutput = out;
  size_t i = 0;
  for (auto _ : state) {
    b.lpszInput = const_cast<char*>(v.pictureText[i++ % kPool].c_str());
    benchmark::DoNotOptimize(FMTUnformatNumberStr(&b));
  }
}
BENCHMARK(unformat_picture)->Name("numformat/unformat_picture");

void unformat_currency(benchmark::State& state) {
  const Values& v = values();
  FMTCNTLBLOCK b = makeBlock(FMT_TYPE_CURRENCY);
  size_t i = 0;
  for (auto _ : state) {
    b.lpszInput = const_cast<char*>(v.currencyText[i++ % kPool].c_str());
    benchmark::DoNotOptimize(FMTValidateNumber(&b));
  }
}
BENCHMARK(unformat_currency)->Name("numformat/unformat_currency");

void unformat_strtod(benchmark::State& state) {
  const Values& v = values();
  std::vector<std::string> plain;
  char text[64];
  for (double d : v.doubles) {
    std::snprintf(text, sizeof text, "%.2f", d);
    plain.emplace_back(text);
  }
  size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(std::strtod(plain[i++ % kPool].c_str(), nullptr));
}
BENCHMARK(unformat_strtod)->Name("numformat/strtod");

#ifdef KV_BENCH_ICU
// The C API of DecimalFormat, looked up by its versioned names in the ICU library.
#define KV_ICU_STR2(x) #x
#define KV_ICU_STR(x) KV_ICU_STR2(x)
struct Icu {
  decltype(&unum_open) open = nullptr;
  decltype(&unum_close) close = nullptr;
  decltype(&unum_formatDouble) formatDouble = nullptr;
  decltype(&unum_parseDouble) parseDouble = nullptr;
  UNumberFormat* format = nullptr;
  explicit operator bool() const { return format != nullptr; }
};

const Icu& icu() {
  static const Icu lib = [] {
    Icu l;
    void* so = dlopen("libicui18n.so", RTLD_NOW | RTLD_LOCAL);
    if (!so) return l;
    l.open = reinterpret_cast<decltype(&unum_open)>(dlsym(so, KV_ICU_STR(unum_open)));
    l.close = reinterpret_cast<decltype(&unum_close)>(dlsym(so, KV_ICU_STR(unum_close)));
    l.formatDouble = reinterpret_cast<decltype(&unum_formatDouble)>(dlsym(so, KV_ICU_STR(unum_formatDouble)));
    l.parseDouble = reinterpret_cast<decltype(&unum_parseDouble)>(dlsym(so, KV_ICU_STR(unum_parseDouble)));
    if (!l.open || !l.close || !l.formatDouble || !l.parseDouble) return l;
    UChar pattern[sizeof kPicture];
    for (size_t i = 0; i < sizeof kPicture; ++i) pattern[i] = static_cast<UChar>(kPicture[i]);
    UErrorCode status = U_ZERO_ERROR;
    l.format = l.open(UNUM_PATTERN_DECIMAL, pattern, -1, "en_US", nullptr, &status);
    if (U_FAILURE(status)) l.format = nullptr;
    return l;
  }();
  return lib;
}

void format_icu(benchmark::State& state) {
  const Icu& lib = icu();
  if (!lib) {
    state.SkipWithError("ICU not available");
    return;
  }
  const Values& v = values();
  UChar out[64];
  size_t i = 0;
  for (auto _ : state) {
    UErrorCode status = U_ZERO_ERROR;
    benchmark::DoNotOptimize(lib.formatDouble(lib.format, v.doubles[i++ % kPool], out, 64, nullptr, &status));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(format_icu)->Name("numformat/icu_decimal_format");

void unformat_icu(benchmark::State& state) {
  const Icu& lib = icu();
  if (!lib) {
    state.SkipWithError("ICU not available");
    return;
  }
  const Values& v = values();
  std::vector<std::u16string> texts;
  for (const auto& t : v.pictureText) texts.emplace_back(t.begin(), t.end());
  size_t i = 0;
  for (auto _ : state) {
    const std::u16string& t = texts[i++ % kPool];
    UErrorCode status = U_ZERO_ERROR;
    benchmark::DoNotOptimize(
        lib.parseDouble(lib.format, reinterpret_cast<const UChar*>(t.c_str()), static_cast<int32_t>(t.size()), nullptr,
                        &status));
  }
}
BENCHMARK(unformat_icu)->Name("numformat/icu_parse");
#endif

}  // namespace
