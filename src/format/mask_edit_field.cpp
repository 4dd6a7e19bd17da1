// The masked field as a window: its text, selection and change reports, and its typed
// characters (the text with the literals taken out).
#include <korvane/format.h>
#include <korvane/memory.h>

#include <algorithm>
#include <cstring>

#include "format/mask.h"
#include "format/mask_edit.h"
#include "format/work_text.h"

namespace kv {

MaskBuffer::MaskBuffer(size_t bytes)
    : text_(bytes > 0x7FFF0000u ? nullptr : static_cast<LPSTR>(MemAlloc(static_cast<DWORD>(bytes)))) {}

MaskBuffer::~MaskBuffer() { MemFree(text_); }

LRESULT callField(HWND window, const MaskEditContext& c, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcA(c.proc, window, message, wParam, lParam);
}

void setCaret(HWND window, const MaskEditContext& c, size_t position) {
  callField(window, c, EM_SETSEL, static_cast<WPARAM>(position), static_cast<LPARAM>(position));
}

void fieldSelection(HWND window, const MaskEditContext& c, size_t* start, size_t* end) {
  const auto selection = static_cast<DWORD>(callField(window, c, EM_GETSEL, 0, 0));
  *start = LOWORD(selection);
  *end = HIWORD(selection);
  if (*end < *start) *end = *start;
}

size_t fieldTextLength(HWND window, const MaskEditContext& c) {
  const LRESULT n = callField(window, c, WM_GETTEXTLENGTH, 0, 0);
  return n > 0 ? static_cast<size_t>(n) : 0;
}

void reportChange(HWND window) {
  SendMessageA(window, EM_SETMODIFY, TRUE, 0);
  const WORD id = LOWORD(GetWindowLongPtrA(window, GWLP_ID));
  if (HWND parent = GetParent(window))
    SendMessageA(parent, WM_COMMAND, MAKELONG(id, EN_CHANGE), reinterpret_cast<LPARAM>(window));
}

bool isPlace(const MaskEditContext& c, size_t position) {
  if (position >= c.length) return c.unlimited;
  return FMTIsMaskChar(c.mask[position]) != FALSE;
}

size_t dataIndexAt(const MaskEditContext& c, size_t position) {
  size_t n = 0;
  for (size_t p = 0; p < position && p < c.length; ++p) n += FMTIsMaskChar(c.mask[p]) ? 1 : 0;
  if (c.unlimited && position > c.length) n += position - c.length;
  return n;
}

void trimTrailingBlanks(LPSTR text) {
  size_t n = std::strlen(text);
  while (n > 0 && text[n - 1] == ' ') text[--n] = '\0';
}

void wholeChars(LPCSTR text, size_t length, size_t* from, size_t* to) {
  const auto next = [&](size_t p) {
    return std::min(length, p + (IsDBCSLeadByte(static_cast<BYTE>(text[p])) ? 2 : 1));
  };
  size_t p = 0;
  while (p < length && next(p) <= *from) p = next(p);
  *from = p;
  while (p < length && p < *to) p = next(p);
  *to = std::max(*from, p);
}

namespace {

// How many typed characters a text masked without consuming literals holds.
size_t placesFilled(const MaskEditContext& c, LPCSTR masked) {
  const size_t n = std::strlen(masked);
  size_t filled = 0;
  for (size_t p = 0; p < n; ++p) filled += isPlace(c, p) ? 1 : 0;
  return filled;
}

}  // namespace

int setMaskedData(HWND window, const MaskEditContext& c, LPCSTR data, size_t caret, bool whole) {
  const size_t dataLength = std::strlen(data);
  WorkText masked((c.unlimited ? dataLength + c.length : c.length) + 1);
  if (!masked.get()) return 0;
  if (dataLength == 0) {
    masked.get()[0] = '\0';  // no typed character left: no literals either
  } else {
    if (!FMTMaskTextEx(data, masked.get(), c.picture, FALSE)) return 0;
    if (whole && placesFilled(c, masked.get()) < dataLength) return 0;
    trimTrailingBlanks(masked.get());
  }
  callField(window, c, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(masked.get()));
  setCaret(window, c, caret);
  reportChange(window);
  return 1;
}

LPSTR unmaskedFieldText(HWND window, const MaskEditContext& c) {
  const size_t length = fieldTextLength(window, c);
  WorkText text(length + 1);
  MaskBuffer data(length + 1);
  if (!text.get() || !data.get()) return nullptr;
  const LRESULT got = callField(window, c, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.get()));
  text.get()[got > 0 && static_cast<size_t>(got) <= length ? static_cast<size_t>(got) : 0] = '\0';
  FMTCNTLBLOCK block;
  std::memset(&block, 0, sizeof block);
  block.lpszInput = text.get();
  block.lpszPicture = const_cast<LPSTR>(c.picture);
  block.lpszOutput = data.get();
  if (!FMTUnmaskInput(&block)) return nullptr;
  return data.release();
}

}  // namespace kv
