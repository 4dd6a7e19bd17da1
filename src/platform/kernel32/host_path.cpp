// Win32 names to host names, and host errors to Win32 errors.
#include "host_path.h"

#include <korvane/win32/kernel32/file.h>

#include <cerrno>
#include <climits>
#include <new>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace kw {
namespace {

bool startsWith(std::u16string_view s, std::u16string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

bool isAsciiLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

bool refuse(DWORD error) {
  SetLastError(error);
  return false;
}

// Length in UTF-16 units of the full path of `path` (unresolved: only the length counts).
size_t fullLength(std::u16string_view path) {
  if (!path.empty() && path[0] == u'/') return path.size();
  std::u16string cwd;
  toWide(CP_UTF8, hostCurrentDirectory(), cwd, false);
  return cwd.size() + 1 + path.size();
}

bool translate(std::u16string_view path, bool ansi, bool limitLength, std::string& host) {
  std::u16string p(path);
  bool prefixed = startsWith(p, u"\\\\?\\");
  if (prefixed) {
    p.erase(0, 4);
    if (p.size() >= 4 && (p[0] == u'U' || p[0] == u'u') && (p[1] == u'N' || p[1] == u'n') &&
        (p[2] == u'C' || p[2] == u'c') && p[3] == u'\\')
      return refuse(ERROR_BAD_NETPATH);
  }
  for (char16_t& c : p)
    if (c == u'\\') c = u'/';
  if (p.empty()) return refuse(ERROR_PATH_NOT_FOUND);
  if (p.size() >= 2 && isAsciiLetter(p[0]) && p[1] == u':') return refuse(ERROR_PATH_NOT_FOUND);
  if (p.size() >= 2 && p[0] == u'/' && p[1] == u'/') return refuse(ERROR_BAD_NETPATH);
  bool tooLong = prefixed ? (ansi && path.size() >= MAX_PATH) : fullLength(p) >= MAX_PATH;
  if (limitLength && tooLong) return refuse(ERROR_FILENAME_EXCED_RANGE);
  for (size_t i = 0; i < p.size(); ++i) {
    bool high = p[i] >= 0xD800 && p[i] < 0xDC00;
    bool low = p[i] >= 0xDC00 && p[i] < 0xE000;
    if (low || (high && (i + 1 == p.size() || p[i + 1] < 0xDC00 || p[i + 1] >= 0xE000)))
      return refuse(ERROR_INVALID_NAME);  // the host cannot spell an unpaired surrogate
    if (high) ++i;
  }
  return fromWide(CP_UTF8, p, host, '?', nullptr) || refuse(ERROR_NOT_ENOUGH_MEMORY);
}

}  // namespace

bool hostPathFromWide(std::u16string_view path, std::string& host) {
  try {
    return translate(path, false, true, host);
  } catch (const std::bad_alloc&) {
    return refuse(ERROR_NOT_ENOUGH_MEMORY);
  }
}

bool hostPathFromAnsi(const char* path, std::string& host, bool limitLength) {
  if (!path) return refuse(ERROR_INVALID_PARAMETER);
  std::string_view text(path);
  std::u16string wide;
  bool ascii = true;
  for (char c : text) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  try {
    if (ascii) {
      wide.assign(text.begin(), text.end());  // needs no converter, whatever the code page
    } else if (!toWide(CP_ACP, text, wide, false)) {
      return refuse(ERROR_NO_UNICODE_TRANSLATION);
    }
    return translate(wide, true, limitLength, host);
  } catch (const std::bad_alloc&) {
    return refuse(ERROR_NOT_ENOUGH_MEMORY);
  }
}

std::string ansiFromHost(const std::string& host) {
  std::u16string wide;
  std::string ansi;
  toWide(CP_UTF8, host, wide, false);
  if (!fromWide(CP_ACP, wide, ansi, '?', nullptr)) ansi = host;  // no converter: bytes as they are
  return ansi;
}

std::string fullHostPath(const std::string& host) {
  std::string source = host.empty() || host[0] != '/' ? hostCurrentDirectory() + "/" + host : host;
  std::vector<std::string_view> parts;
  std::string_view rest(source);
  while (!rest.empty()) {
    size_t slash = rest.find('/');
    std::string_view part = rest.substr(0, slash);
    rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
      continue;
    }
    parts.push_back(part);
  }
  std::string full;
  for (std::string_view part : parts) {
    full += '/';
    full += part;
  }
  if (full.empty() || source.back() == '/') full += '/';
  return full;
}

std::string hostCurrentDirectory() {
  std::vector<char> buffer(PATH_MAX);
  while (!getcwd(buffer.data(), buffer.size())) {
    if (errno != ERANGE) return {};
    buffer.resize(buffer.size() * 2);
  }
  return buffer.data();
}

DWORD win32ErrorFor(int error, const std::string& host) {
  switch (error) {
    case ENOENT: {
      size_t slash = host.find_last_of('/');
      if (slash == std::string::npos) return ERROR_FILE_NOT_FOUND;
      struct stat st {};
      std::string parent = slash == 0 ? "/" : host.substr(0, slash);
      return (stat(parent.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
    }
    case ENOTDIR:
    case ELOOP: return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return ERROR_ACCESS_DENIED;
    case ETXTBSY:
    case EBUSY: return ERROR_SHARING_VIOLATION;
    case EEXIST: return ERROR_FILE_EXISTS;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    case EMFILE:
    case ENFILE: return ERROR_TOO_MANY_OPEN_FILES;
    case ENOSPC:
    case EDQUOT: return ERROR_DISK_FULL;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    case EBADF: return ERROR_INVALID_HANDLE;
    case EINVAL: return ERROR_INVALID_PARAMETER;
    default: return ERROR_GEN_FAILURE;
  }
}

}  // namespace kw
