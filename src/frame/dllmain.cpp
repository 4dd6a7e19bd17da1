// The entry point: brings the per-process state up once, keeps the thread-local storage
// slot of the thread-local items, and tears both down again. It never fails the load.
#include "frame/entry.h"
#include "format/calendar_names.h"
#include "frame/state.h"

#include <korvane/intl.h>
#include <korvane/memory.h>
#include <korvane/print.h>

namespace kv {

namespace {
LibraryState state;
}  // namespace

LibraryState* const gpState = &state;
constinit DWORD gTlsSlot = kNoTlsSlot;

namespace {

void processAttach(HINSTANCE module) {
  if (!gpState->module) {
    gpState->module = module;
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;  // 148 bytes
    GetVersionExA(&version);                       // a failure leaves platform id 0
    gpState->platformId = version.dwPlatformId;
    IntlInit();
    loadCalendarNames();  // not checked: a missing name is retried on first use
    gpState->settingsDirty = 1;
  }
  if (gTlsSlot == kNoTlsSlot) gTlsSlot = TlsAlloc();  // a failure stores the same marker
}

void processDetach() {
  TLS_FreeAll();
  if (gTlsSlot != kNoTlsSlot) {
    TlsFree(gTlsSlot);
    gTlsSlot = kNoTlsSlot;
  }
  PrtClearSaved();
}

}  // namespace
}  // namespace kv

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  switch (reason) {
    case DLL_PROCESS_ATTACH: kv::processAttach(module); break;
    case DLL_THREAD_DETACH: TLS_FreeAll(); break;
    case DLL_PROCESS_DETACH: kv::processDetach(); break;
    default: break;
  }
  return TRUE;
}
