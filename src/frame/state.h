// The library state record: one per process, reached through a constant pointer. Each
// family owns the fields named after it.
#pragma once

#include <korvane/win32.h>

namespace kv {

struct LibraryState {
  // Library frame.
  HINSTANCE module;     // null until the first process attach
  DWORD platformId;     // dwPlatformId of the running system; 2 = NT family
  LONG settingsDirty;   // 1: re-read the regional settings before their next use

  // Character-set core, filled by IntlInit.
  LONG dbcsEnabled;
  LONG dbcsType;        // INTL_DBCS_*
  LONG bidiEnabled;
  WORD systemLangId;
  WORD primaryLangId;

  // Calendar names and the profile words of the settings, from the string table.
  CHAR keyDateType[20];
  CHAR wordShortGregorian[25];
  CHAR wordLongGregorian[24];
  CHAR wordJapanGregorian[25];
  CHAR wordJapanEmperor[23];
  CHAR keyEmpDateBoundaryCheck[31];
  LONG namesLoaded;
  CHAR dayAbbrev[7][16];     // by day of week 1 (Saturday) to 7
  CHAR dayFull[7][16];
  CHAR monthAbbrev[12][16];  // January first
  CHAR monthFull[12][16];
};

extern LibraryState* const gpState;

// The Win32 thread-local storage slot that holds each thread's item block;
// TLS_NO_SLOT while none is allocated.
constexpr DWORD kNoTlsSlot = 0xFFFFFFFF;
extern DWORD gTlsSlot;

}  // namespace kv
