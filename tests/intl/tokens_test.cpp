#include <gtest/gtest.h>

#include <cmath>
#include <climits>
#include <string>
#include <vector>

#include "intl_test_support.h"

using kvtest::SystemScope;

TEST(Tokens, ChainedOverAWholeText) {
  SystemScope en(kvtest::kEnglish);
  KV_REST_ON(en);
  char token[32];
  EXPECT_EQ(IntlStrGetToken(token, "  abc,def", " ", ",", 0, 0), 5);
  EXPECT_STREQ(token, "abc");
  EXPECT_EQ(IntlStrGetToken(token, "  abc,def" + 6, " ", ",", 0, 0), 3);
  EXPECT_STREQ(token, "def");

  const char text[] = "a, bb ;ccc,,d";
  std::vector<std::string> tokens;
  std::vector<int> offsets;
  for (int at = 0;;) {
    at += IntlStrGetToken(token, text + at, " ", ",;", 0, 0);
    tokens.emplace_back(token);
    offsets.push_back(at);
    if (!text[at]) break;
    ++at;  // over the delimiter
  }
  EXPECT_EQ(tokens, (std::vector<std::string>{"a", "bb ", "ccc", "", "d"}));
  EXPECT_EQ(offsets, (std::vector<int>{1, 6, 10, 11, 13}));
}

TEST(Tokens, LimitsRequiredCharacterParensAndQuotes) {
  SystemScope en(kvtest::kEnglish);
  KV_REST_ON(en);
  char token[32] = "untouched";
  EXPECT_EQ(IntlStrGetToken(token, "abc,", "", ",", 0, 3), 0);  // no room for the terminator
  EXPECT_STREQ(token, "untouched");
  EXPECT_EQ(IntlStrGetToken(token, "abc,", "", ",", 0, 4), 3);
  EXPECT_EQ(IntlStrGetToken(token, " (x)", " ", ")", '(', 0), 3);
  EXPECT_STREQ(token, "x");
  EXPECT_EQ(IntlStrGetToken(token, " (x)", " ", ")", '[', 0), 0);
  EXPECT_EQ(IntlStrGetToken(token, "", "", ",", 0x4100, 0), 0);  // low byte 0 is never next
  EXPECT_EQ(IntlStrGetToken(nullptr, "a", "", ",", 0, 0), 0);

  EXPECT_EQ(IntlStrGetTokenNestedParens(token, "f(a,(b,c)),d", "", ",", 0, 0), 10);
  EXPECT_STREQ(token, "f(a,(b,c))");
  EXPECT_EQ(IntlStrGetTokenNestedParens(token, "a),b", "", ",", 0, 0), 2);  // depth below 0 counts

  struct Quoted {
    const char* text;
    const char* token;
    int result;
  };
  const Quoted quoted[] = {{"'a,b',c", "'a,b'", 5}, {"'a,b", "'a", 2}, {"x'a,b'", "x'a,b'", 6},
                           {"a,'b,c'", "a", 1},     {"'a,b''c,d',e", "'a,b''c,d'", 10}};
  for (const Quoted& q : quoted) {
    EXPECT_EQ(IntlStrGetTokenQuoted(token, q.text, "", ",", 0, '\'', 0), q.result) << q.text;
    EXPECT_STREQ(token, q.token);
  }

  LPSTR at = nullptr;
  const char ptrText[] = ",,ab,c";
  EXPECT_EQ(IntlStrGetTokenPtr(&at, ptrText, ",", ","), 4);
  EXPECT_EQ(at, ptrText);
  EXPECT_EQ(IntlStrGetTokenPtr(&at, "abc", "", ","), 3);
  EXPECT_EQ(IntlStrGetTokenPtr(&at, "abc", nullptr, ","), 0);
}

TEST(Tokens, DelimitersAreSingleByteCharacters) {
  char token[16];
  if (SystemScope ja(kvtest::kJapanese); ja.active()) {
    EXPECT_EQ(IntlStrGetToken(token, SJ_HYO "\\x", "", "\\", 0, 0), 2);
    EXPECT_STREQ(token, SJ_HYO);
    EXPECT_EQ(IntlStrGetToken(token, "ab" SJ_LEAD, "", ",", 0, 0), 3);
    EXPECT_STREQ(token, "ab ");
  }
  SystemScope en(kvtest::kEnglish);
  KV_REST_ON(en);
  EXPECT_EQ(IntlStrGetToken(token, SJ_HYO "\\x", "", "\\", 0, 0), 1);
  EXPECT_STREQ(token, "\x95");
}

TEST(FetchNumber, LongOverflowAndLengths) {
  struct Case {
    const char* text;
    int used;
    LONG value;
  };
  const Case cases[] = {{" -42x", 4, -42},
                        {"+7", 2, 7},
                        {"2147483647", 10, INT_MAX},
                        {"-2147483647", 11, -INT_MAX},
                        {"2147483648", 0, 0},
                        {"99999999999", 0, 0},
                        {"x1", 0, 0},
                        {"-", 0, 0},
                        {"", 0, 0}};
  LONG v = 0;
  if (SystemScope en(kvtest::kEnglish); en.active()) {
    for (const Case& c : cases) {
      LONG got = 0;
      EXPECT_EQ(IntlFetchNextNumLong(&got, c.text), c.used) << c.text;
      EXPECT_EQ(got, c.value) << c.text;
    }
    EXPECT_EQ(IntlFetchNextNumLong(&v, nullptr), 0);
    EXPECT_EQ(IntlFetchNextNumLong(&v, SJ_SP "5"), 0);
  }
  SystemScope ja(kvtest::kJapanese);
  KV_REST_ON(ja);
  EXPECT_EQ(IntlFetchNextNumLong(&v, SJ_SP "5"), 3);  // the double-byte blank is white space
  EXPECT_EQ(v, 5);
}

TEST(FetchNumber, DoubleForms) {
  struct Case {
    const char* text;
    int used;
    double value;
  };
  const Case cases[] = {{"1.5e3", 5, 1500}, {".5", 2, 0.5},       {"0.000", 5, 0},    {".", 0, -1},
                        {"1e", 0, -1},      {"1e+x", 0, -1},      {" 0", 2, 0},       {"0e5", 3, 0},
                        {"5.x", 2, 5},      {"-2.5E+2", 7, -250}, {"1e-400", -1, -1}, {"+.25", 4, 0.25}};
  SystemScope en(kvtest::kEnglish);
  KV_REST_ON(en);
  for (const Case& c : cases) {
    double v = -1;
    EXPECT_EQ(IntlFetchNextNumDouble(&v, c.text), c.used) << c.text;
    EXPECT_EQ(v, c.value) << c.text;
  }
  double v = 0;
  const std::string digits99 = "  " + std::string(95, '1') + ".5";
  EXPECT_EQ(IntlFetchNextNumDouble(&v, digits99.c_str()), 99);
  EXPECT_EQ(IntlFetchNextNumDouble(&v, (" " + digits99).c_str()), -1);
  EXPECT_EQ(IntlFetchNextNumDouble(&v, "1e999"), 5);
  EXPECT_TRUE(std::isinf(v));
}
