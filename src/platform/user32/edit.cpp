// The "Edit" class: a single-line edit control over EditText, painting itself through GDI.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "user32/dialog_control.h"
#include "user32/edit_text.h"

namespace kw::user32 {

namespace {

struct Edit {
  ControlBase base;
  EditText text;
  bool focused = false;
  int scroll = 0;  // pixels of text left of the client area
  char passwordChar = 0;
};

constexpr int kMargin = 2;

// What the user sees: the text, or the password character once per character.
std::string shownText(const Edit& e) {
  if (!e.passwordChar) return e.text.text();
  std::string shown;
  const char* s = e.text.text().c_str();
  for (const char* p = s; *p; p = CharNextA(p)) shown += e.passwordChar;
  return shown;
}

// The offset into the shown text of a position of the real text.
size_t shownOffset(const Edit& e, size_t pos) {
  if (!e.passwordChar) return pos;
  size_t n = 0;
  const char* s = e.text.text().c_str();
  for (const char* p = s; *p && static_cast<size_t>(p - s) < pos; p = CharNextA(p)) ++n;
  return n;
}

// Repaints, notifies and beeps as an editing operation asks.
void report(HWND window, Edit& e, unsigned effect) {
  if (effect & EditText::kRefused) MessageBeep(0);
  if (effect & EditText::kLimitReached) notifyParent(window, EN_MAXTEXT);
  if (effect & EditText::kTextChanged) {
    notifyParent(window, EN_UPDATE);
    e.base.invalidate(window);
    notifyParent(window, EN_CHANGE);
  } else if (effect & EditText::kSelectionChanged) {
    e.base.invalidate(window);
  }
}

bool shiftDown() { return GetKeyState(VK_SHIFT) < 0; }
bool controlDown() { return GetKeyState(VK_CONTROL) < 0; }

bool copyToClipboard(HWND window, const std::string& text) { return putClipboardText(window, text); }

// The clipboard's text up to its first line break: a single line takes one line.
std::string clipboardLine(HWND window) {
  std::string text;
  if (!takeClipboardText(window, &text)) return {};
  return text.substr(0, text.find_first_of("\r\n"));
}

void paint(HWND window, Edit& e) {
  ControlPaint p(window, e.base.font);
  DWORD style = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE));
  bool enabled = IsWindowEnabled(window);
  p.fill(p.client(), enabled && !e.text.readOnly() ? colours::kWindow : colours::kFace);
  RECT area = p.client();
  if (style & WS_BORDER) {
    p.frame(area, colours::kFrame);
    InflateRect(&area, -1, -1);
  }
  std::string shown = shownText(e);
  int width = static_cast<int>(area.right - area.left) - 2 * kMargin;
  int textWidth = p.width(shown);
  int caretX = p.width(std::string_view(shown).substr(0, shownOffset(e, e.text.caret())));
  // Keep the caret in view; a text narrower than the control follows its alignment.
  if (caretX - e.scroll > width) e.scroll = caretX - width;
  if (caretX < e.scroll) e.scroll = caretX;
  int left = static_cast<int>(area.left) + kMargin - e.scroll;
  if (textWidth < width && (style & (ES_CENTER | ES_RIGHT))) {
    e.scroll = 0;
    left = static_cast<int>(area.left) + kMargin + ((style & ES_RIGHT) ? width - textWidth : (width - textWidth) / 2);
  }
  int top = static_cast<int>(area.top) + std::max(0, (static_cast<int>(area.bottom - area.top) - p.lineHeight()) / 2);
  p.clip(area);
  p.text(left, top, shown, enabled ? colours::kText : colours::kGrayText);
  size_t from = shownOffset(e, e.text.selectionStart()), to = shownOffset(e, e.text.selectionEnd());
  if (from != to && (e.focused || (style & ES_NOHIDESEL))) {
    std::string_view all(shown);
    int x0 = left + p.width(all.substr(0, from));
    RECT band{x0, top, x0 + p.width(all.substr(from, to - from)), top + p.lineHeight()};
    p.fill(band, colours::kHighlight);
    p.text(x0, top, all.substr(from, to - from), colours::kHighlightText);
  }
  if (e.focused) {
    RECT caret{left + caretX, top, left + caretX + 1, top + p.lineHeight()};
    p.fill(caret, colours::kText);
  }
}

