// Finding characters: by position, by value, by set, and what kind stands at a position.
#include <cstring>

#include "intl/text.h"

using namespace kv;

namespace {

// Single bytes come back sign-extended, as callers of the first/last character expect.
WORD signedCharValue(LPCSTR p, bool dbcs) {
  if (CharBytes(p, dbcs) == 2) return IntlDBCSChar(p);
  return static_cast<WORD>(static_cast<SHORT>(static_cast<signed char>(*p)));
}

}  // namespace

KV_API LPSTR KV_CALL IntlStrNthChar(LPCSTR s, int n) {
  if (!s || n < 0) return nullptr;
  int taken = 0;
  LPCSTR p = SkipChars(s, n, DbcsMode(), &taken);
  return taken == n ? const_cast<LPSTR>(p) : nullptr;
}

KV_API WORD KV_CALL IntlStrFirstChar(LPCSTR s) {
  if (!s || !*s) return 0;
  return signedCharValue(s, DbcsMode());
}

KV_API WORD KV_CALL IntlStrLastChar(LPCSTR s) {
  if (!s || !*s) return 0;
  const bool dbcs = DbcsMode();
  LPCSTR end = s + lstrlenA(s);
  return signedCharValue(dbcs ? CharPrevA(s, end) : end - 1, dbcs);
}

KV_API int KV_CALL IntlIsNthCharDB(LPCSTR s, int n) {
  if (!s || n < 0 || !DbcsMode()) return 0;
  return IntlIsDBChar(SkipChars(s, n, true));
}

KV_API int KV_CALL IntlIsNthByteDB(LPCSTR s, int n) {
  if (!s || n < 0 || !DbcsMode()) return 0;
  LPCSTR p = s;
  for (; *p; p = CharNextA(p)) {
    const auto offset = p - s;
    const auto bytes = CharNextA(p) - p;
    if (n < offset + bytes) return bytes == 2 ? static_cast<int>(n - offset) + 1 : 0;
  }
  return 0;  // at or beyond the end
}

KV_API LPSTR KV_CALL IntlStrChr(LPCSTR s, WORD ch) {
  if (!s) return nullptr;
  if (!DbcsMode()) return const_cast<LPSTR>(std::strchr(s, static_cast<CHAR>(ch & 0xFF)));
  for (;; s = CharNextA(s)) {
    if (IntlDBCSChar(s) == ch) return const_cast<LPSTR>(s);
    if (!*s) return nullptr;
  }
}

KV_API LPSTR KV_CALL IntlStrSearch(LPCSTR s, LPCSTR set) {
  if (!s || !set || !*set) return nullptr;
  const bool dbcs = DbcsMode();
  // The earliest of the first occurrences is the first character that is in the set.
  for (; *s; s = StepChar(s, dbcs)) {
    const WORD c = dbcs ? IntlDBCSChar(s) : static_cast<BYTE>(*s);
    for (LPCSTR m = set; *m; m = StepChar(m, dbcs)) {
      if ((dbcs ? IntlDBCSChar(m) : static_cast<BYTE>(*m)) == c) return const_cast<LPSTR>(s);
    }
  }
  return nullptr;
}
