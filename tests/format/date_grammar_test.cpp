// The date-string grammar: picture mode, value mode, the standard shapes, the token limit,
// hostile input and concurrent use.
#include "format/date_grammar.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <thread>

namespace {

using kv::DateToken;
using S = std::string;

// The list as text (element kinds as numbers, n=number with ! for the four-digit marker,
// 'text', c=separator, b=blanks), checking that the links agree both ways.
S describe(const DateToken* head) {
  if (!head) return "(null)";
  S out;
  for (const DateToken *t = head, *prev = nullptr; t; prev = t, t = t->next) {
    EXPECT_EQ(t->prev, prev);
    out += out.empty() ? "" : " ";
    if (t->kind == kv::kTokNumber) out += "n=" + std::to_string(kv::tokenNumber(t)) + (kv::hasFourDigitMarker(t) ? "!" : "");
    else if (t->kind == kv::kTokText) out += "'" + S(reinterpret_cast<const char*>(t->value)) + "'";
    else if (t->kind == kv::kTokChar) out += "c=" + S(1, static_cast<char>(t->value));
    else if (t->kind == kv::kTokBlanks) out += "b=" + std::to_string(t->value);
    else out += std::to_string(t->kind);
  }
  return out;
}

S parse(const S& text, int mode) {
  DateToken* head = kv::FMTParseDateString(text.c_str(), mode);
  S out = describe(head);
  kv::FMTFreeDateTokens(head);
  return out;
}
S picture(const S& text) { return parse(text, kv::kParsePicture); }
S value(const S& text) { return parse(text, kv::kParseDate); }

struct Case {
  S text, expected;
};

TEST(DateGrammar, PictureElementsAndTexts) {
  const Case cases[] = {
      {"d", "4"}, {"dd", "5"}, {"ddd", "6"}, {"dddd", "7"}, {"M", "8"}, {"MM", "9"}, {"MMM", "10"}, {"MMMM", "11"},
      {"yy", "12"}, {"yyyy", "13"}, {"hh", "14"}, {"hhhh", "15"}, {"mm", "16"}, {"ss", "17"}, {"mmmmmm", "18"},
      {"AMPM", "19"}, {"h", "20"}, {"hhh", "21"}, {"mmmm", "16 16"}, {"mmmmmmmm", "18 16"}, {"yyyyyy", "13 12"},
      {"dddd, MMMM dd, yyyy", "7 c=, b=1 11 b=1 5 c=, b=1 13"}, {"dd'de'MMMM", "5 'de' 11"},
      {",-./:\\", "c=, c=- c=. c=/ c=: c=\\"}, {"d \t\n M", "4 b=4 8"}, {"'a, b: 1''x'", "'a, b: 1' 'x'"},
      {"''", "''"}, {"yyyy'\x94\x4E'M", "13 '\x94\x4E' 8"},
  };
  for (const Case& c : cases) EXPECT_EQ(picture(c.text), c.expected) << c.text;
  for (const char* bad : {"", "y", "yyy", "yyyyy", "ddddd", "MMMMM", "hhhhh", "m", "mmm", "mmmmm", "mmmmmmm", "s",
                          "sss", "AM", "ampm", "Y", "x", "dd 01", "\"dd\"", "'open", "\x80", "\xC0", "dd\x0BMM",
                          "dd;MM", "dd\x02MM"}) {
    EXPECT_EQ(picture(bad), "(null)") << bad;
  }
  for (int mode : {-1, 0, 5}) EXPECT_EQ(parse("dd", mode), "(null)") << mode;
  EXPECT_EQ(kv::FMTParseDateString(nullptr, kv::kParseDate), nullptr);
}

TEST(DateGrammar, ValueTokensAndTheEightDigitRetry) {
  const Case cases[] = {
      {"12/25/2001", "n=12 c=/ n=25 c=/ n=2001"}, {"Dec 25, 2001", "'Dec' b=1 n=25 c=, b=1 n=2001"},
      {"'a b'-x", "'a b' c=- 'x'"}, {" \t\n7", "b=3 n=7"}, {"\x81\xFFZz", "'\x81\xFFZz'"}, {"0099", "n=99!"},
      {"0000", "n=0!"}, {"0999", "n=999"}, {"099", "n=99"}, {"00099", "n=99"}, {"99999999999", "n=2147483647"},
      // Eight digits are read again as a date; other eight-byte values and seven digits are not.
      {"20011225", "n=2001 b=1 n=12 b=1 n=25"}, {"00991225", "n=99! b=1 n=12 b=1 n=25"}, {"2001122", "n=2001122"},
      {"December", "'December'"}, {"12:30:05", "n=12 c=: n=30 c=: n=5"},
  };
  for (const Case& c : cases) EXPECT_EQ(value(c.text), c.expected) << c.text;
  EXPECT_EQ(parse("20011225", kv::kParseDateTime), "n=2001 b=1 n=12 b=1 n=25");
  EXPECT_EQ(parse("12:30 PM", kv::kParseTime), "n=12 c=: n=30 b=1 'PM'");
  EXPECT_EQ(picture("'abcdef'"), "'abcdef'");  // pictures are never re-read
  for (const char* bad : {"", "12!", "12\x80", "a\x0B", "12;30", "'open", "(12)"}) EXPECT_EQ(value(bad), "(null)") << bad;
  DateToken* head = kv::FMTParseDateString("0042", kv::kParseDate);
  ASSERT_NE(head, nullptr);
  EXPECT_EQ(static_cast<DWORD>(head->value), 0xFF00002Au);
  kv::FMTFreeDateTokens(head);
}

TEST(DateGrammar, DoubleByteLettersKeepTheirTrailBytesUnderAJapaneseSystem) {
  EmulatedSystem japanese(0x0411);
  KV_ONLY_ON(japanese);
  // Here a trail byte that looks like a backslash.
  EXPECT_EQ(value("\x95\x5C" "12"), "'\x95\x5C' n=12");
}

TEST(DateGrammar, TokensAtAndOverTheBufferLimit) {
  const S d99(99, '7'), q98(98, 'q');
  const Case cases[] = {
      {d99, "n=2147483647"}, {d99 + "7", "(null)"}, {S(99, 'a'), "'" + S(99, 'a') + "'"}, {S(100, 'a'), "(null)"},
      {"1" + S(99, ' ') + "2", "n=1 b=99 n=2"}, {"1" + S(100, ' ') + "2", "(null)"},
      {"'" + q98 + "'", "'" + q98 + "'"}, {"'" + q98 + "q'", "(null)"},  // the quotes count
  };
  for (const Case& c : cases) EXPECT_EQ(value(c.text), c.expected) << c.text.size();
  EXPECT_EQ(picture("d'" + q98 + "'"), "4 '" + q98 + "'");
  EXPECT_EQ(picture("'" + q98 + "q'"), "(null)");
  EXPECT_EQ(picture("dd" + S(99, ' ')), "5 b=99");
  EXPECT_EQ(picture("dd" + S(100, ' ')), "(null)");
  S many;
  for (int i = 0; i < 500; ++i) many += "12/";
  EXPECT_EQ(value(many).size(), 500 * S("n=12 c=/ ").size() - 1);
}

// The picture chosen for the text; the list returned must be that picture's tokens.
S guess(const S& text, int kind, int allowNumeric = 1) {
  char chosen[64];
  std::memset(chosen, 'x', sizeof chosen);
  DateToken* head = kv::FMTGuessDatePicture(text.c_str(), kind, chosen, allowNumeric);
  EXPECT_EQ(describe(head), head ? picture(chosen) : "(null)") << text;
  EXPECT_TRUE(head || !*chosen) << text;
  kv::FMTFreeDateTokens(head);
  return chosen;
}

TEST(DateGrammar, StandardShapes) {
  const Case dates[] = {
      {"Dec 5, 2001", "MMM d, yyyy"}, {"Dec 25, 2001", "MMM dd, yyyy"}, {"December 5, 2001", "MMMM d, yyyy"},
      {"December 25, 2001", "MMMM dd, yyyy"}, {"2001-1-25", "yyyy-MM-dd"}, {"5 Dec, 2001", "d MMM, yyyy"},
      {"25 Dec, 2001", "dd MMM, yyyy"}, {"5 December, 2001", "d MMMM, yyyy"}, {"25 December 2001", "dd MMMM, yyyy"},
      {"12/25/2001", "M/d/yyyy"}, {"25-Dec-2001", "d-MMM-yyyy"}, {"5.Dec.01", "d-MMM-yyyy"},
      {"  Dec 25,2001 \t", "MMM dd, yyyy"}, {"Dec" + S(88, ' ') + "25, 2001", "MMM dd, yyyy"},  // 99 bytes
      {"Dec" + S(89, ' ') + "25, 2001", ""}, {"2001/12/25", ""}, {"12/25/01", ""}, {"123/5/2001", ""},
      {"12/25", ""}, {"De 25, 2001", ""}, {"Dec 125, 2001", ""}, {"Dec 25, 01", ""}, {"Dec25, 2001", ""},
      {"25-December-2001", ""}, {"25-Dec-201", ""}, {"Dec 25, 2001 x", ""}, {"12:30:05", ""}, {"", ""},
  };
  for (const Case& c : dates) EXPECT_EQ(guess(c.text, kv::kGuessDate), c.expected) << c.text;
  EXPECT_EQ(guess("12/25/2001", kv::kGuessDate, 0), "");  // numeric only where the country allows it
  const Case times[] = {
      {"12:30:05 PM", "hh.mm.ss.mmmmmm AMPM"}, {"9am", "hh.mm.ss.mmmmmm AMPM"}, {"12:30:05", "hhhh.mm.ss.mmmmmm"},
      {"13.45.30.000250", "hhhh.mm.ss.mmmmmm"}, {"PM", ""}, {"12:", ""}, {"12:30 PM x", ""}, {"-12:30", ""},
  };
  for (const Case& c : times) EXPECT_EQ(guess(c.text, kv::kGuessTime, 0), c.expected) << c.text;
  const Case both[] = {
      {"Dec 25, 2001 12:30:05 PM", "MMM dd, yyyy hh.mm.ss.mmmmmm AMPM"},
      {"2001-12-25-13.45.30.000250", "yyyy-MM-dd-hhhh.mm.ss.mmmmmm"},
      {"25-Dec-2001, 1 pm", "d-MMM-yyyy hh.mm.ss.mmmmmm AMPM"},
      {"Dec 25, 2001", "MMM dd, yyyy hh.mm.ss.mmmmmm AMPM"},  // a date alone is complete
      {"12/25/2001 12:30", ""}, {"Dec 25, 2001 PM", ""}, {"Dec 25, 2001 ,", ""}, {"12:30", ""},
  };
  for (const Case& c : both) EXPECT_EQ(guess(c.text, kv::kGuessDateTime, 0), c.expected) << c.text;
  EXPECT_EQ(guess("12/25/2001 12:30", kv::kGuessDateTime, 1), "M/d/yyyy hhhh.mm.ss.mmmmmm");
  for (int kind : {0, 4}) EXPECT_EQ(guess("Dec 25, 2001", kind), "") << kind;
  DateToken* head = kv::FMTGuessDatePicture("Dec 25, 2001", kv::kGuessDate, nullptr, 1);
  EXPECT_EQ(describe(head), "10 b=1 5 c=, b=1 13");
  kv::FMTFreeDateTokens(head);
}

TEST(DateGrammar, RandomBytesAndThreads) {
  std::mt19937 rng(20011225);
  const S alphabet = "dMyhmsAMP '\",-./:\\0123456789 \t\nDecPMam\x81\x95\x5C\xFF\x80\x01";
  for (int i = 0; i < 3000; ++i) {
    S text(rng() % 130, ' ');
    for (char& c : text) c = rng() % 4 ? alphabet[rng() % alphabet.size()] : static_cast<char>(1 + rng() % 255);
    for (int mode = 1; mode <= 4; ++mode) {
      DateToken* head = kv::FMTParseDateString(text.c_str(), mode);
      for (DateToken* t = head; t; t = t->next) ASSERT_LE(t->kind, mode == kv::kParsePicture ? 21 : 3);
      describe(head);
      kv::FMTFreeDateTokens(head);
    }
    for (int kind = 1; kind <= 3; ++kind) guess(text, kind, static_cast<int>(rng() % 2));
  }
  std::thread threads[4];
  int failures[4] = {};
  for (int n = 0; n < 4; ++n) {
    threads[n] = std::thread([n, &failures] {
      for (int i = 0; i < 400; ++i) {
        failures[n] += picture((i + n) % 2 ? "dddd, MMMM dd" : "yyy") != ((i + n) % 2 ? "7 c=, b=1 11 b=1 5" : "(null)");
        failures[n] += value("20011225") != "n=2001 b=1 n=12 b=1 n=25";
        failures[n] += guess("25 December, 2001", kv::kGuessDate) != "dd MMMM, yyyy";
      }
    });
  }
  for (std::thread& t : threads) t.join();
  for (int f : failures) EXPECT_EQ(f, 0);
}

}  // namespace
