// The version block of a file: a module of this process serves the VERSIONINFO resource it
// registered.
#include "internal.h"
#include "kernel32/host_path.h"
#include "version/version_block.h"

#include <sys/stat.h>

#include <cstring>

namespace {

struct Block {
  const BYTE* data = nullptr;
  DWORD size = 0;
};

// The block of `file`, or an empty one with the last error set.
Block findBlock(LPCSTR file) {
  std::string host;
  if (file == nullptr || !*file) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return {};
  }
  if (!kw::hostPathFromAnsi(file, host)) return {};
  struct stat st {};
  if (stat(host.c_str(), &st) != 0) {
    SetLastError(kw::win32ErrorFor(errno, host));
    return {};
  }
  for (HINSTANCE module : kw::modulesOfFile(host)) {
    HRSRC res = FindResourceA(module, MAKEINTRESOURCEA(1), RT_VERSION);
    const DWORD size = res ? SizeofResource(module, res) : 0;
    // The root node's own length must fit the resource, else the data is not a block.
    if (size >= 6) {
      const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module, res)));
      WORD length = 0;
      std::memcpy(&length, data, sizeof length);
      if (length >= 6 && length <= size) return {data, length};
    }
  }
  SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
  return {};
}

}  // namespace

KW32_API DWORD WINAPI GetFileVersionInfoSizeA(LPCSTR file, LPDWORD handle) {
  if (handle) *handle = 0;
  const Block block = findBlock(file);
  if (!block.data) return 0;
  return static_cast<DWORD>(kw::version::bufferSize(block.size));
}

KW32_API BOOL WINAPI GetFileVersionInfoA(LPCSTR file, DWORD, DWORD size, LPVOID data) {
  if (data == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const Block block = findBlock(file);
  if (!block.data) return FALSE;
  // Only a buffer of the size GetFileVersionInfoSizeA gives: VerQueryValueA, which is
  // handed the block alone, relies on the room behind it for the ANSI copies.
  if (size < kw::version::bufferSize(block.size)) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  auto* out = static_cast<BYTE*>(data);
  std::memcpy(out, block.data, block.size);
  const DWORD signature = kw::version::kAnsiSignature;
  std::memcpy(out + kw::version::alignedBlock(block.size), &signature, sizeof signature);
  return TRUE;
}
