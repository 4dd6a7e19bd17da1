// File handles: real open files of the host behind handles of the kind File, with the
// access they were opened for and their claim in the share-mode table.
#include "file_share.h"
#include "handles.h"
#include "host_path.h"

#include <korvane/win32/kernel32/file.h>

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <new>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr DWORD kDeleteAccess = 0x00010000;  // DELETE
constexpr DWORD kReadAccess = GENERIC_READ | GENERIC_ALL | FILE_READ_DATA;
constexpr DWORD kWriteAccess = GENERIC_WRITE | GENERIC_ALL | FILE_WRITE_DATA | FILE_APPEND_DATA;
constexpr DWORD kShareModes = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

class File : public kw::KernelObject {
 public:
  File(int descriptor, bool reads, bool writes)
      : kw::KernelObject(kw::HandleKind::File), fd(descriptor), readable(reads), writable(writes) {}
  ~File() override {
    claim.reset();
    close(fd);
  }
  const int fd;
  const bool readable;
  const bool writable;
  std::unique_ptr<kw::ShareClaim> claim;
};

HANDLE fail(DWORD error) {
  SetLastError(error);
  return INVALID_HANDLE_VALUE;
}

// Opens without creating, or creates exclusively, retrying when another process creates
// or deletes the file in between; `existed` tells which happened.
int openOrCreate(const std::string& host, int mode, DWORD disposition, bool& existed) {
  bool mayCreate = disposition == CREATE_NEW || disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS;
  bool mustExist = disposition == OPEN_EXISTING || disposition == TRUNCATE_EXISTING;
  int base = mode | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
  for (int attempt = 0; attempt < 8; ++attempt) {
    if (disposition != CREATE_NEW) {
      int fd = open(host.c_str(), base);
      if (fd >= 0 || errno != ENOENT || mustExist) {
        existed = fd >= 0;
        return fd;
      }
    }
    if (!mayCreate) break;
    int fd = open(host.c_str(), base | O_CREAT | O_EXCL, 0666);
    if (fd >= 0 || errno != EEXIST || disposition == CREATE_NEW) {
      existed = false;
      return fd;
    }
  }
  return -1;
}

// Empties the file even when the handle may not write, as CREATE_ALWAYS does on Windows;
// the file's own permissions still decide.
bool truncateFile(int fd, bool writable) {
  if (writable) return ftruncate(fd, 0) == 0;
  std::string self = "/proc/self/fd/" + std::to_string(fd);
  int twin = open(self.c_str(), O_WRONLY | O_CLOEXEC);
  if (twin < 0) return false;
  bool ok = ftruncate(twin, 0) == 0;
  close(twin);
  return ok;
}

HANDLE createFile(const std::string& host, DWORD access, DWORD shareMode, DWORD disposition) {
  if (disposition < CREATE_NEW || disposition > TRUNCATE_EXISTING || (shareMode & ~kShareModes))
    return fail(ERROR_INVALID_PARAMETER);
  bool readable = (access & kReadAccess) != 0;
  bool writable = (access & kWriteAccess) != 0;
  if (disposition == TRUNCATE_EXISTING && !writable) return fail(ERROR_INVALID_PARAMETER);
  bool appendOnly = writable && !(access & (GENERIC_WRITE | GENERIC_ALL | FILE_WRITE_DATA));
  // An open for neither reading nor writing still reads underneath, to take share locks.
  int mode = writable ? (readable ? O_RDWR : O_WRONLY) : O_RDONLY;
  if (appendOnly) mode |= O_APPEND;

  bool existed = false;
  int fd = openOrCreate(host, mode, disposition, existed);
  if (fd < 0) return fail(kw::win32ErrorFor(errno, host));
  struct stat st {};
  if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    close(fd);
    return fail(ERROR_ACCESS_DENIED);
  }
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  auto* file = new (std::nothrow) File(fd, readable, writable);
  if (!file) {
    close(fd);
    return fail(ERROR_NOT_ENOUGH_MEMORY);
  }
  std::shared_ptr<File> object(file);
  // The share check comes before truncation: a refused open must leave the file alone.
  bool truncate = disposition == TRUNCATE_EXISTING || (disposition == CREATE_ALWAYS && existed);
  kw::ShareRequest request{readable, writable, (access & kDeleteAccess) != 0, shareMode, truncate};
  object->claim = kw::claimShare(fd, (mode & O_ACCMODE) != O_WRONLY, st, request);
  if (!object->claim) return INVALID_HANDLE_VALUE;
  if (truncate && !truncateFile(fd, writable)) return fail(kw::win32ErrorFor(errno, host));
  HANDLE handle = kw::insertHandle(std::move(object));
  if (!handle) return INVALID_HANDLE_VALUE;
  SetLastError(existed && (disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS) ? ERROR_ALREADY_EXISTS
                                                                                       : NO_ERROR);
  return handle;
}

std::shared_ptr<File> fileOf(HANDLE handle) { return kw::lookupHandleAs<File>(handle, kw::HandleKind::File); }

}  // namespace

