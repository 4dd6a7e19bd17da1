// The version strings of a module, read from its version resource.
#include <korvane/frame.h>
#include <korvane/memory.h>

namespace {

constexpr DWORD kPathRoom = 520;

// The value under the US-English/Unicode translation, else under US-English/Latin-1.
int copyVersionValue(HMODULE module, char* dst, const char* unicodeKey, const char* latinKey) {
  if (dst == nullptr) return 0;
  char path[kPathRoom];
  const DWORD n = GetModuleFileNameA(module, path, kPathRoom);
  if (n == 0 || n >= kPathRoom) return 0;
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(path, &handle);
  if (size == 0) return 0;
  void* block = MemAlloc(size);
  if (block == nullptr) return 0;
  int copied = 0;
  if (GetFileVersionInfoA(path, handle, size, block)) {
    LPVOID value = nullptr;
    UINT length = 0;
    if (VerQueryValueA(block, unicodeKey, &value, &length) || VerQueryValueA(block, latinKey, &value, &length)) {
      lstrcpyA(dst, static_cast<const char*>(value));
      copied = 1;
    }
  }
  MemFree(block);
  return copied;
}

}  // namespace

extern "C" {

KV_API int KV_CALL VERGetVersionString(HMODULE module, char* dst) {
  return copyVersionValue(module, dst, "\\StringFileInfo\\040904b0\\ProductVersion",
                          "\\StringFileInfo\\040904E4\\ProductVersion");
}

KV_API int KV_CALL VERGetBuildString(HMODULE module, char* dst) {
  return copyVersionValue(module, dst, "\\StringFileInfo\\040904b0\\FileVersion",
                          "\\StringFileInfo\\040904E4\\FileVersion");
}

}  // extern "C"
