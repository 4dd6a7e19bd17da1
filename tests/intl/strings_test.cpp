#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "intl_test_support.h"

using kvtest::SystemScope;

namespace {

struct Cut {
  std::function<int(LPSTR)> call;
  std::string text;
  int result;
};

void expectCuts(const std::vector<Cut>& cuts) {
  for (size_t i = 0; i < cuts.size(); ++i) {
    char out[64];
    std::memset(out, '#', sizeof out);
    EXPECT_EQ(cuts[i].call(out), cuts[i].result) << "case " << i;
    EXPECT_EQ(std::string(out), cuts[i].text) << "case " << i;
  }
}

}  // namespace

TEST(Strings, LengthAndPiecesByByte) {
  SystemScope en(kvtest::kEnglish);
  KV_REST_ON(en);
  EXPECT_EQ(IntlStrLen(SJ_A SJ_A SJ_A), 6);
  EXPECT_EQ(IntlStrLen(nullptr), 0);
  expectCuts({
      {[](LPSTR d) { return int(IntlStrMid(d, "abcdef", 2, 10)); }, "cdef", 4},
      {[](LPSTR d) { return int(IntlStrMid(d, "abcdef", 7, 1)); }, "", 0},
      {[](LPSTR d) { return int(IntlStrMid(d, "abcdef", -2, 2)); }, "ab", 2},
      {[](LPSTR d) { return int(IntlStrLeft(d, "abc", 5)); }, "abc", 3},
      {[](LPSTR d) { return int(IntlStrRight(d, "abc", 2)); }, "bc", 2},
      {[](LPSTR d) { return int(IntlStrRight(d, "abc", 0)); }, "", 0},
      {[](LPSTR d) { return int(IntlStrLeftB(d, SJ_A "A", 1)); }, "\x82", 1},
      {[](LPSTR d) { return IntlStrMidB(d, SJ_A "A", 1, 2); },
       "\xa0"
       "A",
       2},
      {[](LPSTR d) { return IntlStrReplace(d, "abcdef", "XY", 2, 2); }, "abXYef", 6},
      {[](LPSTR d) { return IntlStrReplace(d, "abcdef", "XY", -5, 0); }, "XYabcdef", 8},
      {[](LPSTR d) { return IntlStrReplace(d, "abcdef", "XY", 2, -1); }, "abXYcdef", 8},
      {[](LPSTR d) { return IntlStrReplaceB(d, "abc", "XY", 9, 9); }, "abcXY", 5},
      {[](LPSTR d) { return IntlStrProper(d, "hello WORLD\tfoo"); }, "Hello World\tFoo", 15},
  });
  char buf[16] = "abcdef";
  EXPECT_EQ(IntlStrReplace(buf, buf, "WXYZ", 1, 1), 9);  // in place, growing
  EXPECT_STREQ(buf, "aWXYZcdef");
}

