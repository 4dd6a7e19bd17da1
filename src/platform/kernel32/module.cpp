// Entry-point notifications for modules on a host that has no loader of its own for them:
// process attach at registration, thread detach when a thread that used thread-local
// storage ends, process detach at unregistration.
#include "internal.h"
#include "kernel32/host_path.h"

#include <dlfcn.h>
#include <limits.h>
#include <stdlib.h>
#include <strings.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

namespace {

struct Module {
  std::string name;
  KW_DLLMAIN entry;
  const KW_RESOURCES* resources;
  std::string path;  // the host file that holds the entry point, links resolved
};

std::string resolvedPath(const char* path) {
  char real[PATH_MAX];
  return realpath(path, real) ? std::string(real) : std::string(path);
}

// The file a module's code was loaded from: the shared object or program holding `entry`.
std::string fileOfEntry(KW_DLLMAIN entry) {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(entry), &info) == 0 || info.dli_fname == nullptr || !*info.dli_fname)
    return kw::programPath();
  return resolvedPath(info.dli_fname);
}

struct Registry {
  std::mutex mutex;
  std::vector<Module*> modules;
  std::vector<Module*> retired;  // kept: a thread exiting right now may still hold one
};

Registry& registry() {
  static Registry* r = new Registry;  // thread exits may still consult it at process end
  return *r;
}

std::vector<Module*> snapshot() {
  Registry& r = registry();
  std::lock_guard<std::mutex> lock(r.mutex);
  return r.modules;
}

// Lives in each thread that stored a thread-local storage value; its destructor runs when
// the thread ends and passes DLL_THREAD_DETACH to every registered module.
struct ThreadExitNotice {
  bool armed = false;
  ~ThreadExitNotice() {
    if (!armed) return;
    for (Module* m : snapshot()) m->entry(reinterpret_cast<HINSTANCE>(m), DLL_THREAD_DETACH, nullptr);
  }
};

thread_local ThreadExitNotice exitNotice;

}  // namespace

namespace kw {
void noteThreadUsesLibrary() { exitNotice.armed = true; }

std::string programPath() {
  char path[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return {};
  path[n] = '\0';
  return path;
}

std::vector<HINSTANCE> modulesOfFile(const std::string& hostPath) {
  const std::string wanted = resolvedPath(hostPath.c_str());
  std::vector<HINSTANCE> found;
  Registry& r = registry();
  std::lock_guard<std::mutex> lock(r.mutex);
  for (Module* m : r.modules)
    if (m->path == wanted) found.push_back(reinterpret_cast<HINSTANCE>(m));
  return found;
}

const KW_RESOURCES* moduleResources(HINSTANCE module) {
  Registry& r = registry();
  std::lock_guard<std::mutex> lock(r.mutex);
  for (Module* m : r.modules)
    if (reinterpret_cast<HINSTANCE>(m) == module) return m->resources;
  return nullptr;
}
}  // namespace kw

KW32_API HINSTANCE WINAPI KwRegisterModule(LPCSTR name, KW_DLLMAIN entry, const KW_RESOURCES* resources) {
  if (!entry) return nullptr;
  auto* m = new Module{name ? name : "", entry, resources, fileOfEntry(entry)};
  {
    Registry& r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    r.modules.push_back(m);
  }
  HINSTANCE handle = reinterpret_cast<HINSTANCE>(m);
  entry(handle, DLL_PROCESS_ATTACH, nullptr);
  return handle;
}

KW32_API void WINAPI KwUnregisterModule(HINSTANCE module) {
  auto* m = reinterpret_cast<Module*>(module);
  {
    Registry& r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    auto it = std::find(r.modules.begin(), r.modules.end(), m);
    if (it == r.modules.end()) return;
    r.modules.erase(it);
    r.retired.push_back(m);
  }
  // The detach notice is passed outside the registry lock; the entry may call back into us.
  m->entry(module, DLL_PROCESS_DETACH, nullptr);
}

KW32_API DWORD WINAPI GetModuleFileNameA(HMODULE module, LPSTR name, DWORD size) {
  std::string host;
  if (module == nullptr) {
    host = kw::programPath();
  } else {
    Registry& r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    for (Module* m : r.modules)
      if (reinterpret_cast<HMODULE>(m) == module) host = m->path;
  }
  if (host.empty()) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return 0;
  }
  if (name == nullptr || size == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  const std::string ansi = kw::ansiFromHost(host);
  if (ansi.size() >= size) {
    std::memcpy(name, ansi.data(), size - 1);
    name[size - 1] = '\0';
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
  }
  std::memcpy(name, ansi.c_str(), ansi.size() + 1);
  return static_cast<DWORD>(ansi.size());
}

namespace {

// "korvane", "KORVANE.DLL": a module's name as Windows callers write it.
bool namesModule(const std::string& registered, const char* wanted) {
  const size_t n = registered.size();
  if (strncasecmp(registered.c_str(), wanted, n) != 0) return false;
  return wanted[n] == '\0' || strcasecmp(wanted + n, ".dll") == 0;
}

}  // namespace

KW32_API BOOL WINAPI GetModuleHandleExA(DWORD flags, LPCSTR name, HMODULE* module) {
  constexpr DWORD kKnown = GET_MODULE_HANDLE_EX_FLAG_PIN | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT |
                           GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS;
  if (module == nullptr || (flags & ~kKnown)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *module = nullptr;
  if (flags & GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS) {
    Dl_info info{};
    if (name && dladdr(name, &info) != 0 && info.dli_fname && *info.dli_fname) {
      const std::string file = resolvedPath(info.dli_fname);
      const std::vector<HINSTANCE> found = kw::modulesOfFile(file);
      if (!found.empty()) {
        *module = found.front();
        return TRUE;
      }
      // The program itself, with no module registered in it.
      if (file == resolvedPath(kw::programPath().c_str())) return TRUE;
    }
  } else if (name == nullptr) {
    return TRUE;
  } else {
    Registry& r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    for (Module* m : r.modules)
      if (namesModule(m->name, name)) {
        *module = reinterpret_cast<HMODULE>(m);
        return TRUE;
      }
  }
  SetLastError(ERROR_MOD_NOT_FOUND);
  return FALSE;
}
