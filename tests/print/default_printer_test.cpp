// The default printer, from the spooler's default or from win.ini's "device" alone.
#include "print_fixture.h"

namespace {

using DefaultPrinter = PrintFixture;

}  // namespace

TEST_F(DefaultPrinter, FromTheSpoolerOrTheProfile) {
  winIni("[devices]\nDesk=Desk Driver,/tmp/desk.pdf,LPT2:\n[windows]\ndevice=Desk,Desk Driver,/tmp/desk.pdf\n");
  char device[64] = "", driver[64] = "", port[64] = "";
  ASSERT_EQ(PrintGetDefaultPrinter(device, driver, port), 1);
  EXPECT_STREQ(device, "Desk");
  EXPECT_STREQ(driver, "Desk Driver");
  EXPECT_STREQ(port, "/tmp/desk.pdf");  // the first of its ports
  EXPECT_EQ(PrintGetDefaultPrinter(nullptr, nullptr, nullptr), 1);

  // No printer at all: the profile's names, blanks after each comma skipped.
  winIni("[windows]\ndevice=  Gone, Old Driver,  LPT9:\n");
  ASSERT_EQ(PrintGetDefaultPrinter(device, driver, port), 1);
  EXPECT_STREQ(device, "Gone");
  EXPECT_STREQ(driver, "Old Driver");
  EXPECT_STREQ(port, "LPT9:");
  winIni("[windows]\ndevice=Gone,Old Driver\n");
  EXPECT_EQ(PrintGetDefaultPrinter(device, driver, port), 0);
  winIni("");
  EXPECT_EQ(PrintGetDefaultPrinter(device, driver, port), 0);
}
