#include <gtest/gtest.h>
#include <korvane/win32.h>

TEST(MulDiv, RoundsHalfAwayFromZeroAndRefusesWhatDoesNotFit) {
  EXPECT_EQ(MulDiv(5, 1, 2), 3);
  EXPECT_EQ(MulDiv(-5, 1, 2), -3);
  EXPECT_EQ(MulDiv(5, -1, 2), -3);
  EXPECT_EQ(MulDiv(7, 1, 3), 2);
  EXPECT_EQ(MulDiv(8500, 600, 1000), 5100);
  EXPECT_EQ(MulDiv(0x40000000, 4, 2), -1);            // 2^31 does not fit
  EXPECT_EQ(MulDiv(-0x40000000, 4, 2), INT32_MIN);     // -2^31 does
  EXPECT_EQ(MulDiv(100000, 100000, 100000), 100000);  // the product needs 64 bits
  EXPECT_EQ(MulDiv(1, 2, 0), -1);
  EXPECT_EQ(MulDiv(-9, 1, -2), 5);
}
