// WH_CBT hooks. The chain is a list, newest first; a hook unhooked while a chain runs stays
// in the list, skipped, until no chain runs, so CallNextHookEx still finds its place.
#include "user32/hooks.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <vector>

namespace kw::user32 {
namespace {

struct Hook {
  HHOOK handle;
  HOOKPROC proc;
  DWORD thread;  // 0: every thread
  bool removed = false;
};

struct Hooks {
  std::mutex mutex;
  std::vector<std::shared_ptr<Hook>> chain;
  ULONG_PTR nextHandle = 0x10;
  int running = 0;
};

Hooks& hooks() {
  static auto* h = new Hooks;
  return *h;
}

bool applies(const Hook& h, DWORD thread) { return !h.removed && (h.thread == 0 || h.thread == thread); }

// The first live hook for this thread after `from` (null: from the start), thread hooks
// before global ones as Windows orders them.
std::shared_ptr<Hook> nextHook(HHOOK from) {
  Hooks& hs = hooks();
  DWORD thread = GetCurrentThreadId();
  std::lock_guard<std::mutex> lock(hs.mutex);
  std::vector<std::shared_ptr<Hook>> order;
  for (const auto& h : hs.chain)
    if (h->thread == thread) order.push_back(h);
  for (const auto& h : hs.chain)
    if (h->thread == 0) order.push_back(h);
  auto it = order.begin();
  if (from) {
    it = std::find_if(order.begin(), order.end(), [&](const auto& h) { return h->handle == from; });
    if (it == order.end()) return nullptr;
    ++it;
  }
  for (; it != order.end(); ++it)
    if (applies(**it, thread)) return *it;
  return nullptr;
}

LRESULT callFrom(HHOOK from, int code, WPARAM wParam, LPARAM lParam) {
  std::shared_ptr<Hook> h = nextHook(from);
  if (!h) return 0;
  Hooks& hs = hooks();
  {
    std::lock_guard<std::mutex> lock(hs.mutex);
    ++hs.running;
  }
  LRESULT result = h->proc(code, wParam, lParam);
  std::lock_guard<std::mutex> lock(hs.mutex);
  if (--hs.running == 0)
    hs.chain.erase(std::remove_if(hs.chain.begin(), hs.chain.end(), [](const auto& x) { return x->removed; }),
                   hs.chain.end());
  return result;
}

}  // namespace

LRESULT callCbtHooks(int code, WPARAM wParam, LPARAM lParam) { return callFrom(nullptr, code, wParam, lParam); }

}  // namespace kw::user32

using namespace kw::user32;

KW32_API HHOOK WINAPI SetWindowsHookExA(int type, HOOKPROC proc, HINSTANCE, DWORD threadId) {
  if (type != WH_CBT) {
    SetLastError(ERROR_INVALID_HOOK_FILTER);
    return nullptr;
  }
  if (!proc) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  Hooks& hs = hooks();
  std::lock_guard<std::mutex> lock(hs.mutex);
  auto h = std::make_shared<Hook>(Hook{reinterpret_cast<HHOOK>(hs.nextHandle), proc, threadId});
  hs.nextHandle += 4;
  hs.chain.insert(hs.chain.begin(), h);
  return h->handle;
}

KW32_API BOOL WINAPI UnhookWindowsHookEx(HHOOK hook) {
  Hooks& hs = hooks();
  std::lock_guard<std::mutex> lock(hs.mutex);
  auto it = std::find_if(hs.chain.begin(), hs.chain.end(), [&](const auto& h) { return h->handle == hook; });
  if (!hook || it == hs.chain.end() || (*it)->removed) {
    SetLastError(ERROR_INVALID_HOOK_HANDLE);
    return FALSE;
  }
  if (hs.running)
    (*it)->removed = true;
  else
    hs.chain.erase(it);
  return TRUE;
}

KW32_API LRESULT WINAPI CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
  return callFrom(hook, code, wParam, lParam);
}
