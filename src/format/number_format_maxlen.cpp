// FMTGetMaxFormattedNumLen: the longest text formatting can produce with a picture, so that
// callers can size output buffers and edit fields.
#include "format/number_format.h"
#include "format/number_pic.h"
#include "format/settings.h"

#include <cstring>

namespace kv {

namespace {

LONG clampedDecimals(LONG d) { return d < 0 ? 0 : (d > kMaxRegionalDecimals ? kMaxRegionalDecimals : d); }

int digitsWithGroups(int n) { return n + (n > 0 ? (n - 1) / 3 : 0); }

// Sign and currency characters a regional form adds around the digits.
int currencyExtra(LONG positiveForm, LONG negativeForm) {
  const int positive = positiveForm == 2 || positiveForm == 3 ? 1 : 0;
  int negative = 0;
  switch (negativeForm) {
    case 0: case 4: case 8: case 9: case 10: negative = 2; break;
    case 1: case 2: case 3: case 5: case 6: case 7: negative = 1; break;
    default: negative = 0; break;
  }
  return positive > negative ? positive : negative;
}

// The regional forms: the empty picture (number) and "$" (currency), sign included.
int regionalMaxLen(bool currency, int n) {
  const LONG decimals = clampedDecimals(FMTGetIntlValue(currency ? kCurrDigits : kDigits));
  int length = digitsWithGroups(n) + (decimals > 0 ? static_cast<int>(decimals) + 1 : 0);
  if (!currency) return length + 1;
  LPCSTR symbol = FMTGetIntlString(kCurrencySymbol);
  length += symbol ? static_cast<int>(std::strlen(symbol)) : 0;
  return length + currencyExtra(FMTGetIntlValue(kCurrencyPosition), FMTGetIntlValue(kNegCurr));
}

int scientificMaxLen(LPCSTR section) {
  LPCSTR p = section + 2;
  int mantissa = 0;
  while (*p == '0' || *p == '#') ++mantissa, ++p;
  // Letter and sign, then at least the three digits an exponent of 10^120 needs.
  if (*p) ++p;
  if (*p == '+' || *p == '-') ++p;
  const int rest = static_cast<int>(std::strlen(p));
  return 2 + mantissa + 2 + (rest > 3 ? rest : 3);
}

}  // namespace

int plainSectionMaxLen(LPCSTR section, int n);

int FMTSectionMaxLen(LPCSTR section, int n) {
  if (IsScientificPicture(section)) return scientificMaxLen(section);
  return plainSectionMaxLen(section, n);
}

int plainSectionMaxLen(LPCSTR section, int n) {
  if (n < 1) n = 1;
  const CHAR thousand = RegionalSeparator(kThousandSep, ',');
  const CHAR decimal = RegionalSeparator(kDecimalSep, '.');
  int fraction = 0, integerZeros = 0, fractionZeros = 0, grouping = 0;
  LPCSTR suffix = nullptr;
  FMTAnalyzePictureSection(section, &fraction, &integerZeros, &fractionZeros, &grouping, &suffix, thousand,
                           decimal);
  LPCSTR run = section;
  while (*run && *run != '#' && *run != '0') ++run;
  int length = static_cast<int>(run - section);
  if (fraction > 0) length += fraction + 1;
  // A percent shows the value times 100: two more integer digits.
  const bool percent = suffix && suffix[0] == '%';
  const int digits = n + (percent ? 2 : 0);
  const int W = digits > integerZeros ? digits : integerZeros;
  length += grouping ? digitsWithGroups(W) : W;
  if (suffix) {
    for (LPCSTR s = suffix; *s; ++s) {
      ++length;
      if (*s == '_' && s[1]) ++s;
    }
  }
  return length;
}

}  // namespace kv

KV_API int KV_CALL FMTGetMaxFormattedNumLen(LPCSTR picture, int digits, int minimum) {
  if (!picture) picture = "";
  if (digits < 1) digits = 1;
  // More integer digits than a NUMBER can have never show.
  if (digits > 121) digits = 121;
  int length;
  if (!picture[0] || (picture[0] == '$' && !picture[1])) {
    length = kv::regionalMaxLen(picture[0] == '$', digits);
  } else if (!std::strchr(picture, ';') || kv::IsScientificPicture(picture)) {
    length = kv::FMTSectionMaxLen(picture, digits) + 1;
  } else {
    CHAR parts[3][FMT_MAX_PICTURE + 1];
    kv::SplitSections(picture, parts[0], parts[1], parts[2]);
    length = 0;
    for (auto& part : parts) {
      // Sections of a picture with ";" are never read as scientific.
      const int l = kv::plainSectionMaxLen(part, digits);
      if (l > length) length = l;
    }
  }
  return length > minimum ? length : minimum;
}
