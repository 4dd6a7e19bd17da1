// Keystroke validation of masked edit fields: the handlers FMTValidateInput dispatches to.
// A field is an edit control whose procedure the application replaced; every handler makes
// the window do its normal processing through that procedure, which calls
// FMTValidateInput again and, finding the thread busy, passes the message on.
// Positions are caret positions of the text, equal to positions of the mask proper.
#pragma once

#include <korvane/masks.h>
#include <korvane/win32.h>

#include <cstddef>

namespace kv {

// What every handler of one call works from, filled at the start of the call.
struct MaskEditContext {
  LPCSTR picture;   // the mask as the caller gave it, for the mask functions
  LPCSTR mask;      // the mask proper (after a leading "^")
  size_t length;    // its length in bytes
  bool unlimited;   // ends in "*": the field takes text of any length
  WNDPROC proc;     // the window's current procedure
  bool remask;      // FMT_FLAG_REMASK: set and pasted text is put into the mask
  bool notify;      // FMT_FLAG_NOTIFY: set text is reported as a change
  WPARAM wParam;    // the message's own parameters, for its normal processing
  LPARAM lParam;
};

// A block of MemAlloc, freed with its holder.
class MaskBuffer {
 public:
  explicit MaskBuffer(size_t bytes);
  explicit MaskBuffer(LPSTR adopted) : text_(adopted) {}
  ~MaskBuffer();
  MaskBuffer(const MaskBuffer&) = delete;
  MaskBuffer& operator=(const MaskBuffer&) = delete;
  LPSTR get() const { return text_; }
  // Hands the block over to the caller.
  LPSTR release() {
    LPSTR t = text_;
    text_ = nullptr;
    return t;
  }

 private:
  LPSTR text_;
};

// One character typed: one byte, or a lead and a trail byte.
struct TypedChar {
  CHAR bytes[3];
  size_t width;  // 1 or 2
};

// Through the window's procedure, as its normal processing.
LRESULT callField(HWND window, const MaskEditContext& c, UINT message, WPARAM wParam, LPARAM lParam);
void setCaret(HWND window, const MaskEditContext& c, size_t position);
// EM_GETSEL's start and end.
void fieldSelection(HWND window, const MaskEditContext& c, size_t* start, size_t* end);
size_t fieldTextLength(HWND window, const MaskEditContext& c);
// EM_SETMODIFY 1, then EN_CHANGE to the parent.
void reportChange(HWND window);

// Whether the position takes a typed character: a mask character, or past the end of an
// unlimited mask.
bool isPlace(const MaskEditContext& c, size_t position);
// The number of typed characters the masked text holds before the position.
size_t dataIndexAt(const MaskEditContext& c, size_t position);

void trimTrailingBlanks(LPSTR text);
// Widens [from, to) of text to whole characters, so a double-byte one goes as one.
void wholeChars(LPCSTR text, size_t length, size_t* from, size_t* to);

// Puts data into the mask without consuming literals and sets it as the window's text
// (an empty text when no data is left); caret at `caret`. 0 when a typed character
// would be lost (with `whole` set) or room could not be had; 1 done.
int setMaskedData(HWND window, const MaskEditContext& c, LPCSTR data, size_t caret, bool whole);
// The window's text unmasked into a new block of MemAlloc (freed by the caller); null when
// the text does not fit the mask or room could not be had.
LPSTR unmaskedFieldText(HWND window, const MaskEditContext& c);

// 1 when the character went in, 0 when refused (the text is unchanged then).
int FMTTypeChar(HWND window, const MaskEditContext& c, const TypedChar& ch);
// Overwrites one position through the window procedure.
void FMTTypeCharAt(HWND window, const MaskEditContext& c, size_t position, LPCSTR ch);
void FMTRemaskWindowText(HWND window, const MaskEditContext& c);
// `output` has room for the mask's length + 1 (unlimited: FMTMaskedLength + 1).
void FMTMaskForDisplay(const MaskEditContext& c, LPCSTR text, LPSTR output);
// Deletes the typed characters of positions first to last; 1 when the text changed.
int FMTDeleteMaskedRange(HWND window, const MaskEditContext& c, size_t first, size_t last, size_t maskLength);

// The keys: caret movers and the two deletions.
void maskedLeft(HWND window, const MaskEditContext& c);
void maskedRight(HWND window, const MaskEditContext& c);
void maskedHome(HWND window, const MaskEditContext& c, bool shift);
void maskedEnd(HWND window, const MaskEditContext& c, bool shift);
void maskedBackspace(HWND window, const MaskEditContext& c);
void maskedDelete(HWND window, const MaskEditContext& c);

}  // namespace kv
