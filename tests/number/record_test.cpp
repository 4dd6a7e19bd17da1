// The NUMBER record byte for byte: creation, null and zero, and the two engines.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "number/digits.h"
#include "number_oracle.h"

using numtest::Bytes;
using numtest::bytes;
using numtest::cmp;
using numtest::Rational;
using numtest::record;
using numtest::sgn;

namespace {

// Packs digits and returns the record bytes (length first).
Bytes pack(const std::vector<int>& digits, bool negative, int e, bool pad = false) {
  std::vector<BYTE> d(digits.begin(), digits.end());
  BYTE out[25];
  std::memset(out, 0xEE, sizeof out);
  const int n = kv::NumPackDigits(out + 1, d.data(), static_cast<int>(d.size()), negative, e, pad);
  out[0] = static_cast<BYTE>(n);
  return Bytes(out, out + n + 1);
}

struct Unpacked {
  int negative;
  int exponent;
  std::vector<int> digits;
};

Unpacked unpack(const Bytes& b) {
  const tagNUMBER n = record(b);
  BYTE d[24];
  int count = n.bLength;
  int e = -1;
  const int neg = kv::NumUnpackDigits(d, &n.bExponent, &count, &e);
  return {neg, e, std::vector<int>(d, d + count)};
}

}  // namespace

TEST(NumberRecord, CreateSmallWritesTheNormalForm) {
  const struct {
    int value;
    Bytes bytes;
  } cases[] = {{0, {1, 0xC0}},      {7, {2, 0xC1, 7}},        {-7, {3, 0x3E, 93, 101}},
                {99, {2, 0xC1, 99}}, {-99, {3, 0x3E, 1, 101}}, {100, {2, 0xC1, 0}},
                {-100, {3, 0x3E, 100, 101}}};
  for (const auto& c : cases) {
    tagNUMBER n;
    std::memset(&n, 0xEE, sizeof n);
    NumCreateSmall(&n, c.value);
    EXPECT_EQ(bytes(n), c.bytes) << c.value;
    // Out of range reads as zero.
    EXPECT_EQ(NumIsZero(&n), c.value == 0 || c.value == 100 || c.value == -100) << c.value;
  }
}

TEST(NumberRecord, NullAndZero) {
  tagNUMBER n = record({3, 0x3E, 93, 101});
  EXPECT_EQ(NumIsNull(&n), 0);
  NumMakeNull(&n);
  EXPECT_EQ(NumIsNull(&n), 1);
  EXPECT_EQ(NumIsZero(&n), 0);
  NumNullToZero(&n);
  EXPECT_EQ(bytes(n), (Bytes{1, 0xC0}));
  NumNullToZero(&n);
  EXPECT_EQ(bytes(n), (Bytes{1, 0xC0}));
  EXPECT_EQ(NumIsZero(&n), 1);

  // Bit 6 alone: not null by the whole byte, but empty by the low six bits.
  tagNUMBER flagged = record({0x40, 0x12});
  EXPECT_EQ(NumIsNull(&flagged), 0);
  NumNullToZero(&flagged);
  EXPECT_EQ(bytes(flagged), (Bytes{1, 0xC0}));

  // All-zero digits are zero in either sign; an invalid length is not zero.
  const Bytes zeroes[] = {{3, 0xC5, 0, 0}, {3, 0x3A, 100, 101}};
  for (const Bytes& z : zeroes) {
    const tagNUMBER r = record(z);
    EXPECT_EQ(NumIsZero(&r), 1);
  }
  const tagNUMBER longer = record({25, 0xC1, 1}), five = record({2, 0xC1, 5});
  EXPECT_EQ(NumIsZero(&longer), 0);
  EXPECT_EQ(NumIsZero(&five), 0);
}

TEST(NumberRecord, NullDouble) {
  double d = 1.0;
  NumNullDouble(&d);
  uint64_t bits;
  std::memcpy(&bits, &d, sizeof bits);
  EXPECT_EQ(bits, 0x7FF8000000000000ull);
  EXPECT_EQ(NumIsNullDouble(d), 1);
  EXPECT_EQ(NumIsNullDouble(std::numeric_limits<double>::infinity()), 1);
  EXPECT_EQ(NumIsNullDouble(-std::numeric_limits<double>::infinity()), 1);
  EXPECT_EQ(NumIsNullDouble(-std::nan("")), 1);
  EXPECT_EQ(NumIsNullDouble(0.0), 0);
  EXPECT_EQ(NumIsNullDouble(std::numeric_limits<double>::max()), 0);
}

