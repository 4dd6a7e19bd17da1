// Reading the next integer or floating-point number from a text, with the number of bytes
// it took (leading white space included).
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "intl/text.h"

namespace {

constexpr int kMaxNumberText = 99;  // bytes, leading white space included

bool isDigit(CHAR c) { return c >= '0' && c <= '9'; }

LPCSTR skipDigits(LPCSTR p) {
  while (isDigit(*p)) ++p;
  return p;
}

// The parts of a number text "[sign] digits [. digits] [e [sign] digits]".
struct NumberText {
  LPCSTR begin;         // the sign or first digit
  LPCSTR mantissaEnd;   // before the exponent
  LPCSTR end;
  long exponent;        // clamped far beyond any double's range
};

// False when no number stands at p.
bool parseNumber(LPCSTR p, NumberText& n) {
  n.begin = p;
  if (*p == '-' || *p == '+') ++p;
  LPCSTR digits = p;
  p = skipDigits(p);
  if (p == digits && !(*p == '.' && isDigit(p[1]))) return false;
  if (*p == '.') p = skipDigits(p + 1);
  n.mantissaEnd = p;
  n.exponent = 0;
  if (*p == 'e' || *p == 'E') {
    ++p;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+') ++p;
    if (!isDigit(*p)) return false;
    for (; isDigit(*p); ++p) {
      if (n.exponent < 100000) n.exponent = n.exponent * 10 + (*p - '0');
    }
    if (negative) n.exponent = -n.exponent;
  }
  n.end = p;
  return true;
}

bool hasNonZeroDigit(LPCSTR from, LPCSTR to) {
  for (; from < to; ++from) {
    if (*from >= '1' && *from <= '9') return true;
  }
  return false;
}

// Power of ten of the first significant digit, for a mantissa that has one.
long leadingPowerOfTen(const NumberText& n) {
  LPCSTR p = n.begin;
  if (*p == '-' || *p == '+') ++p;
  long power = 0;
  bool seen = false;
  for (; isDigit(*p); ++p) {
    if (seen || *p != '0') {
      seen = true;
      ++power;
    }
  }
  if (seen) return power - 1 + n.exponent;
  if (*p == '.') {
    for (++p; *p == '0'; ++p) --power;
  }
  return power - 1 + n.exponent;
}

// The value of the number text, independent of the process locale's decimal point. Out
// of range it is an infinity or 0.0, as the run time's atof gives.
double convert(const NumberText& n) {
  char buffer[kMaxNumberText + 1];
  LPCSTR from = n.begin;
  const bool negative = *from == '-';
  if (*from == '-' || *from == '+') ++from;
  const auto length = static_cast<size_t>(n.end - from);
  std::memcpy(buffer, from, length);
  double value = 0.0;
  const auto result = std::from_chars(buffer, buffer + length, value);
  if (result.ec == std::errc::result_out_of_range) value = leadingPowerOfTen(n) > 0 ? HUGE_VAL : 0.0;
  return negative ? -value : value;
}

}  // namespace

KV_API int KV_CALL IntlFetchNextNumLong(LONG* value, LPCSTR text) {
  if (!value || !text) return 0;
  LPCSTR p = IntlStripStartSpace(text);
  const bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  if (!isDigit(*p)) return 0;
  std::int64_t v = 0;
  for (; isDigit(*p); ++p) {
    v = v * 10 + (*p - '0');
    if (v > INT32_MAX) return 0;  // the result is a 32-bit value
  }
  *value = static_cast<LONG>(negative ? -v : v);
  return static_cast<int>(p - text);
}

KV_API int KV_CALL IntlFetchNextNumDouble(double* value, LPCSTR text) {
  if (!value || !text) return 0;
  LPCSTR p = IntlStripStartSpace(text);
  NumberText n{};
  if (!*p || !parseNumber(p, n)) return 0;
  const auto length = n.end - text;
  if (length > kMaxNumberText) return -1;
  double v = 0.0;
  // A mantissa of zeros is zero whatever the exponent; any other that reads as 0.0 has
  // underflowed.
  if (hasNonZeroDigit(n.begin, n.mantissaEnd)) {
    v = convert(n);
    if (v == 0.0) return -1;
  }
  *value = v;
  return static_cast<int>(length);
}
