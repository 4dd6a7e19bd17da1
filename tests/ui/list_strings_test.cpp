// Strings added once only to real list and combo boxes, and found by exact text.
#include <gtest/gtest.h>
#include <korvane/korvane.h>

#include "dialog_resources.h"

namespace {

INT_PTR CALLBACK quietDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

LRESULT countOf(HWND list, UINT message) { return SendMessageA(list, message, 0, 0); }

}  // namespace

TEST(ListStrings, DistinctAddsFollowTheCaseRulesInListAndComboBoxes) {
  HWND dialog = CreateDialogParamA(kvtest::testModule(), "FIELDS", nullptr, quietDialog, 0);
  ASSERT_NE(dialog, nullptr);
  HWND list = GetDlgItem(dialog, 11);
  EXPECT_TRUE(DlgAddDistinctStringIntoListbox(list, "Apple"));
  EXPECT_TRUE(DlgAddDistinctStringIntoListbox(list, "Apple"));
  EXPECT_EQ(countOf(list, LB_GETCOUNT), 1);
  // The search finds "Apple" for either; the exact compare adds both.
  EXPECT_TRUE(DlgAddDistinctStringIntoListbox(list, "apple"));
  EXPECT_TRUE(DlgAddDistinctStringIntoListbox(list, "APPLE"));
  EXPECT_TRUE(DlgAddDistinctStringIntoListbox(list, "apple"));
  EXPECT_TRUE(DlgAddDistinctStringIntoListbox(list, "App"));
  EXPECT_EQ(countOf(list, LB_GETCOUNT), 4);
  EXPECT_TRUE(DlgAddDistinctStringIntoListbox(list, ""));
  EXPECT_FALSE(DlgAddDistinctStringIntoListbox(list, nullptr));
  EXPECT_EQ(countOf(list, LB_GETCOUNT), 4);

  EXPECT_EQ(DlgLocateStringInListbox(list, "Apple"), 0);
  EXPECT_EQ(DlgLocateStringInListbox(list, "APPLE"), 2);
  EXPECT_EQ(DlgLocateStringInListbox(list, "App"), 3);
  EXPECT_EQ(DlgLocateStringInListbox(list, "app"), -1);
  EXPECT_EQ(DlgLocateStringInListbox(list, ""), -1);
  EXPECT_EQ(DlgLocateStringInListbox(list, nullptr), -1);

  // An empty item ends both walks: "B" past it is neither seen nor found.
  SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Bx"));
  SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(""));
  SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("B"));
  EXPECT_EQ(DlgLocateStringInListbox(list, "Bx"), 4);
  EXPECT_EQ(DlgLocateStringInListbox(list, "B"), -1);
  EXPECT_TRUE(DlgAddDistinctStringIntoListbox(list, "B"));
  EXPECT_EQ(countOf(list, LB_GETCOUNT), 8);

  HWND combo = GetDlgItem(dialog, 12);
  EXPECT_TRUE(DlgAddDistinctStringIntoCombo(combo, "Pear"));
  EXPECT_TRUE(DlgAddDistinctStringIntoCombo(combo, "pear"));
  EXPECT_TRUE(DlgAddDistinctStringIntoCombo(combo, "Pear"));
  EXPECT_TRUE(DlgAddDistinctStringIntoCombo(combo, "pear"));
  EXPECT_EQ(countOf(combo, CB_GETCOUNT), 2);
  char item[8] = "";
  SendMessageA(combo, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(item));
  EXPECT_STREQ(item, "pear");

  DestroyWindow(dialog);
  EXPECT_FALSE(DlgAddDistinctStringIntoListbox(list, "Apple"));
  EXPECT_FALSE(DlgAddDistinctStringIntoCombo(combo, "Apple"));
  EXPECT_FALSE(DlgAddDistinctStringIntoListbox(nullptr, "Apple"));
  EXPECT_EQ(DlgLocateStringInListbox(list, "Apple"), -1);
}

namespace {

// What DlgSetListHScroll measures: the text in the list's font, with one tab stop or none.
int measured(HWND list, const char* text, int tab = 0) {
  HDC dc = GetDC(list);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0)));
  const INT stop = tab;
  const DWORD extent = GetTabbedTextExtentA(dc, text, lstrlenA(text), tab ? 1 : 0, tab ? &stop : nullptr);
  SelectObject(dc, old);
  ReleaseDC(list, dc);
  return LOWORD(extent);
}

LRESULT extentOf(HWND list) { return SendMessageA(list, LB_GETHORIZONTALEXTENT, 0, 0); }

HWND gInnerList = nullptr;
LRESULT CALLBACK comboControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == 0x0FE0) return reinterpret_cast<LRESULT>(gInnerList);
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

TEST(ListStrings, HorizontalExtentFitsTheWidestItem) {
  HWND dialog = CreateDialogParamA(kvtest::testModule(), "FIELDS", nullptr, quietDialog, 0);
  ASSERT_NE(dialog, nullptr);
  HWND list = GetDlgItem(dialog, 11);
  RECT client{};
  GetClientRect(list, &client);
  const int clientWidth = client.right;
  SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("short"));
  DlgSetListHScroll(list);
  EXPECT_EQ(extentOf(list), 0);  // narrower than the client area: left alone

  const char* wide = "a line much wider than the list box is";
  ASSERT_GT(measured(list, wide), clientWidth);
  SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide));
  DlgSetListHScroll(list);
  EXPECT_EQ(extentOf(list), measured(list, wide));

  // A range past every item is kept while an item is wider than the client area.
  SendMessageA(list, LB_SETHORIZONTALEXTENT, 5000, 0);
  DlgSetListHScroll(list);
  EXPECT_EQ(extentOf(list), 5000);
  SendMessageA(list, LB_DELETESTRING, 1, 0);
  DlgSetListHScroll(list);
  EXPECT_EQ(extentOf(list), clientWidth);

  // The one tab stop of the list's property.
  SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("a\tb"));
  SetPropA(list, "LBTABSIZE", reinterpret_cast<HANDLE>(static_cast<INT_PTR>(400)));
  ASSERT_NE(measured(list, "a\tb", 400), measured(list, "a\tb"));
  DlgSetListHScroll(list);
  EXPECT_EQ(extentOf(list), measured(list, "a\tb", 400));

  // Owner-drawn fixed items take 15 pixels more.
  HWND drawn = GetDlgItem(dialog, 13);
  SendMessageA(drawn, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide));
  DlgSetListHScroll(drawn);
  EXPECT_EQ(extentOf(drawn), measured(drawn, wide) + 15);

  // A "CBCtrlComboBox" control hands over its list.
  WNDCLASSA wc{};
  wc.lpfnWndProc = comboControlProc;
  wc.lpszClassName = "CBCtrlComboBox";
  ASSERT_NE(RegisterClassA(&wc), 0);
  HWND control = CreateWindowExA(0, "cbctrlcombobox", "", WS_CHILD, 0, 0, 10, 10, dialog, nullptr, nullptr, nullptr);
  ASSERT_NE(control, nullptr);
  gInnerList = drawn;
  SendMessageA(drawn, LB_SETHORIZONTALEXTENT, 0, 0);
  DlgSetListHScroll(control);
  EXPECT_EQ(extentOf(drawn), measured(drawn, wide) + 15);

  DestroyWindow(dialog);
  DlgSetListHScroll(list);  // destroyed: nothing happens
  DlgSetListHScroll(nullptr);
}