// The position whose left edge is nearest to client coordinate x: a click on a
// character's right half puts the caret after it.
size_t positionAt(const Edit& e, int x) {
  const std::string& s = e.text.text();
  size_t best = 0;
  int bestDistance = -1;
  const int target = x + e.scroll - kMargin;
  TextMeasure measure(e.base.font);
  for (const char* p = s.c_str();; p = CharNextA(p)) {
    size_t pos = static_cast<size_t>(p - s.c_str());
    std::string shown = e.passwordChar ? std::string(shownOffset(e, pos), e.passwordChar) : s.substr(0, pos);
    const int edge = measure.width(shown);
    if (bestDistance < 0 || std::abs(edge - target) < bestDistance) {
      best = pos;
      bestDistance = std::abs(edge - target);
    }
    if (edge >= target || !*p) break;
  }
  return best;
}

// Where a selection being made keeps its other end: the end the caret is not at.
long anchorOf(const Edit& e) {
  return static_cast<long>(e.text.selectionStart() == e.text.caret() ? e.text.selectionEnd()
                                                                     : e.text.selectionStart());
}

LRESULT keyDown(HWND window, Edit& e, WPARAM key) {
  bool shift = shiftDown();
  switch (key) {
    case VK_LEFT:
      report(window, e, e.text.moveLeft(shift));
      break;
    case VK_RIGHT:
      report(window, e, e.text.moveRight(shift));
      break;
    case VK_HOME:
      report(window, e, e.text.moveHome(shift));
      break;
    case VK_END:
      report(window, e, e.text.moveEnd(shift));
      break;
    case VK_DELETE:
      if (shift)
        SendMessageA(window, WM_CUT, 0, 0);
      else
        report(window, e, e.text.deleteForward());
      break;
    case VK_INSERT:
      if (shift)
        SendMessageA(window, WM_PASTE, 0, 0);
      else if (controlDown())
        SendMessageA(window, WM_COPY, 0, 0);
      break;
    default:
      break;
  }
  return 0;
}

LRESULT character(HWND window, Edit& e, WPARAM c) {
  switch (c) {
    case 0x08:
      report(window, e, e.text.backspace());
      break;
    case 0x03:
      SendMessageA(window, WM_COPY, 0, 0);
      break;  // Ctrl+C
    case 0x16:
      SendMessageA(window, WM_PASTE, 0, 0);
      break;  // Ctrl+V
    case 0x18:
      SendMessageA(window, WM_CUT, 0, 0);
      break;  // Ctrl+X
    case 0x01:
      report(window, e, e.text.setSelection(0, -1));
      break;  // Ctrl+A
    case 0x09:
    case 0x0D:
    case 0x1B:
      break;  // the dialog's keys
    default:
      report(window, e, e.text.typeChar(static_cast<BYTE>(c)));
      break;
  }
  return 0;
}

