// Interposes the platform's GetSystemTime for this test program so that tests can choose
// the current year; with no year set every call is passed on.
#include "test_support.h"

#include <dlfcn.h>

#include <atomic>

namespace {
std::atomic<int> gFakeYear{0};
}

void setFakeYear(int year) { gFakeYear = year; }

extern "C" void WINAPI GetSystemTime(LPSYSTEMTIME time) {
  using Fn = void(WINAPI*)(LPSYSTEMTIME);
  static Fn next = reinterpret_cast<Fn>(dlsym(RTLD_NEXT, "GetSystemTime"));
  next(time);
  if (int year = gFakeYear; year && time) time->wYear = static_cast<WORD>(year);
}
