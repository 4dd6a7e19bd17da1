// The keys of a masked field: the caret rests only on places for typed characters, and
// the deletions take typed characters out while the literals keep their positions.
#include <algorithm>

#include "format/mask.h"
#include "format/mask_edit.h"

namespace kv {

namespace {

// The first place of the mask; 0 for an unlimited mask of "*" alone.
size_t firstPlace(const MaskEditContext& c) {
  size_t p = 0;
  while (p < c.length && !isPlace(c, p)) ++p;
  return p;
}

// The selection narrowed to its first and last places, deleted.
void deleteSelection(HWND window, const MaskEditContext& c, size_t start, size_t end) {
  size_t first = start;
  while (first < end && !isPlace(c, first)) ++first;
  if (first >= end) {
    setCaret(window, c, end);
    return;
  }
  size_t last = end - 1;
  while (last > first && !isPlace(c, last)) --last;
  FMTDeleteMaskedRange(window, c, first, last, c.length);
}

// Deletes the selection if there is one; otherwise the caret's position in *start.
bool deletedSelection(HWND window, const MaskEditContext& c, size_t* start) {
  size_t end = 0;
  fieldSelection(window, c, start, &end);
  if (*start == end) return false;
  deleteSelection(window, c, *start, end);
  return true;
}

}  // namespace

void maskedLeft(HWND window, const MaskEditContext& c) {
  callField(window, c, WM_KEYDOWN, VK_LEFT, c.lParam);
  size_t start = 0;
  size_t end = 0;
  fieldSelection(window, c, &start, &end);
  size_t p = start;
  while (p > 0 && !isPlace(c, p)) --p;
  if (!isPlace(c, p)) p = firstPlace(c);  // a literal at 0: forward instead
  if (p != start) setCaret(window, c, p);
}

void maskedRight(HWND window, const MaskEditContext& c) {
  callField(window, c, WM_KEYDOWN, VK_RIGHT, c.lParam);
  size_t start = 0;
  size_t end = 0;
  fieldSelection(window, c, &start, &end);
  const size_t limit = fieldTextLength(window, c) + 1;
  size_t p = end;
  while (p < limit && !isPlace(c, p)) ++p;
  if (p != end) setCaret(window, c, p);
}

void maskedHome(HWND window, const MaskEditContext& c, bool shift) {
  if (shift) {
    size_t start = 0;
    size_t end = 0;
    fieldSelection(window, c, &start, &end);
    callField(window, c, EM_SETSEL, 0, static_cast<LPARAM>(start));
    return;
  }
  setCaret(window, c, firstPlace(c));
}

void maskedEnd(HWND window, const MaskEditContext& c, bool shift) {
  const size_t length = fieldTextLength(window, c);
  if (shift) {
    size_t start = 0;
    size_t end = 0;
    fieldSelection(window, c, &start, &end);
    callField(window, c, EM_SETSEL, start, static_cast<LPARAM>(length));
    return;
  }
  setCaret(window, c, length + 1);
}

void maskedBackspace(HWND window, const MaskEditContext& c) {
  size_t start = 0;
  if (deletedSelection(window, c, &start) || start == 0) return;
  maskedLeft(window, c);
  size_t moved = 0;
  size_t end = 0;
  fieldSelection(window, c, &moved, &end);
  if (moved != start) FMTDeleteMaskedRange(window, c, moved, moved, c.length);
}

void maskedDelete(HWND window, const MaskEditContext& c) {
  size_t start = 0;
  if (deletedSelection(window, c, &start)) return;
  const size_t length = fieldTextLength(window, c);
  const int within = static_cast<int>(std::min(length, c.length));
  if (!isPlace(c, start) && maskHasMaskCharWithin(c.picture, within)) return;
  FMTDeleteMaskedRange(window, c, start, start, c.length);
}

}  // namespace kv
