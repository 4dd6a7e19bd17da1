// The named mutex that serialises the shared heap across processes, and the security
// attributes that the shared objects are created with.
#include "memory/cr_lock.h"
#include "memory/memory_state.h"
#include "memory/shared_heap.h"

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(SECURITY_ATTRIBUTES) == 12);
static_assert(SECURITY_DESCRIPTOR_MIN_LENGTH == 20);
#endif

namespace kv::shm {

ObjectAttributes::ObjectAttributes() : descriptor_(MemAlloc(SECURITY_DESCRIPTOR_MIN_LENGTH)) {
  if (!descriptor_) return;
  if (!InitializeSecurityDescriptor(descriptor_, SECURITY_DESCRIPTOR_REVISION) ||
      !SetSecurityDescriptorDacl(descriptor_, TRUE, nullptr, FALSE)) {
    return;  // created without attributes, then
  }
  attributes_.nLength = sizeof attributes_;
  attributes_.lpSecurityDescriptor = descriptor_;
  attributes_.bInheritHandle = TRUE;
  ready_ = true;
}

ObjectAttributes::~ObjectAttributes() { release(); }

void ObjectAttributes::release() {
  MemFree(descriptor_);
  descriptor_ = nullptr;
  ready_ = false;
}

}  // namespace kv::shm

KV_API int KV_CALL MemAcquireMutex(void) {
  HANDLE mutex;
  {
    kv::MainLock lock;
    if (!kv::gMemoryState.sharedMutex) {
      kv::shm::ObjectAttributes attributes;
      // Opens the mutex when another process created it; a failure is retried next time.
      HANDLE created = CreateMutexA(attributes.get(), FALSE, kv::shm::kMutexName);
      if (!created) return 0;
      kv::gMemoryState.sharedMutex = created;
    }
    mutex = kv::gMemoryState.sharedMutex;
  }
  // Waiting outside the main lock keeps its other users going meanwhile.
  DWORD result = WaitForSingleObject(mutex, kv::shm::kMutexWaitMs);
  // Abandoned: the previous owner ended without releasing it; we own it once now.
  return result == WAIT_OBJECT_0 || result == WAIT_ABANDONED ? 1 : 0;
}

KV_API int KV_CALL MemReleaseMutex(void) {
  kv::MainLock lock;
  return kv::gMemoryState.sharedMutex && ReleaseMutex(kv::gMemoryState.sharedMutex) ? 1 : 0;
}
