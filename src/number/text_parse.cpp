// Reading number text: decimal with an optional exponent, and hexadecimal.
#include <korvane/intl.h>

#include "number/digits.h"

namespace {

constexpr int kRetainedDigits = 47;  // significant decimal digits kept; later ones truncate
constexpr int kExponentFieldLimit = 10000;
constexpr int kMinDecimalExponent = -128;
constexpr int kMaxHalfExponent = 60;  // X / 2 + 64 may not exceed 124

bool isDigit(char c) { return c >= '0' && c <= '9'; }

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Multiplies a positive integer record by 16 on its base-100 digits. A full record first
// loses its last digit, rounded half up.
void timesSixteen(tagNUMBER* n) {
  BYTE d[kv::kWideDigits + 1];
  int count = kv::NumPlainLength(n);
  int exponent = 0;
  kv::NumUnpackDigits(d + 1, kv::NumBytes(n) + 1, &count, &exponent);
  if (count == 0) return;  // zero stays zero
  BYTE* first = d + 1;
  if (count >= kv::kNumDigitLimit) {
    const bool up = first[count - 1] >= 50;
    --count;
    for (int i = count - 1; up && i >= 0; --i) {
      if (++first[i] < 100) break;
      first[i] = 0;
      if (i == 0) {  // the carry ran out of the first digit
        first[0] = 1;
        count = 1;
        ++exponent;
      }
    }
  }
  int carry = 0;
  for (int i = count - 1; i >= 0; --i) {
    const int v = first[i] * 16 + carry;
    first[i] = static_cast<BYTE>(v % 100);
    carry = v / 100;
  }
  if (carry) {
    --first;
    first[0] = static_cast<BYTE>(carry);
    ++count;
    ++exponent;
  }
  BYTE* b = kv::NumBytes(n);
  b[0] = static_cast<BYTE>(kv::NumPackDigits(b + 1, first, count, 0, exponent, 0));
}

}  // namespace

KV_API int KV_CALL NumHexAsciiToNumber(NUMBER* number, LPCSTR text) {
  if (!number) return 0;
  NumWordToNumber(number, 0);
  if (!text) return 0;
  LPCSTR p = text;
  while (*p == ' ' || *p == '\t') ++p;
  const bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) p += 2;
  while (*p == '0') ++p;
  for (int h; (h = hexValue(*p)) >= 0; ++p) {
    timesSixteen(number);
    if (h) {
      tagNUMBER digit;
      NumCreateSmall(&digit, h);
      NumAddition(number, number, &digit);
    }
  }
  if (negative) NumNegate(number);
  return static_cast<int>(p - text);
}

KV_API int KV_CALL NumAsciiToNumber(NUMBER* number, LPCSTR text) {
  if (!number) return 0;
  NumMakeNull(number);
  if (!text) return 0;
  LPCSTR p = IntlStripStartSpace(text);
  if (!p || !*p) return 0;
  LPCSTR signAt = p;
  const bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
    LPCSTR from = negative ? signAt : p;
    return static_cast<int>(from - text) + NumHexAsciiToNumber(number, from);
  }

  // The value is 0.D x 10^X. X is kept in 64 bits and held near the range, so that no
  // length of text overflows it.
  char digits[kRetainedDigits + 2];
  int n = 0;
  long long x = 0;
  bool seen = false;
  for (; *p == '0'; ++p) seen = true;
  for (; isDigit(*p); ++p) {
    seen = true;
    if (n < kRetainedDigits) digits[n++] = *p;
    if (x < 1000000) ++x;
  }
  if (*p == '.') {
    ++p;
    if (n == 0) {
      for (; *p == '0'; ++p) {
        seen = true;
        if (x > -1000000) --x;
      }
    }
    for (; isDigit(*p); ++p) {
      seen = true;
      if (n < kRetainedDigits) digits[n++] = *p;
    }
  }
  if (!seen) return 0;
  if (*p == 'e' || *p == 'E') {
    ++p;
    bool minus = false;
    if (*p == '-' || *p == '+') minus = *p++ == '-';
    int field = 0;
    for (; isDigit(*p); ++p) {
      field = field * 10 + (*p - '0');
      if (field >= kExponentFieldLimit) return -1;
    }
    x += minus ? -field : field;
  }
  const int consumed = static_cast<int>(p - text);

  // Zeros alone make zero, whatever their exponent.
  int firstSignificant = 0;
  while (firstSignificant < n && digits[firstSignificant] == '0') ++firstSignificant;
  if (firstSignificant == n) {
    kv::NumStoreZero(number);
    return consumed;
  }
  if (x < kMinDecimalExponent) return -2;
  // Pair the decimal digits into base-100 digits: an odd X takes a leading "0".
  BYTE d[kv::kWideDigits + 1];
  const char* s = digits;
  int lead = 0;
  if (x & 1) {
    lead = 1;
    ++x;
  }
  if (x / 2 > kMaxHalfExponent) return -1;
  const int total = lead + n;
  const int count = (total + 1) / 2;
  for (int i = 0; i < count; ++i) {
    const int hi = 2 * i - lead;
    const int a = hi >= 0 ? s[hi] - '0' : 0;
    const int b = hi + 1 < n ? s[hi + 1] - '0' : 0;
    d[i] = static_cast<BYTE>(a * 10 + b);
  }
  BYTE* out = kv::NumBytes(number);
  out[0] = static_cast<BYTE>(kv::NumPackDigits(out + 1, d, count, negative, static_cast<int>(x / 2) + 64, 0));
  return consumed;
}
