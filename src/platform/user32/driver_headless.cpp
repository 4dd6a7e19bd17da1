// The headless driver, and the choice of driver.
#include <korvane/platform.h>

#include "user32/driver.h"
#include "x11/x11_driver.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace kw::user32 {
namespace {

class Headless final : public Driver {
 public:
  ScreenSize screen() override { return screenSize(); }
  void shown(HWND, bool) override {}
  void placed(HWND, const RECT&) override {}
  void present(HWND, const RECT&) override {}
  void pollInput() override {}
};

constinit Headless gHeadless;  // no dynamic initialiser
constinit std::atomic<Driver*> gDriver{nullptr};
std::once_flag gChosen;

void choose() {
  const char* wanted = std::getenv("KORVANE_DISPLAY");
  if (wanted && std::strcmp(wanted, "none") == 0) return;
  const bool insist = wanted && std::strcmp(wanted, "x11") == 0;
  if (wanted && !insist) {
    std::fprintf(stderr, "korvane: KORVANE_DISPLAY=%s is not a display driver (none, x11); running headless\n",
                 wanted);
    return;
  }
  const char* display = std::getenv("DISPLAY");
  if (!insist && (!display || !*display)) return;
  std::string why;
  if (Driver* x11 = x11::openDriver(&why)) {
    Driver* none = nullptr;
    gDriver.compare_exchange_strong(none, x11);  // a driver installed meanwhile stays
    return;
  }
  if (insist) {
    // Asked for a screen and there is none: nothing shown would mislead more than stopping.
    std::fprintf(stderr, "korvane: KORVANE_DISPLAY=x11, but %s\n", why.c_str());
    std::_Exit(1);
  }
}

}  // namespace

Driver& driver() {
  std::call_once(gChosen, choose);
  Driver* d = gDriver.load();
  return d ? *d : gHeadless;
}

void installDriver(Driver* replacement) {
  std::call_once(gChosen, [] {});
  gDriver.store(replacement);
}

}  // namespace kw::user32

KW32_API BOOL WINAPI KwDisplayInteractive(void) { return kw::user32::driver().interactive() ? TRUE : FALSE; }
