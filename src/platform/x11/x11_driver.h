// The X11 display driver: top-level windows as X windows on the server DISPLAY names.
#pragma once

#include <string>

namespace kw::user32 {
class Driver;
}

namespace kw::x11 {

// Connects to DISPLAY; null with the reason in `why` when no server answers.
user32::Driver* openDriver(std::string* why);

}  // namespace kw::x11
