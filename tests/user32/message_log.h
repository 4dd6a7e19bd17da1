// Records the messages windows get, for comparing with the sequences Win32 sends.
#pragma once

#include <korvane/win32.h>

#include <mutex>
#include <string>
#include <vector>

struct LoggedMessage {
  std::string window;  // the name the test gave it
  UINT message;
  WPARAM wParam;
  bool operator==(const LoggedMessage& o) const { return window == o.window && message == o.message; }
};

// One log for all windows of the test class "Logged" (window text "name" at creation);
// messages of no interest to the sequences (WM_GETTEXT and such) are left out.
class MessageLog {
 public:
  static MessageLog& get();
  void clear();
  std::vector<LoggedMessage> take();
  void add(HWND window, UINT message, WPARAM wParam);
  void name(HWND window, const std::string& name);

 private:
  std::mutex mutex_;
  std::vector<LoggedMessage> log_;
  std::vector<std::pair<HWND, std::string>> names_;
};

// The class's procedure: logs, then DefWindowProcA; WM_NCCREATE names the window after
// its creation text.
LRESULT CALLBACK loggedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Registers "Logged" once (cbWndExtra: DLGWINDOWEXTRA).
void registerLogged();

std::string describe(const std::vector<LoggedMessage>& log);
