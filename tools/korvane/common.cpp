#include "common.h"

#include <korvane/win32.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace kvt {

void Reporter::result(const std::string& line) const {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
}

void Reporter::problem(const std::string& message) {
  // Keep the order of results and messages when both streams go to one terminal.
  std::fflush(stdout);
  const std::string who = command_.empty() ? "korvane" : "korvane " + command_;
  std::fprintf(stderr, "%s: %s\n", who.c_str(), message.c_str());
  status_ = kBadInput;
}

int Reporter::usage(const std::string& message) {
  problem(message + " (see korvane " + (command_.empty() ? "" : command_ + " ") + "--help)");
  return status_;
}

bool wantsHelp(const Args& args) {
  for (const auto& a : args) {
    if (a == "--") return false;
    if (a == "--help" || a == "-h") return true;
  }
  return false;
}

int showHelp(const char* text) {
  std::fputs(text, stdout);
  return 0;
}

int takeOption(Args& args, const std::string& name, std::string& value) {
  const std::string flag = "--" + name;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--") break;
    if (args[i] == flag) {
      if (i + 1 >= args.size()) {
        args.erase(args.begin() + static_cast<long>(i));
        return -1;
      }
      value = args[i + 1];
      args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
      return 1;
    }
    if (args[i].compare(0, flag.size() + 1, flag + "=") == 0) {
      value = args[i].substr(flag.size() + 1);
      args.erase(args.begin() + static_cast<long>(i));
      return 1;
    }
  }
  return 0;
}

bool checkNoOptions(Args& args, Reporter& report) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--") {
      args.erase(args.begin() + static_cast<long>(i));
      return true;
    }
    // "-5" is a value; only "--word" is taken for an option.
    if (args[i].size() > 2 && args[i][0] == '-' && args[i][1] == '-') {
      report.usage("unknown option " + args[i]);
      return false;
    }
  }
  return true;
}

void forEachValue(const Args& values, Reporter& report, const std::function<void(const std::string&)>& use) {
  if (!values.empty()) {
    for (const auto& v : values) use(v);
    return;
  }
  std::string line;
  while (std::getline(std::cin, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find('\0') != std::string::npos)
      report.problem("zero byte in " + quoted(line));
    else
      use(line);
  }
}

namespace {
const char kHex[] = "0123456789ABCDEF";

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void appendHex(std::string& out, unsigned char c) {
  out += "\\x";
  out += kHex[c >> 4];
  out += kHex[c & 15];
}
}  // namespace

std::string quoted(const std::string& text) {
  constexpr std::size_t kShown = 60;
  std::string out = "\"";
  std::size_t i = 0;
  while (i < text.size() && i < kShown) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x20 || c == 0x7F) {
      appendHex(out, c);
      ++i;
      continue;
    }
    // Whole characters of the code page in force.
    const char* p = text.c_str() + i;
    std::size_t step = static_cast<std::size_t>(CharNextA(p) - p);
    if (step < 1 || i + step > text.size()) step = 1;
    out.append(text, i, step);
    i += step;
  }
  if (i < text.size()) out += "...";
  return out + "\"";
}

std::string escapeBytes(const std::string& text) {
  std::string out;
  for (unsigned char c : text) {
    if (c < 0x20 || c == 0x7F)
      appendHex(out, c);
    else if (c == '\\')
      out += "\\\\";
    else
      out += static_cast<char>(c);
  }
  return out;
}

bool unescapeBytes(const std::string& text, std::string& bytes) {
  bytes.clear();
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      bytes += text[i];
      continue;
    }
    if (i + 1 < text.size() && text[i + 1] == '\\') {
      bytes += '\\';
      ++i;
      continue;
    }
    if (i + 3 >= text.size() || (text[i + 1] != 'x' && text[i + 1] != 'X')) return false;
    const int hi = hexDigit(text[i + 2]);
    const int lo = hexDigit(text[i + 3]);
    if (hi < 0 || lo < 0 || (hi == 0 && lo == 0)) return false;
    bytes += static_cast<char>(hi * 16 + lo);
    i += 3;
  }
  return true;
}

bool parseInt(const std::string& text, long lo, long hi, long& value) {
  if (text.empty()) return false;
  const char* begin = text.c_str();
  if (*begin == ' ' || *begin == '\t') return false;
  char* end = nullptr;
  errno = 0;
  const long v = std::strtol(begin, &end, 10);
  if (errno || *end || v < lo || v > hi) return false;
  value = v;
  return true;
}

}  // namespace kvt
