// Number pictures: the control block, tokenizing, untokenizing, the old syntax, validity
// and the currency affixes.
#include "format/number_pic.h"
#include "frame/statics.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>

namespace {

// Tokenized bytes written readably: { } run, ~ thousands, ! decimal, < > positive prefix
// and suffix, [ ] negative prefix and suffix, @ the "_" of a pair.
const std::string kMarks = "~!<>[]@{}";
const char kBytes[] = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x0E, 0x0F, 0x10};
std::string B(std::string s) {
  for (char& c : s) {
    if (auto i = kMarks.find(c); i != std::string::npos) c = kBytes[i];
  }
  return s;
}
std::string show(std::string s) {
  for (char& c : s) {
    if (auto* at = static_cast<const char*>(std::memchr(kBytes, c, sizeof kBytes)); at && c) c = kMarks[at - kBytes];
  }
  return s;
}

const char* kUS = "[intl]\nsCurrency=$\niCurrency=0\niNegCurr=0\nsThousand=,\nsDecimal=.\n";
const char* kEuro = "[intl]\nsCurrency=EUR\niCurrency=3\niNegCurr=8\nsThousand=.\nsDecimal=,\n";

// Regional settings for one test; the thread's affix cache starts afresh, as in a new thread.
struct Regional {
  TempWinIni ini;
  explicit Regional(const char* contents) : ini(contents) { TLS_Free(kv::gTokenizerItem.value); }
  ~Regional() { TLS_Free(kv::gTokenizerItem.value); }
};

FMTCNTLBLOCK regionalBlock() {
  FMTCNTLBLOCK b{};
  FMTInitCntlBlock(&b);
  b.bUseIntl = 1;
  return b;
}

FMTCNTLBLOCK ownBlock(char t, char d, const char* symbol, int pos, int neg) {
  FMTCNTLBLOCK b{};
  FMTInitCntlBlock(&b);
  b.cThousand = t;
  b.cDecimal = d;
  b.lpszCurrency = const_cast<char*>(symbol);
  b.iCurrency = pos;
  b.iNegCurr = neg;
  return b;
}

// Runs a converter into a 64-byte buffer followed by guard bytes that must stay untouched.
std::string call(int (*fn)(FMTCNTLBLOCK*), FMTCNTLBLOCK b, const std::string& picture, int* result = nullptr) {
  char out[80];
  std::memset(out, 'X', sizeof out);
  b.lpszPicture = const_cast<char*>(picture.c_str());
  b.lpszOutput = out;
  const int r = fn(&b);
  if (result) *result = r;
  EXPECT_EQ(std::string(out + 64, 16), std::string(16, 'X')) << "wrote past 64 bytes";
  return out;
}
std::string tok(FMTCNTLBLOCK b, const std::string& p) { return show(call(FMTTokenizeNumberPic, b, p)); }
std::string untok(FMTCNTLBLOCK b, const std::string& p) { return call(FMTUnTokenizeNumberPic, b, B(p)); }
std::string old(FMTCNTLBLOCK b, const std::string& p) { return call(FMTCnvOldNumberPic, b, p); }
int valid(FMTCNTLBLOCK b, const std::string& p) {
  b.lpszPicture = const_cast<char*>(p.c_str());
  return FMTIsNumberPicValid(&b);
}

TEST(NumberPic, InitGivesStartingValuesAndKeepsHighFlags) {
  FMTCNTLBLOCK b;
  std::memset(&b, 0xA5, sizeof b);
  b.wFlags = 0xFFFFFFFFu;
  ASSERT_EQ(FMTInitCntlBlock(&b), 1);
  EXPECT_EQ(b.nFormatType, -1);
  EXPECT_EQ(b.wFlags, 0xFFFFE025u);
  EXPECT_EQ(b.iCountry, 1);
  EXPECT_EQ(b.cThousand | b.cDecimal | b.iLzero | b.iDigits | b.iEmpDateBoundryCheck, 0);
  EXPECT_EQ(b.number.bLength, 1);
  EXPECT_EQ(b.number.bExponent, 0xC0);
  EXPECT_EQ(b.hWnd, nullptr);
  EXPECT_EQ(b.uMsg | b.wParam | static_cast<UINT>(b.lParam), 0u);
  double zero = 0;
  EXPECT_EQ(std::memcmp(&b.dValue, &zero, sizeof zero), 0);
  EXPECT_EQ(b.iNegCurr, static_cast<INT>(0xA5A5A5A5u));  // left to the caller
  LRESULT filled;
  std::memset(&filled, 0xA5, sizeof filled);
  EXPECT_EQ(b.lResult, filled);
  b.wFlags = 0x0000FFFFu;
  FMTInitCntlBlock(&b);
  EXPECT_EQ(b.wFlags, 0x0000E025u);
  EXPECT_EQ(FMTInitCntlBlock(nullptr), 0);
}

