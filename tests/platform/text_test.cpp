// Character stepping, classes and case in the single- and double-byte code pages.
#include "emulated_system.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Offsets of the character starts that CharNextA visits, the terminator included.
std::vector<size_t> steps(const char* s) {
  std::vector<size_t> at{0};
  for (const char* p = s; *p; p = CharNextA(p)) at.push_back(static_cast<size_t>(CharNextA(p) - s));
  return at;
}

TEST(Text, StepsThroughShiftJisInBothDirections) {
  EmulatedSystem japanese(0x0411);
  // A, あ (82 A0), ソ (83 5C: trail byte is '\'), b, ＠ (81 97), ｱ (half-width B1), 亜 (88 9F),
  // a lone lead byte before the terminator.
  const char text[] = "A\x82\xA0\x83\x5C" "b\x81\x97\xB1\x88\x9F\x81";
  const std::vector<size_t> want{0, 1, 3, 5, 6, 8, 9, 11, 12};
  EXPECT_EQ(steps(text), want);
  for (size_t i = 1; i < want.size(); ++i) {
    EXPECT_EQ(CharPrevA(text, text + want[i]), text + want[i - 1]) << i;
  }
  EXPECT_EQ(CharPrevA(text, text), text);
  EXPECT_EQ(CharNextA(text + 12), text + 12);  // the terminator does not move

  const char trail40[] = "\x83\x40" "c";  // trail bytes start at 0x40
  EXPECT_EQ(steps(trail40), (std::vector<size_t>{0, 2, 3}));
}

TEST(Text, LeadByteRangesPerCodePage) {
  struct Case { LANGID lang; UINT cp; BYTE b; BOOL lead; } cases[] = {
      {0x0411, 932, 0x80, FALSE}, {0x0411, 932, 0x81, TRUE}, {0x0411, 932, 0x9F, TRUE},
      {0x0411, 932, 0xA0, FALSE}, {0x0411, 932, 0xDF, FALSE}, {0x0411, 932, 0xE0, TRUE},
      {0x0411, 932, 0xFC, TRUE},  {0x0411, 932, 0xFD, FALSE}, {0x0804, 936, 0x80, FALSE},
      {0x0804, 936, 0x81, TRUE},  {0x0804, 936, 0xFE, TRUE},  {0x0804, 936, 0xFF, FALSE},
      {0x0412, 949, 0xA1, TRUE},  {0x0412, 949, 0xFF, FALSE}, {0x0404, 950, 0xA4, TRUE},
      {0x0404, 950, 0x80, FALSE}, {0x0409, 1252, 0x81, FALSE}, {0x0409, 1252, 0xE9, FALSE},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsDBCSLeadByteEx(c.cp, c.b), c.lead) << c.cp << " " << int(c.b);
    EmulatedSystem system(c.lang);
    EXPECT_EQ(IsDBCSLeadByte(c.b), c.lead) << c.cp << " " << int(c.b);
  }
  EmulatedSystem chinese(0x0804);  // GBK: a 0x5C trail byte hides no backslash
  EXPECT_EQ(steps("\x95\x5C" "a"), (std::vector<size_t>{0, 2, 3}));
}

TEST(Text, CaseAndClassesInWindows1252) {
  struct Case { BYTE lower; BYTE upper; } pairs[] = {
      {'a', 'A'}, {0xE9, 0xC9}, {0xFF, 0x9F}, {0x9A, 0x8A}, {0x9C, 0x8C}, {0xFE, 0xDE},
      {0xDF, 0xDF}, {0xB5, 0xB5}, {0x83, 0x83}, {0xF7, 0xF7}, {0xD7, 0xD7},
  };
  for (const Case& c : pairs) {
    char s[2] = {static_cast<char>(c.lower), 0};
    CharUpperA(s);
    EXPECT_EQ(static_cast<BYTE>(s[0]), c.upper) << int(c.lower);
    auto single = reinterpret_cast<UINT_PTR>(CharUpperA(reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(c.lower))));
    EXPECT_EQ(single, c.upper) << int(c.lower);
    if (c.lower != 0xDF && c.lower != 0xB5 && c.lower != 0x83) {
      s[0] = static_cast<char>(c.upper);
      CharLowerA(s);
      EXPECT_EQ(static_cast<BYTE>(s[0]), c.lower) << int(c.upper);
    }
  }
  struct Class { BYTE b; BOOL alpha; BOOL upper; BOOL lower; } classes[] = {
      {0xE9, TRUE, FALSE, TRUE}, {0xC9, TRUE, TRUE, FALSE}, {0xD7, FALSE, FALSE, FALSE},
      {0xF7, FALSE, FALSE, FALSE}, {0x83, TRUE, FALSE, TRUE}, {0x9F, TRUE, TRUE, FALSE},
      {'1', FALSE, FALSE, FALSE}, {0xA0, FALSE, FALSE, FALSE},
  };
  for (const Class& c : classes) {
    auto ch = static_cast<CHAR>(c.b);
    EXPECT_EQ(IsCharAlphaA(ch), c.alpha) << int(c.b);
    EXPECT_EQ(IsCharUpperA(ch), c.upper) << int(c.b);
    EXPECT_EQ(IsCharLowerA(ch), c.lower) << int(c.b);
  }
  EXPECT_EQ(lstrcmpiA("\xC9t\xC9", "\xE9T\xE9"), 0);
  EXPECT_LT(lstrcmpiA("a", "B"), 0);
}

TEST(Text, DoubleByteCharactersKeepTheirCase) {
  EmulatedSystem japanese(0x0411);
  // Ｂ is 82 61 and ａ is 82 81: the 0x61 trail byte must not turn into 'A'.
  char s[] = "a\x82\x61z\x82\x81";
  EXPECT_EQ(CharUpperBuffA(s, 6), 6u);
  EXPECT_EQ(std::string(s), "A\x82\x61Z\x82\x81");
  char lower[] = "\x82\x41Q";
  CharLowerA(lower);
  EXPECT_EQ(std::string(lower), "\x82\x41q");
  EXPECT_NE(lstrcmpiA("\x82\x61", "\x82\x41"), 0);
  EXPECT_EQ(lstrcmpiA("X\x82\x61y", "x\x82\x61Y"), 0);
  EXPECT_TRUE(IsCharAlphaA(static_cast<CHAR>(0xB1)));  // half-width katakana
  EXPECT_FALSE(IsCharAlphaA(static_cast<CHAR>(0x82)));  // a lead byte is no letter
  EXPECT_FALSE(IsCharAlphaA(static_cast<CHAR>(0xE9)));  // é is no letter here
}

}  // namespace
