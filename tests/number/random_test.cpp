// Thousands of random operations of every kind against exact rationals: the reference
// applies the library's windows, truncations and roundings to the exact value.
#include <gtest/gtest.h>

#include <random>

#include "number_oracle.h"

using numtest::Bytes;
using numtest::bytes;
using numtest::cmp;
using numtest::expected;
using numtest::floorOf;
using numtest::pow100;
using numtest::pow10;
using numtest::Rational;
using numtest::record;
using numtest::sgn;

namespace {

constexpr int kRounds = 6000;

struct Operand {
  bool null = false;
  int e = 64;
  std::vector<int> digits;
  Rational v;
  tagNUMBER rec{};
};

class Generator {
 public:
  explicit Generator(uint64_t seed) : rng_(seed) {}

  int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

  Operand operand() {
    Operand o;
    const int kind = pick(0, 99);
    if (kind < 3) {
      o.null = true;
      o.rec = record({0});
      return o;
    }
    if (kind < 6) {
      o.rec = record({1, 0xC0});
      return o;
    }
    const bool negative = pick(0, 1) == 1;
    const int limit = negative ? 22 : 23;
    // Money amounts, full precision, or anything between.
    const int shape = pick(0, 2);
    const int count = shape == 0   ? pick(1, 7)
                      : shape == 1 ? pick(limit - 1, limit)
                                   : pick(1, limit);
    const bool edgy = pick(0, 4) == 0;  // digits that carry and borrow
    static const int kEdgy[] = {0, 99, 50, 49, 1, 98};
    for (int i = 0; i < count; ++i) o.digits.push_back(edgy ? kEdgy[pick(0, 5)] : pick(0, 99));
    if (o.digits.front() == 0) o.digits.front() = 1 + pick(0, 98);
    if (o.digits.back() == 0) o.digits.back() = 1 + pick(0, 98);
    const int range = pick(0, 9);
    o.e = range < 6   ? pick(60, 70)
          : range < 9 ? pick(40, 90)
                      : (pick(0, 1) ? pick(4, 14) : pick(114, 124));
    o.v = numtest::value(negative, o.e, o.digits);
    o.rec = record(numtest::encode(negative, o.e, o.digits));
    return o;
  }

 private:
  std::mt19937_64 rng_;
};

// a + b (or a - b) with the smaller magnitude cut to the window under the larger one.
Rational windowedSum(const Operand& a, const Operand& b, bool subtract) {
  Rational va = a.v;
  Rational vb = subtract ? Rational(-b.v) : b.v;
  if (sgn(a.v) == 0 || sgn(b.v) == 0) return va + vb;
  const bool swapped = abs(b.v) > abs(a.v);
  const Operand& big = swapped ? b : a;
  Rational& small = swapped ? va : vb;
  const bool subtractMagnitudes = (sgn(va) < 0) != (sgn(vb) < 0);
  const Rational unit = pow100(big.e - 64 - (subtractMagnitudes ? 24 : 23));
  const Rational cut = Rational(floorOf(abs(small) / unit)) * unit;
  small = sgn(small) < 0 ? Rational(-cut) : cut;
  return va + vb;
}

Rational rounded(const Rational& x, int places) {
  const Rational unit = pow10(-places);
  const Rational r = Rational(floorOf(abs(x) / unit + Rational(1, 2))) * unit;
  return sgn(x) < 0 ? Rational(-r) : r;
}

Rational truncated(const Rational& x, int precision, int scale) {
  const Rational modulus = pow10(precision - scale);
  Rational y = abs(x);
  y -= Rational(floorOf(y / modulus)) * modulus;
  const Rational unit = pow10(-scale);
  y = Rational(floorOf(y / unit)) * unit;
  return sgn(x) < 0 ? Rational(-y) : y;
}

using BinaryOp = unsigned(KV_CALL*)(NUMBER*, const NUMBER*, const NUMBER*);

// Runs op into a fresh record or, at random, into the first operand's own record.
Bytes run(BinaryOp op, const Operand& a, const Operand& b, bool alias) {
  tagNUMBER r = a.rec;
  const unsigned n = alias ? op(&r, &r, &b.rec) : op(&r, &a.rec, &b.rec);
  EXPECT_EQ(n, r.bLength);
  return bytes(r);
}

std::string show(const Operand& o) { return o.null ? "null" : o.v.str(); }

}  // namespace

TEST(NumberRandom, ArithmeticMatchesExactReference) {
  Generator g(0x4B6F7276616E65ull);
  for (int i = 0; i < kRounds; ++i) {
    const Operand a = g.operand();
    const Operand b = g.operand();
    const bool alias = g.pick(0, 1) == 1;
    ASSERT_EQ(run(NumAddition, a, b, alias), expected(windowedSum(a, b, false)))
        << show(a) << " + " << show(b);
    ASSERT_EQ(run(NumSubtract, a, b, alias), expected(windowedSum(a, b, true)))
        << show(a) << " - " << show(b);
    ASSERT_EQ(run(NumMultiply, a, b, alias), expected(a.v * b.v)) << show(a) << " * " << show(b);
    ASSERT_EQ(run(NumDivide, a, b, alias), numtest::quotient(a.v, b.v))
        << show(a) << " / " << show(b);

    const int want = a.null              ? (b.null ? 0 : -1)
                     : b.null            ? 1
                     : cmp(a.v, b.v) < 0 ? -1
                                         : cmp(a.v, b.v) > 0;
    ASSERT_EQ(NumCompare(&a.rec, &b.rec), want) << show(a) << " <=> " << show(b);
  }
}

