// File mappings of the paging file and their views.
#include "handles.h"
#include "mapping_store.h"

#include <cerrno>
#include <map>
#include <mutex>
#include <sys/mman.h>
#include <unistd.h>

#ifndef MAP_FIXED_NOREPLACE
#define MAP_FIXED_NOREPLACE 0x100000
#endif

namespace kw {
namespace {

// Offsets and fixed addresses of views keep to the Windows allocation granularity.
constexpr uint64_t kGranularity = 0x10000;

class MappingObject : public KernelObject {
 public:
  MappingObject(std::shared_ptr<SharedStore> sharedStore, bool canWrite)
      : KernelObject(HandleKind::Mapping), store(std::move(sharedStore)), writable(canWrite) {}
  const std::shared_ptr<SharedStore> store;
  const bool writable;
};

struct View {
  std::shared_ptr<SharedStore> store;  // a view keeps its mapping alive, as on Windows
  size_t length;
};

struct ViewTable {
  std::mutex mutex;
  std::map<uintptr_t, View> views;
};

ViewTable& viewTable() {
  static ViewTable* t = new ViewTable;  // views may be unmapped during static clean-up
  return *t;
}

// A view where the system chooses the address still starts on the allocation
// granularity, as Windows views do: map inside a larger reservation and give back the
// rest of it.
void* mapAligned(size_t length, int prot, int flags, int fd, off_t offset) {
  const size_t span = length + kGranularity;
  void* area = mmap(nullptr, span, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  if (area == MAP_FAILED) return MAP_FAILED;
  const auto low = reinterpret_cast<uintptr_t>(area);
  const uintptr_t start = (low + kGranularity - 1) & ~(kGranularity - 1);
  void* view = mmap(reinterpret_cast<void*>(start), length, prot, flags | MAP_FIXED, fd, offset);
  if (view == MAP_FAILED) {
    munmap(area, span);
    return MAP_FAILED;
  }
  const auto page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
  const uintptr_t viewEnd = start + ((length + page - 1) & ~(page - 1));
  if (start > low) munmap(area, start - low);
  if (low + span > viewEnd) munmap(reinterpret_cast<void*>(viewEnd), low + span - viewEnd);
  return view;
}

LPVOID failView(DWORD error) {
  SetLastError(error);
  return nullptr;
}

}  // namespace
}  // namespace kw

KW32_API HANDLE WINAPI CreateFileMappingA(HANDLE file, LPSECURITY_ATTRIBUTES attributes, DWORD protect,
                                          DWORD maximumSizeHigh, DWORD maximumSizeLow, LPCSTR name) {
  if (file != INVALID_HANDLE_VALUE) {
    SetLastError(ERROR_INVALID_HANDLE);  // only the paging file backs mappings here
    return nullptr;
  }
  DWORD access = protect & 0xFF;
  uint64_t size = (static_cast<uint64_t>(maximumSizeHigh) << 32) | maximumSizeLow;
  if ((access != PAGE_READONLY && access != PAGE_READWRITE) || size == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (!kw::validSecurityAttributes(attributes)) return nullptr;

  auto noInit = [](int) { return true; };
  bool created = true;
  std::shared_ptr<kw::SharedStore> store;
  if (name && *name) {
    std::string posixName = kw::posixObjectName("map", name);
    if (posixName.empty()) return nullptr;
    store = kw::SharedStore::open(posixName, size, created, noInit);
  } else {
    store = kw::SharedStore::anonymous(size, noInit);
  }
  if (!store) return nullptr;
  std::shared_ptr<kw::MappingObject> object;
  try {
    object = std::make_shared<kw::MappingObject>(std::move(store), access == PAGE_READWRITE);
  } catch (...) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  HANDLE handle = kw::insertHandle(std::move(object));
  if (handle) SetLastError(created ? ERROR_SUCCESS : ERROR_ALREADY_EXISTS);
  return handle;
}

KW32_API LPVOID WINAPI MapViewOfFileEx(HANDLE mapping, DWORD access, DWORD offsetHigh, DWORD offsetLow,
                                       SIZE_T bytes, LPVOID baseAddress) {
  auto object = kw::lookupHandleAs<kw::MappingObject>(mapping, kw::HandleKind::Mapping);
  if (!object) return nullptr;
  uint64_t offset = (static_cast<uint64_t>(offsetHigh) << 32) | offsetLow;
  auto base = reinterpret_cast<uintptr_t>(baseAddress);
  if (offset % kw::kGranularity != 0 || base % kw::kGranularity != 0) {
    return kw::failView(ERROR_MAPPED_ALIGNMENT);
  }
  uint64_t size = object->store->size();
  if (offset >= size || bytes > size - offset) return kw::failView(ERROR_ACCESS_DENIED);
  size_t length = bytes ? bytes : static_cast<size_t>(size - offset);

  bool copy = access == FILE_MAP_COPY;
  bool write = copy || (access & FILE_MAP_WRITE) != 0;
  if (write && !copy && !object->writable) return kw::failView(ERROR_ACCESS_DENIED);
  int prot = PROT_READ | (write ? PROT_WRITE : 0);
  int flags = copy ? MAP_PRIVATE : MAP_SHARED;
  const int fd = object->store->fd();
  const auto at = static_cast<off_t>(offset);
  void* view = base ? mmap(baseAddress, length, prot, flags | MAP_FIXED_NOREPLACE, fd, at)
                    : kw::mapAligned(length, prot, flags, fd, at);
  if (view == MAP_FAILED) {
    return kw::failView(base ? ERROR_INVALID_ADDRESS : kw::win32ErrorFromErrno(errno));
  }
  if (base && view != baseAddress) {  // a kernel that took the address as a mere hint
    munmap(view, length);
    return kw::failView(ERROR_INVALID_ADDRESS);
  }
  kw::ViewTable& t = kw::viewTable();
  try {
    std::lock_guard<std::mutex> lock(t.mutex);
    t.views[reinterpret_cast<uintptr_t>(view)] = kw::View{object->store, length};
  } catch (...) {
    munmap(view, length);
    return kw::failView(ERROR_NOT_ENOUGH_MEMORY);
  }
  return view;
}

KW32_API LPVOID WINAPI MapViewOfFile(HANDLE mapping, DWORD access, DWORD offsetHigh, DWORD offsetLow,
                                     SIZE_T bytes) {
  return MapViewOfFileEx(mapping, access, offsetHigh, offsetLow, bytes, nullptr);
}

KW32_API BOOL WINAPI UnmapViewOfFile(LPCVOID baseAddress) {
  kw::ViewTable& t = kw::viewTable();
  kw::View view;
  {
    std::lock_guard<std::mutex> lock(t.mutex);
    auto it = t.views.find(reinterpret_cast<uintptr_t>(baseAddress));
    if (it == t.views.end()) {
      SetLastError(ERROR_INVALID_ADDRESS);
      return FALSE;
    }
    view = std::move(it->second);
    t.views.erase(it);
  }
  munmap(const_cast<void*>(baseAddress), view.length);
  return TRUE;  // the store closes here when this was its last view and handle
}
