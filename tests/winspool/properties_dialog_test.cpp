// The printer's properties dialog of DocumentPropertiesA(DM_IN_PROMPT), driven by a timer
// of the test's thread while the modal dialog runs.
#include <cstring>
#include <functional>

#include "printer_fixture.h"

namespace {

std::function<void(HWND)> steps;

void CALLBACK drive(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  HWND dialog = GetActiveWindow();
  char caption[128] = "";
  GetWindowTextA(dialog, caption, sizeof caption);
  EXPECT_STREQ(caption, "File PDF Properties");
  auto run = std::move(steps);
  if (run) run(dialog);
}

void choose(HWND dialog, int id, int index) {
  HWND box = GetDlgItem(dialog, id);
  SendMessageA(box, CB_SETCURSEL, index, 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
}

int indexOf(HWND dialog, int id, const char* text) {
  return static_cast<int>(
      SendDlgItemMessageA(dialog, id, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text)));
}

class Properties : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = kwtest::makeTempDir("korvane-props");
    setenv("CUPS_SERVER", (dir_ / "none.sock").c_str(), 1);
    kwtest::writeWinIni(dir_ / "win.ini", "[devices]\nFile PDF=PDF Writer," + (dir_ / "o.pdf").string() + "\n");
    ASSERT_TRUE(OpenPrinterA(const_cast<LPSTR>("File PDF"), &printer_, nullptr));
  }
  void TearDown() override {
    ClosePrinter(printer_);
    KwConfigureWinIni(nullptr);
    unsetenv("CUPS_SERVER");
    kwtest::fs::remove_all(dir_);
  }
  LONG prompt(std::function<void(HWND)> script, DEVMODEA* out, DEVMODEA* in) {
    steps = std::move(script);
    SetTimer(nullptr, 0, 1, drive);
    const DWORD mode = DM_IN_PROMPT | DM_OUT_BUFFER | (in ? DM_IN_BUFFER : 0);
    return DocumentPropertiesA(nullptr, printer_, const_cast<LPSTR>("File PDF"), out, in, mode);
  }
  kwtest::fs::path dir_;
  HANDLE printer_ = nullptr;
};

}  // namespace

TEST_F(Properties, OkWritesTheChoicesCancelWritesNothing) {
  DEVMODEA in{};
  ASSERT_EQ(DocumentPropertiesA(nullptr, printer_, nullptr, &in, nullptr, DM_OUT_BUFFER), IDOK);
  EXPECT_EQ(in.dmPaperSize, DMPAPER_LETTER);

  DEVMODEA out{};
  bool duplexOff = false, colourOff = false;
  EXPECT_EQ(prompt(
                [&](HWND dialog) {
                  EXPECT_EQ(SendDlgItemMessageA(dialog, 101, CB_GETCOUNT, 0, 0), 7);  // the PDF printer's papers
                  const int a4 = indexOf(dialog, 101, "A4 210 x 297 mm");
                  ASSERT_GE(a4, 0);
                  choose(dialog, 101, a4);
                  choose(dialog, 102, 1);  // landscape
                  SetDlgItemTextA(dialog, 103, "3");
                  // A PDF file has no two-sided printing or colour choice to make.
                  duplexOff = !IsWindowEnabled(GetDlgItem(dialog, 104));
                  colourOff = !IsWindowEnabled(GetDlgItem(dialog, 105));
                  SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
                },
                &out, &in),
            IDOK);
  EXPECT_EQ(out.dmPaperSize, DMPAPER_A4);
  EXPECT_EQ(out.dmPaperWidth, 2100);
  EXPECT_EQ(out.dmOrientation, DMORIENT_LANDSCAPE);
  EXPECT_EQ(out.dmCopies, 3);
  EXPECT_TRUE(duplexOff);
  EXPECT_TRUE(colourOff);
  EXPECT_STREQ(reinterpret_cast<const char*>(out.dmDeviceName), "File PDF");

  DEVMODEA untouched;
  std::memset(&untouched, 0xAB, sizeof untouched);
  const DEVMODEA before = untouched;
  EXPECT_EQ(prompt([](HWND dialog) { SendMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0); }, &untouched,
                   &out),
            IDCANCEL);
  EXPECT_EQ(std::memcmp(&untouched, &before, sizeof before), 0);

  // The mode it starts from is shown: A4 landscape comes back as it went in.
  DEVMODEA again{};
  EXPECT_EQ(prompt([](HWND dialog) { SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0); }, &again, &out), IDOK);
  EXPECT_EQ(again.dmPaperSize, DMPAPER_A4);
  EXPECT_EQ(again.dmOrientation, DMORIENT_LANDSCAPE);
}
