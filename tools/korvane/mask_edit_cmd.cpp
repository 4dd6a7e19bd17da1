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
    "usage: korvane mask edit MASK [--text TEXT] [--window]\n"
    "Type into a field of MASK (starting with TEXT, put into the mask) in the terminal:\n"
    "Left, Right, Home, End, Shift+Home, Shift+End, Delete and Backspace edit it; Enter, or\n"
    "the end of the input, prints the typed characters (the masked text for a mask that\n"
    "begins with \"^\") and exits 0; Ctrl-C or Escape exits 1 and prints nothing.\n"
    "The keys may also come from a pipe; the field is then shown only at the end.\n"
    "--window puts the field in a window on the screen instead (caption \"korvane mask edit\"):\n"
    "Enter prints the value as above; Escape or closing the window exits 1.\n";

constexpr char kWindowCaption[] = "korvane mask edit";
constexpr char kWindowClass[] = "KorvaneMaskEdit";
constexpr int kFieldId = 100;  // not IDOK: its notifications would read as OK
constexpr int kGap = 8;  // pixels round the field in its window

// A terminal sends the rest of an escape sequence at once; a lone ESC is the key.
constexpr int kSequenceWaitMs = 50;

constexpr DWORD kFieldFlags = FMT_FLAG_REMASK | FMT_FLAG_NOTIFY;

struct Field {
  std::string mask;
  WNDPROC original = nullptr;
  bool inWindow = false;  // Enter and Escape then answer the window, not the terminal
};
Field* gField = nullptr;  // the one field of the command

// Enter and Escape in the window's field: the key tells the window to end (IDOK or
// IDCANCEL), and the character it translates to is not typed.
bool answersWindow(HWND field, UINT message, WPARAM wParam) {
  if (message == WM_KEYDOWN && (wParam == VK_RETURN || wParam == VK_ESCAPE)) {
    PostMessageA(GetParent(field), WM_COMMAND, wParam == VK_RETURN ? IDOK : IDCANCEL,
                 reinterpret_cast<LPARAM>(field));
    return true;
  }
  return message == WM_CHAR && (wParam == '\r' || wParam == 0x1B);
}

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
  if (gField->inWindow && answersWindow(window, message, wParam)) return 0;
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

// The field's window: OK and Cancel end its message loop (the quit code says which);
// closing it is Cancel.
LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) PostQuitMessage(LOWORD(wParam));
      return 0;
    case WM_CLOSE:
      PostQuitMessage(IDCANCEL);
      return 0;
    case WM_SETFOCUS:
      // Activation hands the focus to the window; the field is where typing goes.
      SetFocus(GetDlgItem(window, kFieldId));
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

// The window's client size for a field as wide as the mask's text and one line high.
SIZE fieldSize(const std::string& mask) {
  SIZE text{};
  HDC screen = GetDC(nullptr);
  const std::string sample = mask + "MM";  // room for the caret and the frame
  if (!screen || !GetTextExtentPoint32A(screen, sample.c_str(), static_cast<int>(sample.size()), &text))
    text = SIZE{static_cast<LONG>(sample.size()) * 8, 16};
  if (screen) ReleaseDC(nullptr, screen);
  return SIZE{std::max<LONG>(text.cx, 120), text.cy + 8};
}

// The parent the field lives in: a hidden popup in the terminal, a window on the screen.
HWND makeParent(bool inWindow, const SIZE& field) {
  if (!inWindow)
    return CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, field.cx + 2 * kGap, field.cy + 2 * kGap, nullptr,
                           nullptr, nullptr, nullptr);
  WNDCLASSA wc{};
  wc.lpfnWndProc = windowProc;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kWindowClass;
  if (!RegisterClassA(&wc)) return nullptr;
  constexpr DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  RECT frame{0, 0, field.cx + 2 * kGap, field.cy + 2 * kGap};
  AdjustWindowRect(&frame, style, FALSE);
  const int width = static_cast<int>(frame.right - frame.left), height = static_cast<int>(frame.bottom - frame.top);
  const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - height) / 3;
  return CreateWindowExA(0, kWindowClass, kWindowCaption, style, x, y, width, height, nullptr, nullptr, nullptr,
                         nullptr);
}

// Runs the window until OK or Cancel: true for OK.
bool runWindow(HWND window, HWND edit) {
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  SetFocus(edit);
  MSG msg;
  BOOL got = FALSE;
  while ((got = GetMessageA(&msg, nullptr, 0, 0)) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return got == 0 && msg.wParam == IDOK;
}

// Runs the field in the terminal, its keys restored afterwards: true for Enter or the end.
bool runInTerminal(HWND edit) {
  Terminal terminal;
#if !defined(_WIN32)
  if (terminal.interactive()) KwSetBeepHook(ringBell);
#endif
  const bool accepted = runField(terminal, edit);
#if !defined(_WIN32)
  KwSetBeepHook(nullptr);
#endif
  // Leave the terminal's line: the field stays in view above the value; a cancel clears it.
  if (terminal.interactive()) terminal.show(accepted ? "\r\n" : "\r\x1b[K");
  return accepted;
}

}  // namespace

int maskEditCommand(Args args) {
  Reporter report("mask edit");
  if (wantsHelp(args)) return showHelp(kEditHelp);
  std::string text;
  const int hasText = takeOption(args, "text", text);
  if (hasText < 0) return report.usage("--text needs a text");
  const auto windowFlag = std::find(args.begin(), args.end(), "--window");
  const bool inWindow = windowFlag != args.end();
  if (inWindow) args.erase(windowFlag);
  if (!checkNoOptions(args, report)) return report.status();
  if (args.empty()) return report.usage("missing MASK");
  if (args.size() > 1) return report.usage("unexpected argument " + quoted(args[1]));
  if (!checkMask(args[0], report)) return report.status();
#if !defined(_WIN32)
  // Headless, no key could ever reach the window.
  if (inWindow && !KwDisplayInteractive()) return report.usage("--window needs a display");
#endif

  Field field;
  field.mask = args[0];
  field.inWindow = inWindow;
  const SIZE size = fieldSize(field.mask);
  HWND parent = makeParent(inWindow, size);
  HWND edit = parent ? CreateWindowExA(0, "Edit", "", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, kGap, kGap,
                                       size.cx, size.cy, parent, reinterpret_cast<HMENU>(kFieldId), nullptr, nullptr)
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

  const bool accepted = inWindow ? runWindow(parent, edit) : runInTerminal(edit);
  std::string value;
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
