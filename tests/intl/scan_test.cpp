#include <gtest/gtest.h>

#include "intl_test_support.h"

using kvtest::SystemScope;

TEST(Scan, WildcardsResumePointsAndEscapes) {
  SystemScope en(kvtest::kEnglish);
  KV_REST_ON(en);
  struct Case {
    const char* text;
    const char* pattern;
    int at;
  };
  const Case cases[] = {
      {"Hello World", "w%d", 6}, {"abc", "%", 0},     {"abc", "x", -1},     {"", "", 0},         {"", "%", -1},
      {"abc", "", -1},           {"ABC", "b", 1},     {"abc", "b%", 1},     {"aab", "ab", 1},  // anchored literal
                                                                                               // fails: retried one
                                                                                               // character on
      {"xab", "_b", 1},       // the retried "_" starts the match where it stands
      {"a1b2b3", "a%b3", 0},  // back to the resume point, next "b"
      {"xxa1b2a1b3", "a%b3", 2}, {"abcd", "a%_d", 0}, {"abcd", "a%_e", -1}, {"ab", "ab_", -1},   {"50% off", "0\\%", 1},
      {"a_b", "\\_", 1},         {"a_b", "_\\_", 0},  {"xyz", "%y%", 0},    {"a%b", "%\\%b", 0}, {"abcabd", "b%d_", -1},
      {"zzabXcd", "ab_c", 2},
  };
  for (const Case& c : cases) EXPECT_EQ(IntlStrScan(c.text, c.pattern), c.at) << c.text << " / " << c.pattern;
  EXPECT_EQ(IntlStrScan(nullptr, "a"), -1);
  EXPECT_EQ(IntlStrScan("a", nullptr), -1);
}

TEST(Scan, PositionsInCharacters) {
  const char* text = SJ_HYO SJ_HYO "\\x";
  for (LANGID system : {kvtest::kEnglish, kvtest::kJapanese}) {
    SystemScope scope(system);
    if (!scope.active()) continue;
    const bool ja = system == kvtest::kJapanese;
    EXPECT_EQ(IntlStrScan(text, "\\\\"), ja ? 2 : 1);  // a trail byte is no backslash
    EXPECT_EQ(IntlStrScan(text, "_x"), ja ? 2 : 4);
    EXPECT_EQ(IntlStrScan(text, SJ_HYO "%x"), ja ? 0 : -1);  // English: the trail byte escapes "%"
    EXPECT_EQ(IntlStrScan(SJ_A SJ_LEAD, SJ_LEAD), ja ? 1 : 0);
  }
}
