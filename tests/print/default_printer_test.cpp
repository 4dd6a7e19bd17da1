// The default printer, from the spooler's default or from win.ini's "device" alone.
#include <gtest/gtest.h>
#include <korvane/korvane.h>
#include <korvane/platform.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

class DefaultPrinter : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = "/tmp/korvane-default-XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    setenv("CUPS_SERVER", (dir_ / "none.sock").c_str(), 1);
  }
  void TearDown() override {
    KwConfigureWinIni(nullptr);
    unsetenv("CUPS_SERVER");
    fs::remove_all(dir_);
  }
  void winIni(const std::string& text) {
    std::ofstream(dir_ / "win.ini") << text;
    KwConfigureWinIni((dir_ / "win.ini").c_str());
  }
  fs::path dir_;
};

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
