// Services on file names: deleting, attributes, searching along the search path.
#include "file_share.h"
#include "host_path.h"

#include <korvane/win32/kernel32/file.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <new>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

bool failWith(DWORD error) {
  SetLastError(error);
  return false;
}

// The directory this platform library was loaded from; the library that uses it is
// installed beside it.
std::string moduleDirectory() {
  Dl_info info{};
  if (!dladdr(reinterpret_cast<void*>(&SearchPathA), &info) || !info.dli_fname) return {};
  std::string full = kw::fullHostPath(info.dli_fname);
  size_t slash = full.find_last_of('/');
  return slash == std::string::npos ? std::string() : full.substr(0, slash == 0 ? 1 : slash);
}

void splitInto(std::vector<std::string>& out, const std::string& list, char separator) {
  size_t start = 0;
  for (;;) {
    size_t end = list.find(separator, start);
    std::string item = list.substr(start, end == std::string::npos ? std::string::npos : end - start);
    out.push_back(item.empty() ? "." : item);  // an empty entry of PATH is the current directory
    if (end == std::string::npos) break;
    start = end + 1;
  }
}

// The host directories to search, in order.
std::vector<std::string> searchDirectories(LPCSTR path) {
  std::vector<std::string> dirs;
  if (path) {
    std::vector<std::string> given;
    splitInto(given, path, ';');
    for (const std::string& dir : given) {
      std::string host;
      if (kw::hostPathFromAnsi(dir.c_str(), host, false)) dirs.push_back(host);  // refused names are skipped
    }
    return dirs;
  }
  if (std::string module = moduleDirectory(); !module.empty()) dirs.push_back(module);
  dirs.push_back(".");
  if (const char* env = std::getenv("PATH"); env && *env) splitInto(dirs, env, ':');
  return dirs;
}

bool isSearchable(const std::string& host) {
  struct stat st {};
  return stat(host.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

// Whether the name says where it is: absolute, or relative to "." or "..".
bool namesItsDirectory(const std::string& host) {
  return host[0] == '/' || host == "." || host == ".." || host.rfind("./", 0) == 0 || host.rfind("../", 0) == 0;
}

bool hasExtension(const std::string& host) {
  size_t slash = host.find_last_of('/');
  size_t dot = host.find_last_of('.');
  return dot != std::string::npos && (slash == std::string::npos || dot > slash);
}

bool findFile(LPCSTR path, LPCSTR fileName, LPCSTR extension, std::string& found) {
  if (!fileName || !*fileName) return failWith(ERROR_INVALID_PARAMETER);
  std::string name;
  if (!kw::hostPathFromAnsi(fileName, name)) return false;
  if (extension && *extension && !hasExtension(name)) {
    std::string ext;
    if (!kw::hostPathFromAnsi(extension, ext, false)) return false;
    name += ext;
  }
  std::vector<std::string> candidates;
  if (namesItsDirectory(name)) {
    candidates.push_back(name);
  } else {
    for (const std::string& dir : searchDirectories(path)) candidates.push_back(dir + "/" + name);
  }
  for (const std::string& candidate : candidates) {
    if (isSearchable(candidate)) {
      found = kw::ansiFromHost(kw::fullHostPath(candidate));
      return true;
    }
  }
  return failWith(ERROR_FILE_NOT_FOUND);
}

}  // namespace

KW32_API BOOL WINAPI DeleteFileA(LPCSTR name) {
  std::string host;
  if (!kw::hostPathFromAnsi(name, host)) return FALSE;
  struct stat st {};
  if (lstat(host.c_str(), &st) != 0) return failWith(kw::win32ErrorFor(errno, host));
  if (S_ISDIR(st.st_mode)) return failWith(ERROR_ACCESS_DENIED);
  // A file the caller may not write carries the read-only attribute, which protects it.
  if (!S_ISLNK(st.st_mode) && access(host.c_str(), W_OK) != 0) return failWith(ERROR_ACCESS_DENIED);
  if (!kw::deletionShared(host, st)) return failWith(ERROR_SHARING_VIOLATION);
  if (unlink(host.c_str()) != 0) return failWith(kw::win32ErrorFor(errno, host));
  return TRUE;
}

KW32_API DWORD WINAPI GetFileAttributesA(LPCSTR name) {
  std::string host;
  if (!kw::hostPathFromAnsi(name, host)) return INVALID_FILE_ATTRIBUTES;
  struct stat st {};
  if (stat(host.c_str(), &st) != 0) {
    SetLastError(kw::win32ErrorFor(errno, host));
    return INVALID_FILE_ATTRIBUTES;
  }
  if (S_ISDIR(st.st_mode)) return FILE_ATTRIBUTE_DIRECTORY;
  return access(host.c_str(), W_OK) == 0 ? FILE_ATTRIBUTE_NORMAL : FILE_ATTRIBUTE_READONLY;
}

KW32_API DWORD WINAPI SearchPathA(LPCSTR path, LPCSTR fileName, LPCSTR extension, DWORD bufferLength, LPSTR buffer,
                                  LPSTR* filePart) {
  std::string found;
  try {
    if (!findFile(path, fileName, extension, found)) return 0;
  } catch (const std::bad_alloc&) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
  }
  if (!buffer || bufferLength <= found.size()) return static_cast<DWORD>(found.size() + 1);
  std::memcpy(buffer, found.c_str(), found.size() + 1);
  if (filePart) {
    size_t slash = found.find_last_of('/');
    *filePart = buffer + (slash == std::string::npos ? 0 : slash + 1);
  }
  return static_cast<DWORD>(found.size());
}
