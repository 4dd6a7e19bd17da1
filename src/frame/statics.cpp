// Every object of the library that needs dynamic initialisation is defined here, in this
// one translation unit, so that their order is the order of definition: later objects may
// rely on earlier ones, and clean-up runs in reverse. No other file of the library may
// define an object with a dynamic initialiser.
#include "frame/statics.h"

#include "frame/entry.h"
#include "memory/thread_map.h"
#include "resources/resources.h"

namespace kv {

ItemNumber::ItemNumber() : value(TLS_AllocIndex()) {}
ItemNumber::~ItemNumber() { TLS_FreeIndex(value); }

// 1. The date-string grammar's lock.
CRSect gGrammarLock;
// 2. The number-picture tokenizer's item number.
ItemNumber gTokenizerItem;
// 3. The regional settings lock.
CRSect gSettingsLock;
// 4. The format thread record's item number.
ItemNumber gFormatThreadItem;
// 5. The print job table's item number.
ItemNumber gPrintJobItem;

}  // namespace kv

// 6. The main lock, and its pointer (null until step 8).
CRSect gCRMainSect;
CR_SECT* gpCRSECTMain = nullptr;

namespace kv {

// 7. The thread map of the thread-local items.
ThreadMap gThreadMap;

// 8. The main lock pointer: set once the lock exists, cleared before it goes away.
struct MainLockPointer {
  MainLockPointer() { gpCRSECTMain = &gCRMainSect; }
  ~MainLockPointer() { gpCRSECTMain = nullptr; }
};
MainLockPointer gMainLockPointer;

// 9. Where no system loader sends the entry-point notifications, the platform layer does:
// process attach once everything above exists, process detach before any of it goes.
#if !defined(_WIN32)
struct LoaderNotifications {
  HINSTANCE module;
  LoaderNotifications() : module(KwRegisterModule("korvane", DllMain, &gResources)) {}
  ~LoaderNotifications() { KwUnregisterModule(module); }
};
LoaderNotifications gLoaderNotifications;
#endif

}  // namespace kv
