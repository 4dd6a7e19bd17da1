// Replacing a stretch of a text by an insertion, counted in characters or in bytes.
#include <algorithm>
#include <cstring>
#include <functional>

#include "intl/text.h"

using namespace kv;

namespace {

// The result is head [src, headEnd) + insertion + tail [tail, terminator). Every decision is
// taken before the first byte moves, and the pieces move in an order that keeps each
// source intact until it is copied, so dst may overlap src.
struct Splice {
  LPCSTR src;
  LPCSTR headEnd;
  LPCSTR insertion;
  LPCSTR tail;
  bool dbcs;
};

// Writes the result and returns its length in bytes.
int assemble(LPSTR dst, const Splice& s) {
  const auto headBytes = static_cast<size_t>(s.headEnd - s.src);
  const auto insertBytes = static_cast<size_t>(lstrlenA(s.insertion));
  const auto tailBytes = static_cast<size_t>(lstrlenA(s.tail));
  bool headCut = false;
  bool insertCut = false;
  bool tailTrail = false;
  bool tailCut = false;
  if (s.dbcs) {
    // No half character may stand next to other text or end the result: a lead byte that
    // ends a piece and a trail byte that opens the tail become spaces.
    headCut = EndsInLeadByte(s.src, s.headEnd);
    insertCut = EndsInLeadByte(s.insertion, s.insertion + insertBytes);
    tailTrail = tailBytes && CharStartOf(s.src, s.tail) != s.tail;
    tailCut = tailBytes && EndsInLeadByte(s.src, s.tail + tailBytes);
  }
  LPSTR tailTo = dst + headBytes + insertBytes;
  if (!std::less<LPCSTR>()(s.src, dst)) {  // dst at or before src
    std::memmove(dst, s.src, headBytes);
    std::memmove(tailTo, s.tail, tailBytes + 1);
  } else {
    std::memmove(tailTo, s.tail, tailBytes + 1);
    std::memmove(dst, s.src, headBytes);
  }
  std::memmove(dst + headBytes, s.insertion, insertBytes);
  if (headCut) dst[headBytes - 1] = ' ';
  if (insertCut) dst[headBytes + insertBytes - 1] = ' ';
  if (tailTrail) tailTo[0] = ' ';
  if (tailCut) tailTo[tailBytes - 1] = ' ';
  return static_cast<int>(headBytes + insertBytes + tailBytes);
}

}  // namespace

KV_API int KV_CALL IntlStrReplace(LPSTR dst, LPCSTR src, LPCSTR insertion, int position, int count) {
  if (!dst) return 0;
  if (!src) src = "";
  if (!insertion) insertion = "";
  const bool dbcs = DbcsMode();
  LPCSTR headEnd = SkipChars(src, std::max(position, 0), dbcs);
  LPCSTR tail = SkipChars(headEnd, std::max(count, 0), dbcs);
  assemble(dst, {src, headEnd, insertion, tail, dbcs});
  return TextLength(dst, dbcs);
}

KV_API int KV_CALL IntlStrReplaceB(LPSTR dst, LPCSTR src, LPCSTR insertion, int position, int count) {
  if (!dst) return 0;
  if (!src) src = "";
  if (!insertion) insertion = "";
  const int length = lstrlenA(src);
  const int head = std::clamp(position, 0, length);
  const int tail = head + std::min(std::max(count, 0), length - head);
  return assemble(dst, {src, src + head, insertion, src + tail, DbcsMode()});
}
