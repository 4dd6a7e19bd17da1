// Measurements in dialog fields: inches with decimals and centimetres at 2.5406 cm/inch.
#include <gtest/gtest.h>
#include <korvane/korvane.h>

#include "dialog_resources.h"
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
  // Past 3 decimals the whole part counts thousandths, the fraction all its digits.
  EXPECT_EQ(parsed("1.5", false, 4), 6000);
  EXPECT_EQ(parsed("1.2345", false, 9), 234501000);
  EXPECT_EQ(parsed("7.000000000000000000000000000", false, 40), 7000);
  EXPECT_EQ(parsed("7.5", false, 40, false), 0);  // the fraction alone is beyond 32 bits
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

namespace {

INT_PTR CALLBACK quietDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

std::string fieldText(HWND dialog) {
  char text[64] = "";
  GetDlgItemTextA(dialog, 10, text, sizeof text);
  return text;
}

}  // namespace

TEST(Measurements, RealNumbersInADialogsEditField) {
  HWND dialog = CreateDialogParamA(kvtest::testModule(), "FIELDS", nullptr, quietDialog, 0);
  ASSERT_NE(dialog, nullptr);
  BOOL ok = -1;
  auto read = [&](const char* text, BOOL metric, int decimals) {
    SetDlgItemTextA(dialog, 10, text);
    ok = -1;
    return DlgGetDlgItemReal(dialog, 10, &ok, FALSE, metric, decimals);
  };
  EXPECT_EQ(read("12.5", FALSE, 2), 1250);
  EXPECT_EQ(ok, TRUE);
  EXPECT_EQ(read("12.567", FALSE, 2), 1256);  // cut, never rounded
  // Centimetres to thousandths rounded at the half: 0.49988 and 0.50382.
  EXPECT_EQ(read("0.00127", TRUE, 0), 0);
  EXPECT_EQ(ok, TRUE);
  EXPECT_EQ(read("0.00128", TRUE, 0), 1);
  EXPECT_EQ(read("2.54", TRUE, 3), 1000);
  EXPECT_EQ(read("12,5", FALSE, 2), 0);
  EXPECT_EQ(ok, FALSE);
  EXPECT_EQ(read("", FALSE, 2), 0);
  EXPECT_EQ(ok, FALSE);
  // Only the first 32 characters are read: 31 zeros and a 1, then digits that never count.
  EXPECT_EQ(read("00000000000000000000000000000001999", FALSE, 0), 1);
  EXPECT_EQ(ok, TRUE);
  EXPECT_EQ(read("1.25", FALSE, 5), 26000);
  EXPECT_EQ(DlgGetDlgItemReal(dialog, 99, &ok, FALSE, FALSE, 2), 0);  // no such control
  EXPECT_EQ(ok, FALSE);
  EXPECT_EQ(read("3", FALSE, 0), 3);
  EXPECT_EQ(DlgGetDlgItemReal(dialog, 10, nullptr, FALSE, FALSE, 0), 3);

  EXPECT_TRUE(DlgSetDlgItemReal(dialog, 10, 1250, 0, FALSE, 2));
  EXPECT_EQ(fieldText(dialog), "12.5");
  DlgSetDlgItemReal(dialog, 10, 1000, 0, TRUE, 2);
  EXPECT_EQ(fieldText(dialog), "2.55");
  DlgSetDlgItemReal(dialog, 10, 0, 0, FALSE, 0);
  EXPECT_EQ(fieldText(dialog), "0");
  EXPECT_FALSE(DlgSetDlgItemReal(dialog, 99, 1, 0, FALSE, 0));
  DestroyWindow(dialog);
  EXPECT_EQ(DlgGetDlgItemReal(dialog, 10, &ok, FALSE, FALSE, 0), 0);
  EXPECT_EQ(ok, FALSE);
}

TEST(Measurements, ScreenPixels) {
  HDC display = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
  ASSERT_NE(display, nullptr);
  const int across = GetDeviceCaps(display, LOGPIXELSX);
  const int down = GetDeviceCaps(display, LOGPIXELSY);
  DeleteDC(display);
  ASSERT_EQ(across, 96);
  EXPECT_EQ(DlgGetScreenPixels(1000, FALSE), across);
  EXPECT_EQ(DlgGetScreenPixels(2000, TRUE), 2 * down);
  EXPECT_EQ(DlgGetScreenPixels(5, FALSE), 0);   // 0.48
  EXPECT_EQ(DlgGetScreenPixels(6, FALSE), 1);   // 0.576
  EXPECT_EQ(DlgGetScreenPixels(-6, FALSE), -1);
  EXPECT_EQ(DlgGetScreenPixels(0x7FFFFFFF, FALSE), 206158430);
}
