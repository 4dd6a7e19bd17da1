// A wizard of three real dialogs, its buttons pressed by a CBT hook as each one activates.
#include <gtest/gtest.h>
#include <korvane/korvane.h>

#include <deque>
#include <vector>

#include "dialog_resources.h"

namespace {

constexpr int kBack = 3;

std::deque<int> gPresses;  // the buttons to press, one per dialog shown
std::vector<int> gShown;   // the steps the dialogs were shown for
int gPastTheEnd = -1;      // what the last step's Finish sets as the next step
HHOOK gHook = nullptr;

LRESULT CALLBACK pressingHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && !gPresses.empty()) {
    PostMessageA(reinterpret_cast<HWND>(wParam), WM_COMMAND, MAKEWPARAM(gPresses.front(), BN_CLICKED), 0);
    gPresses.pop_front();
  }
  return CallNextHookEx(gHook, code, wParam, lParam);
}

INT_PTR CALLBACK stepProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* wizard = reinterpret_cast<DLGWIZARD*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    gShown.push_back(reinterpret_cast<DLGWIZARD*>(lParam)->nCurrent);
    return TRUE;
  }
  if (message != WM_COMMAND || wizard == nullptr) return FALSE;
  switch (LOWORD(wParam)) {
    case IDOK:
      wizard->nNext = wizard->nCurrent + 1 == wizard->nSteps ? gPastTheEnd : wizard->nCurrent + 1;
      EndDialog(dialog, IDOK);
      return TRUE;
    case kBack:
      wizard->nNext = wizard->nCurrent - 1;
      EndDialog(dialog, IDOK);
      return TRUE;
    case IDCANCEL:
      EndDialog(dialog, IDCANCEL);
      return TRUE;
  }
  return FALSE;
}

DLGPROC gProcs[3] = {stepProc, stepProc, stepProc};

DLGWIZARD wizard(int next = 0) {
  return DLGWIZARD{nullptr, nullptr, kvtest::testModule(), "STEP1\0STEP2\0STEP3\0", gProcs, 3, -7, next};
}

int run(DLGWIZARD& w, std::deque<int> presses) {
  gPresses = std::move(presses);
  gShown.clear();
  return DlgDoDlgWizard(&w);
}

}  // namespace

TEST(Wizard, BackNextCancelAndBadSteps) {
  gHook = SetWindowsHookExA(WH_CBT, pressingHook, nullptr, GetCurrentThreadId());
  ASSERT_NE(gHook, nullptr);
  DLGWIZARD w = wizard();
  EXPECT_EQ(run(w, {IDOK, kBack, IDOK, IDOK, IDOK}), 1);
  EXPECT_EQ(gShown, (std::vector<int>{0, 1, 0, 1, 2}));
  EXPECT_EQ(w.nCurrent, 2);
  EXPECT_EQ(w.nNext, -1);

  w = wizard();
  EXPECT_EQ(run(w, {IDOK, IDCANCEL}), 0);
  EXPECT_EQ(gShown, (std::vector<int>{0, 1}));

  w = wizard();  // Back from the first step ends the wizard as a negative step does
  EXPECT_EQ(run(w, {kBack}), 1);
  EXPECT_EQ(gShown, (std::vector<int>{0}));

  gPastTheEnd = 3;  // Finish names a step past the count
  w = wizard(2);
  EXPECT_EQ(run(w, {IDOK}), 0);
  EXPECT_EQ(gShown, (std::vector<int>{2}));
  gPastTheEnd = -1;

  // Refused before any dialog shows.
  w = wizard(3);
  EXPECT_EQ(run(w, {}), 0);
  w = wizard(-1);
  EXPECT_EQ(run(w, {}), 1);
  w = wizard(2);
  w.lpszTemplates = "STEP1\0\0";  // an empty name on the way
  EXPECT_EQ(run(w, {}), 0);
  DLGPROC holey[3] = {stepProc, nullptr, stepProc};
  w = wizard(2);
  w.lpfnProcs = holey;
  EXPECT_EQ(run(w, {}), 0);
  w = wizard();
  w.lpszTemplates = "NOSUCH\0";
  EXPECT_EQ(run(w, {}), 0);  // the dialog cannot be made
  w = wizard();
  w.hInstance = nullptr;
  EXPECT_EQ(run(w, {}), 0);
  w = wizard();
  w.lpfnProcs = nullptr;
  EXPECT_EQ(run(w, {}), 0);
  EXPECT_TRUE(gShown.empty());
  EXPECT_EQ(DlgDoDlgWizard(nullptr), 0);
  UnhookWindowsHookEx(gHook);
}
