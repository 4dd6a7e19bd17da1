// The printer setup dialog driven as a user drives it: a timer of the test's thread picks
// lines, double-clicks and presses the buttons while the modal dialog runs.
#include <korvane/print.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "frame/state.h"
#include "print_fixture.h"

namespace {

std::function<void(HWND)> script;
int broadcasts = 0;
std::vector<std::string> boxes;

int boxHook(HWND, LPCSTR text, LPCSTR caption, UINT) {
  boxes.push_back(std::string(caption ? caption : "") + ": " + (text ? text : ""));
  return IDOK;
}

// Picks A4 in the printer's properties dialog and presses its OK.
void CALLBACK choosePaper(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  HWND props = GetActiveWindow();
  HWND paper = GetDlgItem(props, 101);
  const LRESULT a4 = SendMessageA(paper, CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("A4"));
  SendMessageA(paper, CB_SETCURSEL, a4, 0);
  SendMessageA(GetDlgItem(props, IDOK), BM_CLICK, 0, 0);
}

void CALLBACK runScript(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  HWND dialog = FindWindowA(nullptr, "Printer Setup");
  EXPECT_NE(dialog, nullptr);
  auto steps = std::move(script);
  script = nullptr;
  if (dialog && steps) steps(dialog);
}

LRESULT CALLBACK counter(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_WININICHANGE) ++broadcasts;
  return DefWindowProcA(window, message, wParam, lParam);
}

