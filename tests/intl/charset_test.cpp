#include <gtest/gtest.h>

#include "frame/state.h"
#include "intl_test_support.h"

using kvtest::SystemScope;

TEST(Charset, DecisionFollowsSystemLanguageAndUserLocale) {
  struct Case {
    LANGID system;
    LCID user;
    int dbcs, type, bidi;
    WORD blank;
  };
  const Case cases[] = {
      {0x0411, 0x0411, 1, 1, 0, 0x8140}, {0x0804, 0x0804, 1, 2, 0, 0xA140}, {0x0404, 0x0409, 1, 2, 0, 0xA140},
      {0x0412, 0x0401, 1, 3, 0, 0xA1A1},  // the user locale never switches BiDi on with DBCS
      {0x040D, 0x040D, 0, 0, 1, 0},       {0x0401, 0x0409, 0, 0, 1, 0}, {0x0429, 0x0409, 0, 0, 1, 0},
      {0x0409, 0x040D, 0, 0, 1, 0},       {0x0409, 0x0409, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SystemScope scope(c.system, c.user);
    if (!scope.active()) continue;
    SCOPED_TRACE(c.system);
    EXPECT_EQ(IntlDBCSEnabled(), c.dbcs);
    EXPECT_EQ(kv::gpState->dbcsType, c.type);
    EXPECT_EQ(IntlIsBiDiEnabled(), c.bidi);
    EXPECT_EQ(IntlDBCSBlank(), c.blank);
    EXPECT_EQ(kv::gpState->systemLangId, c.system);
    EXPECT_EQ(kv::gpState->primaryLangId, c.system & 0x3FF);
  }
}

TEST(Charset, KanjiAndKatakanaBytes) {
  if (SystemScope ja(kvtest::kJapanese); ja.active()) {
    const std::pair<BYTE, int> kanji[] = {{0x40, 0}, {0x80, 0}, {0x81, 1}, {0x9F, 1}, {0xA0, 0},
                                          {0xDF, 0}, {0xE0, 1}, {0xFC, 1}, {0xFD, 0}};
    for (auto [b, want] : kanji) EXPECT_EQ(IntlIsKanji(b), want) << int(b);
    const std::pair<BYTE, int> kana[] = {{0x9F, 0}, {0xA0, 1}, {0xDF, 1}, {0xE0, 0}};
    for (auto [b, want] : kana) EXPECT_EQ(IntlIsKatakana(b), want) << int(b);
  }
  if (SystemScope ko(kvtest::kKorean); ko.active()) {
    EXPECT_EQ(IntlIsKanji(0xA1), 1);  // the code page's lead bytes
    EXPECT_EQ(IntlIsKanji(0x41), 0);
    EXPECT_EQ(IntlIsKatakana(0xB0), 0);
  }
  SystemScope en(kvtest::kEnglish);
  KV_REST_ON(en);
  for (int b = 0; b < 256; ++b) {
    EXPECT_EQ(IntlIsKanji(static_cast<BYTE>(b)), 0);
    EXPECT_EQ(IntlIsKatakana(static_cast<BYTE>(b)), 0);
  }
}

TEST(Charset, CharacterPrimitives) {
  const char text[] = "ab" SJ_A;
  if (SystemScope ja(kvtest::kJapanese); ja.active()) {
    EXPECT_EQ(IntlDBCSChar(SJ_A), 0x82A0);
    EXPECT_EQ(IntlDBCSChar("A"), 0x0041);
    EXPECT_EQ(IntlDBCSChar(SJ_LEAD), 0x0082);
    EXPECT_EQ(IntlDBCSChar(nullptr), 0);
    EXPECT_EQ(IntlBytesInNextChar(SJ_A), 2);
    EXPECT_EQ(IntlBytesInNextChar(""), 0);
    EXPECT_EQ(IntlBytesInNextChar(SJ_LEAD), 1);  // the terminator is no trail byte
    EXPECT_EQ(IntlIsDBChar(SJ_LEAD), 0);
    EXPECT_EQ(IntlNextDBCInStr(text), text + 2);
    EXPECT_EQ(IntlNextDBCInStr("ab" SJ_LEAD), nullptr);
    EXPECT_EQ(IntlNextDBCInStr(""), nullptr);
    EXPECT_EQ(IntlNextDBCInStr(nullptr), nullptr);
  }

  SystemScope en(kvtest::kEnglish);
  KV_REST_ON(en);
  EXPECT_EQ(IntlDBCSChar(SJ_A), 0x0082);
  EXPECT_EQ(IntlNextDBCInStr(text), nullptr);
}
