// korvane mask edit: a masked field in the terminal. The keys go to a real Edit control
// whose procedure is replaced by the field's own, which hands every message to
// FMTValidateInput first, as an application's masked field does.
#include <korvane/korvane.h>
#if !defined(_WIN32)
#include <korvane/platform.h>
#endif

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "commands.h"
#include "mask_keys.h"
#include "terminal.h"

namespace kvt {
namespace {

const char kEditHelp[] =
    "usage: korvane mask edit MASK [--text TEXT]\n"
    "Type into a field of MASK (starting with TEXT, put into the mask) in the terminal:\n"
    "Left, Right, Home, End, Shift+Home, Shift+End, Delete and Backspace edit it; Enter, or\n"
    "the end of the input, prints the typed characters (the masked text for a mask that\n"
    "begins with \"^\") and exits 0; Ctrl-C or Escape exits 1 and prints nothing.\n"
    "The keys may also come from a pipe; the field is then shown only at the end.\n";

// A terminal sends the rest of an escape sequence at once; a lone ESC is the key.
constexpr int kSequenceWaitMs = 50;

constexpr DWORD kFieldFlags = FMT_FLAG_REMASK | FMT_FLAG_NOTIFY;

struct Field {
  std::string mask;
  WNDPROC original = nullptr;
};
Field* gField = nullptr;  // the one field of the command

// The application's side of the field: the mask's rules first, the control's otherwise.
LRESULT CALLBACK fieldProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  FMTCNTLBLOCK block;
  std::memset(&block, 0, sizeof block);
  FMTInitCntlBlock(&block);
  block.lpszPicture = gField->mask.data();
  block.wFlags |= kFieldFlags;
  block.hWnd = window;
  block.uMsg = message;
  block.wParam = static_cast<UINT>(wParam);
  block.lParam = lParam;
  if (FMTValidateInput(&block)) return block.lResult;
  if (message == FMT_EM_SETMASKEDTEXT) return CallWindowProcA(gField->original, window, WM_SETTEXT, 0, lParam);
  return CallWindowProcA(gField->original, window, message, wParam, lParam);
}

#if !defined(_WIN32)
// A refused key rings the terminal's bell, as the system's beep would.
void ringBell(UINT) { std::fputs("\a", stdout); }
#endif

std::string textOf(HWND edit) {
  std::vector<char> text(static_cast<std::size_t>(GetWindowTextLengthA(edit)) + 1);
  GetWindowTextA(edit, text.data(), static_cast<int>(text.size()));
  return text.data();
}

// Shift+Home and Shift+End: the field reads Shift from the key state.
void sendShifted(HWND edit, WPARAM key) {
  BYTE keys[256];
  GetKeyboardState(keys);
  const BYTE before = keys[VK_SHIFT];
  keys[VK_SHIFT] = static_cast<BYTE>(before | 0x80);
  SetKeyboardState(keys);
  SendMessageA(edit, WM_KEYDOWN, key, 1);
  keys[VK_SHIFT] = before;
  SetKeyboardState(keys);
}

void press(HWND edit, Key key, unsigned char byte) {
  switch (key) {
    case Key::kChar: SendMessageA(edit, WM_CHAR, byte, 1); break;
    case Key::kLeft: SendMessageA(edit, WM_KEYDOWN, VK_LEFT, 1); break;
    case Key::kRight: SendMessageA(edit, WM_KEYDOWN, VK_RIGHT, 1); break;
    case Key::kHome: SendMessageA(edit, WM_KEYDOWN, VK_HOME, 1); break;
    case Key::kEnd: SendMessageA(edit, WM_KEYDOWN, VK_END, 1); break;
    case Key::kShiftHome: sendShifted(edit, VK_HOME); break;
    case Key::kShiftEnd: sendShifted(edit, VK_END); break;
    case Key::kDelete: SendMessageA(edit, WM_KEYDOWN, VK_DELETE, 1); break;
    case Key::kBackspace:
      // As a keyboard delivers it: the key, then the character 8 it translates to.
      SendMessageA(edit, WM_KEYDOWN, VK_BACK, 1);
      SendMessageA(edit, WM_CHAR, 8, 1);
      break;
    default: break;
  }
}

// The field on its line: the text, the selection in reverse video, the cursor at the caret.
void redraw(const Terminal& terminal, HWND edit) {
  const std::string text = textOf(edit);
  const auto selection = static_cast<DWORD>(SendMessageA(edit, EM_GETSEL, 0, 0));
  const std::size_t from = std::min<std::size_t>(LOWORD(selection), text.size());
  const std::size_t to = std::min<std::size_t>(std::max<std::size_t>(HIWORD(selection), from), text.size());
  std::string line = "\r" + text.substr(0, from);
  if (to > from) line += "\x1b[7m" + text.substr(from, to - from) + "\x1b[m";
  line += text.substr(to) + "\x1b[K\r";
  if (from > 0) line += "\x1b[" + std::to_string(from) + "C";
  terminal.show(line);
}

// The field's value: its typed characters, or its masked text under a "^" mask.
bool valueOf(HWND edit, const std::string& mask, std::string& value) {
  const std::string text = textOf(edit);
  if (FMTIsPicNoUnmaskOnGets(mask.c_str())) {
    value = text;
    return true;
  }
  return unmask(mask, text, value);
}

// Runs the field until Enter, the end of the input or a cancel: 1 Enter or end, 0 cancel.
bool runField(Terminal& terminal, HWND edit) {
  KeyDecoder decoder;
  if (terminal.interactive()) redraw(terminal, edit);
  for (;;) {
    const int c = terminal.next(decoder.pending() ? kSequenceWaitMs : -1);
    if (c == Terminal::kEnd) return decoder.flush() != Key::kCancel;
    unsigned char byte = 0;
    const Key key = c == Terminal::kQuiet ? decoder.flush() : decoder.feed(static_cast<unsigned char>(c), byte);
    if (key == Key::kEnter) return true;
    if (key == Key::kCancel) return false;
    if (key == Key::kNone) continue;
    press(edit, key, byte);
    if (terminal.interactive()) redraw(terminal, edit);
  }
}

}  // namespace

