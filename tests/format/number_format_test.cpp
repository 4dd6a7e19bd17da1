// Number formatting: the regional number and currency forms, the picture engine and the
// longest formatted length, under US settings and a European profile.
#include "number_format_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

NUMBER num(const char* text) {
  NUMBER n{};
  EXPECT_GT(NumAsciiToNumber(&n, text), 0) << text;
  return n;
}

// The text formatted into a roomy buffer, or "<refused>".
std::string format(FMTCNTLBLOCK b, const char* picture, const char* value, int* result = nullptr) {
  b.lpszPicture = const_cast<char*>(picture);
  b.number = num(value);
  std::vector<char> out(200, 'Z');
  b.lpszOutput = out.data();
  const int r = FMTFormatNumber(&b);
  if (result) *result = r;
  return r ? std::string(out.data()) : "<refused>";
}

struct Case {
  const char* picture;
  const char* value;
  const char* text;
};

TEST(NumberFormat, PictureEngineUnderUsSettings) {
  Regional r(kUS);
  const Case cases[] = {
      {"#,##0.00", "1234567.891", "1,234,567.89"}, {"#,##0.00", "-1234.5", "-1,234.50"},
      {"#,##0.00;(#,##0.00)", "-5", "(5.00)"}, {"#,##0.00;(#,##0.00)", "5", "5.00"},
      {"0.00;(0.00);'nil '0", "0", "nil 0"},
      {"0.00;(0.00);'nil '0", "0.001", "nil 0"},   // shows as zero
      {"0.00;(0.00);'nil '0", "-0.001", "nil 0"},  // negative that shows as zero
      {"0.0", "-0.01", "0.0"},                     // no minus before a zero
      {"0.0;(0.0)", "-0.01", "0.0"},               // first section without a third
      {"#.##", "5", "5"}, {"#.##", "0.5", ".5"}, {"0.##", "0.5", "0.5"},
      {"0.0#", "1", "1.0"}, {"#.##", "1.006", "1.01"}, {"0.0%", "0.125", "12.5%"},
      {"0%", "-0.5", "-50%"}, {"#,##0.00_)", "5", "5.00 "}, {"#,##0.00_);(#,##0.00)", "-5", "(5.00)"},
      {"000", "5", "005"}, {"00,000", "12", "00,012"}, {"#,##0", "999.5", "1,000"},
      {"#,##0", "123", "123"}, {"#", "0", "0"}, {"$#,##0.00;($#,##0.00)", "-1234.5", "($1,234.50)"},
      {"'Total: '#,##0' units'", "1234", "Total: 1,234 units"}, {"'it''s '0", "5", "it's 5"},
      {"'a\\'b'0", "5", "a'b5"}, {"\"x\"\"y\"0", "5", "x\"y5"},
      {"0;-0;'z'", "0", "z0"},  // the digits follow even a section without placeholders
      {"0;", "-5", ""},         // empty negative section
      {"#,##0", "1e30", "1,000,000,000,000,000,000,000,000,000,000"}, {"0.00", "1e-100", "0.00"},
      {"0.00E+00", "12345", "1.23E+04"}, {"0.00E+00", "0.000123", "1.23E-04"}, {"0.00E+00", "0", "0.00E+00"},
      {"0.00E-00", "12345", "1.23E04"}, {"0.00E+00", "-12345", "-1.23E+04"}, {"0.00E+00", "9.999", "1.00E+01"},
      {"0.00E+00", "9.6", "9.60E+00"}, {"0.0#e-0", "1.5", "1.5e0"}, {"0.00E+00", "1e119", "1.00E+119"},
      {"0.00E+00", "1.5e-120", "1.50E-120"},
  };
  for (const auto& c : cases) {
    int result = 0;
    EXPECT_EQ(format(block(FMT_TYPE_PICTURE), c.picture, c.value, &result), c.text) << c.picture << " " << c.value;
    EXPECT_EQ(result, 1);
  }
}

