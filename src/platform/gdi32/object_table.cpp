// The GDI handle table.
#include "object_table.h"

#include <deque>
#include <mutex>
#include <new>
#include <vector>

namespace kw::gdi {
namespace {

constexpr size_t kSlots = 0x10000;

struct Slot {
  std::shared_ptr<GdiObject> object;
  uint16_t generation = 0;  // of the live object, or of the last one
};

struct ObjectTable {
  std::mutex mutex;
  std::vector<Slot> slots;
  // Freed slots are reused oldest first, which spreads generations over all slots;
  // a slot whose generations are used up is retired.
  std::deque<size_t> freeSlots;
};

ObjectTable& table() {
  static ObjectTable* t = new ObjectTable;  // objects may be deleted during static clean-up
  return *t;
}

bool decode(HGDIOBJ handle, size_t& slot, uint16_t& generation) {
  auto value = reinterpret_cast<UINT_PTR>(handle);
  if (value > 0xFFFFFFFFu) return false;
  slot = value & 0xFFFF;
  generation = static_cast<uint16_t>(value >> 16);
  return generation != 0;
}

}  // namespace

HGDIOBJ insertObject(std::shared_ptr<GdiObject> object) {
  if (!object) return nullptr;
  ObjectTable& t = table();
  std::lock_guard<std::mutex> lock(t.mutex);
  size_t slot;
  try {
    if (!t.freeSlots.empty()) {
      slot = t.freeSlots.front();
      t.freeSlots.pop_front();
    } else if (t.slots.size() < kSlots) {
      t.slots.emplace_back();
      slot = t.slots.size() - 1;
    } else {
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return nullptr;
    }
  } catch (const std::bad_alloc&) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  Slot& s = t.slots[slot];
  ++s.generation;  // never 0: a slot is retired before its generation wraps
  s.object = std::move(object);
  return reinterpret_cast<HGDIOBJ>(static_cast<UINT_PTR>(s.generation) << 16 | slot);
}

std::shared_ptr<GdiObject> lookupObject(HGDIOBJ handle) {
  size_t slot;
  uint16_t generation;
  if (!decode(handle, slot, generation)) return nullptr;
  ObjectTable& t = table();
  std::lock_guard<std::mutex> lock(t.mutex);
  if (slot >= t.slots.size() || t.slots[slot].generation != generation) return nullptr;
  return t.slots[slot].object;
}

bool removeObject(HGDIOBJ handle) {
  size_t slot;
  uint16_t generation;
  if (!decode(handle, slot, generation)) return false;
  std::shared_ptr<GdiObject> object;  // destroyed after the lock is released
  ObjectTable& t = table();
  std::lock_guard<std::mutex> lock(t.mutex);
  if (slot >= t.slots.size()) return false;
  Slot& s = t.slots[slot];
  if (s.generation != generation || !s.object) return false;
  object = std::move(s.object);
  s.object.reset();
  if (s.generation != 0xFFFF) {
    try {
      t.freeSlots.push_back(slot);
    } catch (const std::bad_alloc&) {
      // the slot stays unused
    }
  }
  return true;
}

}  // namespace kw::gdi
