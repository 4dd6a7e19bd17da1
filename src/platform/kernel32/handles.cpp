// The handle table and CloseHandle.
#include "handles.h"

#include <mutex>
#include <new>
#include <vector>

namespace kw {
namespace {

struct HandleTable {
  std::mutex mutex;
  std::vector<std::shared_ptr<KernelObject>> slots;  // slot i is handle value (i + 1) * 4
  std::vector<size_t> freeSlots;
};

HandleTable& table() {
  static HandleTable* t = new HandleTable;  // handles may be closed during static clean-up
  return *t;
}

bool slotOf(HANDLE handle, size_t& slot) {
  auto value = reinterpret_cast<UINT_PTR>(handle);
  if (value == 0 || value % 4 != 0) return false;
  slot = value / 4 - 1;
  return true;
}

}  // namespace

HANDLE insertHandle(std::shared_ptr<KernelObject> object) {
  if (!object) return nullptr;
  HandleTable& t = table();
  std::lock_guard<std::mutex> lock(t.mutex);
  size_t slot;
  try {
    if (t.freeSlots.empty()) {
      t.slots.push_back(std::move(object));
      slot = t.slots.size() - 1;
    } else {
      slot = t.freeSlots.back();
      t.freeSlots.pop_back();
      t.slots[slot] = std::move(object);
    }
  } catch (const std::bad_alloc&) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  return reinterpret_cast<HANDLE>((slot + 1) * 4);
}

std::shared_ptr<KernelObject> lookupHandle(HANDLE handle, HandleKind kind) {
  HandleTable& t = table();
  size_t slot = 0;
  std::shared_ptr<KernelObject> object;
  if (slotOf(handle, slot)) {
    std::lock_guard<std::mutex> lock(t.mutex);
    if (slot < t.slots.size()) object = t.slots[slot];
  }
  if (!object || object->kind() != kind) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return object;
}

}  // namespace kw

KW32_API BOOL WINAPI CloseHandle(HANDLE handle) {
  kw::HandleTable& t = kw::table();
  size_t slot = 0;
  std::shared_ptr<kw::KernelObject> object;
  if (kw::slotOf(handle, slot)) {
    std::lock_guard<std::mutex> lock(t.mutex);
    if (slot < t.slots.size() && t.slots[slot]) {
      object = std::move(t.slots[slot]);
      t.slots[slot].reset();
      try {
        t.freeSlots.push_back(slot);
      } catch (const std::bad_alloc&) {
        // the slot is merely not reused
      }
    }
  }
  if (!object) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  // The object closes here, outside the table lock, unless a call still holds it.
  return TRUE;
}
