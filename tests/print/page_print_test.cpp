// Whole print jobs through PagePrint to a PDF-file printer: the dialog, the owner's
// windows, sheets, tiles, copies, page ranges, cancelling and failures, checked in the
// PDF with poppler's pdfinfo and pdftotext.
#include <korvane/print.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../winspool/printer_fixture.h"
#include "print_fixture.h"

namespace {

std::string pdfPages(const std::string& pdf) { return kwtest::pdfInfo(pdf, "Pages"); }

// The words of the PDF's text, in order.
std::string pdfWords(const std::string& pdf) {
  std::string words;
  for (char c : kwtest::run("pdftotext -q '" + pdf + "' - 2>/dev/null")) {
    if (c == '\n' || c == '\f' || c == ' ') {
      if (!words.empty() && words.back() != ' ') words += ' ';
    } else {
      words += c;
    }
  }
  while (!words.empty() && words.back() == ' ') words.pop_back();
  return words;
}

// What the callbacks of the job under test saw and do.
struct JobRun {
  int pages = 1;        // logical pages the caller has
  int painted = 0;      // paint calls
  int page = 1;         // the caller's page being painted
  int pageNumbers = 0;  // page-number callback calls
  HWND dialog = nullptr, owner = nullptr;
  bool ownerDisabledDuringPaint = false;
  bool closed = false;
  std::vector<RECT> clips;  // each paint's clip box, logical
  std::function<BOOL(HDC)> onPaint;
};
JobRun* run = nullptr;
std::vector<std::string> boxes;

BOOL KV_CALL paint(HDC dc, int code, LPRECT, DWORD, int, int, int) {
  EXPECT_EQ(code, PRINT_CODE_PAINT);
  ++run->painted;
  if (run->owner && !IsWindowEnabled(run->owner)) run->ownerDisabledDuringPaint = true;
  RECT clip;
  GetClipBox(dc, &clip);
  run->clips.push_back(clip);
  char text[32];
  std::snprintf(text, sizeof text, "Page%d", run->page);
  TextOutA(dc, 500, -500, text, static_cast<int>(strlen(text)));
  return run->onPaint ? run->onPaint(dc) : TRUE;
}
BOOL KV_CALL morePages(DWORD) {
  if (run->page >= run->pages) return FALSE;
  ++run->page;
  return TRUE;
}
int KV_CALL pageNumber(DWORD user) { return static_cast<int>(user) + ++run->pageNumbers; }
void KV_CALL opened(HWND dialog) { run->dialog = dialog; }
void KV_CALL closing(HWND) { run->closed = true; }
int boxHook(HWND, LPCSTR text, LPCSTR caption, UINT) {
  boxes.push_back(std::string(caption ? caption : "") + ": " + (text ? text : ""));
  return IDOK;
}

class PagePrintTest : public PrintFixture {
 protected:
  void SetUp() override {
    PrintFixture::SetUp();
    pdf_ = (dir_ / "out.pdf").string();
    winIni("[devices]\nFile PDF=PDF Writer," + pdf_ + "\nNowhere=PDF Writer," + (dir_ / "no" / "x.pdf").string() +
           "\n");
    owner_ = CreateWindowExA(0, "Static", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                             nullptr, nullptr, nullptr);
    ASSERT_NE(owner_, nullptr);
    run_.owner = owner_;
    run = &run_;
    boxes.clear();
    KwSetMessageBoxHook(boxHook);
    job_.nCopies = 1;
    job_.cxPage = 8000;
    job_.cyPage = 10000;
    job_.bAllPages = TRUE;
    job_.bSnap = TRUE;
    job_.lpfnPaint = paint;
    job_.lpfnMorePages = morePages;
    job_.desc.lpszTitle = "Report";
    job_.desc.lpszDocName = "Quarterly";
    job_.desc.lpszLine1 = "Printing";
    job_.desc.lpszLine2 = "the report";
    job_.desc.lpfnOpened = opened;
    job_.desc.lpfnClosing = closing;
    printer("File PDF");
  }
  void TearDown() override {
    KwSetMessageBoxHook(nullptr);
    DestroyWindow(owner_);
    run = nullptr;
    PrintFixture::TearDown();
  }
  void printer(const char* device) {
    std::snprintf(job_.desc.szDevice, sizeof job_.desc.szDevice, "%s", device);
    std::snprintf(job_.desc.szDriver, sizeof job_.desc.szDriver, "PDF Writer");
    std::snprintf(job_.desc.szPort, sizeof job_.desc.szPort, "%s", pdf_.c_str());
  }
  int print() {
    EXPECT_EQ(PagePrint(owner_, &job_), 1);
    return job_.desc.wResult;
  }
  std::string pdf_;
  HWND owner_ = nullptr;
  JobRun run_;
  PRINTJOB job_{};
};

}  // namespace

