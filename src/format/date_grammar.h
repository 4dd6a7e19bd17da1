// The date-string grammar: reads date/time pictures, typed date/time values and the shape
// of typed values into lists of tokens. Every entry runs under the grammar lock.
#pragma once

#include <korvane/win32.h>

namespace kv {

// One node of a token list, allocated with MemAlloc. The value is 32 bits wide on a 32-bit
// build; it is pointer-sized here because kind 1 carries a pointer to its text.
struct DateToken {
  LONG kind;
  LONG_PTR value;
  DateToken* next;
  DateToken* prev;
};

// Token kinds. Value mode gives 0 to 3; picture mode gives 1 to 3 and the elements 4 to 21.
enum DateTokenKind : LONG {
  kTokNumber = 0,      // value: the number (see kFourDigitMarker)
  kTokText = 1,        // value: char* to the text, owned by the node
  kTokChar = 2,        // value: the separator character
  kTokBlanks = 3,      // value: the number of blank bytes
  kTokDay = 4,         // d
  kTokDay2 = 5,        // dd
  kTokDayAbbrev = 6,   // ddd
  kTokDayName = 7,     // dddd
  kTokMonth = 8,       // M
  kTokMonth2 = 9,      // MM
  kTokMonthAbbrev = 10,  // MMM
  kTokMonthName = 11,  // MMMM
  kTokYear2 = 12,      // yy
  kTokYear4 = 13,      // yyyy
  kTokHour12 = 14,     // hh
  kTokHour24 = 15,     // hhhh
  kTokMinute = 16,     // mm
  kTokSecond = 17,     // ss
  kTokMicrosecond = 18,  // mmmmmm
  kTokAmPm = 19,       // AMPM
  kTokHour12Bare = 20,   // h
  kTokHour24Bare = 21,   // hhh
};

constexpr bool isDateElement(LONG kind) { return kind >= kTokDay && kind <= kTokYear4; }
constexpr bool isTimeElement(LONG kind) { return kind >= kTokHour12 && kind <= kTokHour24Bare; }

// A number typed with exactly four digits of which the first two are zeros ("0099") carries
// this in the top byte of its 32-bit value, telling a four-digit year as typed.
constexpr DWORD kFourDigitMarker = 0xFF000000u;
inline bool hasFourDigitMarker(const DateToken* t) {
  return (static_cast<DWORD>(t->value) & kFourDigitMarker) == kFourDigitMarker;
}
// The number of a kind-0 token without its marker.
inline LONG tokenNumber(const DateToken* t) {
  const DWORD v = static_cast<DWORD>(t->value);
  return static_cast<LONG>(hasFourDigitMarker(t) ? v & ~kFourDigitMarker : v);
}

// FMTParseDateString modes.
enum DateParseMode : int {
  kParseDate = 1,      // 1 to 3 read a typed value
  kParseTime = 2,
  kParseDateTime = 3,
  kParsePicture = 4,
};

// FMTGuessDatePicture kinds.
enum DateGuessKind : int {
  kGuessDate = 1,
  kGuessTime = 2,
  kGuessDateTime = 3,
};

// Tokens of the text read in the given mode; null for any other mode, for text that does
// not parse, and for empty text. A value of exactly eight bytes that reads as one number
// is read again as "yyyy mm dd" (20011225 gives 2001, 12, 25 with blank runs between).
DateToken* FMTParseDateString(const char* text, int mode);

// Room on the caller's stack for the nodes and texts of a short list: a typed value is
// parsed on every keystroke and validation, and one allocation per token was most of its
// cost. Nodes that do not fit are allocated as usual.
struct DateTokenArena {
  DateToken nodes[24];
  char texts[160];
  size_t nodesUsed = 0;
  size_t textUsed = 0;
};
// FMTParseDateString building its list in `arena` where it fits; the list is released with
// freeDateTokens(head, arena) before the arena goes.
DateToken* FMTParseDateString(const char* text, int mode, DateTokenArena* arena);

// Recognises the standard date and/or time shape the text is written in, copies the
// shape's picture to `picture` (which must hold 64 bytes; "" when no shape fits) and
// returns the picture's tokens, or null. The numeric date shape "M/d/yyyy" is refused
// unless allowNumeric is non-zero.
DateToken* FMTGuessDatePicture(const char* text, int kind, char* picture, int allowNumeric);
// The same recognition without parsing the chosen picture: true and the picture in
// `picture` (64 bytes), or false and "".
bool guessDateShape(const char* text, int kind, char* picture, int allowNumeric);

// Releases a list from its head, with the texts of its kind-1 nodes. Null is ignored.
void FMTFreeDateTokens(DateToken* head);
// The same for a list built in `arena` (null: none); only what was allocated is freed.
void freeDateTokens(DateToken* head, const DateTokenArena* arena);

}  // namespace kv
