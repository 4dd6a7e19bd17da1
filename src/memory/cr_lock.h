// Scope object for a counted critical section: enter and count up on construction, count
// down and leave on destruction, so every way out of a block releases the lock.
#pragma once

#include <korvane/memory.h>

namespace kv {

inline void crEnter(CR_SECT* lock) {
  EnterCriticalSection(&lock->cs);
  ++lock->lCount;
}

inline void crLeave(CR_SECT* lock) {
  --lock->lCount;
  LeaveCriticalSection(&lock->cs);
}

class CrLock {
 public:
  explicit CrLock(CR_SECT* lock) : lock_(lock) {
    if (lock_) crEnter(lock_);
  }
  ~CrLock() {
    if (lock_) crLeave(lock_);
  }
  CrLock(const CrLock&) = delete;
  CrLock& operator=(const CrLock&) = delete;

 private:
  CR_SECT* lock_;
};

// Holds the main lock through gpCRSECTMain, or nothing while the pointer is null
// (before the library's static initialisation and after its clean-up).
class MainLock : public CrLock {
 public:
  MainLock() : CrLock(gpCRSECTMain) {}
};

}  // namespace kv
