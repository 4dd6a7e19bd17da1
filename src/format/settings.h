// The regional settings cache and the per-thread format record, as the formatting code
// reads them.
#pragma once

#include <korvane/settings.h>

namespace kv {

// FMTGetIntlString indexes.
enum IntlString : UINT {
  kShortDatePic = 0,
  kLongDatePic = 1,
  kTimeSep = 2,
  kAmDesignator = 3,
  kPmDesignator = 4,
  kCurrencySymbol = 5,
  kThousandSep = 6,  // per-thread one-character string
  kDecimalSep = 7,   // per-thread one-character string
};

// FMTGetIntlValue indexes.
enum IntlValue : UINT {
  kTime24 = 0,
  kTimeLeadingZero = 1,
  kLeadingZero = 2,
  kDigits = 3,
  kCurrDigits = 4,
  kNegCurr = 5,
  kDateType = 6,
  kEmpDateBoundaryCheck = 7,
  kCurrencyPosition = 10,
  kCountry = 11,
};

// Re-reads the profile into the cache when it is marked dirty.
void FMTRefreshIntl();
// Null for an index of 8 or more (and when no thread record can be had for 6 and 7).
const char* FMTGetIntlString(UINT index);
// -1 for an index the cache does not serve.
LONG FMTGetIntlValue(UINT index);

// The whole cache as one copy, refreshed first when dirty: one lock entry for a call that
// needs many settings.
void copyIntlSettings(tagINTLPROFILE& out);

// The regional thousands and decimal separators. A thread keeps the pair it last read and
// uses it without the lock until the next FMTWinIniChanged.
void regionalSeparators(CHAR* thousand, CHAR* decimal);

// The per-thread record of the formatting code, a thread-local item.
struct FormatThreadRecord {
  LONG validationBusy;  // nonzero: keystroke validation returns at once
  LONG longestDayName;  // -1 until measured
  LONG longestMonthName;
  CHAR separator[2];    // FMTGetIntlString indexes 6 and 7
  void* pictureCache;   // parsed date pictures (date_picture_cache.cpp), null until used
  void* unformatPlans;  // number pictures framed for unformatting (number_unformat_plan.cpp)
  DWORD separatorGeneration;  // settings generation of the two below; 0: none read yet
  CHAR regionalThousand;
  CHAR regionalDecimal;
  BYTE pendingLead;         // a lead byte typed into a masked field, waiting for its trail
  HWND pendingLeadWindow;   // that field
};

// The calling thread's record, created on first use; null when it cannot be allocated.
FormatThreadRecord* formatThreadRecord();

}  // namespace kv
