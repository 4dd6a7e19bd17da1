// win.ini access on a real file. Every call reads the file again, so changes made by other
// processes are seen at once; every change replaces the file in one rename, so a reader
// elsewhere sees either the old file or the new one, never a part of one.
#include "internal.h"
#include "profile_file.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Serialises the read-modify-write of the file within the process.
std::mutex& profileMutex() {
  static std::mutex* m = new std::mutex;  // profile calls may come from static clean-ups
  return *m;
}

enum class ReadStatus { Ok, Missing, Failed };

ReadStatus readFile(const std::string& path, std::string& out) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return (errno == ENOENT || errno == ENOTDIR) ? ReadStatus::Missing : ReadStatus::Failed;
  out.clear();
  char chunk[8192];
  for (;;) {
    ssize_t n = ::read(fd, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      return ReadStatus::Failed;
    }
    if (n == 0) break;
    out.append(chunk, static_cast<size_t>(n));
  }
  ::close(fd);
  return ReadStatus::Ok;
}

DWORD errorFromErrno(int err) {
  switch (err) {
    case ENOENT:
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    default: return ERROR_ACCESS_DENIED;
  }
}

// Creates the directories above path that do not exist yet.
bool makeParents(const std::string& path) {
  for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
    std::string dir = path.substr(0, slash);
    if (::mkdir(dir.c_str(), 0777) != 0 && errno != EEXIST) return false;
  }
  return true;
}

bool writeAll(int fd, const std::string& data) {
  size_t done = 0;
  while (done < data.size()) {
    ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

// Writes a temporary file beside the target and renames it over the target. A symbolic
// link keeps pointing at the file it names. Answers a Win32 error code, 0 on success.
DWORD replaceFile(const std::string& path, const std::string& content) {
  std::string target = path;
  struct stat st {};
  if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    if (char* real = ::realpath(path.c_str(), nullptr)) {
      target = real;
      std::free(real);
    }
  }
  bool exists = ::stat(target.c_str(), &st) == 0;
  if (!exists && !makeParents(target)) return errorFromErrno(errno);
  // A file the user may not write stays as it is, although its directory would allow
  // replacing it.
  if (exists && ::access(target.c_str(), W_OK) != 0) return errorFromErrno(errno);

  static std::atomic<unsigned> serial{0};
  std::string temp;
  int fd = -1;
  for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
    temp = target + ".~" + std::to_string(::getpid()) + "-" + std::to_string(serial++);
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return errorFromErrno(errno);
  }
  if (fd < 0) return ERROR_ACCESS_DENIED;
  if (exists) (void)::fchmod(fd, st.st_mode & 07777);  // the file keeps its permissions
  int err = 0;
  if (!writeAll(fd, content) || ::fsync(fd) != 0) err = errno ? errno : EIO;
  if (::close(fd) != 0 && !err) err = errno;
  if (!err && ::rename(temp.c_str(), target.c_str()) != 0) err = errno;
  if (err) {
    ::unlink(temp.c_str());
    return errorFromErrno(err);
  }
  return 0;
}

// Length of the longest prefix of s of at most max bytes that does not end inside a
// double-byte character.
size_t fitCharacters(std::string_view s, size_t max, UINT cp) {
  size_t i = 0;
  while (i < s.size()) {
    size_t step = (IsDBCSLeadByteEx(cp, static_cast<BYTE>(s[i])) && i + 1 < s.size()) ? 2 : 1;
    if (i + step > max) break;
    i += step;
  }
  return i;
}

DWORD copyText(std::string_view s, LPSTR out, DWORD size, UINT cp) {
  size_t n = fitCharacters(s, size - 1, cp);
  std::memcpy(out, s.data(), n);
  out[n] = '\0';
  return static_cast<DWORD>(n);
}

// Names one after another, each with its terminator, and one more zero at the end. When
// they do not fit, the last name is cut, two zeros end the buffer and the answer is
// size - 2. As on Windows, a list needs one spare byte beyond its final zero to count as
// complete.
DWORD copyList(const std::vector<std::string_view>& names, LPSTR out, DWORD size, UINT cp) {
  if (size == 1) {
    out[0] = '\0';
    return 0;
  }
  size_t pos = 0;
  size_t avail = size - 1;
  for (std::string_view name : names) {
    size_t need = name.size() + 1;
    if (need >= avail) {
      size_t n = fitCharacters(name, avail - 1, cp);
      std::memcpy(out + pos, name.data(), n);
      pos += n;
      out[pos++] = '\0';
      out[pos] = '\0';
      return size - 2;
    }
    std::memcpy(out + pos, name.data(), name.size());
    out[pos + name.size()] = '\0';
    pos += need;
    avail -= need;
  }
  out[pos] = '\0';
  return static_cast<DWORD>(pos);
}

// A value in matching quotes is given without them.
std::string_view unquote(std::string_view v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    return v.substr(1, v.size() - 2);
  }
  return v;
}