LRESULT CALLBACK editProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* state = new Edit;
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    state->text.setStyle(static_cast<DWORD>(create->style));
    if (create->style & ES_PASSWORD) state->passwordChar = '*';
    if (create->lpszName) state->text.setText(create->lpszName);
    return attach(window, state, wParam, lParam);
  }
  Edit* e = stateOf<Edit>(window);
  if (!e) return DefWindowProcA(window, message, wParam, lParam);
  LRESULT result = 0;
  if (e->base.handle(window, message, wParam, lParam, &result)) return result;
  switch (message) {
    case WM_NCDESTROY:
      detach<Edit>(window);
      return DefWindowProcA(window, message, wParam, lParam);
    case WM_SETTEXT:
      report(window, *e, e->text.setText(lParam ? reinterpret_cast<LPCSTR>(lParam) : ""));
      return TRUE;
    case WM_GETTEXT:
      return copyText(e->text.text(), wParam, lParam);
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(e->text.text().size());
    case WM_CHAR:
      return character(window, *e, wParam);
    case WM_KEYDOWN:
      return keyDown(window, *e, wParam);
    case WM_GETDLGCODE:
      return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    case WM_SETFOCUS:
      e->focused = true;
      e->base.invalidate(window);
      notifyParent(window, EN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      if (GetCapture() == window) ReleaseCapture();
      e->focused = false;
      e->base.invalidate(window);
      notifyParent(window, EN_KILLFOCUS);
      return 0;
    case WM_LBUTTONDOWN: {
      if (GetFocus() != window) SetFocus(window);
      SetCapture(window);  // dragging selects
      size_t pos = positionAt(*e, static_cast<short>(LOWORD(lParam)));
      long anchor = (wParam & MK_SHIFT) ? anchorOf(*e) : static_cast<long>(pos);
      report(window, *e, e->text.setSelection(anchor, static_cast<long>(pos)));
      return 0;
    }
    case WM_MOUSEMOVE:
      if ((wParam & MK_LBUTTON) && GetCapture() == window)
        report(window, *e,
               e->text.setSelection(anchorOf(*e), static_cast<long>(positionAt(*e, static_cast<short>(LOWORD(lParam))))));
      return 0;
    case WM_LBUTTONUP:
      if (GetCapture() == window) ReleaseCapture();
      return 0;
    case WM_PAINT:
      paint(window, *e);
      return 0;
    case EM_GETSEL: {
      DWORD start = static_cast<DWORD>(e->text.selectionStart()), end = static_cast<DWORD>(e->text.selectionEnd());
      if (wParam) *reinterpret_cast<DWORD*>(wParam) = start;
      if (lParam) *reinterpret_cast<DWORD*>(lParam) = end;
      return start > 0xFFFF || end > 0xFFFF ? -1 : static_cast<LRESULT>(MAKELONG(start, end));
    }
    case EM_SETSEL:
      report(window, *e,
             e->text.setSelection(static_cast<long>(static_cast<int>(wParam)),
                                  static_cast<long>(static_cast<int>(lParam))));
      return 0;
    case EM_REPLACESEL:
      report(window, *e, e->text.replaceSelection(lParam ? reinterpret_cast<LPCSTR>(lParam) : "", false));
      return 0;
    case EM_GETMODIFY:
      return e->text.modified();
    case EM_SETMODIFY:
      e->text.setModified(wParam != 0);
      return 0;
    case EM_LIMITTEXT:
      e->text.setLimit(static_cast<size_t>(wParam));
      return 0;
    case EM_GETLIMITTEXT:
      return static_cast<LRESULT>(e->text.limit());
    case EM_SETREADONLY: {
      e->text.setReadOnly(wParam != 0);
      LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
      SetWindowLongPtrA(window, GWL_STYLE, wParam ? style | ES_READONLY : style & ~static_cast<LONG_PTR>(ES_READONLY));
      e->base.invalidate(window);
      return TRUE;
    }
    case EM_SETPASSWORDCHAR:
      e->passwordChar = static_cast<char>(wParam);
      e->base.invalidate(window);
      return 0;
    case EM_GETPASSWORDCHAR:
      return static_cast<BYTE>(e->passwordChar);
    case EM_GETLINECOUNT:
      return 1;
    case EM_LINELENGTH:
      return static_cast<LRESULT>(e->text.text().size());
    case EM_CANUNDO:
    case EM_UNDO:
    case WM_UNDO:
      return FALSE;
    case EM_EMPTYUNDOBUFFER:
    case EM_SCROLLCARET:
      return 0;
    case WM_COPY:
      if (!e->passwordChar && e->text.selectionStart() != e->text.selectionEnd())
        copyToClipboard(window, e->text.selectedText());
      return 0;
    case WM_CUT:
      if (e->passwordChar || e->text.readOnly()) return 0;
      if (e->text.selectionStart() != e->text.selectionEnd() && copyToClipboard(window, e->text.selectedText()))
        report(window, *e, e->text.clearSelection());
      return 0;
    case WM_CLEAR:
      report(window, *e, e->text.clearSelection());
      return 0;
    case WM_PASTE: {
      std::string line = clipboardLine(window);
      if (!line.empty()) report(window, *e, e->text.replaceSelection(line, true));
      return 0;
    }
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

WNDPROC editWindowProc() { return editProc; }

}  // namespace kw::user32