KW32_API HANDLE WINAPI CreateFileA(LPCSTR name, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES,
                                   DWORD disposition, DWORD, HANDLE) {
  std::string host;
  if (!kw::hostPathFromAnsi(name, host)) return INVALID_HANDLE_VALUE;
  return createFile(host, access, shareMode, disposition);
}

KW32_API HANDLE WINAPI CreateFileW(LPCWSTR name, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES,
                                   DWORD disposition, DWORD, HANDLE) {
  if (!name) return fail(ERROR_INVALID_PARAMETER);
  std::string host;
  if (!kw::hostPathFromWide(name, host)) return INVALID_HANDLE_VALUE;
  return createFile(host, access, shareMode, disposition);
}

KW32_API BOOL WINAPI ReadFile(HANDLE handle, LPVOID buffer, DWORD bytes, LPDWORD bytesRead, LPOVERLAPPED overlapped) {
  if (bytesRead) *bytesRead = 0;
  auto file = fileOf(handle);
  if (!file) return FALSE;
  if (overlapped || (!buffer && bytes)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (!file->readable) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  DWORD done = 0;
  while (done < bytes) {
    ssize_t n = read(file->fd, static_cast<char*>(buffer) + done, bytes - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      if (bytesRead) *bytesRead = done;
      SetLastError(kw::win32ErrorFor(errno, {}));
      return FALSE;
    }
    if (n == 0) break;  // end of file: success with fewer bytes
    done += static_cast<DWORD>(n);
  }
  if (bytesRead) *bytesRead = done;
  return TRUE;
}

KW32_API BOOL WINAPI WriteFile(HANDLE handle, LPCVOID buffer, DWORD bytes, LPDWORD bytesWritten,
                               LPOVERLAPPED overlapped) {
  if (bytesWritten) *bytesWritten = 0;
  auto file = fileOf(handle);
  if (!file) return FALSE;
  if (overlapped || (!buffer && bytes)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (!file->writable) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  DWORD done = 0;
  while (done < bytes) {
    ssize_t n = write(file->fd, static_cast<const char*>(buffer) + done, bytes - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (bytesWritten) *bytesWritten = done;
      SetLastError(n == 0 ? ERROR_DISK_FULL : kw::win32ErrorFor(errno, {}));
      return FALSE;
    }
    done += static_cast<DWORD>(n);
  }
  if (bytesWritten) *bytesWritten = done;
  return TRUE;
}

KW32_API DWORD WINAPI SetFilePointer(HANDLE handle, LONG distance, PLONG distanceHigh, DWORD method) {
  auto file = fileOf(handle);
  if (!file) return INVALID_SET_FILE_POINTER;
  int64_t move = distanceHigh ? static_cast<int64_t>((static_cast<uint64_t>(static_cast<uint32_t>(*distanceHigh)) << 32) |
                                                     static_cast<uint32_t>(distance))
                              : distance;
  int64_t base = 0;
  if (method == FILE_CURRENT) {
    base = lseek(file->fd, 0, SEEK_CUR);
  } else if (method == FILE_END) {
    struct stat st {};
    base = fstat(file->fd, &st) == 0 ? st.st_size : -1;
  } else if (method != FILE_BEGIN) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_SET_FILE_POINTER;
  }
  if (base < 0) {
    SetLastError(kw::win32ErrorFor(errno, {}));
    return INVALID_SET_FILE_POINTER;
  }
  // Both operands are far from the int64 limits: offsets of real files, and a 64-bit move.
  int64_t target = (move > 0 && base > INT64_MAX - move) ? -1 : base + move;
  if (target < 0) {
    SetLastError(move > 0 ? ERROR_INVALID_PARAMETER : ERROR_NEGATIVE_SEEK);
    return INVALID_SET_FILE_POINTER;
  }
  if (!distanceHigh && target > 0xFFFFFFFE) {  // the result would be ambiguous
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_SET_FILE_POINTER;
  }
  if (lseek(file->fd, target, SEEK_SET) < 0) {
    SetLastError(kw::win32ErrorFor(errno, {}));
    return INVALID_SET_FILE_POINTER;
  }
  if (distanceHigh) *distanceHigh = static_cast<LONG>(static_cast<uint64_t>(target) >> 32);
  SetLastError(NO_ERROR);  // callers of 64-bit positions tell 0xFFFFFFFF apart by this
  return static_cast<DWORD>(target);
}

KW32_API DWORD WINAPI GetFileSize(HANDLE handle, LPDWORD sizeHigh) {
  auto file = fileOf(handle);
  if (!file) return INVALID_FILE_SIZE;
  struct stat st {};
  if (fstat(file->fd, &st) != 0) {
    SetLastError(kw::win32ErrorFor(errno, {}));
    return INVALID_FILE_SIZE;
  }
  auto size = static_cast<uint64_t>(st.st_size);
  if (sizeHigh) *sizeHigh = static_cast<DWORD>(size >> 32);
  SetLastError(NO_ERROR);
  return static_cast<DWORD>(size);
}