TEST(NumberPic, TokenizesUnderUsSettings) {
  Regional us(kUS);
  const FMTCNTLBLOCK b = regionalBlock();
  const struct { const char* plain; const char* tokens; } cases[] = {
      {"#,##0.00;(#,##0.00)", "{#~##0!00};({#~##0!00})"},
      {"$#,##0.00;($#,##0.00)", "<{#~##0!00};[{#~##0!00}]"},
      {"#.", "{#!}."},
      {"#,##0.00_);(#,##0.00)", "{#~##0!00}@];({#~##0!00})"},
      {"0.0%", "{0!0}%"},
      {"'a''b\\'c'#,##0", "'a''b\\'c'{#~##0}"},
      {"\"x;y\"0", "\"x;y\"{0}"},
      {"#,##0,", "{#~##0},"},
      {"#;-#", "{#};-{#}"},
      {"0;;'nil'", "{0};;'nil'"},
  };
  for (const auto& c : cases) EXPECT_EQ(tok(b, c.plain), c.tokens) << c.plain;
  for (const char* whole : {"", "$", "0.00E+00", "0.0#e-0#", "0.00E00"}) EXPECT_EQ(tok(b, whole), whole);
  EXPECT_EQ(FMTIsNumberPicTokenized(B("{0}").c_str()), 1);
  EXPECT_EQ(FMTIsNumberPicTokenized("#,##0"), 0);
  EXPECT_EQ(FMTIsNumberPicTokenized(nullptr), 0);
}

TEST(NumberPic, LoneMinusStaysLiteral) {
  // Negative form 5: prefix "-", suffix "$".
  const FMTCNTLBLOCK b = ownBlock(',', '.', "$", 0, 5);
  EXPECT_EQ(tok(b, "#;-#"), "{#};-{#}");
  EXPECT_EQ(tok(b, "#;-#$"), "{#};[{#}]");
  // Form 3: prefix "$", suffix "-".
  EXPECT_EQ(tok(ownBlock(',', '.', "$", 0, 3), "#;#-"), "{#};{#}-");
  EXPECT_EQ(tok(ownBlock(',', '.', "$", 0, 3), "#;$#-"), "{#};[{#}]");
}

TEST(NumberPic, RoundTripsUnderTheSameSettings) {
  const char* corpus[] = {"#,##0", "0.00", "#,##0.00;(#,##0.00)", "0.0%;-0.0%;0%", "'Total: '#,##0.00",
                          "\"it\"\"s\"0", "'a\\'b'0", "#,##0.00_);(#,##0.00)", "0;-0;'zero'", "#,###,##0.0#",
                          "0 'x';(0) 'y'", "$#,##0.00;($#,##0.00)", "#,##0.00 EUR;-#,##0.00 EUR"};
  for (const char* ini : {kUS, kEuro}) {
    Regional settings(ini);
    for (std::string p : corpus) {
      if (ini == kEuro) {
        for (char& c : p) c = c == ',' ? '.' : c == '.' ? ',' : c;
      }
      const std::string tokens = call(FMTTokenizeNumberPic, regionalBlock(), p);
      EXPECT_EQ(call(FMTUnTokenizeNumberPic, regionalBlock(), tokens), p) << show(tokens);
    }
  }
  // Every currency position and negative form, each in its own spelling.
  for (int pos = 0; pos <= 3; ++pos) {
    for (int neg = 0; neg <= 10; ++neg) {
      const FMTCNTLBLOCK b = ownBlock('.', ',', "DM", pos, neg);
      kv::CurrencyAffixes a{};
      kv::FMTBuildCurrencyAffixes(pos, neg, a.posPrefix, a.posSuffix, a.negPrefix, a.negSuffix, "DM");
      const std::string picture = std::string(a.posPrefix) + "#.##0,00" + a.posSuffix + ";" + a.negPrefix +
                                  "#.##0,00" + a.negSuffix;
      const std::string tokens = call(FMTTokenizeNumberPic, b, picture);
      EXPECT_EQ(call(FMTUnTokenizeNumberPic, b, tokens), picture) << pos << "/" << neg << " " << show(tokens);
      EXPECT_EQ(valid(b, picture), 1) << picture;
      EXPECT_EQ(valid(b, tokens), 1) << picture;
    }
  }
}

