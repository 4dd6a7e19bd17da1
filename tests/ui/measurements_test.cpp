// Measurements in dialog fields: inches with decimals and centimetres at 2.5406 cm/inch.
#include <gtest/gtest.h>
#include <korvane/korvane.h>

#include "ui/measurements.h"

#include <string>

namespace {

std::string units(UINT value, int decimals) {
  char text[16];
  DlgSetStrRealUnits(value, 0, text, decimals);
  return text;
}

std::string metric(LONG value) {
  char text[24];
  DlgSetStrRealMetricUnits(value, 0, text);
  return text;
}

LONG parsed(const char* text, bool isMetric, int decimals, bool expectOk = true) {
  LONG value = -1;
  EXPECT_EQ(kv::ui::parseMeasurement(text, isMetric, decimals, value), expectOk) << text;
  return value;
}

}  // namespace

TEST(Measurements, InchesWithDecimals) {
  EXPECT_EQ(units(1250, 2), "12.5");
  EXPECT_EQ(units(1200, 2), "12");
  EXPECT_EQ(units(1205, 2), "12.05");
  EXPECT_EQ(units(0, 0), "0");
  EXPECT_EQ(units(1234, 0), "1234");
  EXPECT_EQ(units(1234, 1), "123.4");
  EXPECT_EQ(units(1230, 3), "1.23");
  EXPECT_EQ(units(1230, 7), "1.23");  // more than 3 decimals count as 3
  EXPECT_EQ(units(1230, -4), "1230");
  EXPECT_EQ(units(5, 3), "0.005");
  DlgSetStrRealUnits(1, 0, nullptr, 2);  // nothing to write into: no crash
}

TEST(Measurements, Centimetres) {
  EXPECT_EQ(metric(0), "0.0");
  EXPECT_EQ(metric(1000), "2.55");   // 2.5406 cm: 0.0406 past the tenth rounds to 0.05
  EXPECT_EQ(metric(100), "0.25");    // 0.25406
  EXPECT_EQ(metric(3900), "9.9");    // 9.90834: under an eighth of a millimetre past 9.9
  EXPECT_EQ(metric(3935), "10.0");   // 9.99726: the tenth rounds up into the whole
  EXPECT_EQ(metric(1024), "2.6");    // 2.6015744
  EXPECT_EQ(metric(1010), "2.575");  // 2.566006: 0.066 past the tenth gives three quarters
  EXPECT_EQ(metric(-1000), "-2.55");
}

TEST(Measurements, ParsingTypedFields) {
  EXPECT_EQ(parsed("12.5", false, 2), 1250);
  EXPECT_EQ(parsed("12.567", false, 2), 1256);
  EXPECT_EQ(parsed("12", false, 3), 12000);
  EXPECT_EQ(parsed(".5", false, 1), 5);
  EXPECT_EQ(parsed("7.", false, 0), 7);
  EXPECT_EQ(parsed("1.2345", false, 9), 1234);  // more than 3 decimals count as 3
  EXPECT_EQ(parsed("2.54", true, 0), 1000);     // 2.54 cm * 393.6078 + 0.5
  EXPECT_EQ(parsed("12,5", false, 2, false), 0);
  EXPECT_EQ(parsed("-1", false, 2, false), 0);
  EXPECT_EQ(parsed("", false, 2, false), 0);
  EXPECT_EQ(parsed("9999999999", false, 0, false), 0);  // beyond 32 bits
  EXPECT_EQ(parsed("3000000", false, 3, false), 0);     // overflows once scaled
  EXPECT_EQ(parsed("99999999999", true, 0, false), 0);
}

TEST(Measurements, SearchSpec) {
  EXPECT_EQ(DlgSearchSpec("*.txt"), 1);
  EXPECT_EQ(DlgSearchSpec("file?.c"), 1);
  EXPECT_EQ(DlgSearchSpec("plain.txt"), 0);
  EXPECT_EQ(DlgSearchSpec(""), 0);
  EXPECT_EQ(DlgSearchSpec(nullptr), 0);
}
