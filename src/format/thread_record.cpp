// The format thread record: one per thread, kept as a thread-local item and freed with
// the thread.
#include "format/settings.h"

#include "format/date_picture_cache.h"
#include "format/number_unformat_plan.h"
#include "frame/statics.h"

namespace kv {

namespace {
void KV_CALL freeRecord(DWORD_PTR value) {
  auto* record = reinterpret_cast<FormatThreadRecord*>(value);
  if (record) {
    freePictureCache(record->pictureCache);
    freeUnformatPlans(record->unformatPlans);
  }
  MemFree(record);
}
}  // namespace

FormatThreadRecord* formatThreadRecord() {
  const DWORD item = gFormatThreadItem.value;
  if (auto* record = reinterpret_cast<FormatThreadRecord*>(TLS_GetItem(item))) return record;
  auto* record = static_cast<FormatThreadRecord*>(MemAlloc(sizeof(FormatThreadRecord)));
  if (!record) return nullptr;
  record->longestDayName = -1;
  record->longestMonthName = -1;
  TLS_SetItem(item, reinterpret_cast<DWORD_PTR>(record), freeRecord);
  if (TLS_GetItem(item) != reinterpret_cast<DWORD_PTR>(record)) {
    MemFree(record);  // the item could not be stored: do not leak it
    return nullptr;
  }
  return record;
}

}  // namespace kv
