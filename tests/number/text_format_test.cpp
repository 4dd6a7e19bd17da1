// NumToAscii: layouts by width, rounding carries, the exponent form and its saturation,
// and the bound on what it writes.
#include <gtest/gtest.h>

#include <random>
#include <span>
#include <string>

#include "number_oracle.h"

using numtest::num;
using numtest::record;

namespace {

std::string ascii(const tagNUMBER& n, unsigned width, unsigned* length = nullptr) {
  char text[300];
  std::memset(text, 'x', sizeof text);
  const unsigned r = NumToAscii(&n, text, width);
  if (length) *length = r;
  EXPECT_EQ(r, std::strlen(text));
  return text;
}

}  // namespace

TEST(NumberToAscii, LayoutsByWidth) {
  const struct {
    const char* value;
    unsigned width;
    std::string want;
  } cases[] = {
      {"5", 108, "5"}, {"-12.5", 108, "-12.5"}, {"0.05", 108, ".05"}, {"0", 108, "0"},
      {"1.5e30", 108, "1500000000000000000000000000000"}, {"1.5e30", 10, "1.5000E+30"},
      {"0.00001234", 10, ".00001234"}, {"0.00001234", 8, "1.23E-05"}, {"1.95", 2, "2"},
      {"0.996", 3, "1"}, {"9.96", 3, "10"}, {"0.0996", 4, ".1"}, {"0.0006", 4, ".001"},
      {"0.0004", 4, "0"}, {"-0.0004", 4, "0"}, {"0.00012", 3, "0"}, {"123.456", 5, "123.5"},
      {"123.456", 4, "123"}, {"123.456", 3, "123"}, {"-123.456", 4, "-123"}, {"1234", 4, "1234"},
      {"12345", 4, ""}, {"123456789", 6, "1.E+08"}, {"-123456789", 8, "-1.2E+08"},
      {"999999.6", 6, "1.E+06"}, {"99.6", 2, ""}, {"9.6", 1, ""}, {"1.5", 1, "2"},
      {"0", 1, "0"}, {"0", 0, ""}, {"5", 0, ""}, {"0.5", 1, ""}, {"-0.5", 2, ""},
      {"-0.5", 3, "-.5"}, {"1e-100", 108, "." + std::string(99, '0') + "1"},
      {"1.5e-110", 12, "9.999999E-99"}, {"-2e110", 9, "-9.99E+99"}, {"9.9995e98", 9, "1.000E+99"},
      {"1e119", 12, "9.999999E+99"}, {"12.5", 65536 + 108, "12.5"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.value) + " width " + std::to_string(c.width));
    EXPECT_EQ(ascii(num(c.value), c.width), c.want);
  }
}

TEST(NumberToAscii, NullInvalidAndBoundedOutput) {
  char text[8] = "junk";
  EXPECT_EQ(NumToAscii(nullptr, text, 108), 0u);
  EXPECT_STREQ(text, "");
  const tagNUMBER bad[] = {record({0}), record({25, 0xC1, 5}), record({63, 0xC1, 5})};
  for (const tagNUMBER& n : bad) {
    std::strcpy(text, "junk");
    EXPECT_EQ(NumToAscii(&n, text, 108), 0u);
    EXPECT_STREQ(text, "");
  }
  // Whatever the record and width, nothing lands past width + sign + terminator, and any
  // text written reads back as the value rounded to what was shown.
  std::mt19937 rng(6);
  for (int round = 0; round < 20000; ++round) {
    tagNUMBER n;
    BYTE* b = reinterpret_cast<BYTE*>(&n);
    for (BYTE& x : std::span<BYTE>(b, sizeof n)) x = static_cast<BYTE>(rng());
    b[0] = static_cast<BYTE>(1 + rng() % 24);
    const unsigned width = rng() % 40;
    char out[64];
    std::memset(out, 'x', sizeof out);
    const unsigned length = NumToAscii(&n, out, width);
    ASSERT_LE(length, width + 1);
    ASSERT_EQ(out[length], '\0');
    for (unsigned i = length + 1; i < sizeof out; ++i) ASSERT_EQ(out[i], 'x');
    if (length) {
      tagNUMBER back;
      ASSERT_EQ(NumAsciiToNumber(&back, out), static_cast<int>(length)) << out;
    }
  }
}
