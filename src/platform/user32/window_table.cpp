// The handle table of windows. A handle is (generation << 16) | slot; a freed slot waits
// in line behind many others before it is used again with the next generation, so a
// stale handle stays invalid instead of naming a new window.
#include "user32/window.h"

#include "user32/driver.h"

#include <deque>

namespace kw::user32 {
namespace {

constexpr size_t kFirstSlot = 0x20;        // below: the special values (HWND_BOTTOM, ...)
constexpr size_t kSlotLimit = 0xFFF0;      // keeps HWND_BROADCAST (0xFFFF) out
constexpr size_t kReuseAfter = 1024;       // free slots waiting before one is reused
constexpr unsigned kGenerationMask = 0x7FFF;

struct Slot {
  WindowPtr window;
  unsigned generation = 1;
};

struct Table {
  std::vector<Slot> slots = std::vector<Slot>(kFirstSlot);
  std::deque<size_t> freed;
  HWND desktop = nullptr;
  HWND messageRoot = nullptr;
};

Table& table() {
  static Table* t = new Table;  // windows may be looked up during static clean-up
  return *t;
}

HWND handleFor(size_t slot, unsigned generation) {
  return reinterpret_cast<HWND>(static_cast<ULONG_PTR>((generation & kGenerationMask) << 16 | slot));
}

HWND makeRoot(const char* className, bool visible, RECT area) {
  auto w = std::make_shared<Window>();
  auto cls = std::make_shared<WindowClass>();
  cls->name = className;
  cls->proc = DefWindowProcA;
  cls->system = true;
  w->cls = cls;
  w->proc = DefWindowProcA;
  w->style = WS_POPUP | WS_CLIPCHILDREN | (visible ? WS_VISIBLE : 0);
  w->window = w->client = area;
  return addWindow(w);
}

void ensureRoots(Table& t) {
  if (t.desktop) return;
  const kw::ScreenSize screen = kw::user32::driver().screen();
  t.desktop = makeRoot("#32769", true, {0, 0, screen.width, screen.height});
  t.messageRoot = makeRoot("Message", false, {0, 0, 0, 0});
}

}  // namespace

std::recursive_mutex& windowsLock() {
  static auto* m = new std::recursive_mutex;
  return *m;
}

Window* lockedWindow(HWND window) {
  Table& t = table();
  auto value = reinterpret_cast<ULONG_PTR>(window);
  size_t slot = value & 0xFFFF;
  if (value >> 31 || slot < kFirstSlot || slot >= t.slots.size()) return nullptr;
  Slot& s = t.slots[slot];
  if (!s.window || handleFor(slot, s.generation) != window) return nullptr;
  return s.window.get();
}

WindowPtr peekWindow(HWND window) {
  WindowsLock lock(windowsLock());
  Table& t = table();
  if (!lockedWindow(window)) return nullptr;
  return t.slots[reinterpret_cast<ULONG_PTR>(window) & 0xFFFF].window;
}

WindowPtr findWindow(HWND window) {
  WindowPtr w = peekWindow(window);
  if (!w) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return w;
}

HWND addWindow(const WindowPtr& record) {
  WindowsLock lock(windowsLock());
  Table& t = table();
  size_t slot;
  if (t.freed.size() > kReuseAfter || (t.slots.size() >= kSlotLimit && !t.freed.empty())) {
    slot = t.freed.front();
    t.freed.pop_front();
  } else if (t.slots.size() < kSlotLimit) {
    slot = t.slots.size();
    t.slots.emplace_back();
  } else {
    return nullptr;
  }
  Slot& s = t.slots[slot];
  s.window = record;
  record->handle = handleFor(slot, s.generation);
  return record->handle;
}

void removeWindow(HWND window) {
  WindowsLock lock(windowsLock());
  Table& t = table();
  if (!lockedWindow(window)) return;
  size_t slot = reinterpret_cast<ULONG_PTR>(window) & 0xFFFF;
  Slot& s = t.slots[slot];
  s.window->dead = true;
  s.window.reset();
  s.generation = (s.generation + 1) & kGenerationMask;
  if (s.generation == 0) s.generation = 1;
  t.freed.push_back(slot);
}

std::vector<HWND> allWindows() {
  WindowsLock lock(windowsLock());
  std::vector<HWND> out;
  for (const Slot& s : table().slots)
    if (s.window) out.push_back(s.window->handle);
  return out;
}

HWND desktopWindow() {
  WindowsLock lock(windowsLock());
  ensureRoots(table());
  return table().desktop;
}

HWND messageRoot() {
  WindowsLock lock(windowsLock());
  ensureRoots(table());
  return table().messageRoot;
}

bool isRoot(HWND window) {
  WindowsLock lock(windowsLock());
  ensureRoots(table());
  return window == table().desktop || window == table().messageRoot;
}

}  // namespace kw::user32
