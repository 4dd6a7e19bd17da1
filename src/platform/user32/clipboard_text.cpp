// The controls' text on the clipboard: CF_TEXT in a movable global block.
#include "user32/dialog_system.h"

#include <cstring>

namespace kw::user32 {

bool putClipboardText(HWND owner, std::string_view text) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (!block) return false;
  char* p = static_cast<char*>(GlobalLock(block));
  if (!p) {
    GlobalFree(block);
    return false;
  }
  std::memcpy(p, text.data(), text.size());
  p[text.size()] = '\0';
  GlobalUnlock(block);
  if (!OpenClipboard(owner)) {
    GlobalFree(block);
    return false;
  }
  bool stored = EmptyClipboard() && SetClipboardData(CF_TEXT, block);
  CloseClipboard();
  if (!stored) GlobalFree(block);
  return stored;
}

bool takeClipboardText(HWND owner, std::string* text) {
  text->clear();
  if (!OpenClipboard(owner)) return false;
  bool taken = false;
  if (HANDLE block = GetClipboardData(CF_TEXT)) {
    if (const char* p = static_cast<const char*>(GlobalLock(block))) {
      // Up to the terminating zero, never past the block whoever stored it made.
      size_t size = GlobalSize(block);
      text->assign(p, strnlen(p, size));
      GlobalUnlock(block);
      taken = true;
    }
  }
  CloseClipboard();
  return taken;
}

}  // namespace kw::user32