int maskEditCommand(Args args) {
  Reporter report("mask edit");
  if (wantsHelp(args)) return showHelp(kEditHelp);
  std::string text;
  const int hasText = takeOption(args, "text", text);
  if (hasText < 0) return report.usage("--text needs a text");
  if (!checkNoOptions(args, report)) return report.status();
  if (args.empty()) return report.usage("missing MASK");
  if (args.size() > 1) return report.usage("unexpected argument " + quoted(args[1]));
  if (!checkMask(args[0], report)) return report.status();

  Field field;
  field.mask = args[0];
  HWND parent = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 400, 40, nullptr, nullptr, nullptr, nullptr);
  HWND edit = parent ? CreateWindowExA(0, "Edit", "", WS_CHILD | ES_AUTOHSCROLL, 4, 4, 380, 24, parent,
                                       reinterpret_cast<HMENU>(1), nullptr, nullptr)
                     : nullptr;
  if (!edit) {
    if (parent) DestroyWindow(parent);
    report.problem("cannot make the field's window");
    return report.status();
  }
  gField = &field;
  field.original =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(fieldProc)));
  if (hasText) {
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    const LRESULT end = GetWindowTextLengthA(edit);
    SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(end), end);
  }

  bool accepted = false;
  std::string value;
  {
    Terminal terminal;
#if !defined(_WIN32)
    if (terminal.interactive()) KwSetBeepHook(ringBell);
#endif
    accepted = runField(terminal, edit);
#if !defined(_WIN32)
    KwSetBeepHook(nullptr);
#endif
    // Leave the terminal's line: the field stays in view above the value; a cancel clears it.
    if (terminal.interactive()) terminal.show(accepted ? "\r\n" : "\r\x1b[K");
  }
  const bool fits = accepted && valueOf(edit, field.mask, value);
  DestroyWindow(parent);
  gField = nullptr;
  if (!accepted) return 1;
  if (!fits) {
    report.problem("the field's text does not fit the mask");
    return report.status();
  }
  report.result(value);
  return 0;
}

}  // namespace kvt
