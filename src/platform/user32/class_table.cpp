// Window classes: registration, look-up without regard to case, class information.
#include "user32/system_classes.h"
#include "user32/window.h"

#include <algorithm>
#include <cstring>

namespace kw::user32 {
namespace {

constexpr int kExtraLimit = 0x10000;  // larger class or window extras are refused
constexpr ATOM kFirstAtom = 0xC000;   // string atoms, as Windows numbers them

struct ClassTable {
  std::vector<std::shared_ptr<WindowClass>> classes;
  ATOM nextAtom = kFirstAtom;
  bool systemRegistered = false;
  bool registeringSystem = false;
};

bool isAtom(LPCSTR name) { return (reinterpret_cast<ULONG_PTR>(name) >> 16) == 0; }

// Under the lock; registers the system classes on first use.
ClassTable& classTable() {
  static auto* t = new ClassTable;
  if (!t->systemRegistered) {
    t->systemRegistered = true;
    t->registeringSystem = true;
    registerSystemClasses();
    t->registeringSystem = false;
  }
  return *t;
}

bool matchesName(const WindowClass& c, LPCSTR name) {
  if (isAtom(name)) return c.atom == LOWORD(reinterpret_cast<ULONG_PTR>(name));
  return sameName(c.name, name);
}

// The atom of a "#n" name, else 0.
ATOM numberedAtom(std::string_view name) {
  if (name.size() < 2 || name[0] != '#') return 0;
  unsigned long value = 0;
  for (char ch : name.substr(1)) {
    if (ch < '0' || ch > '9' || value > 0xFFFF) return 0;
    value = value * 10 + static_cast<unsigned>(ch - '0');
  }
  return value > 0 && value < kFirstAtom ? static_cast<ATOM>(value) : 0;
}

ATOM registerClass(const WNDCLASSEXA& wc) {
  if (!wc.lpszClassName || !wc.lpfnWndProc || wc.cbClsExtra < 0 || wc.cbWndExtra < 0 ||
      wc.cbClsExtra >= kExtraLimit || wc.cbWndExtra >= kExtraLimit ||
      (!isAtom(wc.lpszClassName) && !*wc.lpszClassName)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  WindowsLock lock(windowsLock());
  ClassTable& t = classTable();
  std::string name = atomOrName(wc.lpszClassName);
  for (const auto& c : t.classes) {
    if (sameName(c->name, name) && (c->instance == wc.hInstance || c->style & CS_GLOBALCLASS)) {
      SetLastError(ERROR_CLASS_ALREADY_EXISTS);
      return 0;
    }
  }
  auto c = std::make_shared<WindowClass>();
  c->name = name;
  c->atom = numberedAtom(name);
  if (!c->atom) {
    for (const auto& other : t.classes)
      if (sameName(other->name, name)) c->atom = other->atom;  // one atom per name
  }
  if (!c->atom) {
    if (t.nextAtom == 0xFFFF) {
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return 0;
    }
    c->atom = t.nextAtom++;
  }
  c->style = wc.style;
  c->proc = wc.lpfnWndProc;
  c->wndExtra = wc.cbWndExtra;
  c->instance = wc.hInstance;
  c->icon = wc.hIcon;
  c->smallIcon = wc.cbSize >= sizeof(WNDCLASSEXA) ? wc.hIconSm : nullptr;
  c->cursor = wc.hCursor;
  c->background = wc.hbrBackground;
  c->menuName = wc.lpszMenuName;
  c->extra.assign(static_cast<size_t>(wc.cbClsExtra), 0);
  c->system = t.registeringSystem;
  t.classes.push_back(c);
  return c->atom;
}

WNDCLASSEXA toClassInfo(const WindowClass& c) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = c.style;
  wc.lpfnWndProc = c.proc;
  wc.cbClsExtra = static_cast<int>(c.extra.size());
  wc.cbWndExtra = c.wndExtra;
  wc.hInstance = c.instance;
  wc.hIcon = c.icon;
  wc.hCursor = c.cursor;
  wc.hbrBackground = c.background;
  wc.lpszMenuName = c.menuName;
  wc.lpszClassName = c.name.c_str();
  wc.hIconSm = c.smallIcon;
  return wc;
}

}  // namespace

bool sameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           auto up = [](char ch) { return ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 32) : ch; };
           return up(x) == up(y);
         });
}

std::string atomOrName(LPCSTR name) {
  if (!name) return {};
  if (isAtom(name)) return "#" + std::to_string(LOWORD(reinterpret_cast<ULONG_PTR>(name)));
  return name;
}

std::shared_ptr<WindowClass> findClass(LPCSTR name, HINSTANCE instance) {
  if (!name) return nullptr;
  WindowsLock lock(windowsLock());
  ClassTable& t = classTable();
  // The module's own classes first, then global and system ones, then those of no module.
  const auto pick = [&](auto&& accept) -> std::shared_ptr<WindowClass> {
    for (const auto& c : t.classes)
      if (matchesName(*c, name) && accept(*c)) return c;
    return nullptr;
  };
  if (auto c = pick([&](const WindowClass& k) { return k.instance == instance && !k.system; })) return c;
  if (auto c = pick([](const WindowClass& k) { return (k.style & CS_GLOBALCLASS) || k.system; })) return c;
  return pick([&](const WindowClass& k) { return !k.instance || !instance; });
}

}  // namespace kw::user32

