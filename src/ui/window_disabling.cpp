// Disabling a thread's windows (or a window and its parents) and enabling them again.
#include "ui/window_disabling.h"

#include <korvane/dialogs.h>

#include "frame/state.h"

namespace {

using kv::kMaxDisabledWindows;

constexpr DWORD kNtPlatform = 2;

bool isRecorded(const HWND* list, HWND window) {
  for (int i = 0; i < kMaxDisabledWindows && list[i] != nullptr; ++i)
    if (list[i] == window) return true;
  return false;
}

// Visits the windows of `walk`, disabling the enabled ones into a new list, or enabling
// those recorded in `list` and freeing it.
template <class Walk>
HLOCAL switchWindows(Walk walk, BOOL enable, HLOCAL list) {
  if (enable) {
    if (list == nullptr) return nullptr;
    if (const auto* recorded = static_cast<const HWND*>(LocalLock(list))) {
      walk([recorded](HWND window) {
        if (isRecorded(recorded, window)) EnableWindow(window, TRUE);
      });
      LocalUnlock(list);
    }
    LocalFree(list);
    return nullptr;
  }
  HLOCAL fresh = LocalAlloc(LMEM_MOVEABLE | LMEM_ZEROINIT, kMaxDisabledWindows * sizeof(HWND));
  if (fresh == nullptr) return nullptr;
  auto* slots = static_cast<HWND*>(LocalLock(fresh));
  if (slots == nullptr) {
    LocalFree(fresh);
    return nullptr;
  }
  int used = 0;
  walk([slots, &used](HWND window) {
    if (used == kMaxDisabledWindows || (GetWindowLongA(window, GWL_STYLE) & WS_DISABLED) != 0) return;
    slots[used++] = window;
    EnableWindow(window, FALSE);
  });
  LocalUnlock(fresh);
  return fresh;
}

}  // namespace

namespace kv {

HLOCAL enableWindowChain(HWND window, BOOL enable, HLOCAL list) {
  if (!enable && !IsWindow(window)) return nullptr;
  return switchWindows(
      [window](auto&& visit) {
        // The next link is taken first: a window procedure may destroy its window.
        for (HWND at = window; at != nullptr && IsWindow(at);) {
          HWND parent = GetParent(at);
          visit(at);
          at = parent;
        }
      },
      enable, list);
}

}  // namespace kv

extern "C" {

KV_API HLOCAL KV_CALL DlgEnableAllWindows(HINSTANCE instance, HWND except, BOOL enable, HLOCAL list) {
  if (instance == nullptr) {
    // Nothing can be walked; the list is still the caller's last word on it.
    if (enable && list != nullptr) LocalFree(list);
    return nullptr;
  }
  const DWORD thread = GetCurrentThreadId();
  const bool byInstance = kv::gpState->platformId == kNtPlatform;
  return switchWindows(
      [=](auto&& visit) {
        for (HWND at = GetWindow(FindWindowA(nullptr, nullptr), GW_HWNDFIRST); at != nullptr;) {
          HWND next = GetWindow(at, GW_HWNDNEXT);
          const bool counts = at != except && IsWindow(at) && GetWindowThreadProcessId(at, nullptr) == thread &&
                              (!byInstance || reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(at, GWLP_HINSTANCE)) == instance);
          if (counts) visit(at);
          at = next;
        }
      },
      enable, list);
}

}  // extern "C"