// Windows drops the trailing blanks of a default, all but its first character.
std::string_view trimDefault(LPCSTR def) {
  std::string_view d = def ? def : "";
  while (d.size() > 1 && d.back() == ' ') d.remove_suffix(1);
  return d;
}

// Leading decimal digits with an optional sign, or hexadecimal digits after "0x"; the
// value wraps around at 32 bits, and a negative one comes back as its two's complement.
UINT parseProfileInt(std::string_view v) {
  size_t i = 0;
  while (i < v.size() && static_cast<unsigned char>(v[i]) <= ' ') ++i;
  bool negative = false;
  if (i < v.size() && (v[i] == '-' || v[i] == '+')) negative = v[i++] == '-';
  UINT base = 10;
  if (i + 1 < v.size() && v[i] == '0' && (v[i + 1] == 'x' || v[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  UINT result = 0;
  for (; i < v.size(); ++i) {
    char c = v[i];
    UINT digit;
    if (c >= '0' && c <= '9') digit = static_cast<UINT>(c - '0');
    else if (c >= 'a' && c <= 'f') digit = static_cast<UINT>(c - 'a' + 10);
    else if (c >= 'A' && c <= 'F') digit = static_cast<UINT>(c - 'A' + 10);
    else break;
    if (digit >= base) break;
    result = result * base + digit;
  }
  return negative ? 0u - result : result;
}

bool hasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

// Names and values that would not read back as written (a line break would even add
// lines of its own) are refused.
bool validSection(std::string_view s, UINT cp) {
  return !s.empty() && !hasLineBreak(s) && kw::findProfileChar(s, ']', cp) == std::string_view::npos;
}
bool validKey(std::string_view k) {
  return !k.empty() && !hasLineBreak(k) && k.find('=') == std::string_view::npos && k.front() != ';' &&
         k.front() != '[';
}

}  // namespace

KW32_API DWORD WINAPI GetProfileStringA(LPCSTR section, LPCSTR key, LPCSTR def, LPSTR out, DWORD size) {
  if (!out || size == 0) return 0;
  try {
    std::lock_guard<std::mutex> lock(profileMutex());
    std::string content;
    if (readFile(kw::winIniPath(), content) != ReadStatus::Ok) content.clear();
    UINT cp = GetACP();
    kw::ProfileText ini(content, cp);
    if (!section) return copyList(ini.sectionNames(), out, size, cp);
    std::string_view sec = kw::trimProfileBlanks(section);
    if (!key) {
      auto keys = ini.keyNames(sec);
      if (!keys.empty()) return copyList(keys, out, size, cp);
    } else if (std::string_view k = kw::trimProfileBlanks(key); !sec.empty() && !k.empty()) {
      if (auto value = ini.find(sec, k)) return copyText(unquote(*value), out, size, cp);
    }
    return copyText(trimDefault(def), out, size, cp);
  } catch (...) {
    out[0] = '\0';
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
  }
}

KW32_API UINT WINAPI GetProfileIntA(LPCSTR section, LPCSTR key, INT def) {
  if (!section || !key || !*section || !*key) return static_cast<UINT>(def);
  try {
    std::lock_guard<std::mutex> lock(profileMutex());
    std::string content;
    if (readFile(kw::winIniPath(), content) != ReadStatus::Ok) return static_cast<UINT>(def);
    kw::ProfileText ini(content, GetACP());
    auto value = ini.find(kw::trimProfileBlanks(section), kw::trimProfileBlanks(key));
    if (!value) return static_cast<UINT>(def);
    std::string_view v = unquote(*value);
    // An empty value counts as missing, as on Windows.
    return v.empty() ? static_cast<UINT>(def) : parseProfileInt(v);
  } catch (...) {
    return static_cast<UINT>(def);
  }
}

KW32_API BOOL WINAPI WriteProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value) {
  // All three null asks for a flush; every change is already in the file.
  if (!section && !key && !value) return TRUE;
  std::string_view sec = section ? kw::trimProfileBlanks(section) : std::string_view{};
  std::string_view k = key ? kw::trimProfileBlanks(key) : std::string_view{};
  std::string_view v = value ? value : "";
  while (!v.empty() && (v.front() == ' ' || v.front() == '\t')) v.remove_prefix(1);
  UINT cp = GetACP();
  if (!section || !validSection(sec, cp) || (key && !validKey(k)) || hasLineBreak(v)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  try {
    std::lock_guard<std::mutex> lock(profileMutex());
    std::string path = kw::winIniPath();
    std::string content;
    ReadStatus status = readFile(path, content);
    if (status == ReadStatus::Failed) {
      // Never replace a file that could not be read: its keys would be lost.
      SetLastError(ERROR_ACCESS_DENIED);
      return FALSE;
    }
    kw::ProfileText ini(content, cp);
    bool changed = !key ? ini.deleteSection(sec) : !value ? ini.deleteKey(sec, k) : ini.setValue(sec, k, v);
    if (!changed) return TRUE;
    if (DWORD err = replaceFile(path, ini.text())) {
      SetLastError(err);
      return FALSE;
    }
    return TRUE;
  } catch (...) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return FALSE;
  }
}
