// Character classes of the date-string grammar and the recognition of the standard date and
// time shapes. Pure functions over text: the grammar calls them under its lock.
#pragma once

#include <korvane/win32.h>

#include <cstddef>

namespace kv {

inline bool isGrammarBlank(char c) { return c == '\t' || c == '\n' || c == ' '; }
inline bool isGrammarSeparator(char c) {
  return c == ',' || c == '-' || c == '.' || c == '/' || c == ':' || c == '\\';
}
inline bool isGrammarDigit(char c) { return c >= '0' && c <= '9'; }

// Bytes of the word letter at p (A-Z, a-z, or a byte of 0x81 and above, which takes its
// trail byte with it when it leads a double-byte character); 0 when p holds no letter.
int wordLetterBytes(const char* p);

// The standard shapes and the pictures they stand for.
constexpr int kDateShapeCount = 11;
constexpr int kTimeShapeCount = 2;
constexpr int kNumericDateShape = 9;  // "M/d/yyyy", accepted only where the country allows it
extern const char* const kDateShapePictures[kDateShapeCount];
extern const char* const kTimeShapePictures[kTimeShapeCount];

// The date shape (0 to 10) of the date written at the start of text, and in *length the
// bytes it takes; -1 when no date form matches there or its digit counts fit no shape.
int matchDateShape(const char* text, size_t* length);
// The time shape of text as a whole: 0 when it ends in a designator, 1 when it does not,
// -1 when it is not a time.
int matchTimeShape(const char* text);

}  // namespace kv
