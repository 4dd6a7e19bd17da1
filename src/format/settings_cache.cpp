// The regional settings cache: one record per process, read from the profile again only
// after FMTWinIniChanged has marked it dirty. Everything here runs under the settings lock.
#include "format/settings.h"
#include "frame/state.h"
#include "frame/statics.h"
#include "memory/cr_lock.h"

#include <atomic>

namespace kv {

namespace {
constinit tagINTLPROFILE gCache{};
// Counts FMTWinIniChanged calls, so that a thread can tell a copy it keeps is still current.
// Starts at 1: a zero-filled thread record holds no copy.
constinit std::atomic<DWORD> gGeneration{1};
}  // namespace

void FMTRefreshIntl() {
  CrLock lock(&gSettingsLock);
  if (!gpState->settingsDirty) return;
  // Cleared first: a change reported while we read waits for the lock and marks it again.
  gpState->settingsDirty = 0;
  const UINT reserved = gCache.iReserved;
  FMTGetProfileIntl(&gCache);
  gCache.iReserved = reserved;
}

const char* FMTGetIntlString(UINT index) {
  CrLock lock(&gSettingsLock);
  if (gpState->settingsDirty) FMTRefreshIntl();
  switch (index) {
    case kShortDatePic: return gCache.sShortDate;
    case kLongDatePic: return gCache.sLongDate;
    case kTimeSep: return gCache.sTime;
    case kAmDesignator: return gCache.s1159;
    case kPmDesignator: return gCache.s2359;
    case kCurrencySymbol: return gCache.sCurrency;
    case kThousandSep:
    case kDecimalSep: {
      FormatThreadRecord* record = formatThreadRecord();
      if (!record) return nullptr;
      record->separator[0] = index == kThousandSep ? gCache.sThousand : gCache.sDecimal;
      record->separator[1] = '\0';
      return record->separator;
    }
    default: return nullptr;
  }
}

void copyIntlSettings(tagINTLPROFILE& out) {
  CrLock lock(&gSettingsLock);
  if (gpState->settingsDirty) FMTRefreshIntl();
  out = gCache;
}

void regionalSeparators(CHAR* thousand, CHAR* decimal) {
  FormatThreadRecord* record = formatThreadRecord();
  // Read before the settings: a change after this read makes the copy stale, never current.
  const DWORD generation = gGeneration.load(std::memory_order_acquire);
  if (record && record->separatorGeneration == generation) {
    *thousand = record->regionalThousand;
    *decimal = record->regionalDecimal;
    return;
  }
  {
    CrLock lock(&gSettingsLock);
    if (gpState->settingsDirty) FMTRefreshIntl();
    *thousand = gCache.sThousand;
    *decimal = gCache.sDecimal;
  }
  if (record) {
    record->regionalThousand = *thousand;
    record->regionalDecimal = *decimal;
    record->separatorGeneration = generation;
  }
}

LONG FMTGetIntlValue(UINT index) {
  CrLock lock(&gSettingsLock);
  if (gpState->settingsDirty) FMTRefreshIntl();
  switch (index) {
    case kTime24: return static_cast<LONG>(gCache.iTime);
    case kTimeLeadingZero: return static_cast<LONG>(gCache.iTLZero);
    case kLeadingZero: return static_cast<LONG>(gCache.iLzero);
    case kDigits: return static_cast<LONG>(gCache.iDigits);
    case kCurrDigits: return static_cast<LONG>(gCache.iCurrDigits);
    case kNegCurr: return static_cast<LONG>(gCache.iNegCurr);
    case kDateType: return static_cast<LONG>(gCache.iDateType);
    case kEmpDateBoundaryCheck: return static_cast<LONG>(gCache.iEmpDateBoundryCheck);
    case kCurrencyPosition:
      return static_cast<LONG>((gCache.iCurrSeparated ? 2 : 0) + (gCache.iCurrAfter ? 1 : 0));
    case kCountry: return static_cast<LONG>(gCache.iCountry);
    default: return -1;
  }
}

}  // namespace kv

KV_API void KV_CALL FMTWinIniChanged(void) {
  kv::CrLock lock(&kv::gSettingsLock);
  kv::gpState->settingsDirty = 1;
  kv::gGeneration.fetch_add(1, std::memory_order_release);
}