TEST(NumberPic, UntokenizesUnderOtherSettings) {
  std::string tokens;
  {
    Regional us(kUS);
    tokens = tok(regionalBlock(), "$#,##0.00;($#,##0.00)");
  }
  {
    Regional euro(kEuro);
    EXPECT_EQ(untok(regionalBlock(), tokens), "#.##0,00 EUR;-#.##0,00 EUR");
    tokens = tok(regionalBlock(), "#.##0,00 EUR;-#.##0,00 EUR");
    EXPECT_EQ(tokens, "{#~##0!00}>;[{#~##0!00}]");
  }
  {
    Regional us(kUS);
    EXPECT_EQ(untok(regionalBlock(), tokens), "$#,##0.00;($#,##0.00)");
  }
  EXPECT_EQ(untok(ownBlock(',', '.', "$", 3, 0), "<{#~##0}"), "#,##0 $");  // prefix moves behind
  EXPECT_EQ(untok(ownBlock(',', '.', "$", 0, 1), "{0}>;{0}]"), "$0;-$0");
  EXPECT_EQ(untok(ownBlock(',', '.', "$", 3, 4), "<{0}>;[{0}]"), "0 $;(0$)");  // each affix once
  EXPECT_EQ(untok(ownBlock(',', '.', "$", 1, 1), "{0}@>"), "0_$");
  EXPECT_EQ(untok(ownBlock(',', '.', "$", 1, 0), "{0}@>"), "0");  // a pair only while the other suffix is empty
  EXPECT_EQ(untok(ownBlock(',', '.', "DM", 3, 1), "{0}@>"), "0");  // and its own is one character
  EXPECT_EQ(untok(ownBlock(',', '.', "$", 0, 0), "{0}@x"), "0_x");
  EXPECT_EQ(untok(ownBlock('\0', '\0', "$", 0, 0), "{#~##0!00}"), "###000");  // no separators: left out
}

TEST(NumberPic, ConvertsTheOldSyntax) {
  const FMTCNTLBLOCK us = ownBlock(',', '.', "$", 0, 0);
  const FMTCNTLBLOCK euro = ownBlock('.', ',', "EUR", 3, 8);
  EXPECT_EQ(old(us, "#,##0.00"), "#,##0.00");
  EXPECT_EQ(old(euro, "#,##0.00"), "#.##0,00");
  EXPECT_EQ(old(euro, "#,##0.00 EUR;-#,##0.00 EUR"), "#.##0,00 EUR;-#.##0,00 EUR");
  EXPECT_EQ(old(us, "$#,##0.00;($#,##0.00)"), "$#,##0.00;($#,##0.00)");
  EXPECT_EQ(old(us, "Total #,##0 units"), "'Total' #,##0 'units'");
  EXPECT_EQ(old(us, "0.0%;x0%"), "0.0%;'x'0%");
  EXPECT_EQ(old(us, "0;(0)"), "0;'('0)");
  EXPECT_EQ(old(us, "'it'0_)"), "'it'0_)");
  EXPECT_EQ(old(us, "No.0"), "'No.'0");
  EXPECT_EQ(old(us, "0.00E+00"), "0.00E+00");
}

TEST(NumberPic, ValidityRules) {
  const FMTCNTLBLOCK us = ownBlock(',', '.', "$", 0, 0);
  for (const char* p : {"", "$", "0.00E+00", "0.0#e-0#", "#,##0.00;(#,##0.00)", "#,##0.00_)", "#,##0.00_);(#,##0.00)",
                        "$#,##0.00;($#,##0.00)", "0.0%", "'Total '#,##0 ", "'it''s'0", "#,###,##0.0#", "#.",
                        "#,##0.00;;0", "#;-#", "#;;($#)", "$ #"}) {
    EXPECT_EQ(valid(us, p), 1) << p;
  }
  for (const char* p : {"0.#0E+00", "0.E+00", "0.00E00", "0.00E+0x", "#,##0;-#,##0;0;0", "#0#", "0.#0", "0.0.0",
                        "#,#0.00", "#,##,##0", "0 0", "#,##0,", "0_))", "'abc", "-#", "(#)", "#;((#))", "#;(#",
                        "#;(#))", "#;-(#)", "#;(-#)", "x0", "0%%", "$#,##0.00;(#,##0.00)", "$#;-#", "#;;(#)",
                        "#;(#)$"}) {
    EXPECT_EQ(valid(us, p), 0) << p;
  }
  EXPECT_EQ(valid(ownBlock(',', '.', "$", 0, 1), "#;(#)"), 0);  // parentheses only for forms 0 and 4
  EXPECT_EQ(valid(ownBlock(' ', ',', "$", 0, 1), "0 'x'"), 1);  // a blank separator reads as a blank
  EXPECT_EQ(valid(ownBlock('\'', '.', "$", 0, 1), "#'##0'x'"), 1);
  EXPECT_EQ(valid(ownBlock('.', ',', "EUR", 3, 8), "#,##0.00"), 0);
  EXPECT_EQ(valid(us, B("<{#~##0!00};[{#~##0!00}]")), 1);
  EXPECT_EQ(valid(us, std::string(64, '0')), 0);
  EXPECT_EQ(valid(us, std::string(63, '0')), 1);
  EXPECT_EQ(FMTIsNumberPicValid(nullptr), 0);
}