TEST_F(PagePrintTest, ThreePagesWithTheDialogAndTheOwnerDisabled) {
  run_.pages = 3;
  job_.desc.dwUser = 100;
  job_.desc.lpfnPageNumber = pageNumber;
  std::string captionSeen, printerLine, pageLine;
  run_.onPaint = [&](HDC) {
    char text[300];
    GetWindowTextA(run->dialog, text, sizeof text);
    captionSeen = text;
    GetDlgItemTextA(run->dialog, 803, text, sizeof text);
    printerLine = text;
    GetDlgItemTextA(run->dialog, 802, text, sizeof text);
    pageLine = text;
    return TRUE;
  };
  EXPECT_EQ(print(), PRINT_DONE);
  EXPECT_EQ(run_.painted, 3);
  EXPECT_EQ(pdfPages(pdf_), "3");
  EXPECT_EQ(pdfWords(pdf_), "Page1 Page2 Page3");
  EXPECT_EQ(captionSeen, "Report");
  EXPECT_EQ(printerLine, "File PDF on " + pdf_);
  EXPECT_EQ(pageLine, "Printing Page: 103");  // the caller's numbers, one per sheet
  EXPECT_EQ(run_.pageNumbers, 3);
  EXPECT_TRUE(run_.ownerDisabledDuringPaint);
  EXPECT_TRUE(IsWindowEnabled(owner_));
  EXPECT_TRUE(run_.closed);
  EXPECT_FALSE(IsWindow(run_.dialog));
  EXPECT_TRUE(boxes.empty());
  // The logical page in thousandths of an inch, y upwards from its top edge.
  ASSERT_EQ(run_.clips.size(), 3u);
  EXPECT_EQ(run_.clips[0].left, 0);
  EXPECT_EQ(run_.clips[0].right, 8000);
  EXPECT_EQ(std::labs(run_.clips[0].bottom - run_.clips[0].top), 10000);
}

TEST_F(PagePrintTest, FailuresGiveTheirCodes) {
  EXPECT_EQ(PagePrint(nullptr, &job_), 1);
  EXPECT_EQ(job_.desc.wResult, PRINT_NO_OWNER);
  EXPECT_EQ(PagePrint(owner_, nullptr), 1);

  printer("No Such Printer");
  EXPECT_EQ(print(), PRINT_NO_DC);

  printer("Nowhere");  // its file cannot be made: StartDocA refuses the job
  EXPECT_EQ(print(), PRINT_NO_DC);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "Report: Out of Disk Space");
  EXPECT_TRUE(IsWindowEnabled(owner_));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "no" / "x.pdf"));

  EXPECT_EQ(PrintAbort(reinterpret_cast<HDC>(0x1234)), 0);
  EXPECT_EQ(AbortTest(reinterpret_cast<HDC>(0x1234), SP_ERROR), TRUE);
}

