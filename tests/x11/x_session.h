// What the X11 tests share: the X tools as processes (real input through XTEST, as a
// person's would arrive), and pumping this thread's messages until something holds.
#pragma once

#include <korvane/win32.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>

namespace kwtest {

// Runs a shell command; its standard output without the last newline.
inline std::string shell(const std::string& command) {
  std::string out;
  if (FILE* p = popen(command.c_str(), "r")) {
    char buffer[256];
    while (size_t n = fread(buffer, 1, sizeof buffer, p)) out.append(buffer, n);
    pclose(p);
  }
  while (!out.empty() && out.back() == '\n') out.pop_back();
  return out;
}

// The X window with exactly this title, waiting up to 10 s for it to be mapped ("" if none).
inline std::string findXWindow(const std::string& title) {
  return shell("timeout 10 xdotool search --sync --onlyvisible --name '^" + title + "$' 2>/dev/null | head -1");
}

// The same, once it also has the keyboard: keys typed before would go elsewhere, as they
// would for a person typing too soon.
inline std::string findFocusedXWindow(const std::string& title) {
  const std::string id = findXWindow(title);
  if (id.empty()) return id;
  for (int i = 0; i < 500; ++i) {
    if (shell("xdotool getwindowfocus 2>/dev/null") == id) return id;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return "";
}

// Takes and dispatches this thread's messages until `done` or the time is up.
inline bool pumpUntil(const std::function<bool()>& done, int milliseconds = 10000) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

// Pumps for a while, for input still on its way.
inline void pumpFor(int milliseconds) {
  pumpUntil([] { return false; }, milliseconds);
}

}  // namespace kwtest