TEST(NumberPic, CurrencyAffixForms) {
  const char* positive[][2] = {{"$", ""}, {"", "$"}, {"$ ", ""}, {"", " $"}};
  const char* negative[][2] = {{"($", ")"}, {"-$", ""}, {"$-", ""}, {"$", "-"},  {"(", "$)"},  {"-", "$"},
                               {"", "-$"},  {"", "$-"}, {"-", " $"}, {"-$ ", ""}, {"", " $-"}};
  for (int pos = -1; pos <= 4; ++pos) {
    for (int neg = -1; neg <= 11; ++neg) {
      char pp[10] = "keep", ps[10] = "keep", np[10] = "keep", ns[10] = "keep";
      kv::FMTBuildCurrencyAffixes(pos, neg, pp, ps, np, ns, "$");
      const bool knownPos = pos >= 0 && pos <= 3, knownNeg = neg >= 0 && neg <= 10;
      EXPECT_STREQ(pp, knownPos ? positive[pos][0] : "keep");
      EXPECT_STREQ(ps, knownPos ? positive[pos][1] : "keep");
      EXPECT_STREQ(np, knownNeg ? negative[neg][0] : "keep");
      EXPECT_STREQ(ns, knownNeg ? negative[neg][1] : "keep");
    }
  }
  char pp[10], ps[10], np[10], ns[10];
  kv::FMTBuildCurrencyAffixes(2, 9, pp, ps, np, ns, "ABCDEFGHIJKL");  // cut to fit 9 characters
  EXPECT_STREQ(np, "-ABCDEFG ");
  kv::FMTBuildCurrencyAffixes(0, 0, pp, ps, np, ns, nullptr);
  EXPECT_STREQ(np, "(");
}

TEST(NumberPic, AffixCacheIsBuiltOncePerThread) {
  Regional us(kUS);
  std::string before, after, sameThreadSeparators, otherThread;
  std::thread first([&] {
    before = tok(regionalBlock(), "$#");
    const DWORD_PTR cache = TLS_GetItem(kv::gTokenizerItem.value);
    us.ini.write(kEuro);
    FMTWinIniChanged();
    after = tok(regionalBlock(), "$#");  // the affixes of the thread's first use
    sameThreadSeparators = tok(regionalBlock(), "#.##0,0");
    EXPECT_EQ(TLS_GetItem(kv::gTokenizerItem.value), cache);
  });
  first.join();
  std::thread second([&] { otherThread = tok(regionalBlock(), "$# EUR"); });
  second.join();
  EXPECT_EQ(before, "<{#}");
  EXPECT_EQ(after, "<{#}");
  EXPECT_EQ(sameThreadSeparators, "{#~##0!0}");
  EXPECT_EQ(otherThread, "${#}>");
}

