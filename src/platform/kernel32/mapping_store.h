// Shared-memory objects behind file mappings and mutexes: the POSIX shared memory object,
// its name, and the lifetime of a Windows named kernel object.
#pragma once

#include "internal.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace kw {

// A shared memory object that this process holds open. A named object keeps its name
// while any process holds it; when the last holder lets go, the name goes too, so the
// next creator starts afresh, as with a Windows named object. Each holder keeps a shared
// lock on the object, which the system drops when the holder dies: an object left
// behind by processes that were all killed counts as gone as well.
class SharedStore {
 public:
  // Opens the named object, or creates it with `size` zero-filled bytes when there is
  // none; `created` tells which. `init` prepares a new object before any other process
  // can open it. Null, with the last error set, on failure.
  static std::shared_ptr<SharedStore> open(const std::string& posixName, uint64_t size, bool& created,
                                           const std::function<bool(int fd)>& init);
  // An object without a name, for this process and its children.
  static std::shared_ptr<SharedStore> anonymous(uint64_t size, const std::function<bool(int fd)>& init);

  SharedStore(std::string posixName, int fd, uint64_t size);
  ~SharedStore();
  SharedStore(const SharedStore&) = delete;
  SharedStore& operator=(const SharedStore&) = delete;

  int fd() const { return fd_; }
  uint64_t size() const { return size_; }

 private:
  std::string name_;  // empty for an unnamed object
  int fd_;
  uint64_t size_;
};

// The POSIX name of a Win32 object name of one kind ("map", "mtx"): the prefix in force,
// the kind, and the name with '/', '%' and unprintable bytes escaped as %XX. Empty, with
// the last error ERROR_INVALID_NAME, if the result is too long.
std::string posixObjectName(const char* kind, LPCSTR win32Name);

// Checks the security attributes a creator passes; false with the last error set.
bool validSecurityAttributes(const SECURITY_ATTRIBUTES* attributes);

// The Win32 error for an errno value of the shared-memory calls.
DWORD win32ErrorFromErrno(int error);

}  // namespace kw
