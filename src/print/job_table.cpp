// The per-thread job table, kept as a thread-local item and freed with the thread.
#include "print/job_table.h"

#include <korvane/memory.h>

#include "frame/statics.h"
#include "memory/thread_block.h"

namespace kv {

namespace {

constexpr int kGrowBy = 2;

struct JobThreadRecord {
  HLOCAL table;
  JobEntry* entries;  // the table, locked
  int count;
  BOOL starting;
};

void dropTable(JobThreadRecord& record) {
  if (record.table) {
    LocalUnlock(record.table);
    LocalFree(record.table);
  }
  record = JobThreadRecord{};
}

void KV_CALL freeRecord(DWORD_PTR value) {
  auto* record = reinterpret_cast<JobThreadRecord*>(value);
  if (!record) return;
  dropTable(*record);
  MemFree(record);
}

JobThreadRecord* threadRecord(bool create) {
  const DWORD item = gPrintJobItem.value;
  if (!create) return reinterpret_cast<JobThreadRecord*>(TLS_GetItem(item));
  return static_cast<JobThreadRecord*>(threadBlock(item, sizeof(JobThreadRecord), freeRecord));
}

bool grow(JobThreadRecord& record) {
  const int count = record.count + kGrowBy;
  HLOCAL table;
  if (!record.table) {
    table = LocalAlloc(LMEM_MOVEABLE | LMEM_ZEROINIT, count * sizeof(JobEntry));
  } else {
    LocalUnlock(record.table);
    table = LocalReAlloc(record.table, count * sizeof(JobEntry), LMEM_MOVEABLE | LMEM_ZEROINIT);
    if (!table) {
      record.entries = static_cast<JobEntry*>(LocalLock(record.table));  // the old table stays
      return false;
    }
  }
  if (!table) return false;
  auto* entries = static_cast<JobEntry*>(LocalLock(table));
  if (!entries) {
    LocalFree(table);
    record = JobThreadRecord{};
    return false;
  }
  record.table = table;
  record.entries = entries;
  record.count = count;
  return true;
}

}  // namespace

JobEntry* takeJobEntry(HDC dc) {
  if (!dc || findJobEntry(dc)) return nullptr;  // one job per DC
  JobThreadRecord* record = threadRecord(true);
  if (!record) return nullptr;
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 0; i < record->count; ++i) {
      JobEntry& entry = record->entries[i];
      if (entry.dc) continue;
      entry = JobEntry{};
      entry.dc = dc;
      return &entry;
    }
    if (pass == 0 && !grow(*record)) return nullptr;
  }
  return nullptr;
}

JobEntry* findJobEntry(HDC dc) {
  JobThreadRecord* record = threadRecord(false);
  if (!record || !dc) return nullptr;
  for (int i = 0; i < record->count; ++i)
    if (record->entries[i].dc == dc) return &record->entries[i];
  return nullptr;
}

JobEntry* findJobEntryByDialog(HWND dialog) {
  JobThreadRecord* record = threadRecord(false);
  if (!record || !dialog) return nullptr;
  for (int i = 0; i < record->count; ++i)
    if (record->entries[i].dc && record->entries[i].dialog == dialog) return &record->entries[i];
  return nullptr;
}

void freeJobEntry(HDC dc) {
  JobThreadRecord* record = threadRecord(false);
  JobEntry* entry = findJobEntry(dc);
  if (!record || !entry) return;
  *entry = JobEntry{};
  for (int i = 0; i < record->count; ++i)
    if (record->entries[i].dc) return;
  const BOOL starting = record->starting;
  dropTable(*record);
  record->starting = starting;
}

bool startingJob() {
  JobThreadRecord* record = threadRecord(false);
  return record && record->starting;
}

void setStartingJob(bool starting) {
  if (JobThreadRecord* record = threadRecord(starting)) record->starting = starting;
}

}  // namespace kv
