// Helpers that give up a counted critical section completely and take it back to the
// same depth, so a holder can wait on something that may itself need the lock.
#include "memory/cr_lock.h"

namespace {
bool isNoLock(const CR_SECT* lock) {
  return !lock || reinterpret_cast<UINT_PTR>(lock) == 0xFFFFFFFFu;
}
}  // namespace

KV_API LONG KV_CALL CR_LockCount(CR_SECT* lock) {
  if (isNoLock(lock)) return 0;
  EnterCriticalSection(&lock->cs);
  LONG count = lock->lCount;
  LeaveCriticalSection(&lock->cs);
  return count;
}

KV_API LONG KV_CALL CR_Unwind(CR_SECT* lock) {
  if (isNoLock(lock)) return 0;
  EnterCriticalSection(&lock->cs);
  LONG depth = lock->lCount;
  lock->lCount = 0;
  if (depth < 0) depth = 0;  // unbalanced use: leave only the entry made here
  for (LONG i = 0; i <= depth; ++i) LeaveCriticalSection(&lock->cs);
  return depth;
}

KV_API void KV_CALL CR_Rewind(CR_SECT* lock, LONG depth) {
  if (isNoLock(lock)) return;
  for (LONG i = 0; i < depth; ++i) kv::crEnter(lock);
}
