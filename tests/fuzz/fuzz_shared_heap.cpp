// The shared heap's checks on a damaged region. Each input first runs a few allocations
// and frees on a fresh heap, then writes bytes of its choice over the region (marks,
// sizes, list links, the header), then runs every check and operation. Properties:
// nothing crashes or runs away, a heap without damage always checks whole, and every
// result is 0 or 1.
#include <dirent.h>
#include <fuzzer/FuzzedDataProvider.h>
#include <korvane/memory.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz_support.h"

namespace {

constexpr DWORD kSize = 0x4000;
BYTE* gView = nullptr;
std::string gTag;

// The shared objects of this process go when it ends.
void RemoveObjects() {
  MemSharedTerminate();
  std::vector<std::string> names;
  DIR* dir = opendir("/dev/shm");
  while (dirent* entry = dir ? readdir(dir) : nullptr) {
    if (std::strncmp(entry->d_name, gTag.c_str(), gTag.size()) == 0) names.push_back(entry->d_name);
  }
  if (dir) closedir(dir);
  for (const auto& name : names) shm_unlink(("/" + name).c_str());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  gTag = "kvfuzz-" + std::to_string(getpid()) + "-";
  setenv("KORVANE_SHM_PREFIX", ("/" + gTag).c_str(), 1);
  BOOL created = FALSE;
  gView = static_cast<BYTE*>(MemSharedInit(&created, kSize));
  FUZZ_CHECK(gView != nullptr);
  std::atexit(RemoveObjects);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  FUZZ_CHECK(MemSharedInitHeap(gView, kSize, TRUE) == 1);

  std::vector<void*> blocks;
  const int steps = in.ConsumeIntegralInRange(0, 12);
  for (int i = 0; i < steps; ++i) {
    if (in.ConsumeBool() || blocks.empty()) {
      if (void* p = MemSharedAlloc(in.ConsumeIntegralInRange<DWORD>(0, kSize))) blocks.push_back(p);
    } else {
      const size_t k = in.ConsumeIntegralInRange<size_t>(0, blocks.size() - 1);
      MemSharedFree(blocks[k]);
      blocks.erase(blocks.begin() + static_cast<std::ptrdiff_t>(k));
    }
  }
  FUZZ_CHECK(MemSharedCheckAll() == 1);
  for (void* p : blocks) FUZZ_CHECK(MemSharedCheck(p) == 1);

  // The damage: (offset, byte) pairs, mostly near the header and the first blocks.
  bool damaged = false;
  while (in.remaining_bytes() >= 3) {
    const DWORD offset = in.ConsumeIntegral<uint16_t>() % kSize;
    const BYTE value = in.ConsumeIntegral<uint8_t>();
    damaged |= gView[offset] != value;
    gView[offset] = value;
  }
  const int all = MemSharedCheckAll();
  FUZZ_CHECK(all == 0 || all == 1);
  if (!damaged) FUZZ_CHECK(all == 1);
  for (void* p : blocks) FUZZ_CHECK(MemSharedCheck(p) <= 1);
  // Pointers that are no block: inside the header, mid-block, past the end.
  for (DWORD off : {0u, 8u, 33u, 52u, kSize - 4, kSize + 64}) (void)MemSharedCheck(gView + off);
  FUZZ_CHECK(MemSharedInitHeap(gView, kSize, FALSE) <= 1);
  for (void* p : blocks) MemSharedFree(p);
  MemSharedFree(gView + 52);
  void* p = MemSharedAlloc(64);
  if (p) MemSharedFree(p);
  (void)MemSharedCheckAll();
  return 0;
}
