// The file open helper: maps the OF_ flags onto CreateFile, DeleteFile and SearchPath.
#include <korvane/files.h>
#include <korvane/memory.h>

#include "frame/state.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

constexpr UINT kAcceptedFlags = OF_WRITE | OF_READWRITE | OF_SHARE_DENY_READ | OF_SHARE_DENY_NONE | OF_PARSE |
                                OF_DELETE | OF_CREATE | OF_EXIST;  // 0x5373
constexpr INT_PTR kFailed = -1;

INT_PTR failWith(DWORD error) {
  SetLastError(error);
  return kFailed;
}

// The working path: the full path for a new file the caller wants to see, the name as it
// stands when it has a directory (unless only its existence is asked), else the file
// found along the search path. Nothing is written on failure.
bool resolvePath(LPCSTR name, UINT flags, bool wantFullPath, char (&work)[CB_MAX_PATH]) {
  if (std::strlen(name) >= CB_MAX_PATH) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return false;
  }
  if (flags & OF_CREATE) {
    if (!wantFullPath) {
      lstrcpyA(work, name);
      return true;
    }
    errno = 0;
    if (_fullpath(work, name, CB_MAX_PATH)) return true;
    if (errno == ERANGE) SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return false;
  }
  // A directory part may be as long as the name; the checked form cannot overrun.
  char dir[CB_MAX_PATH];
  if (_splitpath_s(name, nullptr, 0, dir, sizeof dir, nullptr, 0, nullptr, 0) != 0) dir[0] = '\0';
  if (dir[0] && !(flags & OF_EXIST)) {
    lstrcpyA(work, name);
    return true;
  }
  DWORD length = SearchPathA(nullptr, name, nullptr, CB_MAX_PATH, work, nullptr);
  if (length == 0) {
    if (GetLastError() == ERROR_INVALID_PARAMETER) SetLastError(ERROR_FILE_NOT_FOUND);
    return false;
  }
  if (length >= CB_MAX_PATH) {  // found, but the path does not fit: the buffer holds nothing
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return false;
  }
  return true;
}

// Opens a path too long for the classic services: "\\?\" and the full path, as a wide
// string in the ANSI code page. The prefix turns off the system's own clean-up of the
// path, so the path is made absolute and its separators backslashes first.
HANDLE openLongPath(LPCSTR path, DWORD access, DWORD share, DWORD disposition) {
  static const char kPrefix[] = "\\\\?\\";
  HANDLE file = INVALID_HANDLE_VALUE;
  auto* full = static_cast<char*>(MemAlloc(sizeof kPrefix - 1 + CB_MAX_PATH));
  if (!full) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return file;
  }
  std::memcpy(full, kPrefix, sizeof kPrefix - 1);
  if (_fullpath(full + sizeof kPrefix - 1, path, CB_MAX_PATH)) {
    int chars = MultiByteToWideChar(CP_ACP, 0, full, -1, nullptr, 0);
    auto* wide = chars > 0 ? static_cast<WCHAR*>(MemAlloc(static_cast<DWORD>(chars) * sizeof(WCHAR))) : nullptr;
    if (wide && MultiByteToWideChar(CP_ACP, 0, full, -1, wide, chars) == chars) {
      for (int i = 0; i < chars; ++i)
        if (wide[i] == '/') wide[i] = static_cast<WCHAR>('\\');
      file = CreateFileW(wide, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    } else if (!wide) {
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    }
    MemFree(wide);
  } else {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
  }
  MemFree(full);
  return file;
}

// Whether the path, made full, is beyond the classic limit (MAX_PATH with terminator).
bool needsLongForm(LPCSTR path) {
  if (kv::gpState->platformId != VER_PLATFORM_WIN32_NT) return false;
  if (std::strlen(path) >= MAX_PATH) return true;
  char full[CB_MAX_PATH];
  return _fullpath(full, path, CB_MAX_PATH) && std::strlen(full) >= MAX_PATH;
}

}  // namespace

KV_API INT_PTR KV_CALL CBOpenFile(LPCSTR name, LPSTR resolvedPath, UINT flags) {
  if (flags & ~kAcceptedFlags) return kFailed;
  int actions = !!(flags & OF_EXIST) + !!(flags & OF_CREATE) + !!(flags & OF_DELETE);
  if (actions > 1) return kFailed;
  if (flags & OF_PARSE) return 0;
  if (flags & OF_DELETE) return DeleteFileA(name) ? 0 : kFailed;
  if (!name) return failWith(ERROR_INVALID_PARAMETER);

  char work[CB_MAX_PATH];
  if (!resolvePath(name, flags, resolvedPath != nullptr, work)) return kFailed;
  if (resolvedPath) lstrcpyA(resolvedPath, work);
  if (flags & OF_EXIST) return 0;

  DWORD access = (flags & (OF_WRITE | OF_READWRITE)) ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ;
  DWORD share = (flags & OF_SHARE_EXCLUSIVE) ? 0
                : (flags & OF_SHARE_DENY_WRITE) ? FILE_SHARE_READ
                                                : FILE_SHARE_READ | FILE_SHARE_WRITE;
  DWORD disposition = (flags & OF_CREATE) ? CREATE_ALWAYS : OPEN_EXISTING;
  HANDLE file = needsLongForm(work)
                    ? openLongPath(work, access, share, disposition)
                    : CreateFileA(work, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  return reinterpret_cast<INT_PTR>(file);
}
