// Message boxes of string resources, seen through the message-box hook.
#include <gtest/gtest.h>
#include <korvane/korvane.h>

#include <string>

#include "../platform/shown_box.h"
#include "dialog_resources.h"
#include "test_windows.h"

using kvtest::gShown;
using kvtest::recordBox;

TEST(MessageBoxString, FormatsTheTextAndBoundsTextAndCaption) {
  KwSetMessageBoxHook(recordBox);
  HINSTANCE module = kvtest::testModule();
  HWND owner = kvtest::plainWindow(WS_OVERLAPPEDWINDOW, 0, 0, 100, 100);
  EXPECT_EQ(DlgMessageBoxString(module, owner, 100, 101, 12, MB_YESNO | MB_ICONQUESTION), IDNO);
  EXPECT_EQ(gShown.text, "Printed 12 pages");
  EXPECT_EQ(gShown.caption, "Printing");
  EXPECT_EQ(gShown.owner, owner);
  EXPECT_EQ(gShown.type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
  EXPECT_EQ(DlgMessageBoxString(module, nullptr, 102, 103, 0xBEEF, MB_OK), IDOK);
  EXPECT_EQ(gShown.text, "Code 0000BEEF.");
  EXPECT_EQ(gShown.caption, "A caption of more than forty bytes, cut");  // 39 bytes
  DlgMessageBoxString(module, nullptr, 104, 999, 0, MB_OK);
  EXPECT_EQ(gShown.text.size(), 199u);
  EXPECT_EQ(gShown.text.substr(190), "012345678");
  EXPECT_EQ(gShown.caption, "");  // no such string
  DestroyWindow(owner);
  KwSetMessageBoxHook(nullptr);
}