TEST(NumberEngines, PackRoundsClampsAndNormalises) {
  const std::vector<int> nines(24, 99);
  EXPECT_EQ(pack(nines, false, 65), (Bytes{2, 0xC2, 1}));
  EXPECT_EQ(pack(nines, true, 65), (Bytes{3, 127 - 66, 99, 101}));

  std::vector<int> d(24, 11);
  d[23] = 50;
  Bytes up = numtest::encode(false, 65, std::vector<int>(23, 11));
  up[24] = 12;
  EXPECT_EQ(pack(d, false, 65), up);
  d[23] = 49;
  EXPECT_EQ(pack(d, false, 65), numtest::encode(false, 65, std::vector<int>(23, 11)));
  // A carry that stops inside: 12 99 99 ... 99 | 50 -> 13.
  std::vector<int> c(24, 99);
  c[0] = 12;
  c[23] = 50;
  EXPECT_EQ(pack(c, false, 70), (Bytes{2, 70 + 128, 13}));

  EXPECT_EQ(pack({0, 0, 12}, false, 67), (Bytes{2, 0xC1, 12}));
  EXPECT_EQ(pack({0, 0, 12, 0, 0}, true, 67), (Bytes{3, 127 - 65, 88, 101}));
  EXPECT_EQ(pack({7}, false, 2), (Bytes{2, 4 + 128, 7}));
  EXPECT_EQ(pack({7}, true, 126), (Bytes{3, 127 - 124, 93, 101}));
  EXPECT_EQ(pack({0, 0}, true, 70), (Bytes{1, 0xC0}));

  // 23 negative digits become 22, rounded at the 23rd.
  std::vector<int> neg(23, 1);
  neg[22] = 60;
  std::vector<int> want(22, 1);
  want[21] = 2;
  EXPECT_EQ(pack(neg, true, 65), numtest::encode(true, 65, want));

  // Padded form: lengths to a multiple of 4, zero digits before the terminator.
  EXPECT_EQ(pack({5}, false, 65, true), (Bytes{4, 0xC1, 5, 0, 0}));
  EXPECT_EQ(pack({5}, true, 65, true), (Bytes{4, 0x3E, 95, 100, 101}));
  EXPECT_EQ(pack(std::vector<int>(23, 3), false, 65, true).size(), 25u);
  EXPECT_EQ(pack({}, false, 65, true), (Bytes{4, 0xC0, 0, 0, 0}));

  // Long digit arrays: the 24th significant digit decides, later ones are not looked at.
  std::vector<int> longer(30, 0);
  longer[2] = 7;
  longer[25] = 50;
  longer[26] = 99;
  std::vector<int> rounded(23, 0);
  rounded[0] = 7;
  rounded[22] = 1;
  EXPECT_EQ(pack(longer, false, 65), numtest::encode(false, 63, rounded));
}

TEST(NumberEngines, ReadsNoByteBeyondTheLength) {
  // Records kept in storage of exactly their size (ASan reports any read past it).
  const Bytes stored[] = {{1, 0xC0}, {2, 0xC1, 7}, {3, 0x3E, 93, 101},
                          numtest::encode(false, 70, std::vector<int>(23, 42)),
                          numtest::encode(true, 60, std::vector<int>(22, 17)),
                          numtest::encode(false, 66, {1, 2, 3, 4, 5, 6, 7, 8, 9}),
                          numtest::encode(true, 66, {1, 2, 3, 4, 5, 6, 7, 8}),
                          numtest::encode(false, 65, {9, 8, 7, 6, 5, 4}),
                          numtest::encode(true, 64, {9, 8, 7, 6, 5, 4, 3}),
                          numtest::encode(false, 63, {4, 5, 6, 7, 8})};
  for (const Bytes& a : stored) {
    for (const Bytes& b : stored) {
      const std::vector<BYTE> x(a.begin(), a.end()), y(b.begin(), b.end());
      const auto* px = reinterpret_cast<const tagNUMBER*>(x.data());
      const auto* py = reinterpret_cast<const tagNUMBER*>(y.data());
      const Rational vx = numtest::valueOfBytes(a), vy = numtest::valueOfBytes(b);
      tagNUMBER r;
      NumAddition(&r, px, py);
      EXPECT_EQ(bytes(r), numtest::expected(vx + vy));
      NumMultiply(&r, px, py);
      EXPECT_EQ(bytes(r), numtest::expected(vx * vy));
      NumDivide(&r, px, py);
      EXPECT_EQ(bytes(r), numtest::quotient(vx, vy));
      EXPECT_EQ(NumCompare(px, py), cmp(vx, vy) < 0 ? -1 : cmp(vx, vy) > 0);
      NumRound(&r, px, 3);
      EXPECT_EQ(NumIsZero(px), sgn(vx) == 0);
    }
  }
}

