// Print jobs to a PDF-file printer, checked with poppler's pdfinfo and pdftoppm.
#include "printer_fixture.h"

namespace {

class PrintJob : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = kwtest::makeTempDir("korvane-job");
    setenv("CUPS_SERVER", (dir_ / "none.sock").c_str(), 1);
    pdf_ = (dir_ / "out.pdf").string();
    kwtest::writeWinIni(dir_ / "win.ini", "[devices]\nFile PDF=PDF Writer," + pdf_ + "\nNowhere=PDF Writer," +
                                              (dir_ / "missing" / "x.pdf").string() + "\nLine=Generic,LPT1:\n");
  }
  void TearDown() override {
    KwConfigureWinIni(nullptr);
    unsetenv("CUPS_SERVER");
    kwtest::fs::remove_all(dir_);
  }
  kwtest::fs::path dir_;
  std::string pdf_;
};

int pagesAllowed = 0;
BOOL CALLBACK stopAfter(HDC, int) { return --pagesAllowed >= 0; }

}  // namespace

TEST_F(PrintJob, PagesBecomePdfPagesAtThePaperSize) {
  HDC dc = CreateDCA("PDF Writer", "File PDF", nullptr, nullptr);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(GetDeviceCaps(dc, TECHNOLOGY), DT_RASPRINTER);
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 600);
  EXPECT_EQ(GetDeviceCaps(dc, PHYSICALWIDTH), 5100);  // Letter, 8.5 in
  EXPECT_EQ(GetDeviceCaps(dc, PHYSICALHEIGHT), 6600);
  EXPECT_EQ(GetDeviceCaps(dc, HORZSIZE), 216);
  POINT size{};
  EXPECT_EQ(Escape(dc, GETPHYSPAGESIZE, 0, nullptr, &size), 1);
  EXPECT_EQ(size.x, 5100);
  const int asked = SETCOPYCOUNT;
  EXPECT_EQ(Escape(dc, QUERYESCSUPPORT, sizeof asked, reinterpret_cast<LPCSTR>(&asked), nullptr), 1);
  const int copies = 3;
  int made = 0;
  EXPECT_EQ(Escape(dc, SETCOPYCOUNT, sizeof copies, reinterpret_cast<LPCSTR>(&copies), &made), 1);
  EXPECT_EQ(made, 1);  // a PDF file makes one copy itself

  DOCINFOA info{sizeof info, "Three pages", nullptr, nullptr, 0};
  ASSERT_GT(StartDocA(dc, &info), 0);
  for (int page = 0; page < 3; ++page) {
    EXPECT_EQ(StartPage(dc), 1);
    EXPECT_EQ(EndPage(dc), 1);
  }
  EXPECT_FALSE(kwtest::fs::exists(pdf_));  // nothing in place until the job ends
  EXPECT_EQ(EndDoc(dc), 1);
  EXPECT_EQ(kwtest::pdfInfo(pdf_, "Pages"), "3");
  EXPECT_EQ(kwtest::pdfInfo(pdf_, "Page size"), "612 x 792 pts (letter)");
  EXPECT_EQ(kwtest::pdfInfo(pdf_, "Title"), "Three pages");
  EXPECT_EQ(StartPage(dc), SP_ERROR);  // no job any more
  DeleteDC(dc);

  // Landscape A4 from a device mode.
  DEVMODEA mode{};
  mode.dmSize = sizeof mode;
  mode.dmFields = DM_PAPERSIZE | DM_ORIENTATION;
  mode.dmPaperSize = DMPAPER_A4;
  mode.dmOrientation = DMORIENT_LANDSCAPE;
  dc = CreateDCA(nullptr, "File PDF", nullptr, &mode);
  ASSERT_NE(dc, nullptr);
  ASSERT_GT(StartDocA(dc, &info), 0);
  StartPage(dc);
  EXPECT_EQ(EndDoc(dc), 1);  // ends the open page too
  EXPECT_EQ(kwtest::pdfInfo(pdf_, "Pages"), "1");
  EXPECT_EQ(kwtest::pdfInfo(pdf_, "Page size"), "841.92 x 595.32 pts (A4)");
  DeleteDC(dc);
}

