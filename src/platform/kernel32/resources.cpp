// Resources of the modules registered with the platform layer.
#include "internal.h"

#include <algorithm>
#include <cstring>

KW32_API int WINAPI LoadStringA(HINSTANCE module, UINT id, LPSTR buffer, int size) {
  if (!buffer || size <= 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  buffer[0] = '\0';
  const KW_RESOURCES* res = kw::moduleResources(module);
  if (!res || !res->strings) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  const KW_STRING_RESOURCE* end = res->strings + res->stringCount;
  const KW_STRING_RESOURCE* it =
      std::lower_bound(res->strings, end, id, [](const KW_STRING_RESOURCE& r, UINT key) { return r.id < key; });
  if (it == end || it->id != id || !it->text) {
    SetLastError(1814);  // ERROR_RESOURCE_NAME_NOT_FOUND
    return 0;
  }
  size_t n = std::min(std::strlen(it->text), static_cast<size_t>(size - 1));
  std::memcpy(buffer, it->text, n);
  buffer[n] = '\0';
  return static_cast<int>(n);
}
