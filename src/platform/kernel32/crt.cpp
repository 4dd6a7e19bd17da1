// The C run-time path functions of the Windows run time that the host's C library lacks.
#include "host_path.h"

#include <korvane/win32/kernel32/file.h>
#include <korvane/win32/kernel32/text.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

bool isSeparator(char c) { return c == '\\' || c == '/'; }

// Copies [begin, end) cut to limit - 1 bytes, never splitting a double-byte character.
void copyPart(char* out, const char* begin, const char* end, size_t limit, UINT codePage) {
  if (!out) return;
  size_t n = 0;
  for (const char* p = begin; p < end;) {
    size_t step = (IsDBCSLeadByteEx(codePage, static_cast<BYTE>(*p)) && p + 1 < end) ? 2 : 1;
    if (n + step > limit - 1) break;
    n += step;
    p += step;
  }
  std::memcpy(out, begin, n);
  out[n] = '\0';
}

}  // namespace

KW32_API char* _fullpath(char* buffer, const char* relative, size_t size) {
  std::string full;
  try {
    if (!relative || !*relative) {
      full = kw::ansiFromHost(kw::hostCurrentDirectory());
    } else {
      std::string host;
      if (!kw::hostPathFromAnsi(relative, host, false)) {
        errno = ENOENT;
        return nullptr;
      }
      full = kw::ansiFromHost(kw::fullHostPath(host));
    }
  } catch (const std::bad_alloc&) {
    errno = ENOMEM;
    return nullptr;
  }
  if (!buffer) {
    buffer = static_cast<char*>(std::malloc(full.size() + 1));
    if (!buffer) {
      errno = ENOMEM;
      return nullptr;
    }
  } else if (full.size() >= size) {
    errno = ERANGE;
    return nullptr;
  }
  std::memcpy(buffer, full.c_str(), full.size() + 1);
  return buffer;
}

namespace {

// Where the parts of a path begin and end: drive [path, dir), directory [dir, name), file
// name [name, ext), extension [ext, end).
struct PathParts {
  const char *dir, *name, *ext, *end;
};

PathParts partsOf(const char* path, UINT codePage) {
  PathParts parts{};
  const char* p = path;
  if (((p[0] >= 'A' && p[0] <= 'Z') || (p[0] >= 'a' && p[0] <= 'z')) && p[1] == ':') p += 2;
  parts.dir = p;
  parts.name = p;
  const char* lastDot = nullptr;
  for (; *p; p += (IsDBCSLeadByteEx(codePage, static_cast<BYTE>(*p)) && p[1]) ? 2 : 1) {
    if (isSeparator(*p)) {
      parts.name = p + 1;
      lastDot = nullptr;
    } else if (*p == '.') {
      lastDot = p;
    }
  }
  parts.end = p;
  parts.ext = lastDot ? lastDot : p;
  return parts;
}

}  // namespace

KW32_API void _splitpath(const char* path, char* drive, char* dir, char* fname, char* ext) {
  if (!path) path = "";
  UINT codePage = GetACP();
  PathParts parts = partsOf(path, codePage);
  copyPart(drive, path, parts.dir, _MAX_DRIVE, codePage);
  copyPart(dir, parts.dir, parts.name, _MAX_DIR, codePage);
  copyPart(fname, parts.name, parts.ext, _MAX_FNAME, codePage);
  copyPart(ext, parts.ext, parts.end, _MAX_EXT, codePage);
}

KW32_API int _splitpath_s(const char* path, char* drive, size_t driveSize, char* dir, size_t dirSize, char* fname,
                          size_t fnameSize, char* ext, size_t extSize) {
  struct Output {
    char* buffer;
    size_t size;
  };
  const Output outputs[] = {{drive, driveSize}, {dir, dirSize}, {fname, fnameSize}, {ext, extSize}};
  for (const Output& o : outputs)
    if (!path || !o.buffer != !o.size) return errno = EINVAL;
  UINT codePage = GetACP();
  PathParts parts = partsOf(path, codePage);
  const char* bounds[] = {path, parts.dir, parts.name, parts.ext, parts.end};
  for (int i = 0; i < 4; ++i) {
    if (outputs[i].buffer && static_cast<size_t>(bounds[i + 1] - bounds[i]) >= outputs[i].size) {
      for (const Output& o : outputs)
        if (o.buffer) o.buffer[0] = '\0';
      return errno = ERANGE;
    }
  }
  for (int i = 0; i < 4; ++i) copyPart(outputs[i].buffer, bounds[i], bounds[i + 1], outputs[i].size, codePage);
  return 0;
}
