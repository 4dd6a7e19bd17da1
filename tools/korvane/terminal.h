// The standard input as a keyboard: byte by byte, in raw mode while it is a terminal (no
// echo, no line editing, Ctrl-C as a byte), restored when the object goes.
#ifndef KORVANE_TOOL_TERMINAL_H
#define KORVANE_TOOL_TERMINAL_H

#include <memory>
#include <string>

namespace kvt {

class Terminal {
 public:
  static constexpr int kEnd = -1;    // end of input
  static constexpr int kQuiet = -2;  // nothing arrived in the time given

  Terminal();
  ~Terminal();
  Terminal(const Terminal&) = delete;
  Terminal& operator=(const Terminal&) = delete;

  // True when the standard input is a terminal (and so was put in raw mode).
  bool interactive() const { return interactive_; }
  // The next byte (0 to 255), kEnd, or kQuiet when a terminal sent nothing for waitMs
  // milliseconds (a negative wait, or input that is not a terminal, waits for good).
  int next(int waitMs);
  // Writes to the terminal at once.
  void show(const std::string& text) const;

 private:
  struct Saved;
  bool interactive_ = false;
  std::unique_ptr<Saved> saved_;
};

}  // namespace kvt

#endif
