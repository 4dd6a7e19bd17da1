// Stepping and character classes shared by the text functions.
#include "intl/text.h"

#include <cstring>

namespace kv {

int TextLength(LPCSTR s, bool dbcs) { return dbcs ? IntlCharCount(s) : lstrlenA(s); }

LPCSTR SkipChars(LPCSTR s, int n, bool dbcs, int* taken) {
  int i = 0;
  for (; i < n && *s; ++i) s = StepChar(s, dbcs);
  if (taken) *taken = i;
  return s;
}

int CharsBetween(LPCSTR s, LPCSTR p, bool dbcs) {
  if (!dbcs) return static_cast<int>(p - s);
  int n = 0;
  for (; s < p && *s; ++n) s = CharNextA(s);
  return n;
}

LPCSTR CharStartOf(LPCSTR s, LPCSTR p) {
  for (;;) {
    LPCSTR next = CharNextA(s);
    if (next == s || next > p) return s;
    s = next;
  }
}

bool EndsInLeadByte(LPCSTR s, LPCSTR end) {
  if (end <= s) return false;
  LPCSTR last = end - 1;
  return IsDBCSLeadByte(static_cast<BYTE>(*last)) && CharStartOf(s, last) == last;
}

LPSTR CopyPiece(LPSTR d, LPCSTR s, LPCSTR from, LPCSTR to, bool dbcs) {
  if (to <= from) return d;
  const auto n = static_cast<size_t>(to - from);
  // Decide before moving: d may be s itself.
  const bool cut = dbcs && EndsInLeadByte(s, to);
  std::memmove(d, from, n);
  if (cut) d[n - 1] = ' ';
  return d + n;
}

bool IsBlankClass(LPCSTR p, Blank cls, bool dbcs) {
  const auto b = static_cast<BYTE>(*p);
  if (dbcs && IntlIsDBChar(p)) return IntlDBCSChar(p) == IntlDBCSBlank();
  switch (cls) {
    case Blank::kWhiteSpace: return b == ' ' || (b >= 9 && b <= 13);
    case Blank::kBlank: return b == ' ' || b == 9 || b == 11 || b == 12;
    case Blank::kSpace: return b == ' ';
  }
  return false;
}

bool IsSetByte(LPCSTR p, LPCSTR set, bool dbcs) {
  if (!*p || (dbcs && CharNextA(p) != p + 1)) return false;
  return std::strchr(set, *p) != nullptr;
}

WORD UpperCharValue(LPCSTR p, bool dbcs) {
  CHAR c[2] = {p[0], 0};
  const int n = CharBytes(p, dbcs);
  if (n == 2) c[1] = p[1];
  if (n > 0) CharUpperBuffA(c, static_cast<DWORD>(n));
  const auto lead = static_cast<BYTE>(c[0]);
  return n == 2 ? static_cast<WORD>(lead << 8 | static_cast<BYTE>(c[1])) : lead;
}

}  // namespace kv
