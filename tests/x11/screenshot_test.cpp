// The printer setup dialog and the print progress dialog as a person sees them, compared
// with committed reference images. The captures stay in the test's directory to look at.
#include <gtest/gtest.h>
#include <korvane/korvane.h>
#include <korvane/platform.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <future>

#include "x_display.h"
#include "x_session.h"

namespace {

constexpr double kAllowedShare = 0.01;  // of pixels differing beyond the threshold

// Printers of a private win.ini at a fixed place: their ports are part of the pictures.
class Shots : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(dir_);
    setenv("CUPS_SERVER", (dir_ + "/none.sock").c_str(), 1);
    std::ofstream(dir_ + "/win.ini") << "[devices]\nFile PDF=PDF Writer," << dir_
                                     << "/out.pdf\nArchive=PDF Writer," << dir_ << "/archive.pdf\n[windows]\ndevice=File PDF,PDF Writer,"
                                     << dir_ << "/out.pdf\n";
    KwConfigureWinIni((dir_ + "/win.ini").c_str());
  }
  void TearDown() override {
    KwConfigureWinIni(nullptr);
    unsetenv("CUPS_SERVER");
    std::filesystem::remove_all(dir_);
  }
  const std::string dir_ = "/tmp/korvane-x11-shots";
};

// Captures the window titled `caption` under `name`.png; the share that differs.
double shoot(const std::string& caption, const std::string& name) {
  const std::string id = kwtest::findXWindow(caption);
  if (id.empty()) return 1;
  cairo_surface_t* shot = kwtest::captureWindow(id, name + ".png");
  if (!shot) return 1;
  const double share = kwtest::compareWithReference(shot, name);
  cairo_surface_destroy(shot);
  return share;
}

int gPagesPainted = 0;
double gProgressShare = 1;

BOOL KV_CALL paintPage(HDC dc, int code, LPRECT, DWORD, int, int, int) {
  if (code != PRINT_CODE_PAINT) return TRUE;
  TextOutA(dc, 100, -100, "Shot", 4);
  if (++gPagesPainted == 1) {
    kwtest::pumpFor(400);  // the dialog paints while the page waits
    gProgressShare = shoot("Report", "print_progress");
  }
  return TRUE;
}

BOOL KV_CALL onePage(DWORD) { return FALSE; }

}  // namespace

TEST_F(Shots, PrinterSetupDialog) {
  CHAR device[260] = "File PDF", driver[260] = "PDF Writer", port[260];
  std::snprintf(port, sizeof port, "%s/out.pdf", dir_.c_str());
  HGLOBAL mode = PrintGetDevMode(0, device, driver, port, 0);
  ASSERT_NE(mode, nullptr);
  auto share = std::async(std::launch::async, [] {
    if (kwtest::findFocusedXWindow("Printer Setup").empty()) return 1.0;
    std::this_thread::sleep_for(std::chrono::milliseconds(400));  // painted by then
    const double s = shoot("Printer Setup", "printer_setup");
    kwtest::shell("xdotool key Escape");
    return s;
  });
  EXPECT_EQ(PrintPrinterSetupExt(nullptr, &mode, device, driver, port, "unused", FALSE, nullptr, 0), 0);
  EXPECT_LT(share.get(), kAllowedShare) << "see printer_setup.png beside the test";
  GlobalFree(mode);
}

TEST_F(Shots, PrintProgressDialog) {
  PRINTJOB job{};
  job.nCopies = 1;
  job.cxPage = 8000;
  job.cyPage = 10000;
  job.bAllPages = TRUE;
  job.lpfnPaint = paintPage;
  job.lpfnMorePages = onePage;
  job.desc.lpszTitle = "Report";
  job.desc.lpszDocName = "Quarterly";
  job.desc.lpszLine1 = "Printing";
  job.desc.lpszLine2 = "the report";
  std::snprintf(job.desc.szDevice, sizeof job.desc.szDevice, "File PDF");
  std::snprintf(job.desc.szDriver, sizeof job.desc.szDriver, "PDF Writer");
  std::snprintf(job.desc.szPort, sizeof job.desc.szPort, "%s/out.pdf", dir_.c_str());
  HWND owner = CreateWindowExA(0, "Static", "Shot owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                               nullptr, nullptr, nullptr);
  EXPECT_EQ(PagePrint(owner, &job), 1);
  EXPECT_EQ(job.desc.wResult, PRINT_DONE);
  EXPECT_EQ(gPagesPainted, 1);
  EXPECT_LT(gProgressShare, kAllowedShare) << "see print_progress.png beside the test";
  EXPECT_TRUE(std::filesystem::exists(dir_ + "/out.pdf"));
  DestroyWindow(owner);
}
