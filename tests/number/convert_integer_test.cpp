// The 32-bit and 16-bit integer conversions and their overflow flags, at the range limits.
#include <gtest/gtest.h>

#include <string>

#include "number_oracle.h"

using numtest::bytes;
using numtest::expected;
using numtest::Integer;
using numtest::num;
using numtest::record;

TEST(NumberIntegers, ToIntegerTruncatesAndFlags) {
  const struct {
    const char* value;
    uint32_t low;  // the low 32 bits of the integer part
    LONG error;
  } cases[] = {
      {"12.99", 12, 0}, {"-12.99", static_cast<uint32_t>(-12), 0}, {"0.99", 0, 0}, {"-0.5", 0, 0},
      {"3000000000", 3000000000u, 0}, {"2000000000", 2000000000u, 0}, {"-2147483648", 0x80000000u, 0},
      {"4294967295", 0xFFFFFFFFu, 0}, {"4294967295.999", 0xFFFFFFFFu, 0}, {"-2147483648.5", 0x80000000u, 0},
      {"4294967296", 0, 1}, {"-2147483649", 0x7FFFFFFFu, 1}, {"5000000000", 705032704u, 1},
      {"1e30", 1073741824u, 1}, {"-1e119", 0, 1}, {"123456789012345678901234567890.5", 1312754386u, 1},
      {"1e-100", 0, 0}, {"0", 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    tagNUMBER n = num(c.value);
    LONG error = 7;
    EXPECT_EQ(NumToDWord(&n), c.low);
    EXPECT_EQ(NumToLong(&n), static_cast<LONG>(c.low));
    EXPECT_EQ(NumToWord(&n), static_cast<WORD>(c.low));
    EXPECT_EQ(NumToLongReply(&n, &error), static_cast<LONG>(c.low));
    EXPECT_EQ(error, c.error);
    error = 7;
    EXPECT_EQ(NumToDWordReply(&n, &error), c.low);
    EXPECT_EQ(error, c.error);
    error = 7;
    EXPECT_EQ(NumToWordReply(&n, &error), static_cast<WORD>(c.low));
    EXPECT_EQ(error, c.error);
  }
  const tagNUMBER null = record({0});
  EXPECT_EQ(NumToLong(&null), 0);
  EXPECT_EQ(NumToLong(nullptr), 0);
}

TEST(NumberIntegers, FromInteger) {
  const LONG longs[] = {0, 1, -1, 99, -100, 2147483647, -2147483647 - 1, -123456789};
  for (LONG v : longs) {
    tagNUMBER n;
    std::memset(&n, 0xEE, sizeof n);
    EXPECT_EQ(NumLongToNumber(&n, v), n.bLength);
    EXPECT_EQ(bytes(n), expected(v)) << v;
  }
  const DWORD dwords[] = {0, 7, 100, 4294967295u, 3000000000u};
  for (DWORD v : dwords) {
    tagNUMBER n;
    EXPECT_EQ(NumDWordToNumber(&n, v), n.bLength);
    EXPECT_EQ(bytes(n), expected(Integer(std::to_string(v)))) << v;
  }
  tagNUMBER n;
  EXPECT_EQ(NumWordToNumber(&n, 65535), 4u);
  EXPECT_EQ(bytes(n), expected(65535));
  EXPECT_EQ(NumGet(40000, &n), &n);
  EXPECT_EQ(bytes(n), expected(40000));
  EXPECT_EQ(NumGet(0, nullptr), nullptr);
}
