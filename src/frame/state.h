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
};

extern LibraryState* const gpState;

// The Win32 thread-local storage slot that holds each thread's item block;
// TLS_NO_SLOT while none is allocated.
constexpr DWORD kNoTlsSlot = 0xFFFFFFFF;
extern DWORD gTlsSlot;

}  // namespace kv
