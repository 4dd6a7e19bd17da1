// The test programs link the library's objects into the program itself, so no loader sends
// the library's entry point its notifications: this main sends them as a loader of
// korvane.dll would, process attach before the tests and detach after them, and a TLS
// callback passes on every thread's end.
#include <windows.h>

#include <gtest/gtest.h>

#include "frame/entry.h"

namespace {

void NTAPI threadNotice(PVOID module, DWORD reason, PVOID) {
  if (reason == DLL_THREAD_ATTACH || reason == DLL_THREAD_DETACH)
    DllMain(static_cast<HINSTANCE>(module), reason, nullptr);
}

}  // namespace

// The loader calls what the .CRT$XL? sections list on each thread's start and end.
extern "C" __attribute__((section(".CRT$XLK"), used)) const PIMAGE_TLS_CALLBACK korvaneThreadNotice = threadNotice;

int main(int argc, char** argv) {
  HINSTANCE module = GetModuleHandleA(nullptr);
  DllMain(module, DLL_PROCESS_ATTACH, nullptr);
  testing::InitGoogleTest(&argc, argv);
  int result = RUN_ALL_TESTS();
  DllMain(module, DLL_PROCESS_DETACH, nullptr);
  return result;
}
