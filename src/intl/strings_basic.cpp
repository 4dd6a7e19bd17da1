// Lengths, case, bounded copy and comparison of text that may hold double-byte characters.
#include <cstring>

#include "intl/text.h"
#include "intl/width_tables.h"

using namespace kv;

KV_API int KV_CALL IntlStrLen(LPCSTR s) { return TextLength(s, DbcsMode()); }

KV_API int KV_CALL IntlStrLenB(LPCSTR s) { return lstrlenA(s); }

// The system converts in place and leaves double-byte characters alone in both modes.
KV_API LPSTR KV_CALL IntlStrUpper(LPSTR s) { return s ? CharUpperA(s) : nullptr; }

KV_API LPSTR KV_CALL IntlStrLower(LPSTR s) { return s ? CharLowerA(s) : nullptr; }

namespace {

// A full-width letter is capitalised through its half-width form; other double-byte
// characters have no case.
void capitaliseFullWidth(LPSTR p) {
  const HalfWidthEntry* half = JapanHalfWidthOf(IntlDBCSChar(p));
  if (!half || half->half[1]) return;  // katakana with a mark: no case
  CHAR c = static_cast<CHAR>(half->half[0]);
  CharUpperBuffA(&c, 1);
  const WORD full = JapanFullWidthOf(static_cast<BYTE>(c));
  if (!full) return;
  p[0] = static_cast<CHAR>(full >> 8);
  p[1] = static_cast<CHAR>(full & 0xFF);
}

}  // namespace

KV_API int KV_CALL IntlStrProper(LPSTR dst, LPCSTR src) {
  if (!dst) return 0;
  if (!src) {
    *dst = '\0';
    return 0;
  }
  const bool dbcs = DbcsMode();
  // The width tables are Shift-JIS: on other double-byte systems the same codes are other
  // characters.
  const bool japanese = dbcs && gpState->dbcsType == INTL_DBCS_JAPANESE;
  *CopyPiece(dst, src, src, src + lstrlenA(src), dbcs) = '\0';
  CharLowerA(dst);
  int n = 0;
  bool wordStart = true;
  for (LPSTR p = dst; *p; p = StepChar(p, dbcs), ++n) {
    if (wordStart) {
      if (CharBytes(p, dbcs) == 1) {
        CharUpperBuffA(p, 1);
      } else if (japanese) {
        capitaliseFullWidth(p);
      }
    }
    wordStart = IsBlankClass(p, Blank::kWhiteSpace, dbcs);
  }
  return n;
}

KV_API LPSTR KV_CALL IntlStrnCpy(LPSTR dst, LPCSTR src, WORD count) {
  if (!dst || !src) return dst;
  // As strncpy, but also when dst is src.
  const bool dbcs = DbcsMode();
  int copied = 0;
  LPCSTR end = SkipChars(src, count, dbcs, &copied);
  LPSTR d = CopyPiece(dst, src, src, end, dbcs);
  // One zero byte per character the source is short of; no terminator when it was not.
  std::memset(d, 0, static_cast<size_t>(count - copied));
  return dst;
}

KV_API int KV_CALL IntlIsStrEqual(LPCSTR a, LPCSTR b) {
  if (!a || !b) return 0;
  return std::strcmp(a, b) == 0;
}

KV_API int KV_CALL IntlIsStrnEqual(LPCSTR a, LPCSTR b, WORD n) {
  if (!a || !b) return 0;
  return std::strncmp(a, b, n) == 0;
}

KV_API int KV_CALL IntlCharIsHexDigit(WORD ch) {
  return (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'F') || (ch >= 'a' && ch <= 'f');
}
