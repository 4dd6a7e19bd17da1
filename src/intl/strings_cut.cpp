// Left, right and middle pieces of a text, counted in characters or in bytes. A piece cut
// through a double-byte character keeps a space where the half would have been.
#include <algorithm>
#include <cstring>

#include "intl/text.h"

using namespace kv;

namespace {

// Writes the terminated piece [from, to) of src to dst.
void putPiece(LPSTR dst, LPCSTR src, LPCSTR from, LPCSTR to, bool dbcs) {
  *CopyPiece(dst, src, from, to, dbcs) = '\0';
}

UINT emptyResult(LPSTR dst) {
  if (dst) *dst = '\0';
  return 0;
}

}  // namespace

KV_API UINT KV_CALL IntlStrLeft(LPSTR dst, LPCSTR src, int count) {
  if (!dst || !src) return emptyResult(dst);
  const bool dbcs = DbcsMode();
  int n = 0;
  LPCSTR end = SkipChars(src, std::max(count, 0), dbcs, &n);
  putPiece(dst, src, src, end, dbcs);
  return static_cast<UINT>(n);
}

KV_API UINT KV_CALL IntlStrRight(LPSTR dst, LPCSTR src, int count) {
  if (!dst || !src || count < 1 || !*src) return emptyResult(dst);
  const bool dbcs = DbcsMode();
  const int length = TextLength(src, dbcs);
  const int n = std::min(count, length);
  LPCSTR from = SkipChars(src, length - n, dbcs);
  putPiece(dst, src, from, from + lstrlenA(from), dbcs);
  return static_cast<UINT>(n);
}

KV_API UINT KV_CALL IntlStrMid(LPSTR dst, LPCSTR src, int start, int count) {
  if (!dst || !src) return emptyResult(dst);
  const bool dbcs = DbcsMode();
  start = std::max(start, 0);
  const int n = std::min(TextLength(src, dbcs) - start, count);
  if (n <= 0) return emptyResult(dst);
  LPCSTR from = SkipChars(src, start, dbcs);
  putPiece(dst, src, from, SkipChars(from, n, dbcs), dbcs);
  return static_cast<UINT>(n);
}

KV_API UINT KV_CALL IntlStrLeftB(LPSTR dst, LPCSTR src, int count) {
  if (!dst || !src) return emptyResult(dst);
  const int n = std::clamp(count, 0, lstrlenA(src));
  putPiece(dst, src, src, src + n, DbcsMode());
  return static_cast<UINT>(n);
}

KV_API UINT KV_CALL IntlStrRightB(LPSTR dst, LPCSTR src, int count) {
  if (!dst || !src || count < 1 || !*src) return emptyResult(dst);
  const bool dbcs = DbcsMode();
  const int length = lstrlenA(src);
  const int n = std::min(count, length);
  LPCSTR from = src + (length - n);
  // A cut inside a character leaves its trail byte first: that byte becomes a space.
  const bool trail = dbcs && CharStartOf(src, from) != from;
  putPiece(dst, src, from, src + length, dbcs);
  if (trail) dst[0] = ' ';
  return static_cast<UINT>(n);
}

KV_API int KV_CALL IntlStrMidB(LPSTR dst, LPCSTR src, int start, int count) {
  if (!dst || !src) return static_cast<int>(emptyResult(dst));
  start = std::max(start, 0);
  const int length = lstrlenA(src);
  const int n = std::min(length - start, count);
  if (n <= 0) return static_cast<int>(emptyResult(dst));
  const bool dbcs = DbcsMode();
  LPCSTR from = src + start;
  LPCSTR to = from + n;
  bool headSpace = false;
  bool tailSpace = false;
  if (dbcs) {
    // Starting on a trail byte, or on a lead byte with room for one byte only: a space
    // stands for that half. Decided before anything is written: dst may be src.
    headSpace = CharStartOf(src, from) != from || (n < 2 && IsDBCSLeadByte(static_cast<BYTE>(*from)));
    if (headSpace) ++from;
    tailSpace = from < to && EndsInLeadByte(src, to);
  }
  std::memmove(dst + (headSpace ? 1 : 0), from, static_cast<size_t>(to - from));
  if (headSpace) dst[0] = ' ';
  if (tailSpace) dst[n - 1] = ' ';
  dst[n] = '\0';
  return n;
}
