// Input masks: validity, masking, unmasking and the position helpers.
#include "format/mask.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <korvane/format.h>

#include <cctype>
#include <cstring>
#include <random>
#include <string>

namespace {

std::string mask(const char* input, const char* m) {
  char out[256] = "untouched";
  if (!FMTMaskText(input, out, m)) return "<refused>";
  return out;
}

// Returns the unmasked text, or "<refused>" (checking that the output was emptied).
std::string unmask(const char* text, const char* m) {
  FMTCNTLBLOCK block{};
  FMTInitCntlBlock(&block);
  char out[256] = "untouched";
  block.lpszInput = const_cast<char*>(text);
  block.lpszPicture = const_cast<char*>(m);
  block.lpszOutput = out;
  if (!FMTUnmaskInput(&block)) return out[0] ? "<refused, output kept>" : "<refused>";
  return out;
}

TEST(Masks, Validity) {
  EXPECT_EQ(FMTIsValidMaskFormat(""), 0);
  EXPECT_EQ(FMTIsValidMaskFormat(nullptr), 0);
  EXPECT_EQ(FMTIsValidMaskFormat("(--)"), 0);
  EXPECT_EQ(FMTIsValidMaskFormat("99*9"), 0);
  EXPECT_EQ(FMTIsValidMaskFormat("(999) 999-9999"), 1);
  EXPECT_EQ(FMTIsValidMaskFormat("AA-9999*"), 1);
  EXPECT_EQ(FMTIsPicNoUnmaskOnGets("^99-99"), 1);
  EXPECT_EQ(FMTIsPicNoUnmaskOnGets("99-99"), 0);
  EXPECT_EQ(FMTIsPicUnlimited("AA-9999*"), 1);
  EXPECT_EQ(FMTIsPicUnlimited("^AA*"), 1);
  EXPECT_EQ(FMTIsPicUnlimited("AA"), 0);
  EXPECT_EQ(FMTIsPicUnlimited(""), 0);
  EXPECT_EQ(FMTCntMaskChars("^99-99"), 4);
  EXPECT_EQ(FMTCntNonMaskChars("^99-99"), 1);
  EXPECT_EQ(FMTCntMaskChars("(999) 999-9999"), 10);
  EXPECT_EQ(FMTCntNonMaskChars("(999) 999-9999"), 4);
  EXPECT_EQ(FMTCntMaskChars(nullptr), 0);
}

TEST(Masks, Masking) {
  EXPECT_EQ(mask("5551234567", "(999) 999-9999"), "(555) 123-4567");
  EXPECT_EQ(mask("(555) 123-4567", "(999) 999-9999"), "(555) 123-4567");  // literals consumed
  EXPECT_EQ(mask("5551234567", "^(999) 999-9999"), "(555) 123-4567");
  EXPECT_EQ(mask("12", "99-99"), "12-");
  EXPECT_EQ(mask("ab12", "AA99"), "AB12");
  EXPECT_EQ(mask("a1b2", "AA99"), "AB2");
  EXPECT_EQ(mask("k2j 1x9", "A9A 9A9"), "K2J 1X9");                 // postal code
  EXPECT_EQ(mask("xy12345678", "AA-9999*"), "XY-12345678");         // unlimited part number
  EXPECT_EQ(mask("", "99-99"), "");
  {
    EmulatedSystem english(0x0409);
    if (english.active()) {  // code page 1252 letters
      EXPECT_EQ(mask("\xe9t\xe9", "!aa"), "\xc9t\xe9");
    }
  }
  EXPECT_EQ(mask("12", "99*9"), "<refused>");
  EXPECT_EQ(mask(nullptr, "99"), "<refused>");
  char out[8];
  EXPECT_EQ(FMTMaskText("12", out, nullptr), 0);
  EXPECT_EQ(FMTMaskText("12", nullptr, "99"), 0);
}

// A mask whose double-byte literal has a mask character for its trail byte: the output still
// fits FMTMaskedLength, the room callers size their buffers by.
TEST(Masks, DoubleByteLiteralsUnderAJapaneseSystem) {
  EmulatedSystem japanese(0x0411);
  KV_ONLY_ON(japanese);
  const char* odd = "\xe1" "99";
  for (const char* text : {"", "5", "55"}) {
    const size_t room = static_cast<size_t>(kv::FMTMaskedLength(odd, text)) + 1;
    char out[16];
    std::memset(out, 'X', sizeof out);
    ASSERT_EQ(FMTMaskText(text, out, odd), 1);
    EXPECT_LT(std::strlen(out), room) << text;
    EXPECT_EQ(out[room], 'X') << text;
  }
}

TEST(Masks, Unmasking) {
  EXPECT_EQ(unmask("(555) 123-4567", "(999) 999-9999"), "5551234567");
  EXPECT_EQ(unmask("(555) 12x-4567", "(999) 999-9999"), "<refused>");
  EXPECT_EQ(unmask("(555) 1", "(999) 999-9999"), "5551");
  EXPECT_EQ(unmask("(555) 1", "^(999) 999-9999"), "5551");
  EXPECT_EQ(unmask("(5 5) 1", "(999) 999-9999"), "5 51");     // blanks fit any class
  EXPECT_EQ(unmask("[555", "(999)"), "<refused>");             // literal differs
  EXPECT_EQ(unmask("12-345", "99-99"), "<refused>");           // longer than a limited mask
  EXPECT_EQ(unmask("XY-12345678", "AA-9999*"), "XY12345678");  // the rest after "*" as is
  EXPECT_EQ(unmask("A-1", "n-N"), "A1");
  EXPECT_EQ(unmask("!-1", "n-N"), "<refused>");
  EXPECT_EQ(unmask("12", ""), "<refused>");
  EXPECT_EQ(unmask(nullptr, "99"), "<refused>");
  EXPECT_EQ(FMTUnmaskInput(nullptr), 0);
}

TEST(Masks, PositionHelpers) {
  WORD pos = 99;
  const char* phone = "(999) 999-9999";
  EXPECT_EQ(kv::FMTFindNextLiteral(phone, 0, &pos), 1);
  EXPECT_EQ(pos, 0);
  EXPECT_EQ(kv::FMTFindNextMaskChar(phone, 0, &pos), 1);
  EXPECT_EQ(pos, 1);
  EXPECT_EQ(kv::FMTFindNextLiteral(phone, 10, &pos), 0);  // none before the end
  EXPECT_EQ(kv::FMTFindNextMaskChar(phone, 13, &pos), 1);
  EXPECT_EQ(pos, 13);
  EXPECT_EQ(kv::FMTFindNextMaskChar(phone, 14, &pos), 0);
  EXPECT_EQ(kv::FMTFindNextMaskChar("^-9", 0, &pos), 1);  // positions of the mask proper
  EXPECT_EQ(pos, 1);

  EXPECT_EQ(kv::FMTMaskedLength(phone, "5551234567"), 14);
  EXPECT_EQ(kv::FMTMaskPosToDataPos(phone, 0), 0xFFFF);  // before the first mask character
  EXPECT_EQ(kv::FMTMaskPosToDataPos(phone, 1), 0);
  EXPECT_EQ(kv::FMTMaskPosToDataPos(phone, 5), 2);
  EXPECT_EQ(kv::FMTMaskPosToDataPos(phone, 13), 9);
  EXPECT_EQ(kv::FMTMaskPosToDataPos(phone, 40), 9);       // limited: stays at the last
  EXPECT_EQ(kv::FMTMaskPosToDataPos("AA-9*", 4), 3);
  EXPECT_EQ(kv::FMTMaskPosToDataPos("AA-9*", 5), 4);      // unlimited: counts on past the end
  EXPECT_EQ(kv::FMTMaskPosToDataPos("AA-9*", 8), 7);
  EXPECT_TRUE(kv::maskHasMaskCharWithin(phone, 2));
  EXPECT_FALSE(kv::maskHasMaskCharWithin(phone, 1));
  EXPECT_FALSE(kv::maskHasMaskCharWithin("--9", 2));

  char c = 'q';
  EXPECT_EQ(kv::FMTMaskCharAccepts('-', &c), 1);  // a literal replaces the character
  EXPECT_EQ(c, '-');
  c = '\n';
  EXPECT_EQ(kv::FMTMaskCharAccepts('X', &c), 0);
  EXPECT_EQ(kv::FMTMaskCharAccepts('*', &c), 1);
}

TEST(Masks, MaskThenUnmaskGivesTheTypedCharacters) {
  const char* corpus[] = {"(999) 999-9999", "A9A 9A9", "AA-9999*", "99/99/9999", "NNN-nnn", "!!X-XX", "a9*"};
  std::mt19937 rng(7);
  auto pick = [&](char cls) -> char {
    const std::string digits = "0123456789", letters = "abcdefghijKLMNOPQxyz", any = "ab09#$?";  // no literal of the corpus: a typed literal would be consumed
    switch (cls) {
      case '9': return digits[rng() % digits.size()];
      case 'a': case 'A': return letters[rng() % letters.size()];
      case 'n': case 'N': return (rng() % 2 ? digits : letters)[rng() % 10];
      default: return any[rng() % any.size()];
    }
  };
  for (const char* m : corpus) {
    for (int round = 0; round < 200; ++round) {
      std::string typed;
      for (const char* p = m; *p; ++p)
        if (kv::FMTIsMaskChar(*p)) typed += pick(*p);
      if (*m && m[std::strlen(m) - 1] == '*')
        for (int extra = rng() % 6; extra > 0; --extra) typed += pick('X');
      typed.resize(rng() % (typed.size() + 1));  // partly filled fields too
      const std::string masked = mask(typed.c_str(), m);
      std::string expected = typed;
      for (size_t k = 0, q = 0; k < expected.size() && m[q]; ++q) {  // the conversions the classes make
        while (m[q] && !kv::FMTIsMaskChar(m[q])) ++q;
        if (!m[q]) break;
        if (m[q] == 'A' || m[q] == 'N' || m[q] == '!') expected[k] = static_cast<char>(std::toupper(expected[k]));
        if (m[q] == '*') break;
        ++k;
      }
      ASSERT_EQ(unmask(masked.c_str(), m), expected) << m << " typed '" << typed << "' masked '" << masked << "'";
    }
  }
}

}  // namespace
