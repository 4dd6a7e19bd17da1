// korvane mask: putting typed text into an input mask and taking it out again.
#include <korvane/korvane.h>

#include <string>
#include <vector>

#include "commands.h"

namespace kvt {
namespace {

const char kMaskHelp[] =
    "usage: korvane mask apply MASK TEXT...   put the characters of TEXT into MASK\n"
    "       korvane mask strip MASK TEXT...   take the typed characters out of masked TEXT\n"
    "       korvane mask edit MASK            type into a masked field (korvane mask edit --help)\n"
    "Mask characters: 9 digit, a letter, A letter (upper-cased), n letter or digit,\n"
    "N the same upper-cased, X any, ! any (upper-cased), * any (last: all further text);\n"
    "every other character is a literal. Example: korvane mask apply \"(999) 999-9999\" 5551234567\n"
    "Without TEXT, one text per line is read from standard input.\n";

int apply(Args args) {
  Reporter report("mask apply");
  if (wantsHelp(args)) return showHelp(kMaskHelp);
  if (!checkNoOptions(args, report)) return report.status();
  if (args.empty()) return report.usage("missing MASK");
  const std::string mask = args[0];
  if (!checkMask(mask, report)) return report.status();
  forEachValue(Args(args.begin() + 1, args.end()), report, [&](const std::string& text) {
    // The masked text holds at most every mask position plus, for an unlimited mask,
    // all of the text.
    std::vector<char> out(mask.size() + text.size() + 2);
    if (!FMTMaskText(text.c_str(), out.data(), mask.c_str())) return report.problem("cannot mask " + quoted(text));
    report.result(out.data());
  });
  return report.status();
}

int strip(Args args) {
  Reporter report("mask strip");
  if (wantsHelp(args)) return showHelp(kMaskHelp);
  if (!checkNoOptions(args, report)) return report.status();
  if (args.empty()) return report.usage("missing MASK");
  const std::string mask = args[0];
  if (!checkMask(mask, report)) return report.status();
  forEachValue(Args(args.begin() + 1, args.end()), report, [&](const std::string& text) {
    std::string typed;
    if (!unmask(mask, text, typed)) return report.problem("text does not fit the mask " + quoted(mask) + ": " + quoted(text));
    report.result(typed);
  });
  return report.status();
}

}  // namespace

bool checkMask(const std::string& mask, Reporter& report) {
  // A leading "^" only marks how a field's value is fetched.
  const std::string proper = !mask.empty() && mask[0] == '^' ? mask.substr(1) : mask;
  if (!FMTIsValidMaskFormat(proper.c_str())) {
    report.problem("invalid mask " + quoted(mask));
    return false;
  }
  return true;
}

bool unmask(const std::string& mask, const std::string& text, std::string& typed) {
  std::string input = text, picture = mask;
  std::vector<char> out(text.size() + 1);
  FMTCNTLBLOCK block;
  FMTInitCntlBlock(&block);
  block.lpszInput = input.data();
  block.lpszPicture = picture.data();
  block.lpszOutput = out.data();
  if (!FMTUnmaskInput(&block)) return false;
  typed = out.data();
  return true;
}

int maskCommand(Args args) {
  Reporter report("mask");
  if (args.empty()) return report.usage("missing subcommand");
  const std::string sub = args[0];
  args.erase(args.begin());
  if (sub == "apply") return apply(std::move(args));
  if (sub == "strip") return strip(std::move(args));
  if (sub == "edit") return maskEditCommand(std::move(args));
  if (sub == "--help" || sub == "-h") return showHelp(kMaskHelp);
  return report.usage("unknown subcommand " + quoted(sub));
}

}  // namespace kvt
