// NUMBER arithmetic against libstdc++'s std::decimal::decimal128 (IEEE 754 decimal, 34
// digits), operation by operation, on money amounts (at most 12 significant digits) and on
// full-precision operands (45-46 digits for NUMBER, 34 for decimal128).
//
// Run (Release build), from the source tree:
//   cmake -S . -B build/rel -G Ninja -DCMAKE_BUILD_TYPE=Release
//   cmake --build build/rel --target korvane-bench
//   build/rel/bench/korvane-bench --benchmark_filter=arith/
#include <benchmark/benchmark.h>

#include <decimal/decimal>
#include <random>
#include <string>
#include <vector>

#include "number/digits.h"

namespace {

using std::decimal::decimal128;

constexpr size_t kPool = 256;  // operand pairs cycled through, so no branch settles on one

struct Operands {
  std::vector<tagNUMBER> a, b;
  std::vector<decimal128> da, db;
};

tagNUMBER fromDigits(const std::vector<BYTE>& digits, bool negative, int exponent) {
  tagNUMBER n{};
  BYTE* b = reinterpret_cast<BYTE*>(&n);
  b[0] = static_cast<BYTE>(kv::NumPackDigits(b + 1, digits.data(), static_cast<int>(digits.size()),
                                             negative, exponent, 0));
  return n;
}

// Base-100 digits of an integer, most significant first.
std::vector<BYTE> base100(unsigned long long v) {
  std::vector<BYTE> d;
  for (; v; v /= 100) d.insert(d.begin(), static_cast<BYTE>(v % 100));
  return d;
}

// Amounts with two decimals, up to 12 significant digits, either sign.
Operands typical() {
  std::mt19937_64 rng(12);
  Operands o;
  for (size_t i = 0; i < 2 * kPool; ++i) {
    const unsigned long long cents = 1 + rng() % 999999999999ull;
    const bool negative = rng() % 4 == 0;
    std::vector<BYTE> d = base100(cents);
    const int exponent =
        64 + static_cast<int>(d.size()) - 1;  // two decimals: one digit after the point
    const tagNUMBER n = fromDigits(d, negative, exponent);
    const decimal128 x = std::decimal::make_decimal128(
        negative ? -static_cast<long long>(cents) : static_cast<long long>(cents), -2);
    (i % 2 ? o.b : o.a).push_back(n);
    (i % 2 ? o.db : o.da).push_back(x);
  }
  return o;
}

// 23 base-100 digits (45-46 significant) for NUMBER, 34 digits for decimal128, of
// magnitudes around 10^10 to 10^14.
Operands full() {
  std::mt19937_64 rng(46);
  Operands o;
  for (size_t i = 0; i < 2 * kPool; ++i) {
    std::vector<BYTE> d(23);
    for (BYTE& x : d) x = static_cast<BYTE>(rng() % 100);
    d[0] = static_cast<BYTE>(1 + rng() % 99);
    d[22] = static_cast<BYTE>(1 + rng() % 99);
    const int shift = static_cast<int>(rng() % 3);
    const tagNUMBER n = fromDigits(d, false, 70 + shift);
    const long long hi = 10000000000000000ll + static_cast<long long>(rng() % 89999999999999999ull);
    const long long lo = static_cast<long long>(rng() % 100000000000000000ull);
    const decimal128 x = std::decimal::make_decimal128(hi, 2 * shift - 5) +
                         std::decimal::make_decimal128(lo, 2 * shift - 22);
    (i % 2 ? o.b : o.a).push_back(n);
    (i % 2 ? o.db : o.da).push_back(x);
  }
  return o;
}

const Operands& pool(bool isFull) {
  static const Operands t = typical();
  static const Operands f = full();
  return isFull ? f : t;
}

template <class Op>
void runNumber(benchmark::State& state, bool isFull, Op op) {
  const Operands& o = pool(isFull);
  tagNUMBER r{};
  size_t i = 0;
  // The library's functions are out of the compiler's sight, so nothing here needs a
  // memory barrier; the decimal128 loop has none either.
  for (auto _ : state) {
    benchmark::DoNotOptimize(op(&r, &o.a[i], &o.b[i]));
    i = (i + 1) % kPool;
  }
  benchmark::DoNotOptimize(r);
}

template <class Op>
void runDecimal(benchmark::State& state, bool isFull, Op op) {
  const Operands& o = pool(isFull);
  size_t i = 0;
  for (auto _ : state) {
    auto r = op(o.da[i], o.db[i]);
    benchmark::DoNotOptimize(r);
    i = (i + 1) % kPool;
  }
}

// decimal128 has no rounding function; adding and taking away 10^31 rounds to two decimal
// places (half even) for the magnitudes used here.
const decimal128 kRoundScale = std::decimal::make_decimal128(1ll, 31);

template <class NumberOp, class DecimalOp>
void registerPair(const char* name, NumberOp number, DecimalOp decimal) {
  for (const bool isFull : {false, true}) {
    const std::string base = std::string("arith/") + name + (isFull ? "/full" : "/typical");
    benchmark::RegisterBenchmark((base + "/NUMBER").c_str(),
                                 [=](benchmark::State& s) { runNumber(s, isFull, number); });
    benchmark::RegisterBenchmark((base + "/decimal128").c_str(),
                                 [=](benchmark::State& s) { runDecimal(s, isFull, decimal); });
  }
}

void registerAll() {
  registerPair(
      "add", [](NUMBER* r, const NUMBER* a, const NUMBER* b) { return NumAddition(r, a, b); },
      [](decimal128 a, decimal128 b) { return a + b; });
  registerPair(
      "subtract", [](NUMBER* r, const NUMBER* a, const NUMBER* b) { return NumSubtract(r, a, b); },
      [](decimal128 a, decimal128 b) { return a - b; });
  registerPair(
      "multiply", [](NUMBER* r, const NUMBER* a, const NUMBER* b) { return NumMultiply(r, a, b); },
      [](decimal128 a, decimal128 b) { return a * b; });
  registerPair(
      "divide", [](NUMBER* r, const NUMBER* a, const NUMBER* b) { return NumDivide(r, a, b); },
      [](decimal128 a, decimal128 b) { return a / b; });
  registerPair(
      "compare", [](NUMBER*, const NUMBER* a, const NUMBER* b) { return NumCompare(a, b); },
      [](decimal128 a, decimal128 b) { return a < b; });
  registerPair(
      "round", [](NUMBER* r, const NUMBER* a, const NUMBER*) { return NumRound(r, a, 2); },
      [](decimal128 a, decimal128) {
        const decimal128 s = a < decimal128(0) ? -kRoundScale : kRoundScale;
        return (a + s) - s;
      });
}

const int kRegistered = (registerAll(), 0);

}  // namespace
