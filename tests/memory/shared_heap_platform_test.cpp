// The platform services under the shared heap: named mappings and mutexes between
// processes, and their lifetime.
#include <gtest/gtest.h>
#include <korvane/win32.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>

namespace {

HANDLE mapping(LPCSTR name, DWORD size = 0x10000) {
  return CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, size, name);
}

// Opens and closes the mapping again: ERROR_ALREADY_EXISTS while it lives, else 0.
DWORD probe(LPCSTR name) {
  HANDLE h = mapping(name);
  DWORD error = GetLastError();
  CloseHandle(h);
  return error;
}

// Forks a child that runs body and reports its result; the parent runs meanwhile, and
// then the child ends, by itself or killed.
template <class Body, class Meanwhile>
int inChild(Body body, Meanwhile meanwhile, bool kill) {
  int up[2], down[2];
  if (pipe(up) || pipe(down)) return -1;
  pid_t pid = fork();
  if (pid == 0) {
    close(down[1]);
    char c = static_cast<char>(body());
    if (write(up[1], &c, 1) != 1 || read(down[0], &c, 1) != 0) _exit(99);
    _exit(0);
  }
  close(up[1]);
  close(down[0]);
  char c = 1;
  if (read(up[0], &c, 1) != 1) c = 1;
  meanwhile();
  if (kill) ::kill(pid, SIGKILL);
  close(down[1]);
  int status = 0;
  waitpid(pid, &status, 0);
  close(up[0]);
  return c;
}

TEST(SharedHeapPlatform, NamedMappingsAreSharedAndLiveAsLongAsAHolder) {
  HANDLE first = mapping("KVT_MAP");
  EXPECT_EQ(GetLastError(), 0u);
  HANDLE second = mapping("KVT_MAP", 0x20000);  // opened with its own size
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  auto* one = static_cast<char*>(MapViewOfFile(first, FILE_MAP_ALL_ACCESS, 0, 0, 0));
  auto* two = static_cast<char*>(MapViewOfFile(second, FILE_MAP_ALL_ACCESS, 0, 0, 0));
  ASSERT_TRUE(one && two && one != two);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(one) % 0x10000, 0u) << "on the allocation granularity";
  std::strcpy(one, "seen through both");
  EXPECT_STREQ(two, "seen through both");

  // A fixed address that is taken is refused, and what is there stays.
  EXPECT_EQ(MapViewOfFileEx(first, FILE_MAP_ALL_ACCESS, 0, 0, 0, one), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_ADDRESS));
  EXPECT_EQ(MapViewOfFileEx(first, FILE_MAP_ALL_ACCESS, 0, 0, 0, one + 0x1000), nullptr);
  EXPECT_EQ(MapViewOfFile(first, FILE_MAP_ALL_ACCESS, 0, 0, 0x10001), nullptr);
  EXPECT_STREQ(one, "seen through both");

  // The views outlive the handles; the mapping goes with the last of them.
  EXPECT_TRUE(CloseHandle(first) && CloseHandle(second));
  EXPECT_FALSE(CloseHandle(second));
  EXPECT_EQ(probe("KVT_MAP"), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_TRUE(UnmapViewOfFile(one) && UnmapViewOfFile(two));
  EXPECT_FALSE(UnmapViewOfFile(two));
  EXPECT_EQ(probe("KVT_MAP"), 0u) << "a new mapping";

  // So does a mapping whose holders were all killed.
  EXPECT_EQ(inChild([] { return mapping("KVT_DEAD") ? 0 : 1; }, [] {}, true), 0);
  EXPECT_EQ(probe("KVT_DEAD"), 0u);
}

TEST(SharedHeapPlatform, MutexesAreRecursiveTimedAndAbandonedByTheirDeadOwner) {
  SECURITY_DESCRIPTOR sd;
  EXPECT_FALSE(InitializeSecurityDescriptor(&sd, 2));
  ASSERT_TRUE(InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION));
  ASSERT_TRUE(SetSecurityDescriptorDacl(&sd, TRUE, nullptr, FALSE));
  EXPECT_EQ(sd.Control, SE_DACL_PRESENT);
  SECURITY_ATTRIBUTES sa{sizeof sa, &sd, TRUE};
  HANDLE mutex = CreateMutexA(&sa, FALSE, "KVT_MUTEX");
  ASSERT_NE(mutex, nullptr);
  EXPECT_EQ(WaitForSingleObject(mutex, 0), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_EQ(WaitForSingleObject(mutex, INFINITE), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_TRUE(ReleaseMutex(mutex) && ReleaseMutex(mutex));
  EXPECT_FALSE(ReleaseMutex(mutex));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_OWNER));

  // A child takes the mutex and ends, killed or not, without giving it back.
  for (bool killed : {false, true}) {
    auto meanwhile = [&] { EXPECT_EQ(WaitForSingleObject(mutex, 50), static_cast<DWORD>(WAIT_TIMEOUT)); };
    EXPECT_EQ(inChild([] {
      HANDLE theirs = CreateMutexA(nullptr, TRUE, "KVT_MUTEX");  // exists: not owned yet
      if (!theirs || GetLastError() != ERROR_ALREADY_EXISTS) return 1;
      return WaitForSingleObject(theirs, 1000) == WAIT_OBJECT_0 ? 0 : 2;
    }, meanwhile, killed), 0);
    EXPECT_EQ(WaitForSingleObject(mutex, 5000), static_cast<DWORD>(WAIT_ABANDONED));
    EXPECT_TRUE(ReleaseMutex(mutex));
    EXPECT_FALSE(ReleaseMutex(mutex)) << "owned once";
    EXPECT_EQ(WaitForSingleObject(mutex, 0), static_cast<DWORD>(WAIT_OBJECT_0)) << "and usable again";
    EXPECT_TRUE(ReleaseMutex(mutex));
  }
  EXPECT_TRUE(CloseHandle(mutex));
  EXPECT_EQ(WaitForSingleObject(mutex, 0), WAIT_FAILED);
  sd.Revision = 0;
  EXPECT_EQ(CreateMutexA(&sa, FALSE, "KVT_MUTEX"), nullptr);
}

}  // namespace
