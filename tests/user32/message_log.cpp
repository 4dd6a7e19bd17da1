#include "message_log.h"

#include <algorithm>
#include <cstdio>

MessageLog& MessageLog::get() {
  static MessageLog log;
  return log;
}

void MessageLog::clear() {
  std::lock_guard<std::mutex> lock(mutex_);
  log_.clear();
}

std::vector<LoggedMessage> MessageLog::take() {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<LoggedMessage> out;
  out.swap(log_);
  return out;
}

void MessageLog::name(HWND window, const std::string& name) {
  std::lock_guard<std::mutex> lock(mutex_);
  names_.emplace_back(window, name);
}

void MessageLog::add(HWND window, UINT message, WPARAM wParam) {
  static const UINT ignored[] = {WM_GETTEXT, WM_GETTEXTLENGTH, WM_GETICON, WM_NCHITTEST, WM_SETCURSOR,
                                 WM_GETDLGCODE, WM_NCPAINT, WM_ERASEBKGND, WM_PAINT};
  if (std::find(std::begin(ignored), std::end(ignored), message) != std::end(ignored)) return;
  std::lock_guard<std::mutex> lock(mutex_);
  std::string who = "?";
  for (auto it = names_.rbegin(); it != names_.rend(); ++it)
    if (it->first == window) {
      who = it->second;
      break;
    }
  log_.push_back({who, message, wParam});
}

LRESULT CALLBACK loggedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    MessageLog::get().name(window, cs->lpszName ? cs->lpszName : "");
  }
  MessageLog::get().add(window, message, wParam);
  return DefWindowProcA(window, message, wParam, lParam);
}

void registerLogged() {
  static const bool done = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = loggedProc;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.lpszClassName = "Logged";
    return RegisterClassA(&wc) != 0;
  }();
  (void)done;
}

std::string describe(const std::vector<LoggedMessage>& log) {
  std::string out;
  for (const auto& m : log) {
    char line[64];
    std::snprintf(line, sizeof line, "%s:%04X ", m.window.c_str(), m.message);
    out += line;
  }
  return out;
}
