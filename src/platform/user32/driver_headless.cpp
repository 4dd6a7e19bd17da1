// The headless driver, and the choice of driver.
#include "user32/driver.h"

#include <atomic>

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

}  // namespace

Driver& driver() {
  Driver* d = gDriver.load();
  return d ? *d : gHeadless;
}

void installDriver(Driver* replacement) { gDriver.store(replacement); }

}  // namespace kw::user32
