// The memory state record: one per process, shared by the local memory blocks and the
// shared heap.
#pragma once

#include <korvane/win32.h>

namespace kv {

struct MemoryState {
  HANDLE processHeap;   // fetched on the first local-memory call, kept for the process's life
  HANDLE sharedMutex;   // opened on first need, kept open
  HANDLE mapping;       // the shared file mapping
  void* view;           // where the mapping is mapped
  DWORD viewSize;       // the mapping size this process asked for
  void* sharedHeap;     // the region given to the shared heap
  DWORD sharedHeapSize; // its size: nothing outside it is ever touched
};

extern MemoryState gMemoryState;

}  // namespace kv
