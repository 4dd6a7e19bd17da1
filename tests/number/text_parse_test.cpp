// NumAsciiToNumber and NumHexAsciiToNumber: result codes, consumed lengths, exact values,
// and randomized round trips text -> NUMBER -> text.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "number_oracle.h"

using numtest::Bytes;
using numtest::bytes;
using numtest::dec;
using numtest::expected;
using numtest::Integer;
using numtest::Rational;
using numtest::record;

namespace {

const Bytes kNull{0};

Bytes parse(const std::string& text, int* result) {
  tagNUMBER n;
  std::memset(&n, 0xEE, sizeof n);
  *result = NumAsciiToNumber(&n, text.c_str());
  return bytes(n);
}

}  // namespace

TEST(NumberFromAscii, ResultsLengthsAndValues) {
  const std::string digits48 = "123456789012345678901234567890123456789012345678";
  const std::string huge(5000, '9');
  const struct {
    std::string text;
    int result;
    Bytes want;
  } cases[] = {
      {"  -12.50xyz", 8, expected(dec("-12.5"))}, {"1e", 2, expected(1)}, {"1E+", 3, expected(1)},
      {"1e-3", 4, expected(dec("0.001"))}, {"1e10000", -1, kNull}, {"1e9999", -1, kNull},
      {"1e-130", -2, kNull}, {"1e-125", 6, Bytes{2, 4 + 128, 10}}, {".5", 2, expected(dec("0.5"))},
      {".", 0, kNull}, {"", 0, kNull}, {" \t\n", 0, kNull}, {"-", 0, kNull}, {"abc", 0, kNull},
      {"- 5", 0, kNull}, {"-0", 2, expected(0)}, {"0.000e-300", 10, expected(0)},
      {"000e500", 7, expected(0)}, {"0x1F", 4, expected(31)}, {" -0x10", 6, expected(-16)},
      {"+0X0", 4, expected(0)}, {"1e120", -1, kNull}, {"9.99e119", 8, expected(dec("9.99e119"))},
      {"1e-128", 6, Bytes{2, 4 + 128, 1}}, {"12e-129", 7, Bytes{3, 4 + 128, 1, 20}},
      {"007.50", 6, expected(dec("7.5"))}, {"1.2.3", 3, expected(dec("1.2"))},
      {digits48, 48, expected(dec(digits48.substr(0, 47) + "0"))},
      {"-" + digits48, 49, expected(dec("-" + digits48.substr(0, 47) + "0"))},
      {huge + "e-4990", 5006, expected(dec(std::string(47, '9') + "e-37"))},
      {"0." + std::string(200, '0') + "1e250", 207, expected(dec("1e49"))},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 60));
    int result = 99;
    EXPECT_EQ(parse(c.text, &result), c.want);
    EXPECT_EQ(result, c.result);
  }
  EXPECT_EQ(NumAsciiToNumber(nullptr, "5"), 0);
  tagNUMBER n = record({1, 0xC0});
  EXPECT_EQ(NumAsciiToNumber(&n, nullptr), 0);
  EXPECT_TRUE(NumIsNull(&n));
}

TEST(NumberFromAscii, Hexadecimal) {
  const struct {
    const char* text;
    int result;
    Rational want;
  } cases[] = {
      {"1F", 2, 31}, {" \t-0x00ffG", 9, -255}, {"+", 1, 0}, {"zz", 0, 0},
      {"FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", 32, Rational(Integer("340282366920938463463374607431768211455"))},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    tagNUMBER n;
    EXPECT_EQ(NumHexAsciiToNumber(&n, c.text), c.result);
    EXPECT_EQ(bytes(n), expected(c.want));
  }
  // Beyond the precision the digits are rounded away, never past the record.
  tagNUMBER n;
  EXPECT_EQ(NumHexAsciiToNumber(&n, std::string(300, 'f').c_str()), 300);
  EXPECT_LE(n.bLength, 24);
  EXPECT_EQ(n.bExponent, 124 + 128);
}

TEST(NumberFromAscii, RandomRoundTrips) {
  std::mt19937_64 rng(36);
  for (int round = 0; round < 20000; ++round) {
    std::string text = rng() % 2 ? "-" : "";
    const int intDigits = static_cast<int>(rng() % 25), fracDigits = static_cast<int>(rng() % 25);
    for (int i = 0; i < intDigits; ++i) text += static_cast<char>('0' + rng() % 10);
    text += '.';
    for (int i = 0; i < fracDigits; ++i) text += static_cast<char>('0' + rng() % 10);
    // Exponents that keep every value within what width 108 shows without saturating.
    text += "0e" + std::to_string(static_cast<int>(rng() % 145) - 70);
    SCOPED_TRACE(text);
    tagNUMBER n;
    ASSERT_EQ(NumAsciiToNumber(&n, text.c_str()), static_cast<int>(text.size()));
    const Bytes want = expected(dec(text));
    ASSERT_EQ(bytes(n), want);
    // Width 108 holds every value in fixed notation or in an exponent form that keeps all
    // 46 digits; the text reads back as the same record.
    char out[120];
    const unsigned length = NumToAscii(&n, out, 108);
    ASSERT_GT(length, 0u);
    tagNUMBER back;
    ASSERT_EQ(NumAsciiToNumber(&back, out), static_cast<int>(length)) << out;
    ASSERT_EQ(bytes(back), want) << out;
  }
}
