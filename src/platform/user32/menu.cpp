// System menus. Nothing shows a menu without a display, but dialogs still grey items of
// their system menu (Close while a job cannot be stopped), so each window that has one
// gets a record of its items' states, made on first ask.
#include <korvane/win32.h>

#include <map>
#include <mutex>

namespace {

struct SystemMenu {
  HWND window;
  std::map<UINT, UINT> states;  // command -> MF_ flags
};

struct MenuTable {
  std::mutex mutex;
  std::map<ULONG_PTR, SystemMenu> menus;  // by handle value
  ULONG_PTR next = 0x4D00;
};

MenuTable& table() {
  static auto* t = new MenuTable;
  return *t;
}

const std::map<UINT, UINT>& firstStates() {
  static const std::map<UINT, UINT> states{{SC_RESTORE, MF_GRAYED}, {SC_MOVE, MF_ENABLED},
                                           {SC_SIZE, MF_ENABLED},   {SC_MINIMIZE, MF_ENABLED},
                                           {SC_MAXIMIZE, MF_ENABLED}, {SC_CLOSE, MF_ENABLED}};
  return states;
}

// The item's state slot, or null (under the table's lock).
UINT* itemOf(MenuTable& t, HMENU menu, UINT item, UINT flags) {
  auto found = t.menus.find(reinterpret_cast<ULONG_PTR>(menu));
  if (found == t.menus.end() || !IsWindow(found->second.window)) return nullptr;
  auto& states = found->second.states;
  if (flags & MF_BYPOSITION) {
    if (item >= states.size()) return nullptr;
    auto it = states.begin();
    std::advance(it, item);
    return &it->second;
  }
  auto it = states.find(item);
  return it == states.end() ? nullptr : &it->second;
}

}  // namespace

KW32_API HMENU WINAPI GetSystemMenu(HWND window, BOOL revert) {
  if (!IsWindow(window) || !(GetWindowLongA(window, GWL_STYLE) & WS_SYSMENU)) return nullptr;
  MenuTable& t = table();
  std::lock_guard<std::mutex> hold(t.mutex);
  for (auto it = t.menus.begin(); it != t.menus.end();) {
    if (!IsWindow(it->second.window)) {
      it = t.menus.erase(it);  // its window is gone; a new window may get the same handle later
      continue;
    }
    if (it->second.window == window) {
      if (!revert) return reinterpret_cast<HMENU>(it->first);
      it->second.states = firstStates();
      return nullptr;
    }
    ++it;
  }
  const ULONG_PTR handle = t.next++ * 4;
  t.menus.emplace(handle, SystemMenu{window, firstStates()});
  return revert ? nullptr : reinterpret_cast<HMENU>(handle);
}

KW32_API BOOL WINAPI EnableMenuItem(HMENU menu, UINT item, UINT enable) {
  MenuTable& t = table();
  std::lock_guard<std::mutex> hold(t.mutex);
  UINT* state = itemOf(t, menu, item, enable);
  if (!state) return -1;
  const UINT before = *state & (MF_GRAYED | MF_DISABLED);
  *state = (*state & ~(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
  return static_cast<BOOL>(before);
}

KW32_API UINT WINAPI GetMenuState(HMENU menu, UINT item, UINT flags) {
  MenuTable& t = table();
  std::lock_guard<std::mutex> hold(t.mutex);
  UINT* state = itemOf(t, menu, item, flags);
  return state ? *state : static_cast<UINT>(-1);
}
