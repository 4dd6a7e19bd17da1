// The table of open printers. A handle holds its slot and the slot's generation, so a
// closed handle is never taken for the printer opened after it in the same slot; the
// generation is odd, which keeps the values apart from the kernel's handles (multiples
// of four).
#include "winspool/printer_handles.h"

#include <mutex>
#include <optional>
#include <vector>

namespace kw::winspool {

namespace {

struct Slot {
  WORD generation = 1;
  std::optional<Printer> printer;
};

struct Table {
  std::mutex mutex;
  std::vector<Slot> slots;
};

Table& table() {
  static Table* t = new Table;  // handles may be closed by static destructors elsewhere
  return *t;
}

constexpr size_t kMaxSlots = 0x7FFF;

HANDLE handleFor(size_t index, WORD generation) {
  return reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(((index + 1) << 16) | generation));
}

Slot* slotOf(Table& t, HANDLE handle) {
  const ULONG_PTR value = reinterpret_cast<ULONG_PTR>(handle);
  const size_t index = (value >> 16) - 1;
  const WORD generation = static_cast<WORD>(value & 0xFFFF);
  if ((value >> 16) == 0 || index >= t.slots.size()) return nullptr;
  Slot& s = t.slots[index];
  return s.printer && s.generation == generation ? &s : nullptr;
}

}  // namespace

HANDLE openHandle(Printer printer) {
  Table& t = table();
  std::lock_guard<std::mutex> lock(t.mutex);
  size_t index = 0;
  while (index < t.slots.size() && t.slots[index].printer) ++index;
  if (index == t.slots.size()) {
    if (index >= kMaxSlots) return nullptr;
    t.slots.emplace_back();
  }
  Slot& s = t.slots[index];
  s.printer = std::move(printer);
  return handleFor(index, s.generation);
}

bool printerOf(HANDLE handle, Printer& printer) {
  Table& t = table();
  std::lock_guard<std::mutex> lock(t.mutex);
  if (Slot* s = slotOf(t, handle)) {
    printer = *s->printer;
    return true;
  }
  SetLastError(ERROR_INVALID_HANDLE);
  return false;
}

bool closeHandle(HANDLE handle) {
  Table& t = table();
  std::lock_guard<std::mutex> lock(t.mutex);
  Slot* s = slotOf(t, handle);
  if (!s) {
    SetLastError(ERROR_INVALID_HANDLE);
    return false;
  }
  s->printer.reset();
  s->generation = static_cast<WORD>(s->generation + 2);  // stays odd, wraps past 0xFFFF to 1
  return true;
}

}  // namespace kw::winspool
