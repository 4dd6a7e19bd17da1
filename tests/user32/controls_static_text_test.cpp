// Static controls' word wrapping.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/emulated_system.h"
#include "user32/static_text.h"

namespace {

using Lines = std::vector<std::string>;

int bytes(std::string_view s) { return static_cast<int>(s.size()); }

TEST(StaticText, WrapsAtSpacesLineEndsAndDoubleByteCharacters) {
  using kw::user32::wrapText;
  EXPECT_EQ(wrapText("", 10, bytes), Lines{});
  EXPECT_EQ(wrapText("Printer:", 66, bytes), Lines{"Printer:"});
  EXPECT_EQ(wrapText("one two three", 7, bytes), (Lines{"one two", "three"}));
  EXPECT_EQ(wrapText("one two three", 8, bytes), (Lines{"one two", "three"}));
  EXPECT_EQ(wrapText("one  two", 4, bytes), (Lines{"one", "two"}));  // spaces at the break go
  EXPECT_EQ(wrapText("a\r\nb\n\nc", 10, bytes), (Lines{"a", "b", "", "c"}));
  EXPECT_EQ(wrapText("Internal Error: averylongfilename120", 10, bytes),
            (Lines{"Internal", "Error:", "averylongfilename120"}));  // too wide, but whole

  EmulatedSystem japanese(0x0411);
  // あいうえ: four double-byte characters, two bytes each, broken between any two.
  EXPECT_EQ(wrapText("\x82\xA0\x82\xA2\x82\xA4\x82\xA6", 4, bytes), (Lines{"\x82\xA0\x82\xA2", "\x82\xA4\x82\xA6"}));
  EXPECT_EQ(wrapText("ab\x82\xA0", 3, bytes), (Lines{"ab", "\x82\xA0"}));
}

}  // namespace
