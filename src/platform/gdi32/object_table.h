// GDI object handles: one process-wide table for DCs, pens, brushes, fonts, bitmaps and
// regions. A handle carries its slot in the low 16 bits and the slot's generation in the
// high 16, as Win32's do, so a deleted handle never finds the object that reused its slot.
#pragma once

#include "internal.h"

#include <memory>

namespace kw::gdi {

enum class ObjectKind { DC, Pen, Brush, Font, Bitmap, Region };

class GdiObject {
 public:
  explicit GdiObject(ObjectKind kind) : kind_(kind) {}
  virtual ~GdiObject() = default;
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  ObjectKind kind() const { return kind_; }

 private:
  const ObjectKind kind_;
};

// A new handle, or null when the table is full or memory runs out.
HGDIOBJ insertObject(std::shared_ptr<GdiObject> object);
// The object of a live handle of that kind, else null.
std::shared_ptr<GdiObject> lookupObject(HGDIOBJ handle);
// Takes the object out of the table; false for a handle that is not live.
bool removeObject(HGDIOBJ handle);

template <class T>
std::shared_ptr<T> lookupAs(HGDIOBJ handle, ObjectKind kind) {
  std::shared_ptr<GdiObject> object = lookupObject(handle);
  if (!object || object->kind() != kind) return nullptr;
  return std::static_pointer_cast<T>(object);
}

}  // namespace kw::gdi
