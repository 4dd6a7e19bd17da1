// korvane: the library's everyday work from a shell.
#include <korvane/korvane.h>
#if !defined(_WIN32)
#include <korvane/platform.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <string>

#include "commands.h"

namespace kvt {
namespace {

const char kToolHelp[] =
    "usage: korvane [--profile FILE] [--lang ID] COMMAND [ARGS...]\n"
    "\n"
    "  number format PICTURE VALUE...     format numbers by a picture (\"\" and \"$\": regional forms)\n"
    "  number parse PICTURE TEXT...       read formatted numbers back\n"
    "  number calc [--round N] EXPR...    decimal arithmetic: + - * / and parentheses\n"
    "  number tokenize PICTURE...         the stored, locale-neutral form of a picture\n"
    "  date format PICTURE ISO-DATE...    format dates and times by a picture\n"
    "  date parse [--picture P] TEXT...   read typed dates and times as ISO text\n"
    "  date guess TEXT...                 the standard shape a date is written in\n"
    "  mask apply MASK TEXT...            put text into an input mask\n"
    "  mask strip MASK TEXT...            take the typed characters out of masked text\n"
    "  settings                           the regional settings in force and their source\n"
    "  charset                            the character set in force\n"
    "  printers                           the printers, their ports and papers, the default\n"
    "  print [OPTIONS] FILE               print a text file (korvane print --help)\n"
    "  fonts [FACE]                       the screen's font faces, or the fonts of one face\n"
    "  message TEXT [OPTIONS]             a message box; prints the button that answered\n"
    "  version                            the library's product and build versions\n"
    "  demo                               a short tour with fixed inputs\n"
    "\n"
    "Values come from the arguments or, when none are given, one per line from standard\n"
    "input. A refused value gets a one-line message on standard error and the exit status 2;\n"
    "the other values are still processed.\n"
    "\n"
    "  --profile FILE   read the regional settings from this win.ini\n"
    "  --lang ID        system language, hex (0x0411) or decimal (1041)\n"
    "\n"
    "`korvane COMMAND --help` describes a command.\n";

#if !defined(_WIN32)
// A language id as "0x0411" or "1041".
bool parseLangId(const std::string& text, unsigned long& id) {
  if (text.empty() || text[0] == '-' || text[0] == '+' || text[0] == ' ') return false;
  char* end = nullptr;
  id = std::strtoul(text.c_str(), &end, 0);
  return *end == '\0' && id > 0 && id <= 0xFFFF;
}
#endif

// Takes --profile and --lang wherever they stand and sets the emulated system up before
// anything reads a setting.
bool configure(Args& args, Reporter& report) {
  std::string profile, lang;
  const int hasProfile = takeOption(args, "profile", profile);
  const int hasLang = takeOption(args, "lang", lang);
  if (hasProfile < 0 || hasLang < 0) {
    report.usage(hasProfile < 0 ? "--profile needs a file" : "--lang needs a language id");
    return false;
  }
  if (!hasProfile && !hasLang) return true;
#if defined(_WIN32)
  report.problem("--profile and --lang are not available on Windows: the system's settings serve");
  return false;
#else
  if (hasProfile) {
    if (std::FILE* f = std::fopen(profile.c_str(), "r")) {
      std::fclose(f);
    } else {
      report.problem("cannot read profile " + quoted(profile));
      return false;
    }
    KwConfigureWinIni(profile.c_str());
  }
  if (hasLang) {
    unsigned long id = 0;
    if (!parseLangId(lang, id)) {
      report.usage("--lang takes a language id such as 0x0411, not " + quoted(lang));
      return false;
    }
    KwConfigureSystem(static_cast<LANGID>(id), static_cast<LCID>(id));
  }
  FMTWinIniChanged();
  IntlInit();
  return true;
#endif
}

}  // namespace

int runCommand(const Args& all) {
  Reporter report("");
  if (all.empty()) return report.usage("missing command");
  const std::string name = all[0];
  Args args(all.begin() + 1, all.end());
  if (name == "number") return numberCommand(std::move(args));
  if (name == "date") return dateCommand(std::move(args));
  if (name == "mask") return maskCommand(std::move(args));
  if (name == "settings") return settingsCommand(std::move(args));
  if (name == "charset") return charsetCommand(std::move(args));
  if (name == "demo") return demoCommand(std::move(args));
  if (name == "printers") return printersCommand(std::move(args));
  if (name == "print") return printCommand(std::move(args));
  if (name == "fonts") return fontsCommand(std::move(args));
  if (name == "message") return messageCommand(std::move(args));
  if (name == "version") return versionCommand(std::move(args));
  return report.usage("unknown command " + quoted(name));
}

}  // namespace kvt

int main(int argc, char** argv) {
  kvt::Args args(argv + 1, argv + argc);
  kvt::Reporter report("");
  if (args.empty() || args[0] == "--help" || args[0] == "-h") {
    if (args.empty()) return report.usage("missing command");
    return kvt::showHelp(kvt::kToolHelp);
  }
  if (!kvt::configure(args, report)) return report.status();
  if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) return kvt::showHelp(kvt::kToolHelp);
  const int status = kvt::runCommand(args);
  std::fflush(stdout);
  return status;
}
