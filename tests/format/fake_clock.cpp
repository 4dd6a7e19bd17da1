// Stands in for the platform's GetSystemTime in this test program so that tests can
// choose the current year; with no year set every call is passed on. On Linux the
// platform's function is interposed through the loader; on Windows the library's calls go
// through the import slot `__imp_GetSystemTime`, which this file fills itself, so the
// linker takes it instead of kernel32's.
#include "test_support.h"

#include <atomic>

#ifndef _WIN32
#include <dlfcn.h>
#endif

namespace {

std::atomic<int> gFakeYear{0};

using Clock = void(WINAPI*)(LPSYSTEMTIME);

Clock realClock() {
#ifdef _WIN32
  static Clock real = reinterpret_cast<Clock>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetSystemTime")));
#else
  static Clock real = reinterpret_cast<Clock>(dlsym(RTLD_NEXT, "GetSystemTime"));
#endif
  return real;
}

void WINAPI fakeClock(LPSYSTEMTIME time) {
  realClock()(time);
  if (int year = gFakeYear; year && time) time->wYear = static_cast<WORD>(year);
}

}  // namespace

void setFakeYear(int year) { gFakeYear = year; }

#ifdef _WIN32
extern "C" {
Clock __imp_GetSystemTime = fakeClock;
}
#else
extern "C" void WINAPI GetSystemTime(LPSYSTEMTIME time) { fakeClock(time); }
#endif
