// Doubles: against the C library's own decimal conversions, the null double, the range,
// and a caller's numeric locale.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "number_oracle.h"

using numtest::bytes;
using numtest::dec;
using numtest::expected;
using numtest::num;
using numtest::record;

TEST(NumberDouble, FormatsAndEdges) {
  const struct {
    double v;
    const char* want;
  } texts[] = {{0.0, "0"}, {-0.0, "0"}, {NAN, "0"}, {0.1, "0.1"}, {1.0, "1."}, {-100.0, "-100."},
               {0.05, "5.e-002"}, {123456789012345.0, "123456789012345."}, {1e15, "1.e+015"},
               {-1.5e300, "-1.5e+300"}, {1.0 / 3, "0.333333333333333"}, {2.0 / 3, "0.666666666666667"}};
  for (const auto& c : texts) {
    char text[32];
    EXPECT_EQ(FMTgcvt(c.v, text), text);
    EXPECT_STREQ(text, c.want) << c.v;
  }
  const struct {
    double v;
    int result;
    const char* value;  // nullptr: null record
  } to[] = {{0.1, 1, "0.1"}, {-2.5, 1, "-2.5"}, {1.0 / 3, 1, "0.333333333333333"}, {1e300, 0, nullptr},
            {1e-200, 0, nullptr}, {INFINITY, 1, nullptr}, {NAN, 1, nullptr}, {0.0, 1, "0"},
            {1e119, 1, "1e119"}, {-9.87654321e-100, 1, "-9.87654321e-100"}};
  for (const auto& c : to) {
    SCOPED_TRACE(c.v);
    tagNUMBER n = record({1, 0xC0});
    EXPECT_EQ(NumDoubleToNumber(&n, c.v), c.result);
    EXPECT_EQ(bytes(n), c.value ? expected(dec(c.value)) : numtest::Bytes{0});
  }
  EXPECT_EQ(_atof_l(" -1.5e3x", nullptr), -1500.0);
  EXPECT_EQ(_atol_l("-2147483648", nullptr), -2147483647 - 1);
  double d = 5;
  const tagNUMBER null = record({0});
  NumToDouble(&null, &d);
  EXPECT_EQ(d, 0.0);
  d = 5;
  NumToDoubleNotNull(&null, &d);
  EXPECT_EQ(d, 0.0);
  NumNullDouble(&d);
  tagNUMBER n = num("1");
  EXPECT_EQ(NumDoubleToNumber(&n, d), 1);
  EXPECT_TRUE(NumIsNull(&n));
}

// Random records of up to 46 digits convert to the double strtod gives for their text, and
// random doubles pass through 15 digits exactly as printf's "%.14e" rounds them.
TEST(NumberDouble, AgainstTheCLibrary) {
  std::mt19937_64 rng(34);
  for (int round = 0; round < 20000; ++round) {
    std::string text = rng() % 2 ? "-" : "";
    const int digits = 1 + static_cast<int>(rng() % 46);
    for (int i = 0; i < digits; ++i) text += static_cast<char>('0' + rng() % 10);
    // Exponents whose text at width 108 keeps every digit (no saturated exponent form).
    text += "e" + std::to_string(static_cast<int>(rng() % 150) - 98);
    const tagNUMBER n = num(text);
    char shown[120];
    NumToAscii(&n, shown, 108);
    double d = 7;
    NumToDouble(&n, &d);
    ASSERT_EQ(d, std::strtod(shown, nullptr)) << text << " " << shown;

    uint64_t bits = rng();
    double v;
    std::memcpy(&v, &bits, sizeof v);
    if (NumIsNullDouble(v) || v == 0.0) continue;
    char printed[40];
#if defined(_WIN32)
    // The run time's own printf, the one its _gcvt rounds with (mingw's snprintf is another).
    _snprintf(printed, sizeof printed, "%.14e", v);
#else
    std::snprintf(printed, sizeof printed, "%.14e", v);
#endif
    tagNUMBER r;
    const int ok = NumDoubleToNumber(&r, v);
    const double mag = std::fabs(v);
    if (mag >= 1e120 || mag < 1e-129) {  // the text holds 0.d x 10^-128 at the least
      ASSERT_EQ(ok, 0) << printed;
      continue;
    }
    ASSERT_EQ(ok, 1) << printed;
    ASSERT_EQ(bytes(r), expected(dec(printed))) << printed;
  }
}

TEST(NumberDouble, CallerLocaleDoesNotChangeText) {
  const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
  const char* german = nullptr;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "de_DE@euro"})
    if ((german = std::setlocale(LC_NUMERIC, name))) break;
  if (!german) GTEST_SKIP() << "no German locale installed";
  const std::string active = std::setlocale(LC_NUMERIC, nullptr);
  char text[32];
  EXPECT_STREQ(FMTgcvt(1234.5, text), "1234.5");
  EXPECT_EQ(_atof_l("2,5", nullptr), 2.5);  // a null locale is the current one, as on Windows
  tagNUMBER n;
  EXPECT_EQ(NumDoubleToNumber(&n, -0.25), 1);
  EXPECT_EQ(bytes(n), expected(dec("-0.25")));
  // The caller's locale is theirs: it is left as it was.
  EXPECT_EQ(std::setlocale(LC_NUMERIC, nullptr), active);
  std::setlocale(LC_NUMERIC, saved.c_str());
}
