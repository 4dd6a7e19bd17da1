// The emulated screen's size, shared by the display DC and the window manager.
#include "internal.h"

#include <cstdio>
#include <cstdlib>

namespace kw {

ScreenSize screenSize() {
  static const ScreenSize size = [] {
    ScreenSize s{1024, 768};
    const char* text = std::getenv("KORVANE_SCREEN");
    int w = 0, h = 0;
    char end = 0;
    // Sizes outside what a screen could be are ignored.
    if (text && std::sscanf(text, "%dx%d%c", &w, &h, &end) == 2 && w > 0 && h > 0 && w <= 16384 && h <= 16384) {
      s = {w, h};
    }
    return s;
  }();
  return size;
}

}  // namespace kw
