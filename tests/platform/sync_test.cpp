// Critical sections and storage slots with real threads; the system's identity.
#include "emulated_system.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

// Whether another thread could enter right now (it leaves again at once).
bool otherThreadEnters(CRITICAL_SECTION* cs) {
  BOOL entered = FALSE;
  std::thread([&] {
    entered = TryEnterCriticalSection(cs);
    if (entered) LeaveCriticalSection(cs);
  }).join();
  return entered;
}

TEST(Sync, CriticalSectionIsRecursiveForItsOwnerOnly) {
  CRITICAL_SECTION cs;
  InitializeCriticalSection(&cs);
  EnterCriticalSection(&cs);
  EXPECT_TRUE(TryEnterCriticalSection(&cs));
  EnterCriticalSection(&cs);
  EXPECT_EQ(cs.RecursionCount, 3);
  EXPECT_FALSE(otherThreadEnters(&cs));
  LeaveCriticalSection(&cs);
  LeaveCriticalSection(&cs);
  EXPECT_FALSE(otherThreadEnters(&cs));  // still held once
  LeaveCriticalSection(&cs);
  EXPECT_EQ(cs.RecursionCount, 0);
  EXPECT_TRUE(otherThreadEnters(&cs));

  // Mutual exclusion under contention: no increment is lost.
  int counter = 0;
  std::thread a([&] { for (int i = 0; i < 20000; ++i) { EnterCriticalSection(&cs); ++counter; LeaveCriticalSection(&cs); } });
  std::thread b([&] { for (int i = 0; i < 20000; ++i) { EnterCriticalSection(&cs); ++counter; LeaveCriticalSection(&cs); } });
  a.join();
  b.join();
  EXPECT_EQ(counter, 40000);
  DeleteCriticalSection(&cs);
}

TEST(Sync, StorageSlotsArePerThreadAndFreedSlotsComeBackEmpty) {
  DWORD slot = TlsAlloc();
  ASSERT_NE(slot, TLS_OUT_OF_INDEXES);
  int mine = 1, theirs = 2;
  EXPECT_TRUE(TlsSetValue(slot, &mine));

  std::atomic<int> stage{0};
  void* seenFirst = &mine;
  void* seenAfterReuse = &mine;
  std::thread other([&] {
    seenFirst = TlsGetValue(slot);
    TlsSetValue(slot, &theirs);
    stage = 1;
    while (stage != 2) std::this_thread::yield();
    seenAfterReuse = TlsGetValue(slot);  // the slot was freed and handed out again meanwhile
  });
  while (stage != 1) std::this_thread::yield();
  EXPECT_EQ(TlsGetValue(slot), &mine);
  EXPECT_TRUE(TlsFree(slot));
  EXPECT_FALSE(TlsFree(slot));
  DWORD again = TlsAlloc();
  EXPECT_EQ(again, slot);  // the lowest free slot
  EXPECT_EQ(TlsGetValue(again), nullptr);
  stage = 2;
  other.join();
  EXPECT_EQ(seenFirst, nullptr);
  EXPECT_EQ(seenAfterReuse, nullptr);
  EXPECT_EQ(TlsGetValue(1088), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  TlsFree(again);
}

TEST(System, VersionAndCodePage) {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  EXPECT_TRUE(GetVersionExA(&info));
  EXPECT_EQ(info.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_NT));
  info.dwOSVersionInfoSize = sizeof info - 1;
  EXPECT_FALSE(GetVersionExA(&info));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_FALSE(GetVersionExA(nullptr));

  struct Case { LANGID lang; UINT cp; } cases[] = {
      {0x0409, 1252}, {0x040C, 1252}, {0x0411, 932}, {0x0804, 936}, {0x1004, 936},
      {0x0412, 949},  {0x0404, 950},  {0x0C04, 950}, {0x1404, 950}, {0x7C04, 950},
  };
  for (const Case& c : cases) {
    EmulatedSystem system(c.lang);
    EXPECT_EQ(GetACP(), c.cp) << std::hex << c.lang;
    EXPECT_EQ(GetSystemDefaultLangID(), c.lang);
    EXPECT_EQ(GetUserDefaultLCID(), c.lang);
  }
  EXPECT_EQ(GetACP(), 1252u);
}

}  // namespace
