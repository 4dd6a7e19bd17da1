// Buttons, default and icon of the message box styles.
#include "user32/msgbox_plan.h"

namespace kw::user32 {

namespace {
constexpr MessageBoxButton kOk{IDOK, "OK"}, kCancel{IDCANCEL, "Cancel"}, kAbort{IDABORT, "&Abort"},
    kRetry{IDRETRY, "&Retry"}, kIgnore{IDIGNORE, "&Ignore"}, kYes{IDYES, "&Yes"}, kNo{IDNO, "&No"},
    kTryAgain{IDTRYAGAIN, "&Try Again"}, kContinue{IDCONTINUE, "&Continue"};
}  // namespace

MessageBoxPlan planMessageBox(UINT type) {
  MessageBoxPlan plan;
  switch (type & MB_TYPEMASK) {
    case MB_OK: plan.buttons = {kOk}; plan.escapeId = IDOK; break;
    case MB_OKCANCEL: plan.buttons = {kOk, kCancel}; break;
    case MB_ABORTRETRYIGNORE: plan.buttons = {kAbort, kRetry, kIgnore}; break;
    case MB_YESNOCANCEL: plan.buttons = {kYes, kNo, kCancel}; break;
    case MB_YESNO: plan.buttons = {kYes, kNo}; break;
    case MB_RETRYCANCEL: plan.buttons = {kRetry, kCancel}; break;
    case MB_CANCELTRYCONTINUE: plan.buttons = {kCancel, kTryAgain, kContinue}; break;
    default: return plan;
  }
  for (const MessageBoxButton& b : plan.buttons)
    if (b.id == IDCANCEL) plan.escapeId = IDCANCEL;
  size_t wanted = (type & MB_DEFMASK) >> 8;
  plan.defaultButton = wanted < plan.buttons.size() ? wanted : 0;
  UINT icon = type & MB_ICONMASK;
  plan.icon = icon <= MB_ICONASTERISK ? icon : 0;
  return plan;
}

std::string messageBoxReport(LPCSTR caption, LPCSTR text, const MessageBoxPlan& plan) {
  std::string line = caption ? caption : "Error";
  line += ": ";
  line += text ? text : "";
  if (!plan.buttons.empty()) {
    line += " [";
    for (const char* p = plan.buttons[plan.defaultButton].label; *p; ++p)
      if (*p != '&') line += *p;
    line += "]";
  }
  return line;
}

}  // namespace kw::user32
