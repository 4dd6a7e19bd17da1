// korvane demo: a short tour of the tool with fixed inputs.
#include <korvane/korvane.h>

#include <cstdio>
#include <string>

#include "commands.h"

namespace kvt {
namespace {

const char kDemoHelp[] =
    "usage: korvane [--profile FILE] [--lang ID] demo\n"
    "Runs each command of the tool on fixed inputs and shows the command lines.\n";

// Number pictures and texts are written here with "," and "."; the demo shows them with
// the separators in force, so that it runs under any regional settings. (Scientific
// pictures always use ".".)
class Localizer {
 public:
  Localizer() {
    tagINTLPROFILE p{};
    FMTGetProfileIntl(&p);
    thousands_ = p.sThousand;
    decimal_ = p.sDecimal ? p.sDecimal : '.';
  }

  std::string operator()(const std::string& us) const {
    std::string out;
    for (char c : us) {
      if (c == ',') {
        if (thousands_) out += thousands_;
      } else if (c == '.') {
        out += decimal_;
      } else {
        out += c;
      }
    }
    return out;
  }

 private:
  char thousands_ = ',';
  char decimal_ = '.';
};

// A command line as a shell would take it.
std::string shown(const Args& args) {
  std::string line = "$ korvane";
  for (const auto& a : args) {
    line += ' ';
    if (!a.empty() && a.find_first_of(" \t\"'$;()*|&<>\\#!?") == std::string::npos) {
      line += a;
    } else {
      line += '\'';
      for (char c : a) line += c == '\'' ? std::string("'\\''") : std::string(1, c);
      line += '\'';
    }
  }
  return line;
}

}  // namespace

int demoCommand(Args args) {
  Reporter report("demo");
  if (wantsHelp(args)) return showHelp(kDemoHelp);
  if (!checkNoOptions(args, report)) return report.status();
  if (!args.empty()) return report.usage("unexpected argument " + quoted(args[0]));

  const Localizer local;
  const std::string money = local("#,##0.00");
  // A "-" negative section is valid whatever the regional currency forms are.
  const std::string sections = money + ";-" + money;
  const Args steps[] = {
      {"settings"},
      {"number", "calc", "(1.10 + 2.20) * 3", "2 / 3"},
      {"number", "calc", "--round", "2", "2 / 3"},
      {"number", "format", money, "1234567.891", "-1234.5"},
      {"number", "format", sections, "-5"},
      {"number", "format", local("0.0%"), "0.125"},
      {"number", "format", "", "1234.5"},
      {"number", "format", "$", "-1234.5"},
      {"number", "format", "0.00E+00", "12345"},
      {"number", "parse", sections, local("-1,234.50")},
      {"number", "tokenize", money},
      {"date", "format", "dddd, MMMM dd, yyyy", "2001-03-15"},
      {"date", "format", "hh:mm AMPM", "2001-03-15-13.05.09"},
      {"date", "parse", "March 15, 2001", "2001-12-25"},
      {"date", "guess", "Dec 25, 2001", "12:30:05 PM"},
      {"mask", "apply", "(999) 999-9999", "5551234567"},
      {"mask", "strip", "(999) 999-9999", "(555) 123-4567"},
  };
  int status = 0;
  bool first = true;
  for (const Args& step : steps) {
    std::printf("%s%s\n", first ? "" : "\n", shown(step).c_str());
    first = false;
    std::fflush(stdout);
    const int s = runCommand(step);
    if (s > status) status = s;
  }
  std::fflush(stdout);
  return status;
}

}  // namespace kvt