TEST_F(PagePrintTest, CancelAbortAndStopEndTheJobWithoutOutput) {
  run_.pages = 3;
  run_.onPaint = [](HDC) {
    if (run->page == 2) PostMessageA(GetDlgItem(run->dialog, IDCANCEL), BM_CLICK, 0, 0);  // Cancel pressed
    return TRUE;
  };
  EXPECT_EQ(print(), PRINT_CANCELLED);
  EXPECT_EQ(run_.painted, 2);
  EXPECT_TRUE(boxes.empty());
  EXPECT_FALSE(std::filesystem::exists(pdf_));
  EXPECT_TRUE(IsWindowEnabled(owner_));

  run_ = JobRun{};
  run_.owner = owner_;
  run_.pages = 3;
  run_.onPaint = [](HDC dc) {
    EXPECT_EQ(AbortTest(dc, SP_OUTOFDISK), FALSE);
    return TRUE;
  };
  EXPECT_EQ(print(), PRINT_NO_DISK);
  EXPECT_EQ(run_.painted, 1);
  EXPECT_FALSE(std::filesystem::exists(pdf_));

  run_ = JobRun{};
  run_.owner = owner_;
  run_.pages = 3;
  run_.onPaint = [](HDC dc) { return PrintAbort(dc) == 1 ? TRUE : FALSE; };
  EXPECT_EQ(print(), PRINT_CANCELLED);
  EXPECT_EQ(run_.painted, 1);

  run_ = JobRun{};
  run_.owner = owner_;
  run_.pages = 3;
  run_.onPaint = [](HDC) { return FALSE; };  // the caller says stop
  EXPECT_EQ(print(), PRINT_STOPPED);
  EXPECT_EQ(run_.painted, 1);
  EXPECT_TRUE(boxes.empty());
}

TEST_F(PagePrintTest, TilesCoverTheLogicalPageExactlyOnce) {
  // Letter is 8500 x 11000 with nothing unprintable; a 12000 x 15000 page at (500, 500)
  // needs two sheets across and two down.
  job_.cxPage = 12000;
  job_.cyPage = 15000;
  job_.xLeft = job_.yTop = 500;
  job_.bTile = TRUE;
  job_.bFrame = TRUE;
  EXPECT_EQ(print(), PRINT_DONE);
  EXPECT_EQ(pdfPages(pdf_), "4");
  EXPECT_EQ(pdfWords(pdf_), "Page1");  // painted on every sheet, it lands on the first only
  ASSERT_EQ(run_.clips.size(), 4u);
  // Tiles in rows: (0 1 / 2 3). Where two tiles meet they share the edge exactly (no gap,
  // no overlap); the outer edges are the page's, to the device's pixel (< 2 units).
  std::vector<RECT> t;
  for (RECT r : run_.clips) {
    if (r.top < r.bottom) std::swap(r.top, r.bottom);  // y upwards: top is the larger
    t.push_back(r);
  }
  EXPECT_EQ(t[0].right, t[1].left);
  EXPECT_EQ(t[2].right, t[3].left);
  EXPECT_EQ(t[0].bottom, t[2].top);
  EXPECT_EQ(t[1].bottom, t[3].top);
  EXPECT_EQ(t[0].left, t[2].left);
  EXPECT_EQ(t[1].right, t[3].right);
  EXPECT_EQ(t[0].top, t[1].top);
  EXPECT_EQ(t[2].bottom, t[3].bottom);
  EXPECT_NEAR(t[0].left, 0, 2);
  EXPECT_NEAR(t[1].right, 12000, 2);
  EXPECT_NEAR(t[0].top, 0, 2);
  EXPECT_NEAR(t[2].bottom, -15000, 2);
  // The first tile shows the page from its corner, 500 in from the sheet's edge; the
  // next continues where the sheet's printable width (in the DC's own scale) ended.
  HDC dc = CreateICA("PDF Writer", "File PDF", nullptr, nullptr);
  SetMapMode(dc, MM_HIENGLISH);
  POINT sheet{GetDeviceCaps(dc, HORZRES), 0};
  DPtoLP(dc, &sheet, 1);
  DeleteDC(dc);
  EXPECT_NEAR(sheet.x, 8500, 10);
  EXPECT_EQ(run_.clips[0].left, 0);
  EXPECT_EQ(run_.clips[0].right, sheet.x - 500);
  EXPECT_EQ(run_.clips[1].left, sheet.x - 500);

  // Without tiling the page is cut to one sheet.
  run_ = JobRun{};
  job_.bTile = FALSE;
  EXPECT_EQ(print(), PRINT_DONE);
  EXPECT_EQ(pdfPages(pdf_), "1");
  ASSERT_EQ(run_.clips.size(), 1u);
  EXPECT_EQ(run_.clips[0].right, sheet.x - 500);
}

