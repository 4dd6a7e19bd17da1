// One typed character in a masked field: literals typed for the user, the mask's class
// test, then an overwrite at the end of the text or an insertion into the typed data.
#include <korvane/memory.h>

#include <algorithm>
#include <cstring>

#include "format/mask.h"
#include "format/mask_edit.h"

namespace kv {

namespace {

// A double-byte character takes two places that take any character (or the unlimited tail).
bool takesAnything(const MaskEditContext& c, size_t position) {
  if (position >= c.length) return c.unlimited;
  const CHAR m = c.mask[position];
  return m == 'X' || m == '!' || m == '*';
}

bool fits(const MaskEditContext& c, size_t position, TypedChar* ch) {
  if (ch->width == 2)
    return takesAnything(c, position) && (c.mask[position] == '*' || takesAnything(c, position + 1));
  return FMTMaskCharAccepts(c.mask[position], &ch->bytes[0]) != 0;
}

void typeLiteral(HWND window, const MaskEditContext& c, size_t position) {
  const CHAR literal[2] = {c.mask[position], '\0'};
  FMTTypeCharAt(window, c, position, literal);
}

// The typed data with the selection's characters taken out and ch put in at `position`;
// 0 when the text does not fit the mask.
int insertIntoData(HWND window, const MaskEditContext& c, size_t start, size_t end, size_t position,
                   const TypedChar* ch, size_t caret) {
  MaskBuffer data(unmaskedFieldText(window, c));
  if (!data.get()) return 0;
  size_t length = std::strlen(data.get());
  size_t from = std::min(dataIndexAt(c, start), length);
  size_t to = std::min(dataIndexAt(c, end), length);
  wholeChars(data.get(), length, &from, &to);
  std::memmove(data.get() + from, data.get() + to, length - to + 1);
  length -= to - from;
  MaskBuffer grown(length + (ch ? ch->width : 0) + 1);
  if (!grown.get()) return 0;
  const size_t at = std::min(dataIndexAt(c, position), length);
  std::memcpy(grown.get(), data.get(), at);
  size_t n = at;
  if (ch) {
    std::memcpy(grown.get() + n, ch->bytes, ch->width);
    n += ch->width;
  }
  std::memcpy(grown.get() + n, data.get() + at, length - at + 1);
  // A keystroke never pushes a character typed before out of the mask.
  return setMaskedData(window, c, grown.get(), caret, true);
}

}  // namespace

void FMTTypeCharAt(HWND window, const MaskEditContext& c, size_t position, LPCSTR ch) {
  callField(window, c, EM_SETSEL, position, static_cast<LPARAM>(position + std::strlen(ch)));
  callField(window, c, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(ch));
}

int FMTTypeChar(HWND window, const MaskEditContext& c, const TypedChar& typed) {
  TypedChar ch = typed;
  size_t start = 0;
  size_t end = 0;
  fieldSelection(window, c, &start, &end);
  const size_t maskLength = c.length;
  if (start >= maskLength) {
    if (!c.unlimited) return 0;
    FMTTypeCharAt(window, c, start, ch.bytes);
    return 1;
  }
  const size_t length = fieldTextLength(window, c);
  bool insert = false;
  const bool replace = length > start && start != end;
  if (length > start && start == end) {
    if (length >= maskLength) return 0;  // full: nothing to overwrite inside the text
    insert = true;
  }
  const bool literal = ch.width == 1 && !FMTIsMaskChar(c.mask[start]) && ch.bytes[0] == c.mask[start];
  // The literals at the caret are typed for the user; ch goes to the place after them. Its
  // class is tested first, so that a refused character leaves the text as it was.
  size_t position = start;
  while (position < maskLength && !FMTIsMaskChar(c.mask[position])) ++position;
  if (!literal && (position >= maskLength || !fits(c, position, &ch))) return 0;
  const size_t after = literal ? position : position + ch.width;
  if (insert || replace) {
    if ((replace || !literal) && !insertIntoData(window, c, start, replace ? end : start, position,
                                                 literal ? nullptr : &ch, after))
      return 0;
    if (literal && !replace) setCaret(window, c, after);
  } else {
    for (size_t p = start; p < position; ++p) typeLiteral(window, c, p);
    if (!literal) FMTTypeCharAt(window, c, position, ch.bytes);
  }
  // Past the literals that follow to the next place; after the last place, the mask's
  // closing literals are typed too.
  size_t next = after;
  while (next < maskLength && !FMTIsMaskChar(c.mask[next])) ++next;
  if (next < maskLength || c.unlimited) {
    if (next != after) setCaret(window, c, next);
  } else {
    for (size_t p = after; p < maskLength; ++p) typeLiteral(window, c, p);
  }
  return 1;
}

}  // namespace kv
