// NUMBER text conversions beside the C library's double conversions (strtod, "%.17g")
// and std::decimal::decimal128. libstdc++'s decimal128 has no string conversion: its
// reader and writer here go through 17-digit halves of the coefficient and its own
// arithmetic, for values of a known number of decimal places.
//
// Typical values: amounts of up to 12 significant digits with two decimals. Full
// precision: 46 digits for NUMBER (23 base-100 digits), 17 for double, 34 for decimal128.
//
// Run (Release build):
//   cmake -S . -B build-rel -G Ninja -DCMAKE_BUILD_TYPE=Release
//   cmake --build build-rel --target korvane-bench && build-rel/bench/korvane-bench --benchmark_filter=text/
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <decimal/decimal>
#include <random>
#include <string>
#include <vector>

#include <korvane/number.h>

namespace {

using std::decimal::decimal128;

constexpr size_t kPool = 256;
constexpr unsigned kWidth = 108;

struct Values {
  std::vector<std::string> numberText, doubleText, decimalText;
  std::vector<tagNUMBER> numbers;
  std::vector<double> doubles;
  std::vector<decimal128> decimals;
  int decimalPlaces;  // of the decimal128 values
};

std::string digits(std::mt19937_64& rng, int n) {
  std::string s(1, static_cast<char>('1' + rng() % 9));
  while (static_cast<int>(s.size()) < n) s += static_cast<char>('0' + rng() % 10);
  return s;
}

// "[-]int.frac" from a digit string with `places` decimals.
std::string withPoint(bool negative, const std::string& d, int places) {
  const int n = static_cast<int>(d.size());
  const int zeros = n <= places ? places + 1 - n : 0;  // "0.00ddd"
  std::string s;
  if (negative) s.push_back('-');
  for (int i = 0; i < zeros + n; ++i) {
    if (i == zeros + n - places) s.push_back('.');
    s.push_back(i < zeros ? '0' : d[static_cast<size_t>(i - zeros)]);
  }
  return s;
}

// decimal128 from "[-]int.frac" text of at most 34 digits.
decimal128 parseDecimal(const char* p) {
  const bool negative = *p == '-';
  if (negative) ++p;
  unsigned long long hi = 0, lo = 0;
  int n = 0, places = 0;
  bool point = false;
  for (; *p; ++p) {
    if (*p == '.') {
      point = true;
      continue;
    }
    if (n < 17) hi = hi * 10 + static_cast<unsigned>(*p - '0');
    else lo = lo * 10 + static_cast<unsigned>(*p - '0');
    ++n;
    places += point;
  }
  const int loDigits = n > 17 ? n - 17 : 0;
  decimal128 v = std::decimal::make_decimal128(static_cast<long long>(hi), loDigits - places);
  if (loDigits) v += std::decimal::make_decimal128(static_cast<long long>(lo), -places);
  return negative ? -v : v;
}

// Text of a decimal128 with `places` decimals and at most 34 digits.
std::string formatDecimal(decimal128 x, int places) {
  const bool negative = x < decimal128(0);
  if (negative) x = -x;
  const decimal128 scaled = x * std::decimal::make_decimal128(1ll, places);
  const decimal128 split = std::decimal::make_decimal128(1ll, 17);
  const long long hi = std::decimal::decimal128_to_long_long(scaled / split);
  const long long lo = std::decimal::decimal128_to_long_long(scaled - decimal128(hi) * split);
  char buffer[48];
  if (hi) std::snprintf(buffer, sizeof buffer, "%lld%017lld", hi, lo);
  else std::snprintf(buffer, sizeof buffer, "%lld", lo);
  return withPoint(negative, buffer, places);
}

Values make(bool full) {
  std::mt19937_64 rng(full ? 46 : 12);
  Values v;
  v.decimalPlaces = full ? 20 : 2;
  for (size_t i = 0; i < kPool; ++i) {
    const bool negative = rng() % 4 == 0;
    const int n = full ? 46 : 1 + static_cast<int>(rng() % 12);
    const std::string numberText = withPoint(negative, digits(rng, n), full ? 30 : 2);
    tagNUMBER r{};
    NumAsciiToNumber(&r, numberText.c_str());
    char shown[kWidth + 2];
    NumToAscii(&r, shown, kWidth);
    v.numberText.push_back(shown);
    v.numbers.push_back(r);
    const double d = std::strtod(shown, nullptr);
    char printed[40];
    std::snprintf(printed, sizeof printed, "%.17g", d);
    v.doubleText.push_back(full ? printed : shown);
    v.doubles.push_back(d);
    const std::string decimalText = full ? withPoint(negative, digits(rng, 34), 20) : shown;
    v.decimalText.push_back(decimalText);
    v.decimals.push_back(parseDecimal(decimalText.c_str()));
  }
  return v;
}

const Values& values(bool full) {
  static const Values typical = make(false);
  static const Values precise = make(true);
  return full ? precise : typical;
}

template <class Op>
void loop(benchmark::State& state, Op op) {
  size_t i = 0;
  for (auto _ : state) {
    op(i);
    i = (i + 1) % kPool;
  }
}

void registerAll() {
  for (const bool full : {false, true}) {
    const std::string kind = full ? "/full" : "/typical";
    const Values* v = &values(full);
    benchmark::RegisterBenchmark(("text/parse" + kind + "/NUMBER").c_str(), [v](benchmark::State& s) {
      tagNUMBER r;
      loop(s, [&](size_t i) {
        benchmark::DoNotOptimize(NumAsciiToNumber(&r, v->numberText[i].c_str()));
        benchmark::ClobberMemory();
      });
    });
    benchmark::RegisterBenchmark(("text/parse" + kind + "/strtod").c_str(), [v](benchmark::State& s) {
      loop(s, [&](size_t i) { benchmark::DoNotOptimize(std::strtod(v->doubleText[i].c_str(), nullptr)); });
    });
    benchmark::RegisterBenchmark(("text/parse" + kind + "/decimal128").c_str(), [v](benchmark::State& s) {
      loop(s, [&](size_t i) {
        decimal128 d = parseDecimal(v->decimalText[i].c_str());
        benchmark::DoNotOptimize(d);
      });
    });
    benchmark::RegisterBenchmark(("text/format" + kind + "/NUMBER").c_str(), [v](benchmark::State& s) {
      char text[kWidth + 2];
      loop(s, [&](size_t i) {
        benchmark::DoNotOptimize(NumToAscii(&v->numbers[i], text, kWidth));
        benchmark::ClobberMemory();
      });
    });
    benchmark::RegisterBenchmark(("text/format" + kind + "/snprintf").c_str(), [v](benchmark::State& s) {
      char text[40];
      loop(s, [&](size_t i) {
        benchmark::DoNotOptimize(std::snprintf(text, sizeof text, "%.17g", v->doubles[i]));
        benchmark::ClobberMemory();
      });
    });
    benchmark::RegisterBenchmark(("text/format" + kind + "/decimal128").c_str(), [v](benchmark::State& s) {
      loop(s, [&](size_t i) {
        std::string t = formatDecimal(v->decimals[i], v->decimalPlaces);
        benchmark::DoNotOptimize(t);
      });
    });
  }
}

const int kRegistered = (registerAll(), 0);

}  // namespace
