// The queues of a private CUPS server, started for these tests alone.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

#include <korvane/print.h>

#include "printer_fixture.h"

namespace {

class Cups : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new kwtest::fs::path(kwtest::makeTempDir("kvcups"));
    const std::string start = std::string(KORVANE_CUPSD_SCRIPT) + " start " + dir_->string() + " > /dev/null";
    started_ = std::system(start.c_str()) == 0;
  }
  static void TearDownTestSuite() {
    std::system((std::string(KORVANE_CUPSD_SCRIPT) + " stop " + dir_->string()).c_str());
    std::error_code ignored;
    kwtest::fs::remove_all(*dir_, ignored);
    delete dir_;
  }
  void SetUp() override {
    ASSERT_TRUE(started_) << "the private cupsd did not start; see " << dir_->string();
    setenv("CUPS_SERVER", (*dir_ / "cups.sock").c_str(), 1);
    kwtest::writeWinIni(*dir_ / "win.ini", "");
  }
  void TearDown() override {
    KwConfigureWinIni(nullptr);
    unsetenv("CUPS_SERVER");
  }
  static kwtest::fs::path* dir_;
  static bool started_;
};

kwtest::fs::path* Cups::dir_ = nullptr;
bool Cups::started_ = false;

}  // namespace

TEST_F(Cups, QueuesAreListedWithWhatTheServerSaysOfThem) {
  auto printers = kwtest::enumerate(PRINTER_ENUM_LOCAL, 2);
  ASSERT_EQ(printers.count, 1u);
  const auto& q = printers.at<PRINTER_INFO_2A>(0);
  EXPECT_STREQ(q.pPrinterName, "kvfile");
  EXPECT_STREQ(q.pPortName, "CUPS:kvfile");
  EXPECT_STREQ(q.pLocation, "Test bench");
  EXPECT_STREQ(q.pComment, "Private queue");
  EXPECT_EQ(q.Attributes & PRINTER_ATTRIBUTE_DEFAULT, static_cast<DWORD>(PRINTER_ATTRIBUTE_DEFAULT));
  EXPECT_EQ(q.pDevMode->dmPaperSize, DMPAPER_A4);  // the queue's default, not the locale's
  EXPECT_TRUE(q.pDevMode->dmFields & DM_DUPLEX);

  const int n = DeviceCapabilitiesA("kvfile", nullptr, DC_PAPERS, nullptr, nullptr);
  ASSERT_EQ(n, 3);
  std::vector<WORD> codes(n);
  DeviceCapabilitiesA("kvfile", nullptr, DC_PAPERS, reinterpret_cast<LPSTR>(codes.data()), nullptr);
  std::sort(codes.begin(), codes.end());
  EXPECT_EQ(codes, (std::vector<WORD>{DMPAPER_LETTER, DMPAPER_LEGAL, DMPAPER_A4}));
  EXPECT_GT(DeviceCapabilitiesA("kvfile", nullptr, DC_COPIES, nullptr, nullptr), 1);

  HANDLE h = nullptr;
  ASSERT_TRUE(OpenPrinterA(const_cast<LPSTR>("KVFILE"), &h, nullptr));
  DEVMODEA want{};
  want.dmSize = sizeof want;
  want.dmFields = DM_DUPLEX | DM_PAPERSIZE;
  want.dmDuplex = DMDUP_VERTICAL;
  want.dmPaperSize = DMPAPER_LEGAL;
  DEVMODEA got{};
  ASSERT_EQ(DocumentPropertiesA(nullptr, h, nullptr, &got, &want, DM_IN_BUFFER | DM_OUT_BUFFER), 1);
  EXPECT_EQ(got.dmDuplex, DMDUP_VERTICAL);
  EXPECT_EQ(got.dmPaperSize, DMPAPER_LEGAL);
  EXPECT_EQ(got.dmPaperLength, 3556);
  ClosePrinter(h);
}

