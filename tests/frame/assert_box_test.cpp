// The internal-error box, seen through the message-box hook.
#include <gtest/gtest.h>
#include <korvane/korvane.h>
#include <korvane/platform.h>

#include <string>

#include "../platform/shown_box.h"

namespace {

using kvtest::gShown;
using kvtest::recordBox;

std::string shownFor(const char* file, int line) {
  gShown = {};
  EXPECT_EQ(AssertBox(file, line), IDOK);
  return gShown.text;
}

}  // namespace

TEST(AssertBox, TextCaptionStyleAndBound) {
  KwSetMessageBoxHook(recordBox);
  EXPECT_EQ(shownFor("print.c", 120), "Internal Error: print120");
  EXPECT_EQ(gShown.caption, "Korvane");
  EXPECT_EQ(gShown.type, 0x1010u);
  EXPECT_EQ(gShown.owner, GetActiveWindow());
  EXPECT_EQ(shownFor("a.c", 7), "Internal Error: a7");
  EXPECT_EQ(shownFor("", -2147483647 - 1), "Internal Error-2147483648");
  EXPECT_EQ(shownFor(nullptr, 3), "Internal Error3");
  // A file name far past the text's 200 bytes: cut so that the line still shows.
  const std::string longName(5000, 'f');
  const std::string text = shownFor(longName.c_str(), 2147483647);
  EXPECT_EQ(text.size(), 199u);
  EXPECT_EQ(text.substr(0, 17), "Internal Error: f");
  EXPECT_EQ(text.substr(text.size() - 11), "f2147483647");
  KwSetMessageBoxHook(nullptr);
}