TEST_F(PrintJob, FailuresLeaveNoFileBehind) {
  HDC dc = CreateDCA(nullptr, "File PDF", nullptr, nullptr);
  DOCINFOA info{sizeof info, "Stopped", nullptr, nullptr, 0};
  pagesAllowed = 1;
  EXPECT_EQ(SetAbortProc(dc, stopAfter), 1);
  ASSERT_GT(StartDocA(dc, &info), 0);
  StartPage(dc);
  EXPECT_EQ(EndPage(dc), 1);
  StartPage(dc);
  EXPECT_EQ(EndPage(dc), SP_APPABORT);
  EXPECT_EQ(EndDoc(dc), SP_ERROR);
  ASSERT_GT(StartDocA(dc, &info), 0);
  EXPECT_EQ(AbortDoc(dc), 1);
  EXPECT_FALSE(kwtest::fs::exists(pdf_));
  DeleteDC(dc);
  for (const auto& entry : kwtest::fs::directory_iterator(dir_))
    EXPECT_EQ(entry.path().filename().string().find(".part"), std::string::npos) << entry.path();

  dc = CreateDCA(nullptr, "Nowhere", nullptr, nullptr);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(StartDocA(dc, &info), SP_OUTOFDISK);
  DeleteDC(dc);
  dc = CreateDCA(nullptr, "Line", nullptr, nullptr);  // a port that leads nowhere here
  EXPECT_EQ(StartDocA(dc, &info), SP_ERROR);
  DeleteDC(dc);
  dc = CreateICA(nullptr, "File PDF", nullptr, nullptr);
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 600);
  EXPECT_EQ(StartDocA(dc, &info), SP_ERROR);  // an information context prints nothing
  DeleteDC(dc);
  EXPECT_EQ(CreateDCA(nullptr, "Nobody", nullptr, nullptr), nullptr);
  EXPECT_EQ(StartDocA(nullptr, &info), SP_ERROR);
}

TEST_F(PrintJob, WhatIsDrawnOnThePageIsInThePdf) {
  HDC dc = CreateDCA(nullptr, "File PDF", nullptr, nullptr);
  ASSERT_NE(dc, nullptr);
  DOCINFOA info{sizeof info, "Drawn", nullptr, nullptr, 0};
  ASSERT_GT(StartDocA(dc, &info), 0);
  StartPage(dc);
  // One black inch square, its corner one inch from the page's top left.
  RECT square{600, 600, 1200, 1200};
  EXPECT_EQ(FillRect(dc, &square, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))), 1);
  EXPECT_EQ(EndDoc(dc), 1);
  DeleteDC(dc);
  // Rendered at 10 pixels to the inch: pixels 10..19 are black, the rest white.
  const std::string pgm = kwtest::run("pdftoppm -r 10 -gray -aa no -aaVector no '" + pdf_ + "' | tail -c +1");
  const size_t header = pgm.find("255\n");
  ASSERT_NE(header, std::string::npos) << pgm.substr(0, 40);
  const std::string pixels = pgm.substr(header + 4);
  ASSERT_EQ(pixels.size(), 85u * 110u);
  auto at = [&](int x, int y) { return static_cast<unsigned char>(pixels[static_cast<size_t>(y) * 85 + x]); };
  EXPECT_EQ(at(15, 15), 0);
  EXPECT_EQ(at(10, 10), 0);
  EXPECT_EQ(at(19, 19), 0);
  EXPECT_EQ(at(9, 15), 255);
  EXPECT_EQ(at(20, 15), 255);
  EXPECT_EQ(at(50, 80), 255);
}
