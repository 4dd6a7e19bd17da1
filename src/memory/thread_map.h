// The process-wide map from thread id to that thread's item block, so that an item number
// can be withdrawn from every thread. Callers hold the main lock around every use.
#pragma once

#include <korvane/win32.h>

namespace kv {

struct ThreadItem;

class ThreadMap {
 public:
  static constexpr unsigned kBuckets = 17;
  static constexpr unsigned kEntriesPerBlock = 10;

  ThreadMap();
  ~ThreadMap();
  ThreadMap(const ThreadMap&) = delete;
  ThreadMap& operator=(const ThreadMap&) = delete;

  // Adds the thread, or gives an existing entry the new block. False when out of memory.
  bool insert(DWORD threadId, ThreadItem* block);
  void remove(DWORD threadId);
  ThreadItem* find(DWORD threadId) const;
  unsigned size() const { return count_; }
  // Calls fn(block) for every thread, bucket by bucket.
  template <class Fn>
  void forEach(Fn fn) const {
    if (!buckets_) return;
    for (unsigned b = 0; b < kBuckets; ++b)
      for (Entry* e = buckets_[b]; e; e = e->next) fn(e->value);
  }

 private:
  struct Entry {
    Entry* next;
    DWORD key;
    ThreadItem* value;
  };
  struct EntryBlock {
    EntryBlock* next;
    Entry entries[kEntriesPerBlock];
  };

  static unsigned bucketOf(DWORD threadId) { return (threadId >> 4) % kBuckets; }
  Entry* newEntry();
  void releaseStorage();

  Entry** buckets_ = nullptr;   // allocated on the first insertion
  EntryBlock* blocks_ = nullptr;
  Entry* free_ = nullptr;       // unused entries of the blocks
  unsigned count_ = 0;
};

extern ThreadMap gThreadMap;

}  // namespace kv