TEST(NumberEngines, UnpackReadsEveryForm) {
  const struct {
    Bytes bytes;
    int negative;
    int exponent;
    std::vector<int> digits;
  } cases[] = {
      {{3, 0x3E, 93, 101}, 1, 65, {7}},
      {{4, 0x3E, 95, 100, 101}, 1, 65, {5}},  // padded negative
      {{4, 0xC1, 5, 0, 0}, 0, 65, {5}},       // padded positive
      {{1, 0xC0}, 0, 0xC0, {}},               // zero
      {{0}, 0, 0xC0, {}},                     // null
      {{25, 0xC1, 1}, 0, 0xC0, {}},           // invalid length
      {{2, 0x3E, 101}, 1, 65, {}},            // negative without digits
      {{4, 0xC3, 0, 12, 5}, 0, 66, {12, 5}},  // leading zero digit
      {{3, 0xC1, 150, 0}, 0, 65, {99}},       // byte beyond a digit
      {{4, 0x3E, 0, 120, 101}, 1, 65, {99}},  // bytes beyond the negative encoding
  };
  for (const auto& c : cases) {
    const Unpacked u = unpack(c.bytes);
    EXPECT_EQ(u.negative, c.negative) << ::testing::PrintToString(c.bytes);
    EXPECT_EQ(u.exponent, c.exponent) << ::testing::PrintToString(c.bytes);
    EXPECT_EQ(u.digits, c.digits) << ::testing::PrintToString(c.bytes);
  }
}

TEST(NumberEngines, WordHelpersAgreeWithDigitArithmetic) {
  // Limbs below 10^8 to eight digits and back, at the edges of every four-digit half.
  const uint64_t limbs[] = {0, 1, 99, 100, 9999, 10000, 10001, 999999, 1000000, 12345678, 99990000, 99999999};
  for (uint64_t hi : limbs) {
    for (uint64_t lo : limbs) {
      const uint64_t word = kv::numLimbsToWord(hi, lo);
      uint64_t expected = 0;
      for (uint64_t v : {hi / 1000000, hi / 10000 % 100, hi / 100 % 100, hi % 100, lo / 1000000, lo / 10000 % 100,
                         lo / 100 % 100, lo % 100})
        expected = expected << 8 | v;
      ASSERT_EQ(word, expected) << hi << " " << lo;
      uint64_t back[2];
      kv::numWordToLimbs(word, back);
      ASSERT_EQ(back[0], hi);
      ASSERT_EQ(back[1], lo);
    }
  }
  // A byte of 100 or more is seen wherever it is and whatever its neighbours hold.
  for (int position = 0; position < 8; ++position) {
    for (int value = 0; value < 256; ++value) {
      for (uint64_t others : {0ull, 0x6363636363636363ull, 0xFFFFFFFFFFFFFFFFull, 0x0064006400640064ull}) {
        const uint64_t mask = 0xFFull << (8 * position);
        const uint64_t w = (others & ~mask) | static_cast<uint64_t>(value) << (8 * position);
        bool any = false;
        for (int i = 0; i < 8; ++i) any = any || ((w >> (8 * i)) & 0xFF) >= 100;
        ASSERT_EQ(kv::numBytesAbove99(w) != 0, any) << std::hex << w;
      }
    }
  }
}