TEST(NumberFormat, PictureEngineUnderEuropeanProfile) {
  Regional r(kEuro);
  const Case cases[] = {
      {"#.##0,00", "1234567.891", "1.234.567,89"}, {"#.##0,00 EUR;-#.##0,00 EUR", "-1234.5", "-1.234,50 EUR"},
      {"#.##0,00 EUR", "1234.5", "1.234,50 EUR"}, {"#,##", "5", "5"}, {"0,0%", "0.125", "12,5%"},
      {"0.00E+00", "12345", "1,23E+04"},
  };
  for (const auto& c : cases) EXPECT_EQ(format(block(FMT_TYPE_PICTURE), c.picture, c.value), c.text) << c.picture;

  // Block separators instead of the regional ones.
  FMTCNTLBLOCK own = block(FMT_TYPE_PICTURE);
  own.bUseIntl = 0;
  own.cThousand = '\'';
  own.cDecimal = '.';
  EXPECT_EQ(format(own, "#'##0.00", "1234567.5"), "1'234'567.50");
}

TEST(NumberFormat, TokenizedPictureFollowsTheSettingsInForce) {
  char tokenized[64] = {};
  {
    Regional r(kUS);
    FMTCNTLBLOCK b = block(FMT_TYPE_PICTURE);
    b.lpszPicture = const_cast<char*>("#,##0.00;(#,##0.00)");
    b.lpszOutput = tokenized;
    ASSERT_EQ(FMTTokenizeNumberPic(&b), 1);
  }
  Regional r(kEuro);
  EXPECT_EQ(format(block(FMT_TYPE_PICTURE), tokenized, "1234.5"), "1.234,50");
  EXPECT_EQ(format(block(FMT_TYPE_PICTURE), tokenized, "-1234.5"), "(1.234,50)");
}

TEST(NumberFormat, RegionalForms) {
  {
    Regional r(kUS);
    EXPECT_EQ(format(block(FMT_TYPE_NUMBER), nullptr, "1234.5"), "1,234.50");
    EXPECT_EQ(format(block(FMT_TYPE_NUMBER), nullptr, "-0.5"), "-0.50");
    EXPECT_EQ(format(block(FMT_TYPE_NUMBER), nullptr, "-1234567.891"), "-1,234,567.89");
    EXPECT_EQ(format(block(FMT_TYPE_PICTURE), "", "1234.5"), "1,234.50");
    EXPECT_EQ(format(block(FMT_TYPE_CURRENCY), nullptr, "1234.5"), "$1,234.50");
    EXPECT_EQ(format(block(FMT_TYPE_CURRENCY), nullptr, "-1234.5"), "($1,234.50)");
    EXPECT_EQ(format(block(FMT_TYPE_PICTURE), "$", "-1234.5"), "($1,234.50)");
    FMTCNTLBLOCK full = block(FMT_TYPE_NUMBER);
    full.wFlags |= FMT_FLAG_FULL_PRECISION;
    EXPECT_EQ(format(full, nullptr, "1234.5678"), "1,234.5678");
    EXPECT_EQ(format(full, nullptr, "1e-30"), "0.000000000000000000000000000001");
  }
  {
    Regional r(kEuro);
    EXPECT_EQ(format(block(FMT_TYPE_NUMBER), nullptr, "-1234567.891"), "-1.234.567,89");
    EXPECT_EQ(format(block(FMT_TYPE_CURRENCY), nullptr, "1234.5"), "1.234,50 EUR");
    EXPECT_EQ(format(block(FMT_TYPE_CURRENCY), nullptr, "-1234.5"), "-1.234,50 EUR");
  }
  // The block's own settings, with every negative currency form.
  FMTCNTLBLOCK own = block(FMT_TYPE_CURRENCY);
  own.bUseIntl = 0;
  own.cThousand = ',';
  own.cDecimal = '.';
  own.iDigits = 2;
  own.lpszCurrency = const_cast<char*>("$");
  own.iCurrency = 0;
  const char* negative[] = {"($1,234.50)", "-$1,234.50", "$-1,234.50", "$1,234.50-", "(1,234.50$)", "-1,234.50$",
                            "1,234.50-$",  "1,234.50$-", "-1,234.50 $", "-$ 1,234.50", "1,234.50 $-", ""};
  for (int form = 0; form <= 11; ++form) {
    own.iNegCurr = form;
    EXPECT_EQ(format(own, nullptr, "-1234.5"), negative[form]) << form;
  }
  const char* positive[] = {"$5.00", "5.00$", "$ 5.00", "5.00 $"};
  for (int form = 0; form <= 3; ++form) {
    own.iCurrency = form;
    EXPECT_EQ(format(own, nullptr, "5"), positive[form]) << form;
  }
  FMTCNTLBLOCK lz = own;
  lz.nFormatType = FMT_TYPE_NUMBER;
  lz.iLzero = 0;
  EXPECT_EQ(format(lz, nullptr, "0.5"), ".50");
  lz.iLzero = 1;
  EXPECT_EQ(format(lz, nullptr, "0.5"), "0.50");
  lz.iDigits = 0;
  EXPECT_EQ(format(lz, nullptr, "1234.5"), "1,235");
  lz.cDecimal = '\0';  // a missing separator keeps the point
  lz.iDigits = 1;
  EXPECT_EQ(format(lz, nullptr, "1234.5"), "1,234.5");
}