TEST_F(Cups, DeclarationsAndTheProfileDefaultComeFirst) {
  kwtest::writeWinIni(*dir_ / "win.ini",
                      "[devices]\nkvfile=Declared Driver,/tmp/kvfile-declared.pdf\n"
                      "Other=Other Driver,LPT1:\n"
                      "[windows]\ndevice=Other,Other Driver,LPT1:\n");
  auto printers = kwtest::enumerate(PRINTER_ENUM_LOCAL, 2);
  ASSERT_EQ(printers.count, 2u);  // the declared "kvfile" stands for the queue of that name
  EXPECT_STREQ(printers.at<PRINTER_INFO_2A>(0).pDriverName, "Declared Driver");
  EXPECT_EQ(printers.at<PRINTER_INFO_2A>(0).Attributes & PRINTER_ATTRIBUTE_DEFAULT, 0u);
  EXPECT_STREQ(printers.at<PRINTER_INFO_2A>(1).pPrinterName, "Other");
  EXPECT_NE(printers.at<PRINTER_INFO_2A>(1).Attributes & PRINTER_ATTRIBUTE_DEFAULT, 0u);

  // A default the profile names but nobody declares: the server's default stands.
  kwtest::writeWinIni(*dir_ / "win.ini", "[windows]\ndevice=Gone,Driver,LPT1:\n");
  auto only = kwtest::enumerate(PRINTER_ENUM_DEFAULT, 4);
  ASSERT_EQ(only.count, 1u);
  EXPECT_STREQ(only.at<PRINTER_INFO_4A>(0).pPrinterName, "kvfile");
}

TEST_F(Cups, AJobReachesTheQueueAsPdf) {
  const kwtest::fs::path out = *dir_ / "out" / "kvfile.pdf";
  HDC dc = CreateDCA(nullptr, "kvfile", nullptr, nullptr);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(GetDeviceCaps(dc, PHYSICALWIDTH), 4961);  // the queue's A4 at 600 dpi
  DOCINFOA info{sizeof info, "To the queue", nullptr, nullptr, 0};
  ASSERT_GT(StartDocA(dc, &info), 0);
  for (int page = 0; page < 2; ++page) {
    StartPage(dc);
    EndPage(dc);
  }
  EXPECT_EQ(EndDoc(dc), 1);
  DeleteDC(dc);
  // The server prints in the background: wait for the file device to have the whole job.
  std::string pages;
  for (int tries = 0; tries < 100 && pages != "2"; ++tries) {
    if (kwtest::fs::exists(out)) pages = kwtest::pdfInfo(out.string(), "Pages");
    if (pages != "2") std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  EXPECT_EQ(pages, "2");
  EXPECT_EQ(kwtest::pdfInfo(out.string(), "Title"), "To the queue");
}

namespace {
int queuePages = 0;
BOOL KV_CALL paintQueuePage(HDC dc, int, LPRECT, DWORD, int, int, int) {
  char text[16];
  const int n = std::snprintf(text, sizeof text, "Sheet%d", ++queuePages);
  TextOutA(dc, 1000, -1000, text, n);
  return TRUE;
}
BOOL KV_CALL twoPages(DWORD) { return queuePages < 2; }
}  // namespace

TEST_F(Cups, PagePrintSendsItsJobToTheQueueWithTheQueuesOwnCopies) {
  const kwtest::fs::path out = *dir_ / "out" / "kvfile.pdf";
  kwtest::fs::remove(out);
  HWND owner = CreateWindowExA(0, "Static", "owner", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  PRINTJOB job{};
  job.nCopies = 2;  // the queue makes copies itself: each sheet is painted once
  job.cxPage = 8000;
  job.cyPage = 10000;
  job.bAllPages = TRUE;
  job.bSnap = TRUE;
  job.lpfnPaint = paintQueuePage;
  job.lpfnMorePages = twoPages;
  job.desc.lpszDocName = "Through PagePrint";
  std::snprintf(job.desc.szDevice, sizeof job.desc.szDevice, "kvfile");
  queuePages = 0;
  EXPECT_EQ(PagePrint(owner, &job), 1);
  EXPECT_EQ(job.desc.wResult, PRINT_DONE);
  EXPECT_EQ(queuePages, 2);
  DestroyWindow(owner);
  std::string text;
  for (int tries = 0; tries < 100 && text.find("Sheet2") == std::string::npos; ++tries) {
    if (kwtest::fs::exists(out)) text = kwtest::run("pdftotext -q '" + out.string() + "' - 2>/dev/null");
    if (text.find("Sheet2") == std::string::npos) std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  EXPECT_NE(text.find("Sheet1"), std::string::npos);
  EXPECT_NE(text.find("Sheet2"), std::string::npos);
  EXPECT_EQ(kwtest::pdfInfo(out.string(), "Title"), "Through PagePrint");
}