TEST(Strings, PiecesByCharacterNeverSplitShiftJis) {
  SystemScope ja(kvtest::kJapanese);
  KV_REST_ON(ja);
  EXPECT_EQ(IntlStrLen(SJ_A SJ_A SJ_A), 3);
  EXPECT_EQ(IntlStrLenB(SJ_A SJ_A SJ_A), 6);
  EXPECT_EQ(IntlStrLen(SJ_A SJ_LEAD), 2);
  expectCuts({
      {[](LPSTR d) { return int(IntlStrLeft(d, SJ_A "b" SJ_JI, 2)); }, SJ_A "b", 2},
      {[](LPSTR d) { return int(IntlStrLeft(d, SJ_A "b", -1)); }, "", 0},
      {[](LPSTR d) { return int(IntlStrLeft(d, "ab" SJ_LEAD, 3)); }, "ab ", 3},  // a half character
      {[](LPSTR d) { return int(IntlStrRight(d, SJ_A "b" SJ_JI, 2)); }, "b" SJ_JI, 2},
      {[](LPSTR d) { return int(IntlStrRight(d, SJ_A "b", 9)); }, SJ_A "b", 2},
      {[](LPSTR d) { return int(IntlStrMid(d, SJ_A "b" SJ_JI "c", 1, 2)); }, "b" SJ_JI, 2},
      {[](LPSTR d) { return int(IntlStrMid(d, SJ_A "b", 2, 1)); }, "", 0},
      {[](LPSTR d) { return int(IntlStrLeftB(d, SJ_A "A", 1)); }, " ", 1},
      {[](LPSTR d) { return int(IntlStrLeftB(d, SJ_A "A", 3)); }, SJ_A "A", 3},
      {[](LPSTR d) { return int(IntlStrLeftB(d, "A" SJ_LEAD, 2)); }, "A ", 2},
      {[](LPSTR d) { return int(IntlStrRightB(d, "A" SJ_A, 1)); }, " ", 1},
      {[](LPSTR d) { return int(IntlStrRightB(d, "A" SJ_HYO, 1)); }, " ", 1},
      {[](LPSTR d) { return int(IntlStrRightB(d, "A" SJ_A, 2)); }, SJ_A, 2},
      {[](LPSTR d) { return IntlStrMidB(d, SJ_JI SJ_A SJ_JI, 1, 4); }, " " SJ_A " ", 4},
      {[](LPSTR d) { return IntlStrMidB(d, SJ_A "B", 0, 1); }, " ", 1},
      {[](LPSTR d) { return IntlStrMidB(d, SJ_A "B", 1, 0); }, "", 0},
      {[](LPSTR d) { return IntlStrMidB(d, "A" SJ_LEAD, 1, 5); }, " ", 1},
      {[](LPSTR d) { return IntlStrReplace(d, SJ_A SJ_A SJ_A, "x", 1, 1); }, SJ_A "x" SJ_A, 3},
      {[](LPSTR d) { return IntlStrReplace(d, "ab" SJ_LEAD, "x", 3, 0); }, "ab x", 4},
      {[](LPSTR d) { return IntlStrReplaceB(d, SJ_A SJ_A, "x", 1, 2); }, " x ", 3},
      {[](LPSTR d) { return IntlStrReplaceB(d, SJ_A SJ_A, SJ_LEAD, 2, 0); }, SJ_A " " SJ_A, 5},
      {[](LPSTR d) { return IntlStrProper(d, "\x82\x81\x82\x82 \x82\x84"); }, "\x82\x60\x82\x82 \x82\x63", 4},
      {[](LPSTR d) { return IntlStrProper(d, "hello" SJ_SP "world"); }, "Hello" SJ_SP "World", 11},
  });
}

TEST(Strings, CopyCaseAndCompare) {
  for (LANGID system : {kvtest::kEnglish, kvtest::kJapanese}) {
    SystemScope scope(system);
    if (!scope.active()) continue;
    const bool ja = system == kvtest::kJapanese;
    char buf[8];
    std::memset(buf, 'x', sizeof buf);
    IntlStrnCpy(buf, SJ_A "b", 5);  // Japanese: 2 characters, 3 missing zero bytes
    EXPECT_EQ(std::string(buf, 8), ja ? std::string(SJ_A "b\0\0\0x", 7) + "x" : std::string(SJ_A "b\0\0x", 6) + "xx");
    std::memset(buf, 'x', sizeof buf);
    IntlStrnCpy(buf, SJ_A "b", 1);  // no terminator when the source is longer
    EXPECT_EQ(std::string(buf, 3), ja ? SJ_A "x" : "\x82xx");
    char text[] = "a" SJ_FB "b";
    EXPECT_STREQ(IntlStrUpper(text), ja ? "A" SJ_FB "B"
                                        : "A\x82\x41"
                                          "B");
    EXPECT_EQ(IntlStrUpper(nullptr), nullptr);
  }
  EXPECT_EQ(IntlIsStrEqual("abc", "abc"), 1);
  EXPECT_EQ(IntlIsStrEqual("abc", "abC"), 0);
  EXPECT_EQ(IntlIsStrEqual(nullptr, "a"), 0);
  EXPECT_EQ(IntlIsStrnEqual("abcX", "abcY", 3), 1);
  EXPECT_EQ(IntlIsStrnEqual("abcX", "abcY", 4), 0);
  int hex = 0;
  for (int c = 0; c < 0x10000; ++c) hex += IntlCharIsHexDigit(static_cast<WORD>(c));
  EXPECT_EQ(hex, 22);
  EXPECT_EQ(IntlCharIsHexDigit('f') + IntlCharIsHexDigit('F') + IntlCharIsHexDigit('9'), 3);
}

