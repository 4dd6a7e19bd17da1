// Device modes, papers and the saved setup, on a printer declared in a private win.ini.
#include "print_fixture.h"

#include "print/saved_setup.h"

namespace {

class PrinterSelection : public PrintFixture {
 protected:
  void SetUp() override {
    PrintFixture::SetUp();
    port_ = (dir_ / "out.pdf").string();
    winIni("[devices]\nOffice PDF=PDF Writer," + port_ + "\n");
  }
  // The device mode in a block, read and freed.
  static DEVMODEA take(HGLOBAL block) {
    DEVMODEA mode{};
    EXPECT_NE(block, nullptr);
    if (!block) return mode;
    EXPECT_GE(GlobalSize(block), sizeof mode);
    mode = *static_cast<DEVMODEA*>(GlobalLock(block));
    GlobalUnlock(block);
    GlobalFree(block);
    return mode;
  }
  HGLOBAL devMode(WORD landscape, WORD paper, const char* driver = "PDF Writer") {
    return PrintGetDevMode(landscape, "Office PDF", driver, port_.c_str(), paper);
  }
  std::string port_;
};

}  // namespace

TEST_F(PrinterSelection, DeviceAndPapers) {
  char driver[64] = "", port[300] = "";
  ASSERT_EQ(PrintGetDevice("Office PDF", driver, port), 1);
  EXPECT_STREQ(driver, "PDF Writer");
  EXPECT_EQ(port, port_);
  EXPECT_EQ(PrintGetDevice("Nobody", driver, port), 0);
  EXPECT_EQ(PrintCanDoPrinterSetup(0, "Office PDF"), 1);
  EXPECT_EQ(PrintCanDoPrinterSetup(0, "Nobody"), 0);

  HGLOBAL papers = reinterpret_cast<HGLOBAL>(1), sizes = reinterpret_cast<HGLOBAL>(2);
  EXPECT_EQ(PrintGetPageSizes("Nobody", nullptr, nullptr, nullptr, &papers, &sizes), 0);
  EXPECT_EQ(papers, reinterpret_cast<HGLOBAL>(1));  // written only on success
  ASSERT_EQ(PrintGetPageSizes("Office PDF", nullptr, port_.c_str(), nullptr, &papers, &sizes), 7);
  ASSERT_EQ(GlobalSize(papers), 14u);
  ASSERT_EQ(GlobalSize(sizes), 56u);
  const auto* codes = static_cast<const WORD*>(GlobalLock(papers));
  const auto* dims = static_cast<const LONG*>(GlobalLock(sizes));
  EXPECT_EQ(codes[4], DMPAPER_A4);
  EXPECT_EQ(dims[8], 2100);
  EXPECT_EQ(dims[9], 2970);
  GlobalUnlock(papers);
  GlobalUnlock(sizes);
  EXPECT_EQ(GlobalFree(papers), nullptr);
  EXPECT_EQ(GlobalFree(sizes), nullptr);
}

TEST_F(PrinterSelection, DeviceModesForAJob) {
  DEVMODEA m = take(devMode(1, 0));
  EXPECT_EQ(m.dmOrientation, DMORIENT_LANDSCAPE);
  EXPECT_EQ(m.dmPaperSize, DMPAPER_LETTER);
  m = take(devMode(0, DMPAPER_A4));
  EXPECT_EQ(m.dmPaperSize, DMPAPER_A4);
  EXPECT_EQ(m.dmPaperWidth, 2100);
  EXPECT_EQ(m.dmPaperLength, 2970);
  EXPECT_EQ(m.dmOrientation, DMORIENT_PORTRAIT);
  m = take(devMode(1, DMPAPER_A5));
  EXPECT_EQ(m.dmPaperSize, DMPAPER_A5);
  EXPECT_EQ(m.dmOrientation, DMORIENT_LANDSCAPE);
  // A paper the printer does not offer: the driver's default, orientation untouched.
  m = take(devMode(1, 70));
  EXPECT_EQ(m.dmPaperSize, DMPAPER_LETTER);
  EXPECT_EQ(m.dmOrientation, DMORIENT_PORTRAIT);
  m = take(devMode(1, DMPAPER_USER));
  EXPECT_EQ(m.dmOrientation, DMORIENT_LANDSCAPE);
  // Letter is already the driver's paper: returned as the driver gave it.
  m = take(devMode(1, DMPAPER_LETTER));
  EXPECT_EQ(m.dmOrientation, DMORIENT_PORTRAIT);
  EXPECT_EQ(PrintGetDevMode(0, "Nobody", "x", "y", 0), nullptr);
}

TEST_F(PrinterSelection, SavedSetupIsPreferredWhileItFits) {
  HGLOBAL chosen = devMode(1, DMPAPER_A5);
  ASSERT_TRUE(kv::saveSetup("Office PDF", "PDF Writer", port_.c_str(), chosen));
  GlobalFree(chosen);
  EXPECT_EQ(take(devMode(0, 0)).dmPaperSize, DMPAPER_A5);  // kept as saved, landscape and all
  EXPECT_EQ(take(devMode(0, 0)).dmOrientation, DMORIENT_LANDSCAPE);
  EXPECT_EQ(take(devMode(0, DMPAPER_A5)).dmOrientation, DMORIENT_LANDSCAPE);
  EXPECT_EQ(take(devMode(0, DMPAPER_A4)).dmPaperSize, DMPAPER_A4);   // another paper: the driver's
  EXPECT_EQ(take(devMode(0, 0, "pdf writer")).dmPaperSize, DMPAPER_LETTER);  // names compare exactly

  // A second save replaces the first; a save without a device mode leaves none to find.
  chosen = devMode(0, DMPAPER_B5);
  ASSERT_TRUE(kv::saveSetup("Office PDF", "PDF Writer", port_.c_str(), chosen));
  GlobalFree(chosen);
  EXPECT_EQ(take(devMode(1, 0)).dmPaperSize, DMPAPER_B5);
  ASSERT_TRUE(kv::saveSetup("Office PDF", "PDF Writer", port_.c_str(), nullptr));
  EXPECT_EQ(kv::lookUpSetup("Office PDF", "PDF Writer", port_.c_str()), nullptr);

  chosen = devMode(0, DMPAPER_B5);
  kv::saveSetup("Office PDF", "PDF Writer", port_.c_str(), chosen);
  GlobalFree(chosen);
  PrtClearSaved();
  EXPECT_EQ(kv::lookUpSetup("Office PDF", "PDF Writer", port_.c_str()), nullptr);
  PrtClearSaved();  // twice is harmless
}
