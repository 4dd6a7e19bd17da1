#include "terminal.h"

#include <cstdio>

#if defined(_WIN32)
#include <korvane/win32.h>

#include <fcntl.h>
#include <io.h>
#ifndef ENABLE_VIRTUAL_TERMINAL_INPUT
#define ENABLE_VIRTUAL_TERMINAL_INPUT 0x0200
#endif
#ifndef ENABLE_VIRTUAL_TERMINAL_PROCESSING
#define ENABLE_VIRTUAL_TERMINAL_PROCESSING 0x0004
#endif
#else
#include <errno.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace kvt {

#if defined(_WIN32)

// The console's modes before, so that the console is left as it was found.
struct Terminal::Saved {
  HANDLE in = nullptr, out = nullptr;
  DWORD inMode = 0, outMode = 0;
  bool outSaved = false;
};

Terminal::Terminal() {
  // Keys as bytes: no "\r\n" folding, no Ctrl-Z as the end.
  _setmode(_fileno(stdin), _O_BINARY);
  if (!_isatty(_fileno(stdin))) return;
  auto saved = std::make_unique<Saved>();
  saved->in = GetStdHandle(STD_INPUT_HANDLE);
  if (!GetConsoleMode(saved->in, &saved->inMode)) return;
  // Arrows and the editing keys come as the same escape sequences as on a Unix terminal.
  const DWORD raw = (saved->inMode & ~static_cast<DWORD>(ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT | ENABLE_PROCESSED_INPUT)) |
                    ENABLE_VIRTUAL_TERMINAL_INPUT;
  if (!SetConsoleMode(saved->in, raw)) return;
  saved->out = GetStdHandle(STD_OUTPUT_HANDLE);
  if (GetConsoleMode(saved->out, &saved->outMode)) {
    saved->outSaved = true;
    SetConsoleMode(saved->out, saved->outMode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
  }
  saved_ = std::move(saved);
  interactive_ = true;
}

Terminal::~Terminal() {
  if (!saved_) return;
  SetConsoleMode(saved_->in, saved_->inMode);
  if (saved_->outSaved) SetConsoleMode(saved_->out, saved_->outMode);
}

int Terminal::next(int waitMs) {
  unsigned char c = 0;
  if (!interactive_) return _read(0, &c, 1) == 1 ? c : kEnd;
  if (waitMs >= 0 && WaitForSingleObject(saved_->in, static_cast<DWORD>(waitMs)) != WAIT_OBJECT_0) return kQuiet;
  DWORD got = 0;
  if (!ReadFile(saved_->in, &c, 1, &got, nullptr) || got != 1) return kEnd;
  return c;
}

#else

struct Terminal::Saved {
  termios mode;
};

Terminal::Terminal() {
  if (!isatty(STDIN_FILENO)) return;
  auto saved = std::make_unique<Saved>();
  if (tcgetattr(STDIN_FILENO, &saved->mode) != 0) return;
  termios raw = saved->mode;
  // Bytes as typed: no echo, no line editing, no signals, Enter as "\r"; output as usual.
  raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ISIG | IEXTEN);
  raw.c_iflag &= ~static_cast<tcflag_t>(ICRNL | IXON | ISTRIP);
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  if (tcsetattr(STDIN_FILENO, TCSANOW, &raw) != 0) return;
  saved_ = std::move(saved);
  interactive_ = true;
}

Terminal::~Terminal() {
  if (saved_) tcsetattr(STDIN_FILENO, TCSANOW, &saved_->mode);
}

int Terminal::next(int waitMs) {
  if (interactive_ && waitMs >= 0) {
    pollfd p{STDIN_FILENO, POLLIN, 0};
    if (poll(&p, 1, waitMs) == 0) return kQuiet;
  }
  unsigned char c = 0;
  for (;;) {
    const ssize_t n = read(STDIN_FILENO, &c, 1);
    if (n == 1) return c;
    if (n == 0 || errno != EINTR) return kEnd;
  }
}

#endif

void Terminal::show(const std::string& text) const {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
}

}  // namespace kvt
