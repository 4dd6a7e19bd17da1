// The entry point's per-process and per-thread work, as the loader drives it.
#include "frame/entry.h"
#include "frame/state.h"
#include "frame/statics.h"

#include <gtest/gtest.h>
#include <korvane/korvane.h>

#include <atomic>
#include <thread>

namespace {

std::atomic<int> gDestroyed{0};
std::atomic<DWORD_PTR> gLastValue{0};
void KV_CALL countDestroy(DWORD_PTR value) {
  gLastValue = value;
  ++gDestroyed;
}

// Item numbers below 100 are fixed numbers, free for tests.
constexpr DWORD kItem = 7;

TEST(Frame, LoadRanInitialisersThenProcessAttach) {
  // Static initialisers took the first three item numbers in their order.
  EXPECT_EQ(kv::gTokenizerItem.value, 100u);
  EXPECT_EQ(kv::gFormatThreadItem.value, 101u);
  EXPECT_EQ(kv::gPrintJobItem.value, 102u);
  EXPECT_EQ(gpCRSECTMain, static_cast<CR_SECT*>(&gCRMainSect));
  // Process attach then recorded the module, the platform and the character set.
  EXPECT_NE(kv::gpState->module, nullptr);
  EXPECT_EQ(kv::gpState->platformId, 2u);
  EXPECT_EQ(kv::gpState->settingsDirty, 1);
  EXPECT_EQ(kv::gpState->systemLangId, GetSystemDefaultLangID());
  EXPECT_NE(kv::gTlsSlot, kv::kNoTlsSlot);
}

TEST(Frame, SecondProcessAttachOnlyRestoresTheSlot) {
  const kv::LibraryState before = *kv::gpState;
  const DWORD slot = kv::gTlsSlot;
  EXPECT_EQ(DllMain(reinterpret_cast<HINSTANCE>(0x1234), DLL_PROCESS_ATTACH, nullptr), TRUE);
  EXPECT_EQ(kv::gpState->module, before.module);
  EXPECT_EQ(kv::gpState->platformId, before.platformId);
  EXPECT_EQ(kv::gpState->dbcsType, before.dbcsType);
  EXPECT_EQ(kv::gTlsSlot, slot);

  // Process detach frees the calling thread's items and the slot; attach takes a slot again.
  gDestroyed = 0;
  TLS_SetItem(kItem, 42, countDestroy);
  EXPECT_EQ(DllMain(before.module, DLL_PROCESS_DETACH, nullptr), TRUE);
  EXPECT_EQ(gDestroyed, 1);
  EXPECT_EQ(gLastValue, 42u);
  EXPECT_EQ(kv::gTlsSlot, kv::kNoTlsSlot);
  EXPECT_EQ(TLS_GetItem(kItem), 0u);  // no slot: nothing to read, nothing created

  EXPECT_EQ(DllMain(before.module, DLL_PROCESS_ATTACH, nullptr), TRUE);
  EXPECT_NE(kv::gTlsSlot, kv::kNoTlsSlot);
  EXPECT_EQ(kv::gpState->module, before.module);
  EXPECT_EQ(DllMain(before.module, 77, nullptr), TRUE);  // unknown reasons are ignored
  EXPECT_EQ(DllMain(before.module, DLL_THREAD_ATTACH, nullptr), TRUE);
}

TEST(Frame, ThreadEndFreesOnlyThatThreadsItems) {
  gDestroyed = 0;
  TLS_SetItem(kItem, 1, countDestroy);
  const DWORD slot = kv::gTlsSlot;
  std::thread worker([] { TLS_SetItem(kItem, 2, countDestroy); });
  worker.join();
  // The loader's thread detach ran the worker's destructor, not ours.
  EXPECT_EQ(gDestroyed, 1);
  EXPECT_EQ(gLastValue, 2u);
  EXPECT_EQ(TLS_GetItem(kItem), 1u);
  EXPECT_EQ(kv::gTlsSlot, slot);
  TLS_Free(kItem);
  EXPECT_EQ(gDestroyed, 2);
}

}  // namespace
