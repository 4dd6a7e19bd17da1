// The currency integer (tagCY) and DECIMAL conversions: range limits, odd scales, the
// padded form and the overflow flags.
#include <gtest/gtest.h>

#include <string>

#include "number_oracle.h"

using numtest::bytes;
using numtest::dec;
using numtest::expected;
using numtest::Integer;
using numtest::num;

namespace {

// The exact value a record holds, as the oracle's normal record (via its text).
numtest::Bytes normal(const tagNUMBER& n) {
  EXPECT_EQ(n.bLength % 4, 0);  // the padded form
  char text[120];
  NumToAscii(&n, text, 108);
  return expected(dec(text));
}

tagDEC decimal(ULONG hi, ULONG mid, ULONG lo, BYTE scale, BYTE sign) {
  tagDEC d{};
  d.wReserved = 0x1234;
  d.Hi32 = hi;
  d.Mid32 = mid;
  d.Lo32 = lo;
  d.scale = scale;
  d.sign = sign;
  return d;
}

}  // namespace

TEST(NumberCurrency, LimitsAndFlags) {
  for (LONGLONG v : std::initializer_list<LONGLONG>{0, -1, 1, INT64_MAX, INT64_MIN, -1000000, 123456789}) {
    tagCY cy{}, back{};
    cy.int64 = v;
    tagNUMBER n;
    NumLLongToNumber(&n, &cy);
    EXPECT_EQ(normal(n), expected(Integer(std::to_string(v)))) << v;
    LONG error = 7;
    NumToLLong(&back, &n, &error);
    EXPECT_EQ(back.int64, v);
    EXPECT_EQ(error, 0);
  }
  const struct {
    const char* text;
    LONGLONG v;
    LONG error;
  } to[] = {{"12.99", 12, 0}, {"-12.99", -12, 0}, {"0.5", 0, 0}, {"9223372036854775808", INT64_MIN, 1},
            {"-9223372036854775809", INT64_MAX, 1}, {"18446744073709551616", 0, 1},
            {"1e40", -5047021154770878464LL, 1}};
  for (const auto& c : to) {
    tagNUMBER n = num(c.text);
    tagCY cy{};
    LONG error = 7;
    NumToLLong(&cy, &n, &error);
    EXPECT_EQ(cy.int64, c.v) << c.text;
    EXPECT_EQ(error, c.error) << c.text;
  }
}

TEST(NumberDecimal, ScalesLimitsAndFlags) {
  const std::string max96 = "79228162514264337593543950335";
  const ULONG F = 0xFFFFFFFF;
  const struct {
    tagDEC d;
    std::string text;
  } from[] = {{decimal(0, 0, 15, 1, 0), "1.5"}, {decimal(0, 0, 15, 1, 0x80), "-1.5"},
              {decimal(0, 0, 0, 0, 0x80), "0"}, {decimal(0, 0, 7, 3, 0), "0.007"},
              {decimal(F, F, F, 0, 0), max96}, {decimal(F, F, F, 28, 0x80), "-7.9228162514264337593543950335"},
              {decimal(F, F, F, 27, 0), "79.228162514264337593543950335"}};
  for (auto c : from) {
    tagNUMBER n;
    NumDECIMALToNumber(&n, &c.d);
    EXPECT_EQ(normal(n), expected(dec(c.text))) << c.text;
  }
  const struct {
    std::string text;
    tagDEC want;
    LONG error;
  } to[] = {{"1.5", decimal(0, 0, 150, 2, 0), 0}, {"-12", decimal(0, 0, 12, 0, 0x80), 0},
            {"0", decimal(0, 0, 0, 0, 0), 0}, {max96, decimal(F, F, F, 0, 0), 0},
            {"79228162514264337593543950336", decimal(0, 0, 0, 0, 0), 1},  // 2^96: the low bits
            {"0.1234567890123456789012345678901", decimal(0x03FD35EB, 0x6D797A91, 0xBE38F34E, 28, 0), 0},
            {"1e-29", decimal(0, 0, 42, 0, 0), 1}, {"1e70", decimal(0, 0, 42, 0, 0), 1}};  // untouched
  for (const auto& c : to) {
    tagNUMBER n = num(c.text);
    tagDEC d = decimal(0, 0, 42, 0, 0);
    LONG error = 7;
    NumToDECIMAL(&d, &n, &error);
    EXPECT_EQ(error, c.error) << c.text;
    EXPECT_EQ(std::memcmp(&d, &c.want, sizeof d), 0) << c.text;
  }
}
