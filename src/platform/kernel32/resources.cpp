// Resources of the modules registered with the platform layer: the string table for
// LoadStringA, the other resources (dialog templates) for FindResourceA and its friends.
#include "internal.h"

#include <algorithm>
#include <cstring>

static_assert(sizeof(void*) != 8 || sizeof(KW_DATA_RESOURCE) == 32, "pointer-sized slots");

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
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return 0;
  }
  size_t n = std::min(std::strlen(it->text), static_cast<size_t>(size - 1));
  std::memcpy(buffer, it->text, n);
  buffer[n] = '\0';
  return static_cast<int>(n);
}

namespace {

// A type or name as a caller gives it: a number (MAKEINTRESOURCEA or "#123") or a name.
struct Key {
  bool numbered = false;
  WORD id = 0;
  LPCSTR name = nullptr;
};

Key keyOf(LPCSTR text) {
  Key key;
  if (IS_INTRESOURCE(text)) {
    key.numbered = true;
    key.id = LOWORD(reinterpret_cast<ULONG_PTR>(text));
    return key;
  }
  if (text[0] == '#' && text[1] != '\0') {
    unsigned value = 0;
    const char* p = text + 1;
    while (*p >= '0' && *p <= '9' && value <= 0xFFFF) value = value * 10 + static_cast<unsigned>(*p++ - '0');
    if (*p == '\0' && value <= 0xFFFF) {
      key.numbered = true;
      key.id = static_cast<WORD>(value);
      return key;
    }
  }
  key.name = text;
  return key;
}

char upperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Resource names are stored in upper case, as the resource compiler stores them.
bool matches(const Key& key, LPCSTR name, WORD id) {
  if (key.numbered) return !name && id == key.id;
  if (!name) return false;
  const char* a = key.name;
  while (*a && upperAscii(*a) == upperAscii(*name)) ++a, ++name;
  return *a == '\0' && *name == '\0';
}

// The module's entry that `resource` designates, or null when it is none of them.
const KW_DATA_RESOURCE* entryOf(HMODULE module, HRSRC resource) {
  const KW_RESOURCES* res = kw::moduleResources(module);
  if (!res || !res->data || !resource) return nullptr;
  auto at = reinterpret_cast<uintptr_t>(resource);
  auto first = reinterpret_cast<uintptr_t>(res->data);
  if (at < first || at >= first + res->dataCount * sizeof(KW_DATA_RESOURCE)) return nullptr;
  if ((at - first) % sizeof(KW_DATA_RESOURCE) != 0) return nullptr;
  return res->data + (at - first) / sizeof(KW_DATA_RESOURCE);
}

}  // namespace

KW32_API HRSRC WINAPI FindResourceA(HMODULE module, LPCSTR name, LPCSTR type) {
  const KW_RESOURCES* res = kw::moduleResources(module);
  if (!res) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
  }
  Key typeKey = keyOf(type);
  Key nameKey = keyOf(name);
  bool typeSeen = false;
  for (UINT i = 0; i < res->dataCount; ++i) {
    const KW_DATA_RESOURCE& r = res->data[i];
    if (!matches(typeKey, r.typeName, r.typeId)) continue;
    typeSeen = true;
    if (matches(nameKey, r.name, r.id)) return reinterpret_cast<HRSRC>(const_cast<KW_DATA_RESOURCE*>(&r));
  }
  SetLastError(typeSeen ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND);
  return nullptr;
}

KW32_API HGLOBAL WINAPI LoadResource(HMODULE module, HRSRC resource) {
  const KW_DATA_RESOURCE* r = entryOf(module, resource);
  if (!r) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
  }
  return const_cast<void*>(r->data);
}

KW32_API LPVOID WINAPI LockResource(HGLOBAL data) { return data; }

KW32_API DWORD WINAPI SizeofResource(HMODULE module, HRSRC resource) {
  const KW_DATA_RESOURCE* r = entryOf(module, resource);
  if (!r) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return 0;
  }
  return r->size;
}

KW32_API BOOL WINAPI FreeResource(HGLOBAL) { return FALSE; }
