// The shared library as a process loads it: entry-point notifications at load and unload.
#include <gtest/gtest.h>
#include <korvane/korvane.h>

#include <dlfcn.h>

#include <atomic>

namespace {

std::atomic<int> gDestroyed{0};
void KV_CALL countDestroy(DWORD_PTR) { ++gDestroyed; }

template <class Fn>
Fn symbol(void* lib, const char* name) {
  return reinterpret_cast<Fn>(dlsym(lib, name));
}

TEST(Loader, LoadAttachesAndUnloadDetaches) {
  void* lib = dlopen(KORVANE_SHARED_LIBRARY, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(lib, nullptr) << dlerror();
  auto dbcs = symbol<int(KV_CALL*)()>(lib, "IntlDBCSEnabled");
  auto setItem = symbol<void(KV_CALL*)(DWORD, DWORD_PTR, TLS_DESTRUCTOR)>(lib, "TLS_SetItem");
  auto allocIndex = symbol<DWORD(KV_CALL*)()>(lib, "TLS_AllocIndex");
  auto mainLock = symbol<CR_SECT**>(lib, "gpCRSECTMain");
  auto mainSect = symbol<CR_SECT*>(lib, "gCRMainSect");
  ASSERT_TRUE(dbcs && setItem && allocIndex && mainLock && mainSect);

  // Attach ran the character-set decision for the configured system.
  const WORD lang = GetSystemDefaultLangID() & 0x3FF;
  EXPECT_EQ(dbcs(), lang == 0x11 || lang == 0x04 || lang == 0x12);
  // Its own static initialisers took numbers 100 to 102; the next free one is 103.
  EXPECT_EQ(allocIndex(), 103u);
  EXPECT_EQ(*mainLock, mainSect);

  // Unloading passes process detach, which frees this thread's items.
  gDestroyed = 0;
  setItem(3, 99, countDestroy);
  EXPECT_EQ(dlclose(lib), 0);
  EXPECT_EQ(gDestroyed, 1);
}

}  // namespace
