// Kernel-object handles of the platform layer: one process-wide table that maps handle
// values to objects of any kind (files, mappings, mutexes ...), so that CloseHandle and
// the kind-specific functions agree on what a handle is. Handle values are small
// multiples of 4, as on Windows, so they also survive a trip through a 32-bit integer.
#pragma once

#include "internal.h"

#include <memory>

namespace kw {

// One tag per kind of object; add yours here.
enum class HandleKind { File, Mapping, Mutex };

// Base of every object behind a handle. The destructor is the close function: it runs
// once the last handle to the object is closed and no call is still using the object.
// The same object may sit behind several handles (a named object opened twice).
class KernelObject {
 public:
  explicit KernelObject(HandleKind kind) : kind_(kind) {}
  virtual ~KernelObject() = default;
  KernelObject(const KernelObject&) = delete;
  KernelObject& operator=(const KernelObject&) = delete;
  HandleKind kind() const { return kind_; }

 private:
  const HandleKind kind_;
};

// A new handle to the object; null (last error ERROR_NOT_ENOUGH_MEMORY) if the table
// cannot grow.
HANDLE insertHandle(std::shared_ptr<KernelObject> object);

// The object behind a live handle, or null (last error ERROR_INVALID_HANDLE) for anything
// else, including a handle of another kind. The result keeps the object alive while the
// caller uses it, even if another thread closes the handle meanwhile.
std::shared_ptr<KernelObject> lookupHandle(HANDLE handle, HandleKind kind);

template <class T>
std::shared_ptr<T> lookupHandleAs(HANDLE handle, HandleKind kind) {
  return std::static_pointer_cast<T>(lookupHandle(handle, kind));
}

}  // namespace kw