TEST(NumberRandom, RoundingScalingMatchesExactReference) {
  Generator g(0x6E756D626572ull);
  for (int i = 0; i < kRounds; ++i) {
    const Operand a = g.operand();
    tagNUMBER r = a.rec;

    const int places = g.pick(-60, 60);
    const int len = NumRound(&r, &a.rec, places);
    ASSERT_EQ(len, r.bLength);
    ASSERT_EQ(bytes(r), expected(rounded(a.v, places))) << show(a) << " at " << places;

    const int precision = g.pick(0, 50);
    const int scale = g.pick(0, 50);
    r = a.rec;
    ASSERT_EQ(NumTruncate(&r, static_cast<unsigned>(precision), static_cast<unsigned>(scale)),
              a.null ? 0u : 1u);
    ASSERT_EQ(bytes(r), a.null ? Bytes{0} : expected(truncated(a.v, precision, scale)))
        << show(a) << " to " << precision << "," << scale;

    r = a.rec;
    const unsigned negated = NumNegate(&r);
    ASSERT_EQ(negated, a.null ? 0u : r.bLength);
    ASSERT_EQ(bytes(r), a.null ? Bytes{0} : expected(-a.v)) << "-" << show(a);

    const int power = g.pick(-64, 64);
    const bool inRange = power >= -60 && power <= 60;
    r = a.rec;
    const unsigned scaled = NumPower10(&r, &r, power);
    ASSERT_EQ(scaled, inRange ? r.bLength : 0u);
    ASSERT_EQ(bytes(r), inRange ? expected(a.v * pow10(power)) : Bytes{0})
        << show(a) << " e" << power;
  }
}

// Operands of up to eight digits take short paths; the same values with trailing zero
// digits (twelve or more digits) take the general ones. Both must give the same bytes.
TEST(NumberRandom, ShortOperandsMatchTheirLongForms) {
  Generator g(0x73686F7274ull);
  static const int kEdgy[] = {0, 99, 50, 49, 1, 98};
  const auto make = [&](bool negative, int e, bool edgy) {
    std::vector<int> digits(static_cast<size_t>(g.pick(1, 8)));
    for (int& d : digits) d = edgy ? kEdgy[g.pick(0, 5)] : g.pick(0, 99);
    if (digits.front() == 0) digits.front() = edgy ? 99 : 1 + g.pick(0, 98);
    std::vector<int> padded = digits;
    padded.resize(digits.size() + static_cast<size_t>(g.pick(4, 10)), 0);
    return std::pair{record(numtest::encode(negative, e, digits)), record(numtest::encode(negative, e, padded))};
  };
  using Op = unsigned(KV_CALL*)(NUMBER*, const NUMBER*, const NUMBER*);
  const Op ops[] = {NumAddition, NumSubtract, NumMultiply, NumDivide};
  for (int i = 0; i < kRounds; ++i) {
    const int e = g.pick(55, 75);
    const bool edgy = g.pick(0, 2) == 0;
    const auto [a, longA] = make(g.pick(0, 1) == 1, e, edgy);
    const auto [b, longB] = make(g.pick(0, 1) == 1, e + g.pick(-9, 9), edgy);
    for (Op op : ops) {
      tagNUMBER shortResult;
      tagNUMBER longResult;
      std::memset(&shortResult, 0, sizeof shortResult);
      std::memset(&longResult, 0, sizeof longResult);
      ASSERT_EQ(op(&shortResult, &a, &b), op(&longResult, &longA, &longB));
      ASSERT_EQ(bytes(shortResult), bytes(longResult)) << i;
    }
    ASSERT_EQ(NumCompare(&a, &b), NumCompare(&longA, &longB)) << i;
    ASSERT_EQ(NumCompare(&a, &longA), 0);
  }

  // Short records out of normal form or with bytes out of range compute as the values they
  // read as, against short and long operands alike.
  const std::pair<Bytes, Bytes> odd[] = {
      {{3, 0xC1, 150, 0}, {2, 0xC1, 99}},           // a byte beyond a digit
      {{4, 0x3E, 0, 120, 101}, {3, 0x3E, 1, 101}},  // bytes beyond the negative encoding
      {{4, 0xC3, 0, 12, 5}, {3, 0xC2, 12, 5}},      // a leading zero digit
      {{4, 0x3C, 100, 88, 101}, {3, 0x3D, 88, 101}},
  };
  for (int i = 0; i < 200; ++i) {
    const auto [shortB, longB] = make(g.pick(0, 1) == 1, g.pick(60, 70), false);
    for (const auto& [badBytes, goodBytes] : odd) {
      const tagNUMBER bad = record(badBytes);
      const tagNUMBER good = record(goodBytes);
      for (const tagNUMBER* other : {&shortB, &longB}) {
        for (Op op : ops) {
          tagNUMBER fromBad;
          tagNUMBER fromGood;
          op(&fromBad, &bad, other);
          op(&fromGood, &good, other);
          ASSERT_EQ(bytes(fromBad), bytes(fromGood)) << ::testing::PrintToString(badBytes);
          op(&fromBad, other, &bad);
          op(&fromGood, other, &good);
          ASSERT_EQ(bytes(fromBad), bytes(fromGood)) << ::testing::PrintToString(badBytes);
        }
        ASSERT_EQ(NumCompare(&bad, other), NumCompare(&good, other));
        ASSERT_EQ(NumCompare(other, &bad), NumCompare(other, &good));
      }
      ASSERT_EQ(NumCompare(&bad, &good), 0);
    }
  }
}
