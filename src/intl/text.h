// Stepping and character classes shared by the string functions, tokenizers and width
// conversion. Every function takes the mode the caller read once from the DBCS flag, so
// that one call never mixes byte-wise and character-wise steps.
#pragma once

#include <korvane/intl.h>

#include "frame/state.h"
#include "intl/charset.h"

namespace kv {

// The mode of this call: character-wise when double-byte text is enabled.
inline bool DbcsMode() { return gpState->dbcsEnabled != 0; }

// The next character (DBCS) or byte; the terminator is never passed.
inline LPCSTR StepChar(LPCSTR p, bool dbcs) {
  if (!*p) return p;
  return dbcs ? CharNextA(p) : p + 1;
}
inline LPSTR StepChar(LPSTR p, bool dbcs) { return const_cast<LPSTR>(StepChar(static_cast<LPCSTR>(p), dbcs)); }

// Bytes of the character at p: 0 at the terminator, else 1 or 2.
inline int CharBytes(LPCSTR p, bool dbcs) { return static_cast<int>(StepChar(p, dbcs) - p); }

// A lead byte standing alone before the terminator (p at a character start). It is half a
// character, so text copied out carries a space in its place.
inline bool IsLoneLead(LPCSTR p, bool dbcs) {
  return dbcs && p[0] && !p[1] && IsDBCSLeadByte(static_cast<BYTE>(p[0]));
}

// Length in characters (DBCS) or bytes; 0 for null.
int TextLength(LPCSTR s, bool dbcs);

// The position n characters (or bytes) on from s, stopping at the terminator; *taken, when
// given, receives how many were passed.
LPCSTR SkipChars(LPCSTR s, int n, bool dbcs, int* taken = nullptr);

// Characters (or bytes) from s up to p, a character start inside s.
int CharsBetween(LPCSTR s, LPCSTR p, bool dbcs);

// The start of the character that holds the byte p (s <= p <= terminator), found by
// stepping forward from s: boundaries are only known from the start.
LPCSTR CharStartOf(LPCSTR s, LPCSTR p);

// True when the byte before `end` is a lead byte at a character start: the first half of
// a character cut at `end`, or a lone lead byte. Text begins at s, a character start.
bool EndsInLeadByte(LPCSTR s, LPCSTR end);

// Copies [from, to) of text beginning at s to d and returns the end of the copy. In DBCS
// mode a lead byte left at the end of the piece becomes a space. Safe when d == s.
LPSTR CopyPiece(LPSTR d, LPCSTR s, LPCSTR from, LPCSTR to, bool dbcs);

// Copies the character at p (a character start) to d and returns the end of the copy; a
// lone lead byte becomes a space.
inline LPSTR PutChar(LPSTR d, LPCSTR p, bool dbcs) {
  if (IsLoneLead(p, dbcs)) {
    *d = ' ';
    return d + 1;
  }
  const int n = CharBytes(p, dbcs);
  if (n == 2) {
    const CHAR trail = p[1];  // d may be p - 1
    d[0] = p[0];
    d[1] = trail;
  } else if (n == 1) {
    d[0] = p[0];
  }
  return d + n;
}

// Classes of blank characters; the double-byte blank belongs to each in DBCS mode.
enum class Blank {
  kWhiteSpace,  // 9 to 13 and 32
  kBlank,       // 9, 11, 12 and 32: carriage return and line feed are text
  kSpace,       // 32
};
bool IsBlankClass(LPCSTR p, Blank cls, bool dbcs);

// True when the character at p is one byte long and that byte is a member of set. A
// double-byte character never matches.
bool IsSetByte(LPCSTR p, LPCSTR set, bool dbcs);

// The character at p upper-cased by the system, as a 16-bit character value.
WORD UpperCharValue(LPCSTR p, bool dbcs);

}  // namespace kv
