// The clipboard of the process: formats and their global memory blocks. Text set here is
// offered to the display's other programs on closing; text they hold is fetched when
// CF_TEXT is asked for and this process has none.
#include "user32/clipboard_share.h"
#include "user32/driver.h"

#include <korvane/win32.h>

#include <cstring>
#include <string>

#include <algorithm>
#include <mutex>
#include <vector>

namespace {

struct Entry {
  UINT format;
  HANDLE data;
};

struct Clipboard {
  std::mutex mutex;
  DWORD openedBy = 0;  // thread, 0: closed
  HWND openWindow = nullptr;
  HWND owner = nullptr;
  std::vector<Entry> entries;  // in the order they were set
  bool textSet = false;        // CF_TEXT set since the clipboard was opened
  bool takenWhileOpen = false; // another program took it meanwhile: dropped on closing
};

Clipboard& clipboard() {
  static auto* c = new Clipboard;
  return *c;
}

// Under the lock: whether the calling thread has it open (else last error).
bool openHere(const Clipboard& c) {
  if (c.openedBy != GetCurrentThreadId()) {
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return false;
  }
  return true;
}

}  // namespace

KW32_API BOOL WINAPI OpenClipboard(HWND owner) {
  if (owner && !IsWindow(owner)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  Clipboard& c = clipboard();
  std::lock_guard<std::mutex> lock(c.mutex);
  if (c.openedBy && c.openedBy != GetCurrentThreadId()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  c.openedBy = GetCurrentThreadId();
  c.openWindow = owner;
  return TRUE;
}

KW32_API BOOL WINAPI CloseClipboard(void) {
  Clipboard& c = clipboard();
  bool offer;
  std::vector<Entry> dropped;
  {
    std::lock_guard<std::mutex> lock(c.mutex);
    if (!openHere(c)) return FALSE;
    c.openedBy = 0;
    c.openWindow = nullptr;
    offer = c.textSet;
    // Text set while open is newer than the other program's; else theirs wins now.
    if (c.takenWhileOpen && !offer) {
      dropped.swap(c.entries);
      c.owner = nullptr;
    }
    c.takenWhileOpen = false;
    c.textSet = false;
  }
  for (const Entry& e : dropped)
    if (e.data) GlobalFree(e.data);
  if (offer) kw::user32::driver().clipboardChanged();
  return TRUE;
}

KW32_API BOOL WINAPI EmptyClipboard(void) {
  Clipboard& c = clipboard();
  std::vector<Entry> dropped;
  {
    std::lock_guard<std::mutex> lock(c.mutex);
    if (!openHere(c)) return FALSE;
    dropped.swap(c.entries);
    c.owner = c.openWindow;
  }
  for (const Entry& e : dropped)
    if (e.data) GlobalFree(e.data);
  return TRUE;
}

KW32_API HANDLE WINAPI SetClipboardData(UINT format, HANDLE data) {
  if (!format) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  Clipboard& c = clipboard();
  HANDLE old = nullptr;
  {
    std::lock_guard<std::mutex> lock(c.mutex);
    if (!openHere(c)) return nullptr;
    auto it = std::find_if(c.entries.begin(), c.entries.end(), [&](const Entry& e) { return e.format == format; });
    if (it != c.entries.end()) {
      old = it->data;
      it->data = data;
    } else {
      c.entries.push_back({format, data});
    }
    if (format == CF_TEXT) c.textSet = true;
  }
  if (old && old != data) GlobalFree(old);
  return data;
}

KW32_API HANDLE WINAPI GetClipboardData(UINT format) {
  Clipboard& c = clipboard();
  {
    std::lock_guard<std::mutex> lock(c.mutex);
    if (!openHere(c)) return nullptr;
    for (const Entry& e : c.entries)
      if (e.format == format) return e.data;
  }
  // Text another program holds becomes this clipboard's own, valid until it is emptied.
  std::string text;
  if (format != CF_TEXT || !kw::user32::driver().otherText(text)) return nullptr;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (!block) return nullptr;
  if (char* p = static_cast<char*>(GlobalLock(block))) {
    std::memcpy(p, text.c_str(), text.size() + 1);
    GlobalUnlock(block);
  }
  std::lock_guard<std::mutex> lock(c.mutex);
  if (!openHere(c)) {
    GlobalFree(block);
    return nullptr;
  }
  c.entries.push_back({CF_TEXT, block});
  return block;
}

KW32_API BOOL WINAPI IsClipboardFormatAvailable(UINT format) {
  Clipboard& c = clipboard();
  {
    std::lock_guard<std::mutex> lock(c.mutex);
    if (std::any_of(c.entries.begin(), c.entries.end(), [&](const Entry& e) { return e.format == format; }))
      return TRUE;
  }
  return format == CF_TEXT && kw::user32::driver().otherOffersText();
}

KW32_API int WINAPI CountClipboardFormats(void) {
  Clipboard& c = clipboard();
  std::lock_guard<std::mutex> lock(c.mutex);
  return static_cast<int>(c.entries.size());
}

KW32_API UINT WINAPI EnumClipboardFormats(UINT format) {
  Clipboard& c = clipboard();
  std::lock_guard<std::mutex> lock(c.mutex);
  if (!openHere(c)) return 0;
  SetLastError(0);
  auto it = c.entries.begin();
  if (format) {
    it = std::find_if(c.entries.begin(), c.entries.end(), [&](const Entry& e) { return e.format == format; });
    if (it != c.entries.end()) ++it;
  }
  return it == c.entries.end() ? 0 : it->format;
}

KW32_API HWND WINAPI GetClipboardOwner(void) {
  Clipboard& c = clipboard();
  std::lock_guard<std::mutex> lock(c.mutex);
  return IsWindow(c.owner) ? c.owner : nullptr;
}

KW32_API HWND WINAPI GetOpenClipboardWindow(void) {
  Clipboard& c = clipboard();
  std::lock_guard<std::mutex> lock(c.mutex);
  return c.openedBy ? c.openWindow : nullptr;
}

namespace kw::user32 {

bool heldClipboardText(std::string* text) {
  Clipboard& c = clipboard();
  std::lock_guard<std::mutex> lock(c.mutex);
  for (const Entry& e : c.entries) {
    if (e.format != CF_TEXT || !e.data) continue;
    const SIZE_T size = GlobalSize(e.data);
    const char* p = static_cast<const char*>(GlobalLock(e.data));
    if (!p) return false;
    text->assign(p, strnlen(p, size));  // a block without its terminator is read to its end
    GlobalUnlock(e.data);
    return true;
  }
  return false;
}

void clipboardTakenElsewhere() {
  Clipboard& c = clipboard();
  std::vector<Entry> dropped;
  {
    std::lock_guard<std::mutex> lock(c.mutex);
    if (c.openedBy) {  // not while a thread reads it: when it closes
      c.takenWhileOpen = true;
      return;
    }
    dropped.swap(c.entries);
    c.owner = nullptr;
  }
  for (const Entry& e : dropped)
    if (e.data) GlobalFree(e.data);
}

}  // namespace kw::user32