std::vector<std::string> lines(HWND dialog) {
  std::vector<std::string> out;
  const int count = static_cast<int>(SendDlgItemMessageA(dialog, 900, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char text[600] = "";
    SendDlgItemMessageA(dialog, 900, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
    out.push_back(text);
  }
  return out;
}

std::string selected(HWND dialog) {
  const LRESULT at = SendDlgItemMessageA(dialog, 900, LB_GETCURSEL, 0, 0);
  char text[600] = "";
  if (at >= 0) SendDlgItemMessageA(dialog, 900, LB_GETTEXT, at, reinterpret_cast<LPARAM>(text));
  return text;
}

// Selects the line that begins with `prefix` as a click (or a double click) would.
void pick(HWND dialog, const std::string& prefix, WORD note = LBN_SELCHANGE) {
  HWND list = GetDlgItem(dialog, 900);
  const LRESULT at = SendMessageA(list, LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(prefix.c_str()));
  ASSERT_GE(at, 0) << prefix;
  SendMessageA(list, LB_SETCURSEL, at, 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(900, note), reinterpret_cast<LPARAM>(list));
}

void press(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

class PrinterSetup : public PrintFixture {
 protected:
  void SetUp() override {
    PrintFixture::SetUp();
    out_ = (dir_ / "out.pdf").string();
    a_ = (dir_ / "a.pdf").string();
    b_ = (dir_ / "b.pdf").string();
    winIni("[devices]\nFile PDF=PDF Writer," + out_ + "\nTwin=PDF Writer," + a_ + ", " + b_ +
           "\nPortless=Generic,None\n[windows]\ndevice=File PDF,PDF Writer," + out_ + "\n");
    WNDCLASSA cls{};
    cls.lpfnWndProc = counter;
    cls.lpszClassName = "SetupBroadcastCounter";
    RegisterClassA(&cls);
    listener_ = CreateWindowExA(0, "SetupBroadcastCounter", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                nullptr, nullptr);
    broadcasts = 0;
    lstrcpyA(device_, "File PDF");
    lstrcpyA(driver_, "PDF Writer");
    lstrcpyA(port_, out_.c_str());
    mode_ = PrintGetDevMode(0, device_, driver_, port_, 0);
    ASSERT_NE(mode_, nullptr);
  }
  void TearDown() override {
    if (mode_ && GlobalSize(mode_)) GlobalFree(mode_);
    DestroyWindow(listener_);
    UnregisterClassA("SetupBroadcastCounter", nullptr);
    PrintFixture::TearDown();
  }
  int run(std::function<void(HWND)> steps, BOOL hidePortless = FALSE, HINSTANCE instance = nullptr, UINT id = 0) {
    script = std::move(steps);
    SetTimer(nullptr, 0, 1, runScript);
    return PrintPrinterSetupExt(listener_, &mode_, device_, driver_, port_, "unused", hidePortless, instance, id);
  }
  std::string defaultDevice() {
    char text[600] = "";
    GetProfileStringA("windows", "device", "", text, sizeof text);
    return text;
  }
  std::string out_, a_, b_;
  HWND listener_ = nullptr;
  CHAR device_[260], driver_[260], port_[260];
  HGLOBAL mode_ = nullptr;
};

}  // namespace

TEST_F(PrinterSetup, CancelAndAnUnchangedOkLeaveEverythingAlone) {
  std::vector<std::string> shown;
  std::string first;
  const HGLOBAL before = mode_;
  EXPECT_EQ(run([&](HWND dialog) {
              shown = lines(dialog);
              first = selected(dialog);
              pick(dialog, "Twin");
              press(dialog, IDCANCEL);
            }),
            0);
  EXPECT_EQ(first, "File PDF on " + out_);
  // One line per printer and port: the two-port printer twice.
  EXPECT_EQ(std::count(shown.begin(), shown.end(), "Twin on " + a_), 1);
  EXPECT_EQ(std::count(shown.begin(), shown.end(), "Twin on " + b_), 1);
  EXPECT_EQ(std::count(shown.begin(), shown.end(), "Portless on None"), 1);
  EXPECT_EQ(mode_, before);
  EXPECT_STREQ(device_, "File PDF");
  EXPECT_EQ(defaultDevice(), "File PDF,PDF Writer," + out_);

  broadcasts = 0;
  EXPECT_EQ(run([](HWND dialog) { press(dialog, IDOK); }), 0);
  EXPECT_EQ(broadcasts, 0);
  EXPECT_EQ(mode_, before);

  EXPECT_EQ(run([&](HWND dialog) {
              shown = lines(dialog);
              press(dialog, IDCANCEL);
            },
                TRUE),
            0);
  EXPECT_EQ(std::count(shown.begin(), shown.end(), "Portless on None"), 0);
}

TEST_F(PrinterSetup, AnotherPrinterBecomesTheDefaultAndTheSavedSetup) {
  const int chosen = run([](HWND dialog) { pick(dialog, "Twin on ", LBN_DBLCLK); });  // the double click is OK
  EXPECT_NE(chosen, 0);
  EXPECT_STREQ(device_, "Twin");
  EXPECT_EQ(std::string(port_), a_);  // the port of the line chosen
  EXPECT_EQ(defaultDevice(), "Twin,PDF Writer," + a_);
  EXPECT_EQ(broadcasts, 2);  // win.ini written, then the "windows" section

  // The saved setup answers for the new choice.
  HGLOBAL saved = PrintGetDevMode(0, "Twin", "PDF Writer", a_.c_str(), 0);
  EXPECT_NE(saved, nullptr);
  if (saved) GlobalFree(saved);
  char found[260] = "";
  EXPECT_EQ(PrintGetDefaultPrinter(found, nullptr, nullptr), 1);
  EXPECT_STREQ(found, "Twin");
}

TEST_F(PrinterSetup, SurvivesNestedDialogsLongNamesAndForeignHandles) {
  // A second setup dialog opened and closed while the first is up: the first still
  // reads its own list of printers afterwards.
  int inner = -1;
  const int outer = run([&](HWND dialog) {
    HGLOBAL other = nullptr;
    CHAR d[260] = "", dr[260] = "", p[260] = "";
    script = [](HWND second) { press(second, IDCANCEL); };
    SetTimer(nullptr, 0, 1, runScript);
    inner = PrintPrinterSetup(dialog, &other, d, dr, p, nullptr);
    pick(dialog, "Twin on ");
    press(dialog, IDOK);
  });
  EXPECT_EQ(inner, 0);
  EXPECT_NE(outer, 0);
  EXPECT_STREQ(device_, "Twin");

  // A device name of 259 bytes and a handle that is no global block.
  std::string longName(259, 'x');
  lstrcpyA(device_, longName.c_str());
  HGLOBAL foreign = reinterpret_cast<HGLOBAL>(0x1234);
  std::swap(foreign, mode_);
  EXPECT_EQ(run([](HWND dialog) { press(dialog, IDCANCEL); }), 0);
  std::swap(foreign, mode_);
  EXPECT_EQ(foreign, reinterpret_cast<HGLOBAL>(0x1234));
  EXPECT_EQ(std::string(device_), longName);
  EXPECT_EQ(PrintPrinterSetup(listener_, nullptr, device_, driver_, port_, nullptr), 0);
}

TEST_F(PrinterSetup, NewPaperFromThePrintersPropertiesIsAChange) {
  boxes.clear();
  KwSetMessageBoxHook(boxHook);
  const HGLOBAL before = mode_;
  const int chosen = run(
      [](HWND dialog) {
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, 4)));
        SetTimer(nullptr, 0, 1, choosePaper);
        press(dialog, 4);  // Setup: the printer's own dialog
        press(dialog, IDOK);
      },
      FALSE, kv::gpState->module, 1963);
  KwSetMessageBoxHook(nullptr);
  EXPECT_NE(chosen, 0);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "Printer Setup: Printing Error");  // the caller's string, the dialog's caption
  ASSERT_NE(mode_, nullptr);
  EXPECT_NE(mode_, before);  // the old one was freed and replaced
  auto* mode = static_cast<DEVMODEA*>(GlobalLock(mode_));
  EXPECT_EQ(mode->dmPaperSize, DMPAPER_A4);
  GlobalUnlock(mode_);
  EXPECT_EQ(defaultDevice(), "File PDF,PDF Writer," + out_);  // same printer: win.ini untouched
}