TEST(NumberFormat, RefusalsAndEmptyResults) {
  Regional r(kUS);
  int result = -1;
  FMTCNTLBLOCK b = block(FMT_TYPE_PICTURE);
  b.wFlags &= ~FMT_FLAG_INITIALIZED;
  EXPECT_EQ(format(b, "0", "1", &result), "<refused>");
  EXPECT_EQ(format(block(FMT_TYPE_DATE), "0", "1", &result), "<refused>");
  EXPECT_EQ(format(block(99), "0", "1", &result), "<refused>");
  // A null number formats as nothing, in every kind.
  for (int kind : {FMT_TYPE_NUMBER, FMT_TYPE_CURRENCY, FMT_TYPE_PICTURE}) {
    FMTCNTLBLOCK n = block(kind);
    NumMakeNull(&n.number);
    char out[8] = "x";
    n.lpszOutput = out;
    n.lpszPicture = const_cast<char*>("#,##0.00");
    EXPECT_EQ(FMTFormatNumber(&n), 1);
    EXPECT_STREQ(out, "");
  }
  b = block(FMT_TYPE_PICTURE);
  b.lpszOutput = nullptr;
  b.lpszPicture = const_cast<char*>("0");
  EXPECT_EQ(FMTFormatNumber(&b), 0);
}

TEST(NumberFormat, MaxFormattedLength) {
  Regional r(kUS);
  EXPECT_EQ(FMTGetMaxFormattedNumLen("#,##0.00", 7, 0), 13);
  EXPECT_EQ(FMTGetMaxFormattedNumLen("#,##0.00", 7, 40), 40);
  EXPECT_EQ(FMTGetMaxFormattedNumLen("#,##0.00;(#,##0.00)", 7, 0), 14);
  EXPECT_EQ(FMTGetMaxFormattedNumLen("0.0%", 1, 0), 3 + 2 + 1 + 1);  // 100.0% and a minus
  EXPECT_EQ(FMTGetMaxFormattedNumLen("0.00E+00", 5, 0), 2 + 2 + 2 + 3 + 1);
  EXPECT_EQ(FMTGetMaxFormattedNumLen("$", 4, 0), 1 + 4 + 1 + 3 + 2);  // ($1,234.50)
}