using namespace kw::user32;

KW32_API ATOM WINAPI RegisterClassA(const WNDCLASSA* wc) {
  if (!wc) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  WNDCLASSEXA ex{};
  ex.cbSize = sizeof ex;
  ex.style = wc->style;
  ex.lpfnWndProc = wc->lpfnWndProc;
  ex.cbClsExtra = wc->cbClsExtra;
  ex.cbWndExtra = wc->cbWndExtra;
  ex.hInstance = wc->hInstance;
  ex.hIcon = wc->hIcon;
  ex.hCursor = wc->hCursor;
  ex.hbrBackground = wc->hbrBackground;
  ex.lpszMenuName = wc->lpszMenuName;
  ex.lpszClassName = wc->lpszClassName;
  return registerClass(ex);
}

KW32_API ATOM WINAPI RegisterClassExA(const WNDCLASSEXA* wc) {
  if (!wc || wc->cbSize != sizeof(WNDCLASSEXA)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  return registerClass(*wc);
}

KW32_API BOOL WINAPI UnregisterClassA(LPCSTR className, HINSTANCE instance) {
  WindowsLock lock(windowsLock());
  auto c = findClass(className, instance);
  if (!c || (c->instance != instance && !c->system)) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  if (c->system) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (c->windows > 0) {
    SetLastError(ERROR_CLASS_HAS_WINDOWS);
    return FALSE;
  }
  auto& all = classTable().classes;
  all.erase(std::find(all.begin(), all.end(), c));
  return TRUE;
}

KW32_API BOOL WINAPI GetClassInfoExA(HINSTANCE instance, LPCSTR className, LPWNDCLASSEXA wc) {
  if (!wc) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  WindowsLock lock(windowsLock());
  auto c = findClass(className, instance);
  if (!c) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  *wc = toClassInfo(*c);
  // The name stays the caller's: the record's string may go with the class.
  wc->lpszClassName = className;
  return c->atom;
}

KW32_API BOOL WINAPI GetClassInfoA(HINSTANCE instance, LPCSTR className, LPWNDCLASSA wc) {
  WNDCLASSEXA ex;
  if (!wc || !GetClassInfoExA(instance, className, &ex)) {
    if (!wc) SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  wc->style = ex.style;
  wc->lpfnWndProc = ex.lpfnWndProc;
  wc->cbClsExtra = ex.cbClsExtra;
  wc->cbWndExtra = ex.cbWndExtra;
  wc->hInstance = ex.hInstance;
  wc->hIcon = ex.hIcon;
  wc->hCursor = ex.hCursor;
  wc->hbrBackground = ex.hbrBackground;
  wc->lpszMenuName = ex.lpszMenuName;
  wc->lpszClassName = ex.lpszClassName;
  return TRUE;
}

KW32_API int WINAPI GetClassNameA(HWND window, LPSTR buffer, int size) {
  WindowPtr w = findWindow(window);
  if (!w || !buffer || size <= 0) {
    if (w) SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  WindowsLock lock(windowsLock());
  size_t n = std::min(w->cls->name.size(), static_cast<size_t>(size - 1));
  std::memcpy(buffer, w->cls->name.data(), n);
  buffer[n] = '\0';
  return static_cast<int>(n);
}

KW32_API ULONG_PTR WINAPI GetClassLongPtrA(HWND window, int index) {
  WindowPtr w = findWindow(window);
  if (!w) return 0;
  WindowsLock lock(windowsLock());
  const WindowClass& c = *w->cls;
  if (index >= 0) {
    if (static_cast<size_t>(index) + sizeof(ULONG_PTR) > c.extra.size()) {
      SetLastError(ERROR_INVALID_INDEX);
      return 0;
    }
    ULONG_PTR value;
    std::memcpy(&value, c.extra.data() + index, sizeof value);
    return value;
  }
  switch (index) {
    case GCLP_MENUNAME: return reinterpret_cast<ULONG_PTR>(c.menuName);
    case GCLP_HBRBACKGROUND: return reinterpret_cast<ULONG_PTR>(c.background);
    case GCLP_HCURSOR: return reinterpret_cast<ULONG_PTR>(c.cursor);
    case GCLP_HICON: return reinterpret_cast<ULONG_PTR>(c.icon);
    case GCLP_HMODULE: return reinterpret_cast<ULONG_PTR>(c.instance);
    case GCL_CBWNDEXTRA: return static_cast<ULONG_PTR>(c.wndExtra);
    case GCL_CBCLSEXTRA: return c.extra.size();
    case GCLP_WNDPROC: return reinterpret_cast<ULONG_PTR>(c.proc);
    case GCL_STYLE: return c.style;
    case GCW_ATOM: return c.atom;
    default: SetLastError(ERROR_INVALID_INDEX); return 0;
  }
}

KW32_API DWORD WINAPI GetClassLongA(HWND window, int index) {
  return static_cast<DWORD>(GetClassLongPtrA(window, index));
}
