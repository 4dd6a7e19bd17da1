// Shift-JIS width tables: the full-width (JIS X 0208) forms of the half-width ASCII and
// katakana bytes, and back. Used only on Japanese systems.
#pragma once

#include <korvane/win32.h>

#include <array>

namespace kv {

struct KanaMarkEntry {
  BYTE base;  // half-width katakana followed by the voiced (0xDE) or semi-voiced (0xDF) mark
  WORD full;
};

struct HalfWidthEntry {
  WORD full;
  BYTE half[2];  // one byte, or base and mark; unused bytes 0
};

extern const std::array<WORD, 95> kAsciiFullWidth;     // bytes 0x20 to 0x7E
extern const std::array<WORD, 63> kKatakanaFullWidth;  // bytes 0xA1 to 0xDF
extern const std::array<KanaMarkEntry, 21> kVoicedFullWidth;      // sorted by base
extern const std::array<KanaMarkEntry, 5> kSemiVoicedFullWidth;   // sorted by base
extern const std::array<HalfWidthEntry, 187> kHalfWidth;          // sorted by full

// Full-width form of a single half-width byte; 0 when it has none.
WORD JapanFullWidthOf(BYTE half);
// Full-width form of a katakana byte and the mark after it; 0 when the pair has none.
WORD JapanFullWidthOfPair(BYTE base, BYTE mark);
// Half-width form of a full-width character; null when it has none.
const HalfWidthEntry* JapanHalfWidthOf(WORD full);

}  // namespace kv