// Every picture of the corpus the validity test accepts, formatting values over the whole
// range of a NUMBER, stays within FMTGetMaxFormattedNumLen for the value's integer digits.
TEST(NumberFormat, FormattedTextNeverExceedsTheMaximum) {
  std::vector<std::string> pictures = {
      "#,##0.00", "#,##0.00;(#,##0.00)", "0.00;(0.00);'nil '0", "#.##", "0.0%", "#,##0.00_)", "000,000.000###",
      "$#,##0.00;($#,##0.00)", "0", "#", "0.00E+00", "0.0##E-0#", "'Total: '#,##0' units'", "0;-0;'z'",
      "#,##0%;(#,##0%)", "$", "", "0.000000000000000000000000000000000000000000000000000000#", "00000000000000000000",
      "-#,##0.00 EUR;-0", "#,##0.00_);(#,##0.00);'zero'_)", "0.00000000000000000000E+0"};
  std::mt19937 rng(20261206);
  // Random strings of picture characters; those the validity test accepts join the corpus.
  const std::string alphabet = "#0#0,.;%_)(-$ 'aE+";
  for (int i = 0; i < 4000; ++i) {
    std::string p;
    for (int n = 1 + static_cast<int>(rng() % 16); n > 0; --n) p += alphabet[rng() % alphabet.size()];
    pictures.push_back(p);
  }
  std::vector<std::string> values = {"0",     "1e119", "9.9999999999999999999999e119", "-9.99999999999999999999e119",
                                     "1e-120", "-1e-120", "0.5", "-0.5", "999.995", "-999.995", "99999.9999",
                                     "12345678901234567890123", "-1234567890123456789012", "0.0000001"};
  for (int i = 0; i < 300; ++i) {
    std::string v = (rng() % 2) ? "-" : "";
    const int digits = 1 + static_cast<int>(rng() % 23);
    for (int d = 0; d < digits; ++d) v += static_cast<char>('1' + rng() % 9);
    v += "e" + std::to_string(static_cast<int>(rng() % 230) - 120 - digits);
    values.push_back(v);
  }
  for (const char* ini : {kUS, kEuro}) {
    Regional r(ini);
    int checked = 0;
    for (const auto& text : pictures) {
      const char* picture = text.c_str();
      FMTCNTLBLOCK check = block(FMT_TYPE_PICTURE);
      check.lpszPicture = const_cast<char*>(picture);
      if (!FMTIsNumberPicValid(&check)) continue;
      ++checked;
      for (const auto& v : values) {
        NUMBER n = num(v.c_str());
        NUMBER whole;
        NumRound(&whole, &n, 0);
        char digitText[200];
        NumToAscii(&whole, digitText, 150);
        const int intDigits = static_cast<int>(std::strlen(digitText)) - (digitText[0] == '-');
        const int max = FMTGetMaxFormattedNumLen(picture, intDigits, 0);
        // Exactly the room promised, then guard bytes.
        std::vector<char> out(static_cast<size_t>(max) + 1 + 16, '\x5A');
        FMTCNTLBLOCK b = block(FMT_TYPE_PICTURE);
        b.lpszPicture = const_cast<char*>(picture);
        b.number = n;
        b.lpszOutput = out.data();
        ASSERT_EQ(FMTFormatNumber(&b), 1);
        ASSERT_LE(static_cast<int>(std::strlen(out.data())), max) << picture << " " << v << " -> " << out.data();
        for (size_t g = static_cast<size_t>(max) + 1; g < out.size(); ++g) ASSERT_EQ(out[g], '\x5A');
      }
    }
    EXPECT_GE(checked, 60);
  }
}

}  // namespace

// A length byte with bit 7 set is read with four bits by the arithmetic and NumCompare and
// as invalid by the rest: the formatter used to take the sign one way and the digits the
// other, writing two minus signs past the announced length (or, for a scientific picture,
// following a missing point). The value is the one the arithmetic reads.
TEST(NumberFormat, RecordsWithBit7LengthFormatOnce) {
  Regional us(kUS);
  NUMBER odd{};
  const BYTE bytes[] = {0x83, 0x3E, 95, 101};  // -5 with bit 7 set: the same length 3 both ways
  std::memcpy(&odd, bytes, sizeof bytes);
  NUMBER wide = odd;
  wide.bLength = 0xA3;  // four bits say 3, six bits say 35 (invalid)
  for (const NUMBER& n : {odd, wide}) {
    FMTCNTLBLOCK b = block(FMT_TYPE_PICTURE);
    b.number = n;
    for (const auto& [picture, text] : {std::pair{"0%", "-500%"}, std::pair{"0", "-5"}, std::pair{"0.0E+00", "-5.0E+00"}}) {
      char out[40];
      b.lpszPicture = const_cast<char*>(picture);
      b.lpszOutput = out;
      ASSERT_EQ(FMTFormatNumber(&b), 1) << picture;
      EXPECT_STREQ(out, text) << picture << " length byte " << int{n.bLength};
      EXPECT_LE(std::strlen(out), static_cast<size_t>(FMTGetMaxFormattedNumLen(picture, 1, 0)));
    }
  }
}

// A decimal separator "-" of the caller's own settings is not found in the minus sign.
TEST(NumberFormat, MinusAsDecimalSeparatorIsNotTheSign) {
  FMTCNTLBLOCK b = block(FMT_TYPE_NUMBER);
  b.bUseIntl = 0;
  b.cThousand = ',';
  b.cDecimal = '-';
  b.iDigits = 2;
  b.iLzero = 1;
  EXPECT_EQ(format(b, "", "-1234567.5"), "-1,234,567-50");
  EXPECT_EQ(format(b, "", "1234.5"), "1,234-50");
}
