#include "memory/thread_map.h"

#include <korvane/memory.h>

namespace kv {

ThreadMap::ThreadMap() = default;

ThreadMap::~ThreadMap() { releaseStorage(); }

ThreadMap::Entry* ThreadMap::newEntry() {
  if (!free_) {
    auto* block = static_cast<EntryBlock*>(MemAlloc(sizeof(EntryBlock)));
    if (!block) return nullptr;
    block->next = blocks_;
    blocks_ = block;
    for (Entry& e : block->entries) {
      e.next = free_;
      free_ = &e;
    }
  }
  Entry* e = free_;
  free_ = e->next;
  return e;
}

bool ThreadMap::insert(DWORD threadId, ThreadItem* block) {
  if (!buckets_) {
    buckets_ = static_cast<Entry**>(MemAlloc(sizeof(Entry*) * kBuckets));
    if (!buckets_) return false;
  }
  Entry*& head = buckets_[bucketOf(threadId)];
  for (Entry* e = head; e; e = e->next) {
    if (e->key == threadId) {
      e->value = block;
      return true;
    }
  }
  Entry* e = newEntry();
  if (!e) return false;
  *e = Entry{head, threadId, block};
  head = e;
  ++count_;
  return true;
}

ThreadItem* ThreadMap::find(DWORD threadId) const {
  if (!buckets_) return nullptr;
  for (Entry* e = buckets_[bucketOf(threadId)]; e; e = e->next)
    if (e->key == threadId) return e->value;
  return nullptr;
}

void ThreadMap::remove(DWORD threadId) {
  if (!buckets_) return;
  for (Entry** link = &buckets_[bucketOf(threadId)]; *link; link = &(*link)->next) {
    Entry* e = *link;
    if (e->key != threadId) continue;
    *link = e->next;
    e->next = free_;
    free_ = e;
    if (--count_ == 0) releaseStorage();
    return;
  }
}

void ThreadMap::releaseStorage() {
  while (blocks_) {
    EntryBlock* next = blocks_->next;
    MemFree(blocks_);
    blocks_ = next;
  }
  MemFree(buckets_);
  buckets_ = nullptr;
  free_ = nullptr;
  count_ = 0;
}

}  // namespace kv
