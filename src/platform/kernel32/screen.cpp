// The size of the emulated screen: KORVANE_SCREEN=WxH, read once; 1024x768 without it or
// when it is not a size a screen could have.
#include "internal.h"

#include <cstdlib>

namespace kw {
namespace {

constexpr int kLargest = 16384;

// A decimal number from 1 to kLargest at `p`, moving `p` past it; 0 when there is none.
int readSide(const char*& p) {
  long value = 0;
  const char* start = p;
  while (*p >= '0' && *p <= '9' && value <= kLargest) value = value * 10 + (*p++ - '0');
  return p == start || value < 1 || value > kLargest ? 0 : static_cast<int>(value);
}

ScreenSize fromEnvironment() {
  const char* p = std::getenv("KORVANE_SCREEN");
  if (!p) return {1024, 768};
  int width = readSide(p);
  if (*p != 'x' && *p != 'X') return {1024, 768};
  ++p;
  int height = readSide(p);
  if (!width || !height || *p) return {1024, 768};
  return {width, height};
}

}  // namespace

ScreenSize screenSize() {
  static const ScreenSize size = fromEnvironment();
  return size;
}

}  // namespace kw
