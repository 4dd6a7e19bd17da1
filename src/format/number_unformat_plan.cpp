// Each thread keeps the plans of its last few pictures, keyed by the picture's bytes, the
// two separators and the code page mode: everything a plan is worked out from, so a change
// of settings gives a different key and never a stale plan. The cache is the thread's own,
// so reading it takes no lock.
#include "format/number_unformat_plan.h"

#include "format/number_format.h"
#include "format/settings.h"

#include <korvane/memory.h>

#include <cstring>

namespace kv {

namespace {

constexpr int kEntries = 8;

struct Entry {
  bool used;
  bool dbcs;
  CHAR thousand;
  CHAR decimal;
  BYTE length;
  CHAR picture[kPictureBuffer];
  UnformatPlan plan;
};

struct PlanCache {
  Entry entries[kEntries];
  int next;  // the entry to replace next
};

PlanCache* threadCache() {
  FormatThreadRecord* record = formatThreadRecord();
  if (!record) return nullptr;
  if (!record->unformatPlans) record->unformatPlans = MemAlloc(sizeof(PlanCache));
  return static_cast<PlanCache*>(record->unformatPlans);
}

void build(LPCSTR picture, PictureSeparators sep, bool dbcs, UnformatPlan& plan) {
  plan.scientific = IsScientificPicture(picture);
  plan.sectioned = std::strchr(picture, ';') && !plan.scientific;
  if (!plan.sectioned) {
    plan.sections = 1;
    FrameSection(picture, sep.thousand, sep.decimal, dbcs, &plan.frames[0]);
    return;
  }
  CHAR parts[3][FMT_MAX_PICTURE + 1];
  plan.sections = SplitSections(picture, parts[0], parts[1], parts[2]);
  for (int i = 0; i < 3; ++i) FrameSection(parts[i], sep.thousand, sep.decimal, dbcs, &plan.frames[i]);
}

}  // namespace

const UnformatPlan& FindUnformatPlan(LPCSTR picture, PictureSeparators sep, bool dbcs, UnformatPlan& fallback) {
  const size_t length = std::strlen(picture);
  PlanCache* cache = length <= FMT_MAX_PICTURE ? threadCache() : nullptr;
  if (!cache) {
    build(picture, sep, dbcs, fallback);
    return fallback;
  }
  for (Entry& e : cache->entries) {
    if (e.used && e.length == length && e.thousand == sep.thousand && e.decimal == sep.decimal && e.dbcs == dbcs &&
        std::memcmp(e.picture, picture, length) == 0) {
      return e.plan;
    }
  }
  Entry& e = cache->entries[cache->next];
  cache->next = (cache->next + 1) % kEntries;
  build(picture, sep, dbcs, e.plan);
  std::memcpy(e.picture, picture, length);
  e.length = static_cast<BYTE>(length);
  e.thousand = sep.thousand;
  e.decimal = sep.decimal;
  e.dbcs = dbcs;
  e.used = true;
  return e.plan;
}

void freeUnformatPlans(void* cache) { MemFree(cache); }

}  // namespace kv
