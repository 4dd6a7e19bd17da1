// The currency affixes: where the symbol stands around a positive and a negative amount,
// as four short strings built from the positive and the negative currency forms.
#include "format/number_pic.h"

#include <cstring>
#include <initializer_list>

namespace kv {

namespace {

// One affix: a lead, the symbol (or not) and a trail.
struct Piece {
  const char* lead;
  bool symbol;
  const char* trail;
};
struct Form {
  Piece prefix;
  Piece suffix;
};

constexpr Piece kEmpty{"", false, ""};

// Positive forms 0..3: S1.1, 1.1S, S 1.1, 1.1 S.
constexpr Form kPositive[] = {
    {{"", true, ""}, kEmpty},
    {kEmpty, {"", true, ""}},
    {{"", true, " "}, kEmpty},
    {kEmpty, {" ", true, ""}},
};

// Negative forms 0..10: (S1.1), -S1.1, S-1.1, S1.1-, (1.1S), -1.1S, 1.1-S, 1.1S-,
// -1.1 S, -S 1.1, 1.1 S-.
constexpr Form kNegative[] = {
    {{"(", true, ""}, {")", false, ""}},
    {{"-", true, ""}, kEmpty},
    {{"", true, "-"}, kEmpty},
    {{"", true, ""}, {"-", false, ""}},
    {{"(", false, ""}, {"", true, ")"}},
    {{"-", false, ""}, {"", true, ""}},
    {kEmpty, {"-", true, ""}},
    {kEmpty, {"", true, "-"}},
    {{"-", false, ""}, {" ", true, ""}},
    {{"-", true, " "}, kEmpty},
    {kEmpty, {" ", true, "-"}},
};

// The longest affix adds two characters to the symbol.
constexpr int kSymbolRoom = kAffixBuffer - 1 - 2;

// Copies the symbol, cut so that every affix fits and no double-byte character is split.
void clipSymbol(LPCSTR symbol, CHAR (&out)[kSymbolRoom + 1]) {
  const bool dbcs = IntlDBCSEnabled() != 0;
  int n = 0;
  if (symbol) {
    for (;;) {
      const int bytes = PictureCharBytes(symbol + n, dbcs);
      if (!bytes || n + bytes > kSymbolRoom) break;
      n += bytes;
    }
    std::memcpy(out, symbol, static_cast<size_t>(n));
  }
  out[n] = '\0';
}

void write(LPSTR out, const Piece& piece, LPCSTR symbol) {
  int n = 0;
  for (LPCSTR part : {piece.lead, piece.symbol ? symbol : "", piece.trail}) {
    for (; *part && n < kAffixBuffer - 1; ++part) out[n++] = *part;
  }
  out[n] = '\0';
}

template <size_t N>
void writeForm(const Form (&forms)[N], LONG code, LPSTR prefix, LPSTR suffix, LPCSTR symbol) {
  if (code < 0 || static_cast<size_t>(code) >= N) return;  // unknown: left as they were
  write(prefix, forms[code].prefix, symbol);
  write(suffix, forms[code].suffix, symbol);
}

}  // namespace

void FMTBuildCurrencyAffixes(LONG posForm, LONG negForm, LPSTR posPrefix, LPSTR posSuffix, LPSTR negPrefix,
                             LPSTR negSuffix, LPCSTR symbol) {
  CHAR s[kSymbolRoom + 1];
  clipSymbol(symbol, s);
  writeForm(kPositive, posForm, posPrefix, posSuffix, s);
  writeForm(kNegative, negForm, negPrefix, negSuffix, s);
}

}  // namespace kv
