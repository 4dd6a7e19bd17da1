// Entry-point notifications for modules on a host that has no loader of its own for them:
// process attach at registration, thread detach when a thread that used thread-local
// storage ends, process detach at unregistration.
#include "internal.h"

#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

namespace {

struct Module {
  std::string name;
  KW_DLLMAIN entry;
  const KW_RESOURCES* resources;
};

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
  auto* m = new Module{name ? name : "", entry, resources};
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
