// The arithmetic at its edges: windows, carries, digit limits, clamps, null, aliasing.
#include <gtest/gtest.h>

#include <memory>

#include "number_oracle.h"

using numtest::Bytes;
using numtest::bytes;
using numtest::dec;
using numtest::encode;
using numtest::expected;
using numtest::num;
using numtest::Rational;
using numtest::record;

namespace {

using BinaryOp = unsigned(KV_CALL*)(NUMBER*, const NUMBER*, const NUMBER*);

Bytes apply(BinaryOp op, const tagNUMBER& a, const tagNUMBER& b) {
  tagNUMBER r;
  std::memset(&r, 0xEE, sizeof r);
  EXPECT_EQ(op(&r, &a, &b), r.bLength);
  return bytes(r);
}

Bytes ex(const char* text) { return expected(dec(text)); }

const tagNUMBER kNull = record({0});
const Bytes kZero{1, 0xC0};

}  // namespace

TEST(NumberArithmetic, AddSubtractWindowsAndSigns) {
  const Rational e42 = dec("1e42"), e44 = dec("1e44");
  const struct {
    BinaryOp op;
    Rational a, b, want;
  } cases[] = {
      {NumAddition, 1, dec("1e-60"), 1}, {NumSubtract, dec("0.5"), dec("0.5"), 0},
      {NumAddition, -3, 3, 0}, {NumAddition, 99, 1, 100}, {NumSubtract, 100, 1, 99},
      {NumSubtract, -1, -3, 2}, {NumAddition, -1, dec("0.25"), dec("-0.75")},
      {NumAddition, e44 - dec("0.01"), dec("0.01"), e44},
      // The smaller operand keeps its digits up to 23 places from the larger one's first
      // digit in a sum, 24 in a difference; later ones are dropped unrounded.
      {NumAddition, e42, dec("0.5"), e42 + dec("0.5")}, {NumAddition, e44, dec("0.5"), e44},
      {NumSubtract, 1, dec("1e-46"), 1 - dec("1e-46")}, {NumSubtract, 1, dec("1e-48"), 1},
      // A negative result keeps 22 digits, rounded half up.
      {NumSubtract, -e42, dec("0.01"), -e42}, {NumSubtract, -e42, dec("0.5"), -e42 - 1}};
  for (const auto& c : cases) {
    EXPECT_EQ(apply(c.op, record(expected(c.a)), record(expected(c.b))), expected(c.want))
        << c.a << (c.op == NumAddition ? " + " : " - ") << c.b;
  }
  EXPECT_EQ(apply(NumSubtract, kNull, num("5")), ex("-5"));
  EXPECT_EQ(apply(NumAddition, kNull, kNull), kZero);
}

TEST(NumberArithmetic, MultiplyDivideEdges) {
  EXPECT_EQ(apply(NumMultiply, num("5"), kNull), kZero);
  EXPECT_EQ(apply(NumMultiply, num("-5"), num("0")), kZero);
  EXPECT_EQ(apply(NumDivide, num("5"), num("0")), (Bytes{2, 124 + 128, 1}));
  EXPECT_EQ(apply(NumDivide, num("-5"), kNull), (Bytes{3, 127 - 124, 99, 101}));
  EXPECT_EQ(apply(NumDivide, kNull, num("0")), kZero);
  EXPECT_EQ(apply(NumDivide, num("1"), num("3")), encode(false, 64, std::vector<int>(23, 33)));
  EXPECT_EQ(apply(NumDivide, num("-1"), num("3")), encode(true, 64, std::vector<int>(22, 33)));
  // 2/3: 24 quotient digits with the zero in front, so the 23rd stays unrounded.
  EXPECT_EQ(apply(NumDivide, num("2"), num("3")), encode(false, 64, std::vector<int>(23, 66)));
  std::vector<int> neg(22, 66);
  neg[21] = 67;
  EXPECT_EQ(apply(NumDivide, num("2"), num("-3")), encode(true, 64, neg));
  // Divisors with long runs of 9s and 0s, on which quotient estimates come out wrong.
  const char* const hard[][2] = {
      {"0.51", "0.500000000000000036653465"},
      {"0.083361", "0.5000000000000000000000009999999903257185"},
      {"0.2390950000000000000000000000006781009304999999",
       "0.50000000000000006022381640999999511046395"},
      {"0.749130999999999999999998164737", "0.99999999999999999999999972999999"}};
  for (const auto& c : hard) {
    EXPECT_EQ(apply(NumDivide, num(c[0]), num(c[1])), numtest::quotient(dec(c[0]), dec(c[1])));
  }

  // A product of 23 digits keeps all of them, and the stored length says so.
  const Rational a = dec("1111111111111111111111"), b = dec("1e24") + 1;
  const Bytes p = apply(NumMultiply, record(expected(a)), record(expected(b)));
  EXPECT_EQ(p, expected(a * b));
  EXPECT_EQ(p[0], 24);

  // Exponent clamps at 4 and 124 keep the digits.
  EXPECT_EQ(apply(NumMultiply, num("1e100"), num("3e100")), (Bytes{2, 124 + 128, 3}));
  EXPECT_EQ(apply(NumMultiply, num("-1e-100"), num("7e-100")), (Bytes{3, 127 - 4, 93, 101}));
  EXPECT_EQ(apply(NumDivide, num("1e-100"), num("1e100")), (Bytes{2, 4 + 128, 1}));
}

