// Mutexes: a process-shared, recursive, robust POSIX mutex in a small shared memory
// object of its own, so that every process that opens the name locks the same mutex and
// the death of an owner hands the mutex on as abandoned.
#include "handles.h"
#include "mapping_store.h"

#include <atomic>
#include <cerrno>
#include <ctime>
#include <map>
#include <mutex>
#include <pthread.h>
#include <sys/mman.h>
#include <unistd.h>

namespace kw {
namespace {

constexpr uint32_t kMutexMagic = 0x4B4D5458;  // "KMTX"

struct MutexBlock {
  uint32_t magic;
  pthread_mutex_t mutex;
};

constexpr size_t kBlockBytes = 4096;
static_assert(sizeof(MutexBlock) <= kBlockBytes);

MutexBlock* mapBlock(int fd) {
  void* p = mmap(nullptr, kBlockBytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  return p == MAP_FAILED ? nullptr : static_cast<MutexBlock*>(p);
}

// Runs once on a new object, before any other process can open it.
bool initialiseBlock(int fd) {
  MutexBlock* block = mapBlock(fd);
  if (!block) return false;
  pthread_mutexattr_t attr;
  pthread_mutexattr_init(&attr);
  int rc = pthread_mutexattr_settype(&attr, PTHREAD_MUTEX_RECURSIVE);
  if (rc == 0) rc = pthread_mutexattr_setpshared(&attr, PTHREAD_PROCESS_SHARED);
  if (rc == 0) rc = pthread_mutexattr_setrobust(&attr, PTHREAD_MUTEX_ROBUST);
  if (rc == 0) rc = pthread_mutex_init(&block->mutex, &attr);
  pthread_mutexattr_destroy(&attr);
  if (rc == 0) block->magic = kMutexMagic;
  munmap(block, kBlockBytes);
  if (rc != 0) errno = rc;
  return rc == 0;
}

// The kernel's id of the calling thread, asked afresh: a forked child is a new owner.
pid_t self() { return gettid(); }

// One per mutex that this process has open, behind every handle to it. It also knows
// which of this process's threads owns the mutex, and how often.
class MutexObject : public KernelObject {
 public:
  MutexObject(std::shared_ptr<SharedStore> store, MutexBlock* block)
      : KernelObject(HandleKind::Mutex), store_(std::move(store)), block_(block) {}
  ~MutexObject() override {
    // A mutex that a thread of this process still owns sits on that thread's robust
    // list, which the C library and the kernel walk later: it must stay mapped.
    if (owner_.load() == 0) munmap(block_, kBlockBytes);
  }

  DWORD wait(DWORD milliseconds) {
    int rc = lock(milliseconds);
    if (rc == EOWNERDEAD) {
      // The owner ended holding it: ours now, once, and usable again.
      pthread_mutex_consistent(&block_->mutex);
      depth_ = 0;
    } else if (rc != 0) {
      return static_cast<DWORD>(rc);
    }
    owner_.store(self());
    ++depth_;
    return rc;
  }

  bool release() {
    if (owner_.load() != self()) return false;  // the C library would refuse it as well
    if (--depth_ == 0) owner_.store(0);
    pthread_mutex_unlock(&block_->mutex);
    return true;
  }

 private:
  int lock(DWORD milliseconds) {
    if (milliseconds == INFINITE) return pthread_mutex_lock(&block_->mutex);
    // A free or abandoned mutex is taken without a deadline (thread sanitizers, too,
    // follow an abandoned lock only on this path).
    int rc = pthread_mutex_trylock(&block_->mutex);
    if (rc != EBUSY || milliseconds == 0) return rc;
    // The realtime clock: the one every C library's timed lock takes.
    timespec deadline{};
    clock_gettime(CLOCK_REALTIME, &deadline);
    deadline.tv_sec += milliseconds / 1000;
    deadline.tv_nsec += static_cast<long>(milliseconds % 1000) * 1000000L;
    if (deadline.tv_nsec >= 1000000000L) {
      deadline.tv_sec += 1;
      deadline.tv_nsec -= 1000000000L;
    }
    return pthread_mutex_timedlock(&block_->mutex, &deadline);
  }

  std::shared_ptr<SharedStore> store_;
  MutexBlock* block_;
  std::atomic<pid_t> owner_{0};
  long depth_ = 0;  // changed only by the owner
};

// The named mutexes this process has open, so that opening one again gives another
// handle to the same object.
struct OpenMutexes {
  std::mutex mutex;
  std::map<std::string, std::weak_ptr<MutexObject>> byName;
};

OpenMutexes& openMutexes() {
  static OpenMutexes* m = new OpenMutexes;  // handles may be closed during static clean-up
  return *m;
}

std::shared_ptr<MutexObject> makeMutex(std::shared_ptr<SharedStore> store) {
  MutexBlock* block = store->size() >= kBlockBytes ? mapBlock(store->fd()) : nullptr;
  if (!block || block->magic != kMutexMagic) {
    if (block) munmap(block, kBlockBytes);
    SetLastError(ERROR_INVALID_HANDLE);  // the name belongs to something else
    return nullptr;
  }
  try {
    return std::make_shared<MutexObject>(std::move(store), block);
  } catch (...) {
    munmap(block, kBlockBytes);
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
}

// Opens or creates the named mutex; null name: a new unnamed one.
std::shared_ptr<MutexObject> openMutex(LPCSTR name, bool& created) {
  created = true;
  if (!name || !*name) {
    auto store = SharedStore::anonymous(kBlockBytes, initialiseBlock);
    return store ? makeMutex(std::move(store)) : nullptr;
  }
  std::string posixName = posixObjectName("mtx", name);
  if (posixName.empty()) return nullptr;
  OpenMutexes& open = openMutexes();
  std::lock_guard<std::mutex> lock(open.mutex);
  try {
    if (auto known = open.byName[posixName].lock()) {
      created = false;
      return known;
    }
    auto store = SharedStore::open(posixName, kBlockBytes, created, initialiseBlock);
    auto object = store ? makeMutex(std::move(store)) : nullptr;
    if (object) open.byName[posixName] = object;
    return object;
  } catch (...) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
}

}  // namespace
}  // namespace kw

KW32_API HANDLE WINAPI CreateMutexA(LPSECURITY_ATTRIBUTES attributes, BOOL initialOwner, LPCSTR name) {
  if (!kw::validSecurityAttributes(attributes)) return nullptr;
  bool created = true;
  auto object = kw::openMutex(name, created);
  if (!object) return nullptr;
  // Only the creator takes the initial ownership; an opener never does.
  if (created && initialOwner) object->wait(INFINITE);
  HANDLE handle = kw::insertHandle(object);
  if (!handle) {
    if (created && initialOwner) object->release();
    return nullptr;
  }
  SetLastError(created ? ERROR_SUCCESS : ERROR_ALREADY_EXISTS);
  return handle;
}

KW32_API BOOL WINAPI ReleaseMutex(HANDLE handle) {
  auto object = kw::lookupHandleAs<kw::MutexObject>(handle, kw::HandleKind::Mutex);
  if (!object) return FALSE;
  if (!object->release()) {
    SetLastError(ERROR_NOT_OWNER);
    return FALSE;
  }
  return TRUE;
}

KW32_API DWORD WINAPI WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
  auto object = kw::lookupHandleAs<kw::MutexObject>(handle, kw::HandleKind::Mutex);
  if (!object) return WAIT_FAILED;
  switch (object->wait(milliseconds)) {
    case 0: return WAIT_OBJECT_0;
    case EOWNERDEAD: return WAIT_ABANDONED;
    case EBUSY:
    case ETIMEDOUT: return WAIT_TIMEOUT;
    case EAGAIN: SetLastError(ERROR_MUTANT_LIMIT_EXCEEDED); return WAIT_FAILED;
    default: SetLastError(ERROR_INVALID_HANDLE); return WAIT_FAILED;
  }
}
