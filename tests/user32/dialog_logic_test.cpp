// The dialog manager's plain rules: tab and group order, and message box plans.
#include <gtest/gtest.h>

#include <vector>

#include "user32/dialog_navigation.h"
#include "user32/msgbox_plan.h"

namespace {

using kw::user32::MessageBoxPlan;
using kw::user32::NavigationItem;

TEST(DialogNavigation, TabStopsRoundTheDialogAndGroupsRoundThemselves) {
  // 0 static, 1 edit (tab), 2 disabled button (tab), 3 radio group (tab) 4 radio 5 radio,
  // 6 OK (group, tab), 7 Cancel (tab)
  const std::vector<NavigationItem> items{
      {false, true, true}, {true, false, true},  {true, false, false}, {true, true, true},
      {false, false, true}, {false, false, true}, {true, true, true},   {true, false, true},
  };
  struct Case { int from; bool back; int tab; } tabs[] = {
      {-1, false, 1}, {1, false, 3}, {3, false, 6}, {6, false, 7}, {7, false, 1},
      {1, true, 7},   {3, true, 1},  {-1, true, 7}, {4, false, 6}, {0, false, 1}, {99, false, 1},
  };
  for (const Case& c : tabs) EXPECT_EQ(kw::user32::nextTabItem(items, c.from, c.back), c.tab) << c.from << c.back;

  EXPECT_EQ(kw::user32::nextGroupItem(items, 3, false), 4);
  EXPECT_EQ(kw::user32::nextGroupItem(items, 5, false), 3);
  EXPECT_EQ(kw::user32::nextGroupItem(items, 3, true), 5);
  EXPECT_EQ(kw::user32::nextGroupItem(items, 6, false), 7);
  EXPECT_EQ(kw::user32::nextGroupItem(items, 1, false), 0);  // the first group starts at 0
  EXPECT_EQ(kw::user32::nextGroupItem(items, 9, false), -1);

  const std::vector<NavigationItem> lone{{true, true, true}, {false, false, true}};
  EXPECT_EQ(kw::user32::nextTabItem(lone, 0, false), 0);
  EXPECT_EQ(kw::user32::nextTabItem({}, -1, false), -1);
  EXPECT_EQ(kw::user32::nextTabItem({{false, true, true}}, -1, true), -1);
}

TEST(MessageBoxPlan, ButtonsDefaultsEscapeAndIcons) {
  struct Case { UINT type; std::vector<int> ids; int defaultId; int escapeId; UINT icon; } cases[] = {
      {MB_OK, {IDOK}, IDOK, IDOK, 0},
      {MB_OKCANCEL | MB_DEFBUTTON2, {IDOK, IDCANCEL}, IDCANCEL, IDCANCEL, 0},
      {MB_ABORTRETRYIGNORE | MB_ICONHAND, {IDABORT, IDRETRY, IDIGNORE}, IDABORT, 0, MB_ICONHAND},
      {MB_YESNOCANCEL | MB_DEFBUTTON3 | MB_ICONQUESTION, {IDYES, IDNO, IDCANCEL}, IDCANCEL, IDCANCEL, MB_ICONQUESTION},
      {MB_YESNO | MB_DEFBUTTON2 | MB_ICONEXCLAMATION, {IDYES, IDNO}, IDNO, 0, MB_ICONEXCLAMATION},
      {MB_YESNO | MB_DEFBUTTON3, {IDYES, IDNO}, IDYES, 0, 0},  // beyond the buttons: the first
      {MB_RETRYCANCEL | MB_ICONINFORMATION, {IDRETRY, IDCANCEL}, IDRETRY, IDCANCEL, MB_ICONASTERISK},
      {MB_CANCELTRYCONTINUE, {IDCANCEL, IDTRYAGAIN, IDCONTINUE}, IDCANCEL, IDCANCEL, 0},
      {0x1010, {IDOK}, IDOK, IDOK, MB_ICONHAND},  // hand icon, system modal
      {7, {}, 0, 0, 0},                           // not a style
  };
  for (const auto& c : cases) {
    MessageBoxPlan plan = kw::user32::planMessageBox(c.type);
    std::vector<int> ids;
    for (const auto& b : plan.buttons) ids.push_back(b.id);
    EXPECT_EQ(ids, c.ids) << c.type;
    EXPECT_EQ(plan.defaultId(), c.defaultId) << c.type;
    EXPECT_EQ(plan.escapeId, c.escapeId) << c.type;
    EXPECT_EQ(plan.icon, c.icon) << c.type;
  }
  EXPECT_EQ(kw::user32::messageBoxReport("Korvane", "Internal Error: a7", kw::user32::planMessageBox(MB_YESNO | MB_DEFBUTTON2)),
            "Korvane: Internal Error: a7 [No]");
  EXPECT_EQ(kw::user32::messageBoxReport(nullptr, nullptr, kw::user32::planMessageBox(MB_OK)), "Error:  [OK]");
}

}  // namespace