TEST_F(PagePrintTest, CopiesAndPageRanges) {
  run_.pages = 2;
  job_.nCopies = 2;  // a PDF file makes one copy: the sheets are repeated
  EXPECT_EQ(print(), PRINT_DONE);
  EXPECT_EQ(pdfWords(pdf_), "Page1 Page1 Page2 Page2");

  DEVMODEA mode{};
  mode.dmSize = sizeof mode;
  mode.dmFields = DM_COPIES;
  mode.dmCopies = 2;  // the device mode asks for copies already: each sheet once
  job_.desc.lpDevMode = &mode;
  run_ = JobRun{};
  run_.pages = 2;
  EXPECT_EQ(print(), PRINT_DONE);
  EXPECT_EQ(pdfWords(pdf_), "Page1 Page2");
  job_.desc.lpDevMode = nullptr;

  // Pages 2 and 3 of 4: the first is passed over without reaching paper.
  job_.nCopies = 1;
  job_.bAllPages = FALSE;
  job_.nFirstPage = 2;
  job_.nLastPage = 3;
  job_.nPageCount = 4;
  run_ = JobRun{};
  run_.pages = 4;
  EXPECT_EQ(print(), PRINT_DONE);
  EXPECT_EQ(pdfWords(pdf_), "Page2 Page3");
  EXPECT_EQ(run_.painted, 3);

  // A range past the count is clamped; a count of 0 prints as 1.
  job_.nFirstPage = 7;
  job_.nLastPage = 9;
  job_.nPageCount = 0;
  run_ = JobRun{};
  run_.pages = 4;
  EXPECT_EQ(print(), PRINT_DONE);
  EXPECT_EQ(job_.nPageCount, 1);
  EXPECT_EQ(pdfWords(pdf_), "Page1");

  // A page of negative size has nothing to paint, but the sheet still comes out.
  job_.cxPage = -5;
  run_ = JobRun{};
  EXPECT_EQ(print(), PRINT_DONE);
  EXPECT_EQ(run_.painted, 0);
  EXPECT_EQ(pdfPages(pdf_), "1");
}

TEST_F(PagePrintTest, NestedJobsOnOneThread) {
  // Each paint starts a job on another DC, three deep: the job table grows and moves
  // while the outer jobs run.
  static int depth = 0;
  run_.onPaint = [this](HDC) {
    if (depth >= 2) return TRUE;
    ++depth;
    HDC dc = CreateDCA("PDF Writer", "File PDF", nullptr, nullptr);
    PRINTJOB job = job_;
    job.desc.hDC = dc;
    job.desc.dwFlags = PRINT_FLAG_NO_DIALOG;
    job.desc.lpfnOpened = nullptr;
    job.desc.lpfnClosing = nullptr;
    EXPECT_EQ(PagePrint(owner_, &job), 1);
    EXPECT_EQ(job.desc.wResult, PRINT_DONE);
    DeleteDC(dc);
    --depth;
    return TRUE;
  };
  EXPECT_EQ(print(), PRINT_DONE);
  EXPECT_EQ(run_.painted, 3);
  EXPECT_EQ(pdfPages(pdf_), "1");
}