TEST(Strings, BlanksAndWhiteSpace) {
  if (SystemScope en(kvtest::kEnglish); en.active()) {
    expectCuts({
        {[](LPSTR d) { return IntlStrTrim(d, "  a \t b  "); }, "a b", 3},
        {[](LPSTR d) { return IntlStrTrim(d, " \t\v "); }, "", 0},
        {[](LPSTR d) { return IntlStrTrim(d, "a\r\n  b"); }, "a\r\n b", 5},
        {[](LPSTR d) { return IntlStrTrim(d, SJ_SP "a"); }, SJ_SP "a", 3},
        {[](LPSTR d) { return IntlStripEndSpace(d, "ab \r\n") ? 1 : 0; }, "ab", 1},
    });
    char s1[] = "   ", s2[] = "ab \t ", s3[] = " \n ab \t";
    EXPECT_EQ(IntlStrTrimTrailing(s1), 1);
    EXPECT_STREQ(s1, " ");
    EXPECT_EQ(IntlStrTrimTrailing(s2), 2);
    EXPECT_STREQ(IntlStrStripSpace(s3), "ab");
    EXPECT_STREQ(IntlStripStartSpace("\r\n\t x"), "x");
    EXPECT_STREQ(IntlStripStartSpace(SJ_SP "x"), SJ_SP "x");
    EXPECT_STREQ(IntlStripStartBlank("  \tx"), "\tx");
    EXPECT_EQ(IntlStrIsNextChSpace("\n") + IntlStrIsNextChSpace("x") + IntlStrIsNextChSpace(""), 1);
    EXPECT_EQ(IntlStripStartSpace(nullptr), nullptr);
    EXPECT_EQ(IntlStripEndSpace(nullptr, "a"), nullptr);
  }

  SystemScope ja(kvtest::kJapanese);
  KV_REST_ON(ja);
  expectCuts({
      {[](LPSTR d) { return IntlStrTrim(d, SJ_SP "a" SJ_SP SJ_SP "b" SJ_SP); }, "a b", 3},
      {[](LPSTR d) { return IntlStrTrim(d, " " SJ_HYO " " SJ_LEAD); }, SJ_HYO "  ", 3},
  });
  char s4[] = SJ_A SJ_SP " ";
  EXPECT_EQ(IntlStrTrimTrailing(s4), 1);
  EXPECT_STREQ(s4, SJ_A);
  EXPECT_STREQ(IntlStripStartSpace(SJ_SP "\tx"), "x");
  EXPECT_STREQ(IntlStripStartBlank(SJ_SP " \tx"), "\tx");
  EXPECT_EQ(IntlStrIsNextChSpace(SJ_SP), 1);
}

TEST(Strings, FindingCharacters) {
  const char hyo[] = SJ_HYO "\\a";
  const char mixed[] = "a" SJ_JI "b" SJ_LEAD;
  if (SystemScope ja(kvtest::kJapanese); ja.active()) {
    EXPECT_EQ(IntlStrNthChar(mixed, 2), mixed + 3);
    EXPECT_EQ(IntlStrNthChar(mixed, 4), mixed + 5);  // the terminator
    EXPECT_EQ(IntlStrNthChar(mixed, 5), nullptr);
    EXPECT_EQ(IntlStrChr(hyo, '\\'), hyo + 2);  // not the trail byte
    EXPECT_EQ(IntlStrChr(hyo, 0x955C), hyo);
    EXPECT_EQ(IntlStrChr(hyo, 0), hyo + 4);
    EXPECT_EQ(IntlStrChr(hyo, 'z'), nullptr);
    EXPECT_EQ(IntlStrSearch(hyo, "a\\"), hyo + 2);
    EXPECT_EQ(IntlStrSearch(hyo, SJ_HYO), hyo);
    EXPECT_EQ(IntlStrFirstChar(SJ_A "b"), 0x82A0);
    EXPECT_EQ(IntlStrLastChar("b" SJ_JI), 0x8E9A);
    EXPECT_EQ(IntlStrLastChar(mixed), 0xFF82);
    const int charDB[] = {0, 1, 0, 0, 0, 0};
    const int byteDB[] = {0, 1, 2, 0, 0, 0, 0};
    for (int n = -1; n < 5; ++n) EXPECT_EQ(IntlIsNthCharDB(mixed, n), n < 0 ? 0 : charDB[n]) << n;
    for (int n = -1; n < 6; ++n) EXPECT_EQ(IntlIsNthByteDB(mixed, n), n < 0 ? 0 : byteDB[n]) << n;
  }
  SystemScope en(kvtest::kEnglish);
  KV_REST_ON(en);
  const char abc[] = "abc";
  EXPECT_EQ(IntlStrNthChar(abc, 3), abc + 3);
  EXPECT_EQ(IntlStrNthChar(abc, 4), nullptr);
  EXPECT_EQ(IntlStrNthChar(abc, -1), nullptr);
  EXPECT_EQ(IntlStrChr(hyo, '\\'), hyo + 1);
  EXPECT_EQ(IntlStrSearch(hyo, "a\\"), hyo + 1);
  EXPECT_EQ(IntlStrSearch(hyo, ""), nullptr);
  EXPECT_EQ(IntlStrLastChar("ab\xe9"), 0xFFE9);
  EXPECT_EQ(IntlStrFirstChar(""), 0);
  EXPECT_EQ(IntlIsNthCharDB(mixed, 1) + IntlIsNthByteDB(mixed, 1), 0);
}
