// Critical sections, thread-local storage slots and thread ids.
#include "internal.h"

#include <atomic>
#include <bitset>
#include <mutex>
#include <unistd.h>

namespace {

// The native lock behind a critical section: recursive per thread, as on Windows.
std::recursive_mutex* nativeLock(LPCRITICAL_SECTION cs) {
  return static_cast<std::recursive_mutex*>(cs->LockSemaphore);
}

// Same number of slots Windows guarantees.
constexpr DWORD kTlsSlots = 1088;

struct TlsTable {
  std::mutex mutex;
  std::bitset<kTlsSlots> used;
  // Raised each time a slot is freed. A thread's value counts only while it carries the
  // slot's current generation: freeing a slot empties it in every thread, as on Windows,
  // so a slot handed out again never shows another owner's stale pointer.
  std::atomic<DWORD> generation[kTlsSlots] = {};
};

TlsTable& tlsTable() {
  static TlsTable* t = new TlsTable;  // thread exits after static clean-up still consult it
  return *t;
}

// Trivially destructible, so the values stay readable while other thread-exit work runs.
thread_local void* tlsValues[kTlsSlots];
thread_local DWORD tlsGenerations[kTlsSlots];

thread_local DWORD threadId = 0;

}  // namespace

KW32_API void WINAPI InitializeCriticalSection(LPCRITICAL_SECTION cs) {
  if (!cs) return;
  cs->DebugInfo = nullptr;
  cs->LockCount = -1;
  cs->RecursionCount = 0;
  cs->OwningThread = nullptr;
  cs->SpinCount = 0;
  cs->LockSemaphore = new std::recursive_mutex;
}

KW32_API void WINAPI DeleteCriticalSection(LPCRITICAL_SECTION cs) {
  if (!cs || !cs->LockSemaphore) return;
  delete nativeLock(cs);
  cs->LockSemaphore = nullptr;
}

KW32_API void WINAPI EnterCriticalSection(LPCRITICAL_SECTION cs) {
  nativeLock(cs)->lock();
  ++cs->RecursionCount;
  cs->OwningThread = reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(GetCurrentThreadId()));
}

KW32_API BOOL WINAPI TryEnterCriticalSection(LPCRITICAL_SECTION cs) {
  if (!nativeLock(cs)->try_lock()) return FALSE;
  ++cs->RecursionCount;
  cs->OwningThread = reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(GetCurrentThreadId()));
  return TRUE;
}

KW32_API void WINAPI LeaveCriticalSection(LPCRITICAL_SECTION cs) {
  if (--cs->RecursionCount == 0) cs->OwningThread = nullptr;
  nativeLock(cs)->unlock();
}

KW32_API DWORD WINAPI TlsAlloc(void) {
  TlsTable& t = tlsTable();
  std::lock_guard<std::mutex> lock(t.mutex);
  for (DWORD i = 0; i < kTlsSlots; ++i) {
    if (!t.used[i]) {
      t.used[i] = true;
      return i;
    }
  }
  SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return TLS_OUT_OF_INDEXES;
}

KW32_API BOOL WINAPI TlsFree(DWORD index) {
  TlsTable& t = tlsTable();
  std::lock_guard<std::mutex> lock(t.mutex);
  if (index >= kTlsSlots || !t.used[index]) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  t.used[index] = false;
  t.generation[index].fetch_add(1, std::memory_order_release);
  tlsValues[index] = nullptr;
  return TRUE;
}

KW32_API LPVOID WINAPI TlsGetValue(DWORD index) {
  if (index >= kTlsSlots) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  SetLastError(ERROR_SUCCESS);
  if (tlsGenerations[index] != tlsTable().generation[index].load(std::memory_order_acquire)) return nullptr;
  return tlsValues[index];
}

KW32_API BOOL WINAPI TlsSetValue(DWORD index, LPVOID value) {
  if (index >= kTlsSlots) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  tlsValues[index] = value;
  tlsGenerations[index] = tlsTable().generation[index].load(std::memory_order_acquire);
  if (value) kw::noteThreadUsesLibrary();
  return TRUE;
}

KW32_API DWORD WINAPI GetCurrentThreadId(void) {
  // The kernel's id: unique among live threads and reused later, like a Windows thread id.
  if (threadId == 0) threadId = static_cast<DWORD>(gettid());
  return threadId;
}
