// Shared plumbing of the korvane tool: arguments, values from stdin, results and messages.
#ifndef KORVANE_TOOL_COMMON_H
#define KORVANE_TOOL_COMMON_H

#include <functional>
#include <string>
#include <vector>

namespace kvt {

using Args = std::vector<std::string>;

// Exit status of a command that refused an argument or at least one value.
constexpr int kBadInput = 2;

// One command's outcome: results go to stdout, one line per refused value to stderr, and
// the exit status remembers that something was refused.
class Reporter {
 public:
  explicit Reporter(std::string command) : command_(std::move(command)) {}
  void result(const std::string& line) const;
  void problem(const std::string& message);
  // A missing or malformed argument: the message plus a pointer to the help.
  int usage(const std::string& message);
  int status() const { return status_; }

 private:
  std::string command_;
  int status_ = 0;
};

// True when --help (or -h) stands among the arguments.
bool wantsHelp(const Args& args);
int showHelp(const char* text);

// Takes "--name VALUE" or "--name=VALUE" out of args. 1 found, 0 absent, -1 given
// without a value.
int takeOption(Args& args, const std::string& name, std::string& value);

// Refuses any argument left that looks like an option ("--x"); a lone "--" ends the
// options and is dropped. True when all is well.
bool checkNoOptions(Args& args, Reporter& report);

// Calls use for every value: the arguments, or when there are none, each line of the
// standard input (the line end, "\n" or "\r\n", removed). A line holding a zero byte is
// refused here: the library would read only the text before it.
void forEachValue(const Args& values, Reporter& report, const std::function<void(const std::string&)>& use);

// Text for messages: in double quotes, control bytes written as \xNN, cut after about
// 60 bytes (never inside a double-byte character) so that a message stays one short line.
std::string quoted(const std::string& text);
// Control bytes as \xNN and "\" doubled, so that a tokenized picture can be shown and typed.
std::string escapeBytes(const std::string& text);
// The reverse of escapeBytes; false for a malformed escape.
bool unescapeBytes(const std::string& text, std::string& bytes);

// Reads a whole decimal integer ("-12", "+3"); false for anything else or out of range.
bool parseInt(const std::string& text, long lo, long hi, long& value);

}  // namespace kvt

#endif
