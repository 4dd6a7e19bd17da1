// The lstr string functions. Like Windows they treat a null pointer as an empty string
// (or a failed copy) instead of faulting.
#include "internal.h"

#include <cstring>

KW32_API int WINAPI lstrlenA(LPCSTR s) { return s ? static_cast<int>(std::strlen(s)) : 0; }

KW32_API LPSTR WINAPI lstrcpyA(LPSTR dst, LPCSTR src) {
  if (!dst || !src) return nullptr;
  std::memmove(dst, src, std::strlen(src) + 1);
  return dst;
}

KW32_API LPSTR WINAPI lstrcpynA(LPSTR dst, LPCSTR src, int max) {
  if (!dst || !src || max <= 0) return dst;
  size_t n = 0;
  while (n + 1 < static_cast<size_t>(max) && src[n]) ++n;
  std::memmove(dst, src, n);
  dst[n] = '\0';
  return dst;
}

KW32_API LPSTR WINAPI lstrcatA(LPSTR dst, LPCSTR src) {
  if (!dst || !src) return nullptr;
  std::memmove(dst + std::strlen(dst), src, std::strlen(src) + 1);
  return dst;
}

KW32_API int WINAPI lstrcmpA(LPCSTR a, LPCSTR b) {
  if (!a || !b) return a == b ? 0 : (a ? 1 : -1);
  int r = std::strcmp(a, b);
  return (r > 0) - (r < 0);
}
