// Japanese text between half-width and full-width characters (Shift-JIS). On other
// systems the text is copied unchanged: the same codes are other characters there.
#include <cstring>

#include "intl/text.h"
#include "intl/width_tables.h"

using namespace kv;

namespace {

bool convertsWidth() { return gpState->dbcsEnabled && gpState->dbcsType == INTL_DBCS_JAPANESE; }

int copyUnchanged(LPSTR dst, LPCSTR src) {
  const bool dbcs = DbcsMode();
  *CopyPiece(dst, src, src, src + lstrlenA(src), dbcs) = '\0';
  return TextLength(dst, dbcs);
}

LPSTR putWord(LPSTR d, WORD w) {
  d[0] = static_cast<CHAR>(w >> 8);
  d[1] = static_cast<CHAR>(w & 0xFF);
  return d + 2;
}

}  // namespace

KV_API int KV_CALL IntlStrJapanFull(LPSTR dst, LPCSTR src) {
  if (!dst || !src) return -1;
  if (!convertsWidth()) return copyUnchanged(dst, src);
  // The result grows: dst must not be src.
  LPSTR d = dst;
  int n = 0;
  for (LPCSTR p = src; *p; ++n) {
    const auto b = static_cast<BYTE>(*p);
    const WORD full = CharBytes(p, true) == 1 ? JapanFullWidthOf(b) : 0;
    if (!full) {
      // Double-byte characters, control bytes and bytes without a full-width form.
      LPCSTR next = CharNextA(p);
      d = PutChar(d, p, true);
      p = next;
      continue;
    }
    // A voiced or semi-voiced mark folds into the katakana before it when they have one
    // full-width form; otherwise the mark is converted on its own.
    const WORD pair = IntlIsKatakana(b) ? JapanFullWidthOfPair(b, static_cast<BYTE>(p[1])) : 0;
    d = putWord(d, pair ? pair : full);
    p += pair ? 2 : 1;
  }
  *d = '\0';
  return n;
}

KV_API int KV_CALL IntlStrJapanHalf(LPSTR dst, LPCSTR src) {
  if (!dst || !src) return -1;
  if (!convertsWidth()) return copyUnchanged(dst, src);
  // The result never outgrows the source, so dst may be src.
  LPSTR d = dst;
  int n = 0;
  for (LPCSTR p = src; *p;) {
    LPCSTR next = CharNextA(p);
    const HalfWidthEntry* half = next - p == 2 ? JapanHalfWidthOf(IntlDBCSChar(p)) : nullptr;
    if (half) {
      *d++ = static_cast<CHAR>(half->half[0]);
      ++n;
      if (half->half[1]) {
        *d++ = static_cast<CHAR>(half->half[1]);
        ++n;
      }
    } else {
      d = PutChar(d, p, true);
      ++n;
    }
    p = next;
  }
  *d = '\0';
  return n;
}
