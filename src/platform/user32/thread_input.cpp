// The records of the threads' input state.
#include "user32/thread_input.h"

#include "user32/window.h"

#include <atomic>
#include <unordered_map>

namespace kw::user32 {
namespace {

std::unordered_map<DWORD, ThreadInput>& inputs() {
  static auto* m = new std::unordered_map<DWORD, ThreadInput>;
  return *m;
}

std::atomic<BYTE> gAsync[256];

}  // namespace

ThreadInput& threadInput(DWORD thread) { return inputs()[thread]; }

HWND& foregroundWindow() {
  static HWND foreground = nullptr;
  return foreground;
}

HWND& captureWindow() {
  static HWND capture = nullptr;
  return capture;
}

BYTE asyncKeyState(int key) { return key >= 0 && key < 256 ? gAsync[key].load() : 0; }

void setAsyncKeyState(int key, BYTE state) {
  if (key >= 0 && key < 256) gAsync[key] = state;
}

void forgetThreadInput(DWORD thread) {
  WindowsLock lock(windowsLock());
  inputs().erase(thread);
}

}  // namespace kw::user32
