// The mask helpers the edit-field validation builds on. Positions are byte positions of the
// mask proper (after a leading "^").
#pragma once

#include <korvane/masks.h>

namespace kv {

// Steps over the "do not unmask" marker.
LPCSTR maskProper(LPCSTR mask);

BOOL FMTIsMaskChar(CHAR c);
// 1 when the character fits the mask character (converted in place); for a literal the
// character becomes the literal and 1 is returned.
int FMTMaskCharAccepts(CHAR maskChar, CHAR* c);
// First position at or after `from` holding a literal / a mask character; 0 when none.
int FMTFindNextLiteral(LPCSTR mask, WORD from, WORD* position);
int FMTFindNextMaskChar(LPCSTR mask, WORD from, WORD* position);
// Length of text plus the number of literals of the mask.
int FMTMaskedLength(LPCSTR mask, LPCSTR text);
// Index in the typed data of the mask character at or before the position.
WORD FMTMaskPosToDataPos(LPCSTR mask, WORD position);
int FMTMaskTextEx(LPCSTR input, LPSTR output, LPCSTR mask, BOOL consume);
// Whether the first `length` characters of the mask hold a mask character.
BOOL maskHasMaskCharWithin(LPCSTR mask, int length);

}  // namespace kv