TEST(NumberPic, OverlongPicturesAreRefused) {
  const FMTCNTLBLOCK us = ownBlock(',', '.', "$", 0, 0);
  int r = -1;
  for (auto fn : {FMTTokenizeNumberPic, FMTUnTokenizeNumberPic, FMTCnvOldNumberPic}) {
    EXPECT_EQ(call(fn, us, std::string(64, '#'), &r), "");
    EXPECT_EQ(r, 0);
    EXPECT_EQ(call(fn, us, std::string(63, '#'), &r).size(), fn == FMTTokenizeNumberPic ? 0u : 63u);
    EXPECT_EQ(r, fn == FMTTokenizeNumberPic ? 0 : 1);  // tokenized it would need 65 bytes
  }
  EXPECT_EQ(call(FMTTokenizeNumberPic, us, std::string(61, '#'), &r).size(), 63u);
  EXPECT_EQ(r, 1);
  EXPECT_EQ(call(FMTUnTokenizeNumberPic, ownBlock(',', '.', "EUR", 2, 9), B(std::string(16, '<') + "{0}"), &r), "");
  EXPECT_EQ(r, 0);
  EXPECT_EQ(call(FMTCnvOldNumberPic, us, "a;b;c;d;e;f;g;h;i;j;k;l;m;n;o;p;q", &r), "");
  EXPECT_EQ(r, 0);

  FMTCNTLBLOCK b = us;
  char out[64] = "junk";
  b.lpszOutput = out;
  b.lpszPicture = nullptr;
  EXPECT_EQ(FMTTokenizeNumberPic(&b), 0);
  EXPECT_STREQ(out, "");
  b.lpszOutput = nullptr;
  b.lpszPicture = const_cast<char*>("0");
  EXPECT_EQ(FMTCnvOldNumberPic(&b), 0);
  EXPECT_EQ(FMTUnTokenizeNumberPic(nullptr), 0);

  char inPlace[64] = "#,##0.00";  // output and picture may be the same buffer
  b.lpszPicture = b.lpszOutput = inPlace;
  EXPECT_EQ(FMTTokenizeNumberPic(&b), 1);
  EXPECT_EQ(show(inPlace), "{#~##0!00}");
}

TEST(NumberPic, DoubleByteLiteralsUnderAJapaneseSystem) {
  // Shift-JIS "so" (0x83 0x5C) ends in a backslash byte, "yen" sign 0x89 0x7E.
  const std::string pic = "'\x83\x5C'#,##0";
  const FMTCNTLBLOCK yen = ownBlock(',', '.', "\x89\x7E", 1, 0);
  {
    EmulatedSystem english(0x0409);  // single bytes: the backslash escapes the quote
    if (english.active()) {
      EXPECT_EQ(valid(yen, pic), 0);
    }
  }
  {
    EmulatedSystem japanese(0x0411);
    KV_ONLY_ON(japanese);
    EXPECT_EQ(tok(yen, pic), "'\x83\x5C'{#~##0}");
    EXPECT_EQ(valid(yen, pic), 1);
    EXPECT_EQ(old(yen, "\x83\x5C#,##0"), "'\x83\x5C'#,##0");
    EXPECT_EQ(tok(yen, "#,##0\x89\x7E_)"), "{#~##0}>@]");
    const FMTCNTLBLOCK yenAfter = ownBlock(',', '.', "\x89\x7E", 1, 1);
    EXPECT_EQ(untok(yenAfter, "{#~##0}@>"), "#,##0_\x89\x7E");  // one character of two bytes
    char pp[10], ps[10], np[10], ns[10];
    kv::FMTBuildCurrencyAffixes(1, 0, pp, ps, np, ns, "\x89\x7E\x89\x7E\x89\x7E\x89\x7E");
    EXPECT_EQ(std::string(ps), "\x89\x7E\x89\x7E\x89\x7E");  // never half a character
  }
}

}  // namespace

// Valid pictures that a tokenize / untokenize round trip used to turn invalid or unreadable:
// a run ending in its point, a suffix that moves in front of "%", a picture without a run.
TEST(NumberPic, StoredPicturesStayValid) {
  Regional us(kUS);
  const FMTCNTLBLOCK b = regionalBlock();
  const struct {
    const char* plain;
    const char* tokens;
    const char* back;
  } cases[] = {
      {"000.", "{000!}.", "000."},
      {"#.;(#.)", "{#!}.;({#!}.)", "#.;(#.)"},
      {";($ ###%", ";[ {###}%", ";($ ###%)"},
      {"$$", "$$", "$$"},
      {"'x'$", "'x'$", "'x'$"},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(valid(b, c.plain), 1) << c.plain;
    const std::string tokens = call(FMTTokenizeNumberPic, b, c.plain);
    EXPECT_EQ(show(tokens), c.tokens) << c.plain;
    EXPECT_EQ(FMTIsNumberPicTokenized(tokens.c_str()), std::strchr(c.tokens, '{') != nullptr) << c.plain;
    EXPECT_EQ(call(FMTUnTokenizeNumberPic, b, tokens), c.back) << c.plain;
    EXPECT_EQ(valid(b, tokens), 1) << c.plain;
  }
  // The byte after 0x02 0x10 is dropped only as the point's echo: a suffix token stays.
  EXPECT_EQ(untok(b, "<{#!}>"), "$#.");
}
