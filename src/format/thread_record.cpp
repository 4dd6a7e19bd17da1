// The format thread record: one per thread, kept as a thread-local item and freed with
// the thread.
#include "format/settings.h"

#include "format/date_picture_cache.h"
#include "format/number_unformat_plan.h"
#include "frame/statics.h"
#include "memory/thread_block.h"

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
  bool created = false;
  auto* record = static_cast<FormatThreadRecord*>(
      threadBlock(gFormatThreadItem.value, sizeof(FormatThreadRecord), freeRecord, &created));
  if (created) {
    record->longestDayName = -1;
    record->longestMonthName = -1;
  }
  return record;
}

}  // namespace kv