TEST_F(PagePrintTest, PageInfoInTenthsOfAMillimetre) {
  DEVMODEA mode{};
  mode.dmSize = sizeof mode;
  mode.dmFields = DM_PAPERSIZE | DM_ORIENTATION;
  mode.dmPaperSize = DMPAPER_A4;
  mode.dmOrientation = DMORIENT_PORTRAIT;
  WORD paper = 0;
  POINT size{};
  RECT printable{};
  ASSERT_EQ(PageGetPageInfo("PDF Writer", "File PDF", pdf_.c_str(), &mode, &paper, &size, &printable), 1);
  EXPECT_EQ(paper, DMPAPER_A4);
  EXPECT_EQ(size.x, 2100);
  EXPECT_EQ(size.y, 2970);
  EXPECT_EQ(printable.left, 0);
  EXPECT_NEAR(printable.right, 2100, 1);
  EXPECT_NEAR(printable.bottom, 2970, 1);

  mode.dmOrientation = DMORIENT_LANDSCAPE;
  ASSERT_EQ(PageGetPageInfo("PDF Writer", "File PDF", pdf_.c_str(), &mode, &paper, &size, &printable), 1);
  EXPECT_EQ(size.x, 2970);
  EXPECT_NEAR(printable.right, 2970, 1);

  mode.dmOrientation = DMORIENT_PORTRAIT;
  mode.dmFields |= DM_PAPERWIDTH | DM_PAPERLENGTH;
  mode.dmPaperSize = DMPAPER_USER;
  mode.dmPaperWidth = 1500;
  mode.dmPaperLength = 2500;
  ASSERT_EQ(PageGetPageInfo("PDF Writer", "File PDF", pdf_.c_str(), &mode, &paper, &size, &printable), 1);
  EXPECT_EQ(paper, DMPAPER_USER);
  EXPECT_EQ(size.x, 1500);
  EXPECT_EQ(size.y, 2500);

  // A sheet a tenth of a millimetre long, sized through the fields only: the device still
  // has a size, so the page has one too (the fuzzer's finding).
  mode.dmFields = DM_PAPERWIDTH | DM_PAPERLENGTH;
  mode.dmPaperWidth = 9;
  mode.dmPaperLength = 1;
  ASSERT_EQ(PageGetPageInfo("PDF Writer", "File PDF", pdf_.c_str(), &mode, &paper, &size, &printable), 1);
  EXPECT_GT(size.x, 0);
  EXPECT_GT(size.y, 0);

  // A record that ends before the fields it names is read only as far as its dmSize (an
  // overrun under ASan before; the fuzzer's finding): the printer's paper applies.
  const size_t shortSize = offsetof(DEVMODEA, dmFields) + sizeof(DWORD);
  std::unique_ptr<char[]> shortRecord(new char[shortSize]());
  auto* cut = reinterpret_cast<DEVMODEA*>(shortRecord.get());
  cut->dmSize = static_cast<WORD>(shortSize);
  cut->dmFields = DM_PAPERSIZE | DM_ORIENTATION;
  ASSERT_EQ(PageGetPageInfo("PDF Writer", "File PDF", pdf_.c_str(), cut, &paper, &size, &printable), 1);
  EXPECT_NEAR(size.x, 2159, 1);  // from the device, whole millimetres

  // The printer's own default: Letter.
  paper = 0;
  ASSERT_EQ(PageGetPageInfo("PDF Writer", "File PDF", pdf_.c_str(), nullptr, &paper, &size, &printable), 1);
  EXPECT_EQ(size.x, 2159);
  EXPECT_EQ(PageGetPageInfo("PDF Writer", "No Such Printer", "x", nullptr, &paper, &size, &printable), 0);
  EXPECT_EQ(PageGetPageInfo("PDF Writer", "File PDF", "x", nullptr, &paper, nullptr, &printable), 0);
}
