// Writing a record as text within a field width: fixed notation where it fits, else the
// exponent form "d.dddE+XX".
#include <cstring>

#include "number/digits.h"

namespace {

constexpr int kExponentExtra = 5;  // ".", "E", the exponent's sign and two digits

// Rounds the decimal digits d[0..keep) half up at d[keep]. Returns true when the carry ran
// out of the first digit; d then reads "1".
bool roundAt(char* d, int n, int keep) {
  if (keep >= n || d[keep] < '5') return false;
  for (int i = keep - 1; i >= 0; --i) {
    if (d[i] != '9') {
      ++d[i];
      return false;
    }
    d[i] = '0';
  }
  d[0] = '1';
  return true;
}

int trimmed(const char* d, int n) {
  while (n > 0 && d[n - 1] == '0') --n;
  return n;
}

unsigned finish(LPSTR text, char* end) {
  *end = '\0';
  return static_cast<unsigned>(end - text);
}

unsigned writeZero(LPSTR text) {
  text[0] = '0';
  return finish(text, text + 1);
}

// d.ddd...E+XX in exactly w characters (w >= 6): the digits padded with "0" to w - 6
// places; an exponent beyond two digits saturates to 9.99...E+99 with its sign.
char* writeExponentForm(char* out, const char* d, int n, int s, int w) {
  const int places = w - 6;
  const bool saturated = s < -99 || s > 99;
  *out++ = saturated ? '9' : d[0];
  *out++ = '.';
  for (int i = 1; i <= places; ++i) *out++ = saturated ? '9' : (i < n ? d[i] : '0');
  *out++ = 'E';
  *out++ = s < 0 ? '-' : '+';
  const int a = saturated ? 99 : (s < 0 ? -s : s);
  *out++ = static_cast<char>('0' + a / 10);
  *out++ = static_cast<char>('0' + a % 10);
  return out;
}

}  // namespace

KV_API unsigned KV_CALL NumToAscii(const NUMBER* number, LPSTR text, unsigned width) {
  if (!text) return 0;
  text[0] = '\0';
  if (!number) return 0;
  int count = kv::NumPlainLength(number);
  if (count == 0 || count > kv::kNumMaxLength) return 0;
  BYTE digits[kv::kWideDigits];
  int e = 0;
  const bool negative = kv::NumUnpackDigits(digits, kv::NumBytes(number) + 1, &count, &e) != 0;
  int w = static_cast<int>(width & 0xFFFF);
  // Zero needs one position and never takes a sign.
  if (count == 0) return w >= 1 ? writeZero(text) : 0;
  if (negative) --w;

  // The value is 0.D x 10^X, D without leading or trailing zeros.
  char d[2 * kv::kWideDigits];
  int n = 0;
  for (int i = 0; i < count; ++i) {
    d[n++] = static_cast<char>('0' + digits[i] / 10);
    d[n++] = static_cast<char>('0' + digits[i] % 10);
  }
  int x = 2 * e - 128;
  n = trimmed(d, n);
  char* D = d;
  if (D[0] == '0') {
    ++D;
    --n;
    --x;
  }

  // Fixed layout: I integer digits, T zeros before the point, L zeros after it.
  int I = 0, T = 0, L = 0;
  bool point = true;
  if (x < 1) {
    L = -x;
  } else if (x < n) {
    I = x;
  } else {
    I = n;
    T = x - n;
    point = false;
  }
  bool exponentForm = false;
  int p;
  if (I == 0) {
    exponentForm = w <= n + L + 1 && L >= 4;
    p = exponentForm ? w - kExponentExtra : w - 1;
  } else if (T + I > w) {
    exponentForm = true;
    p = w - kExponentExtra;
  } else if (point && w == 1) {
    p = 1;
  } else if (T > 0 || w > I) {
    p = w - (point ? 1 : 0);
  } else {
    p = I;
  }
  if (p < 1) return 0;

  char* out = text;
  if (!exponentForm) {
    const int shown = p - L;  // digits of D that have a position
    // The first digit lies beyond the width: the value shows as zero.
    if (shown < 0) return writeZero(text);
    if (roundAt(D, n, shown)) {
      n = 1;
      ++x;
      if (L > 0) {
        --L;
      } else {
        ++I;
        if (I > p) {
          // The integer digits no longer fit: the exponent form, where the width allows.
          exponentForm = true;
          p = w - kExponentExtra;
          if (p < 1) return 0;
        }
      }
    } else if (shown < n) {
      n = shown;
    }
    if (!exponentForm) {
      n = trimmed(D, n);
      if (n == 0 && I == 0) return writeZero(text);
      if (negative) *out++ = '-';
      for (int i = 0; i < I; ++i) *out++ = i < n ? D[i] : '0';
      for (int i = 0; i < T; ++i) *out++ = '0';
      if (n > I) {
        *out++ = '.';
        for (int i = 0; i < L; ++i) *out++ = '0';
        for (int i = I; i < n; ++i) *out++ = D[i];
      }
      return finish(text, out);
    }
  } else if (roundAt(D, n, p)) {
    n = 1;
    ++x;
  }
  if (negative) *out++ = '-';
  out = writeExponentForm(out, D, n < p ? n : p, x - 1, w);
  return finish(text, out);
}
