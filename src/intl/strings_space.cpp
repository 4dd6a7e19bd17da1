// Trimming and skipping of blanks and white space; the double-byte blank counts in DBCS
// mode.
#include <cstring>

#include "intl/text.h"

using namespace kv;

namespace {

LPCSTR skipClass(LPCSTR s, Blank cls, bool dbcs) {
  while (*s && IsBlankClass(s, cls, dbcs)) s = StepChar(s, dbcs);
  return s;
}

// The end of s without its trailing characters of the class; never before keepFrom.
LPCSTR trimmedEnd(LPCSTR s, LPCSTR keepFrom, Blank cls, bool dbcs) {
  LPCSTR end = keepFrom;
  for (LPCSTR p = s; *p; p = StepChar(p, dbcs)) {
    if (!IsBlankClass(p, cls, dbcs)) end = StepChar(p, dbcs);
  }
  return end > keepFrom ? end : keepFrom;
}

}  // namespace

KV_API int KV_CALL IntlStrTrim(LPSTR dst, LPCSTR src) {
  if (!dst) return 0;
  if (!src) src = "";
  const bool dbcs = DbcsMode();
  LPCSTR p = skipClass(src, Blank::kBlank, dbcs);
  LPCSTR end = trimmedEnd(p, p, Blank::kBlank, dbcs);
  // Writing never overtakes reading, so dst may be src.
  LPSTR d = dst;
  int n = 0;
  while (p < end) {
    if (IsBlankClass(p, Blank::kBlank, dbcs)) {
      *d++ = ' ';
      p = skipClass(p, Blank::kBlank, dbcs);
    } else {
      LPCSTR next = StepChar(p, dbcs);
      d = PutChar(d, p, dbcs);
      p = next;
    }
    ++n;
  }
  *d = '\0';
  return n;
}

KV_CPP_API int KV_CALL IntlStrTrimTrailing(LPSTR s) {
  if (!s || !*s) return 0;
  const bool dbcs = DbcsMode();
  // The first character stays even when it is a blank.
  LPSTR end = const_cast<LPSTR>(trimmedEnd(s, StepChar(s, dbcs), Blank::kBlank, dbcs));
  *end = '\0';
  return TextLength(s, dbcs);
}

KV_API LPSTR KV_CALL IntlStripStartSpace(LPCSTR s) {
  if (!s) return nullptr;
  return const_cast<LPSTR>(skipClass(s, Blank::kWhiteSpace, DbcsMode()));
}

KV_API LPSTR KV_CALL IntlStripEndSpace(LPSTR dst, LPCSTR src) {
  if (!dst || !src) return nullptr;
  const bool dbcs = DbcsMode();
  *CopyPiece(dst, src, src, trimmedEnd(src, src, Blank::kWhiteSpace, dbcs), dbcs) = '\0';
  return dst;
}

KV_API LPSTR KV_CALL IntlStrStripSpace(LPSTR s) {
  if (!s) return nullptr;
  const bool dbcs = DbcsMode();
  if (!dbcs) {
    // Single bytes: the ends alone need looking at.
    const auto white = [](CHAR c) { return IsBlankClass(&c, Blank::kWhiteSpace, false); };
    size_t from = 0;
    while (s[from] && white(s[from])) ++from;
    size_t to = from + std::strlen(s + from);
    while (to > from && white(s[to - 1])) --to;
    if (from) std::memmove(s, s + from, to - from);
    s[to - from] = '\0';
    return s;
  }
  LPCSTR from = skipClass(s, Blank::kWhiteSpace, dbcs);
  LPCSTR to = trimmedEnd(from, from, Blank::kWhiteSpace, dbcs);
  const auto n = static_cast<size_t>(to - from);
  std::memmove(s, from, n);
  s[n] = '\0';
  return s;
}

KV_API LPSTR KV_CALL IntlStripStartBlank(LPCSTR s) {
  if (!s) return nullptr;
  return const_cast<LPSTR>(skipClass(s, Blank::kSpace, DbcsMode()));
}

KV_API int KV_CALL IntlStrIsNextChSpace(LPCSTR p) {
  if (!p || !*p) return 0;
  return IsBlankClass(p, Blank::kWhiteSpace, DbcsMode());
}
