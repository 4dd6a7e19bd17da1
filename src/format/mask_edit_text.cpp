// Whole-text operations of a masked field: re-masking set or pasted text, the text shown
// for a value, and deleting typed characters.
#include <korvane/format.h>
#include <korvane/memory.h>

#include <algorithm>
#include <cstring>

#include "format/mask.h"
#include "format/mask_edit.h"
#include "format/work_text.h"

namespace kv {

void FMTRemaskWindowText(HWND window, const MaskEditContext& c) {
  const size_t length = fieldTextLength(window, c);
  if (length == 0) return;  // a field emptied stays empty, without the mask's first literal
  // At most the mask's length of text; all of it for a mask without end.
  const size_t read = c.unlimited ? length + static_cast<size_t>(FMTCntNonMaskChars(c.picture)) : c.length;
  WorkText text(read + 1);
  if (!text.get()) return;
  const LRESULT got = callField(window, c, WM_GETTEXT, read + 1, reinterpret_cast<LPARAM>(text.get()));
  text.get()[got > 0 && static_cast<size_t>(got) <= read ? static_cast<size_t>(got) : 0] = '\0';
  WorkText masked((c.unlimited ? static_cast<size_t>(FMTMaskedLength(c.picture, text.get())) : c.length) + 1);
  if (!masked.get() || !FMTMaskText(text.get(), masked.get(), c.picture)) return;
  trimTrailingBlanks(masked.get());
  callField(window, c, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(masked.get()));
}

void FMTMaskForDisplay(const MaskEditContext& c, LPCSTR text, LPSTR output) {
  output[0] = '\0';
  if (!text || !*text || !FMTMaskText(text, output, c.picture)) return;
  if (!c.unlimited) {
    // The places not reached show as blanks between the literals.
    for (size_t p = std::strlen(output); p < c.length; ++p) output[p] = FMTIsMaskChar(c.mask[p]) ? ' ' : c.mask[p];
    output[c.length] = '\0';
  }
  trimTrailingBlanks(output);
}

int FMTDeleteMaskedRange(HWND window, const MaskEditContext& c, size_t first, size_t last, size_t maskLength) {
  const size_t length = fieldTextLength(window, c);
  if (first >= length) return 0;
  last = std::min(last, length - 1);
  if (!c.unlimited) last = std::min(last, maskLength > 0 ? maskLength - 1 : 0);
  if (last < first) return 0;
  if (first == 0 && last == length - 1) {
    callField(window, c, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    setCaret(window, c, 0);
    reportChange(window);
    return 1;
  }
  MaskBuffer data(unmaskedFieldText(window, c));
  if (!data.get()) return 0;
  const size_t dataLength = std::strlen(data.get());
  size_t from = std::min(dataIndexAt(c, first), dataLength);
  size_t to = std::min(dataIndexAt(c, last + 1), dataLength);
  wholeChars(data.get(), dataLength, &from, &to);
  if (from >= to) return 0;  // only literals in the range
  std::memmove(data.get() + from, data.get() + to, dataLength - to + 1);
  return setMaskedData(window, c, data.get(), first, false);
}

}  // namespace kv