TEST(NumberArithmetic, CompareOrdersNullFirst) {
  const tagNUMBER longer = record({25, 0xC1, 1});
  const struct {
    tagNUMBER a, b;
    int want;
  } cases[] = {{kNull, num("0"), -1},        {num("0"), kNull, 1},
               {kNull, kNull, 0},            {num("-1"), num("-2"), 1},
               {num("1.5"), record({4, 0xC1, 1, 50, 0}), 0},
               {num("0"), num("-1"), 1},     {num("0"), num("1e-100"), -1},
               {num("2"), num("-3"), 1},     {num("100"), num("99.99"), 1},
               {num("-1.01"), num("-1.1"), 1}, {record({3, 0x3E, 101}), num("0"), 0},
               {longer, num("5"), 0},        {num("5"), longer, 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(NumCompare(&c.a, &c.b), c.want)
        << ::testing::PrintToString(bytes(c.a)) << " vs " << ::testing::PrintToString(bytes(c.b));
  }
}

TEST(NumberArithmetic, LengthBit7ReadsFourBits) {
  // 0x93: the arithmetic and NumCompare read 3 bytes, the others 19.
  Bytes b{0x93, 0xC1, 12, 34};
  b.resize(20, 56);
  const tagNUMBER flagged = record(b), v = num("12.34");
  EXPECT_EQ(apply(NumMultiply, flagged, num("2")), ex("24.68"));
  EXPECT_EQ(NumCompare(&flagged, &v), 0);
  tagNUMBER r;
  EXPECT_EQ(NumRound(&r, &flagged, 40), 19);
  EXPECT_EQ(r.abMantissa[17], 56);
}

TEST(NumberArithmetic, RoundTruncatePower) {
  const struct {
    const char* in;
    int places;
    const char* want;
  } rounds[] = {{"2.5", 0, "3"},    {"-2.5", 0, "-3"},  {"0.4", 0, "0"},  {"1234", -2, "1200"},
                {"9.96", 1, "10"},  {"99.96", 1, "100"}, {"0.05", 1, "0.1"}, {"5", -1, "10"},
                {"5", -2, "0"},     {"1.23456", 40, "1.23456"}};
  tagNUMBER r;
  for (const auto& c : rounds) {
    const tagNUMBER n = num(c.in);
    EXPECT_EQ(NumRound(&r, &n, c.places), r.bLength);
    EXPECT_EQ(bytes(r), ex(c.want)) << c.in << " at " << c.places;
  }
  EXPECT_EQ(NumRound(&r, &kNull, 2), 1);
  EXPECT_EQ(bytes(r), kZero);

  const struct {
    const char* in;
    unsigned precision, scale;
    const char* want;
  } truncs[] = {{"1234.567", 5, 2, "234.56"}, {"-1.99", 3, 0, "-1"}, {"1234.567", 2, 2, "0.56"},
                {"0.0123", 4, 3, "0.012"},     {"123", 2, 5, "0"},    {"123.456", 5, 3, "23.456"}};
  for (const auto& c : truncs) {
    tagNUMBER n = num(c.in);
    EXPECT_EQ(NumTruncate(&n, c.precision, c.scale), 1u);
    EXPECT_EQ(bytes(n), ex(c.want)) << c.in << " " << c.precision << "," << c.scale;
  }
  tagNUMBER null = kNull;
  EXPECT_EQ(NumTruncate(&null, 5, 2), 0u);
  EXPECT_EQ(NumNegate(&null), 0u);
  EXPECT_EQ(bytes(null), (Bytes{0}));

  const tagNUMBER five = num("5");
  EXPECT_EQ(NumPower10(&r, &five, -2), 2u);
  EXPECT_EQ(bytes(r), ex("0.05"));
  EXPECT_EQ(NumPower10(&r, &five, 60), 2u);
  EXPECT_EQ(bytes(r), ex("5e60"));
  EXPECT_EQ(NumPower10(&r, &five, 61), 0u);
  EXPECT_EQ(r.bLength, 0);
}

TEST(NumberArithmetic, ResultMayBeAnOperand) {
  tagNUMBER a = num("7"), b = num("2");
  NumAddition(&a, &a, &a);
  NumSubtract(&b, &a, &b);
  EXPECT_EQ(bytes(b), ex("12"));
  NumMultiply(&a, &b, &a);
  NumDivide(&b, &a, &b);
  EXPECT_EQ(bytes(b), ex("14"));
  NumRound(&a, &a, -1);
  NumPower10(&a, &a, 1);
  EXPECT_EQ(bytes(a), ex("1700"));
  NumNegate(&a);
  EXPECT_EQ(bytes(a), ex("-1700"));

  // Missing records read as null; a missing result is left alone.
  EXPECT_EQ(NumAddition(nullptr, &a, &b), 0u);
  EXPECT_EQ(NumCompare(nullptr, &a), -1);
  NumAddition(&a, nullptr, &b);
  EXPECT_EQ(bytes(a), ex("14"));
}

// Callers keep null records and records with a bad length in just their length byte: the
// operations must not read the exponent byte of those (ASan sees it in the heap copies).
TEST(NumberArithmetic, OperandsEndingAtTheLengthByteAreNotReadFurther) {
  const tagNUMBER five = num("5");
  for (const BYTE length : {BYTE{0}, BYTE{42}, BYTE{0x3F}}) {
    std::unique_ptr<BYTE[]> shortRecord(new BYTE[1]{length});
    const auto* a = reinterpret_cast<const NUMBER*>(shortRecord.get());
    EXPECT_EQ(apply(NumAddition, *a, five), ex("5")) << int{length};
    EXPECT_EQ(apply(NumSubtract, *a, five), ex("-5")) << int{length};
    EXPECT_EQ(apply(NumSubtract, five, *a), ex("5")) << int{length};
    EXPECT_EQ(apply(NumMultiply, *a, five), kZero) << int{length};
    EXPECT_EQ(apply(NumDivide, *a, five), kZero) << int{length};
    EXPECT_EQ(NumCompare(a, &five), -1 + (length != 0)) << int{length};
  }
}
