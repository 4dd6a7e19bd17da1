// korvane message: a message box, and the name of the button that answered it.
#include <korvane/korvane.h>

#include <string>

#include "commands.h"

namespace kvt {
namespace {

const char kMessageHelp[] =
    "usage: korvane message TEXT [--caption CAPTION] [--buttons SET] [--icon KIND] [--default N]\n"
    "Shows a message box (caption \"Korvane\" unless given) and prints the button that\n"
    "answered it: ok, cancel, yes, no, retry, abort or ignore. SET is ok (the default),\n"
    "okcancel, yesno, yesnocancel, retrycancel or abortretryignore; KIND is info, warning,\n"
    "error or question; N (1 to 3) is the default button. Without a display the box goes\n"
    "to standard error and its default button answers.\n";

struct Word {
  const char* name;
  UINT value;
};

const Word kButtons[] = {{"ok", MB_OK},
                         {"okcancel", MB_OKCANCEL},
                         {"yesno", MB_YESNO},
                         {"yesnocancel", MB_YESNOCANCEL},
                         {"retrycancel", MB_RETRYCANCEL},
                         {"abortretryignore", MB_ABORTRETRYIGNORE}};
const Word kIcons[] = {{"info", MB_ICONINFORMATION},
                       {"warning", MB_ICONWARNING},
                       {"error", MB_ICONERROR},
                       {"question", MB_ICONQUESTION}};
const Word kDefaults[] = {{"1", MB_DEFBUTTON1}, {"2", MB_DEFBUTTON2}, {"3", MB_DEFBUTTON3}};
// Indexed by the button ids IDOK (1) to IDNO (7).
const char* const kAnswers[] = {nullptr, "ok", "cancel", "abort", "retry", "ignore", "yes", "no"};

// Looks an option's word up; true and its style bits when it is one of `words`.
template <std::size_t N>
bool lookUp(const Word (&words)[N], const std::string& text, UINT& style) {
  for (const Word& w : words) {
    if (text == w.name) {
      style |= w.value;
      return true;
    }
  }
  return false;
}

}  // namespace

int messageCommand(Args args) {
  Reporter report("message");
  if (wantsHelp(args)) return showHelp(kMessageHelp);
  std::string caption = "Korvane", buttons = "ok", icon, button;
  const int hasCaption = takeOption(args, "caption", caption);
  const int hasButtons = takeOption(args, "buttons", buttons);
  const int hasIcon = takeOption(args, "icon", icon);
  const int hasDefault = takeOption(args, "default", button);
  if (hasCaption < 0) return report.usage("--caption needs a caption");
  if (hasButtons < 0) return report.usage("--buttons needs a set of buttons");
  if (hasIcon < 0) return report.usage("--icon needs a kind");
  if (hasDefault < 0) return report.usage("--default needs a button number");
  if (!checkNoOptions(args, report)) return report.status();
  if (args.empty()) return report.usage("missing TEXT");
  if (args.size() > 1) return report.usage("unexpected argument " + quoted(args[1]));
  UINT style = 0;
  if (!lookUp(kButtons, buttons, style)) return report.usage("no set of buttons " + quoted(buttons));
  if (hasIcon && !lookUp(kIcons, icon, style)) return report.usage("no icon " + quoted(icon));
  if (hasDefault && !lookUp(kDefaults, button, style)) return report.usage("--default takes 1, 2 or 3");

  const int answer = MessageBoxA(nullptr, args[0].c_str(), caption.c_str(), style);
  if (answer < 1 || answer > 7) {
    report.problem("the message box did not run");
    return report.status();
  }
  report.result(kAnswers[answer]);
  return 0;
}

}  // namespace kvt
