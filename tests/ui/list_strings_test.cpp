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
