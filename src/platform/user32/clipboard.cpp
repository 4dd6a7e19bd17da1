// The clipboard of the process: formats and their global memory blocks.
#include <korvane/win32.h>

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
  std::lock_guard<std::mutex> lock(c.mutex);
  if (!openHere(c)) return FALSE;
  c.openedBy = 0;
  c.openWindow = nullptr;
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
  }
  if (old && old != data) GlobalFree(old);
  return data;
}

KW32_API HANDLE WINAPI GetClipboardData(UINT format) {
  Clipboard& c = clipboard();
  std::lock_guard<std::mutex> lock(c.mutex);
  if (!openHere(c)) return nullptr;
  for (const Entry& e : c.entries)
    if (e.format == format) return e.data;
  return nullptr;
}

KW32_API BOOL WINAPI IsClipboardFormatAvailable(UINT format) {
  Clipboard& c = clipboard();
  std::lock_guard<std::mutex> lock(c.mutex);
  return std::any_of(c.entries.begin(), c.entries.end(), [&](const Entry& e) { return e.format == format; });
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
