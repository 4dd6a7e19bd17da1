// The "ComboBox" class: a drop-down list (CBS_DROPDOWNLIST), or an Edit child with a
// drop-down (CBS_DROPDOWN) or always shown (CBS_SIMPLE) ListBox. The combo box keeps the
// items; the list window shows them while it exists.
#include <algorithm>
#include <cstring>
#include <string>

#include "user32/dialog_control.h"
#include "user32/listbox_items.h"

namespace kw::user32 {

namespace {

constexpr int kEditId = 1001, kListId = 1000;

struct Combo {
  ControlBase base;
  ListItems items;
  DWORD style;
  HWND edit = nullptr;
  HWND list = nullptr;  // the drop-down while it is shown; the CBS_SIMPLE list always
  int droppedHeight = 0;
  int selectionWhenDropped = -1;
  int extent = 0;
  bool focused = false;
  explicit Combo(DWORD s) : items((s & CBS_SORT) != 0), style(s) {}
  DWORD kind() const { return style & 3; }
};

int fieldHeight(HWND window, const Combo& c) {
  (void)window;
  return lineHeight(c.base.font) + 6;
}

int buttonWidth() { return 16; }

// The list window's content follows the items.
void syncList(Combo& c) {
  if (!c.list) return;
  SendMessageA(c.list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(c.list, LB_RESETCONTENT, 0, 0);
  for (int i = 0; i < c.items.count(); ++i)
    SendMessageA(c.list, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(c.items.text(i)->c_str()));
  SendMessageA(c.list, LB_SETCURSEL, static_cast<WPARAM>(c.items.selection()), 0);
  SendMessageA(c.list, WM_SETREDRAW, TRUE, 0);
}

// The field shows the selected item.
void showSelection(HWND window, Combo& c) {
  const std::string* text = c.items.text(c.items.selection());
  if (c.edit) SetWindowTextA(c.edit, text ? text->c_str() : "");
  if (c.list) SendMessageA(c.list, LB_SETCURSEL, static_cast<WPARAM>(c.items.selection()), 0);
  c.base.invalidate(window);
}

void layout(HWND window, Combo& c) {
  RECT r{};
  GetClientRect(window, &r);
  int field = fieldHeight(window, c);
  if (c.kind() != CBS_SIMPLE) {
    // The window is as tall as its field; the rest of its template height is the drop-down's.
    RECT w{};
    GetWindowRect(window, &w);
    POINT at{w.left, w.top};
    if (HWND parent = GetParent(window)) ScreenToClient(parent, &at);
    SetWindowPos(window, nullptr, at.x, at.y, w.right - w.left, field, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  int editWidth = static_cast<int>(r.right) - (c.kind() == CBS_SIMPLE ? 0 : buttonWidth());
  if (c.edit) MoveWindow(c.edit, 0, 0, std::max(editWidth, 0), field, TRUE);
  if (c.list && c.kind() == CBS_SIMPLE)
    MoveWindow(c.list, 0, field, r.right, std::max(static_cast<int>(r.bottom) - field, 0), TRUE);
}

void closeUp(HWND window, Combo& c, bool accept) {
  if (!c.list || c.kind() == CBS_SIMPLE) return;
  HWND list = c.list;
  c.list = nullptr;
  DestroyWindow(list);
  if (!accept && c.items.selection() != c.selectionWhenDropped) {
    c.items.select(c.selectionWhenDropped);
    showSelection(window, c);
  }
  notifyParent(window, accept ? CBN_SELENDOK : CBN_SELENDCANCEL);
  notifyParent(window, CBN_CLOSEUP);
}

void dropDown(HWND window, Combo& c) {
  if (c.list || c.kind() == CBS_SIMPLE) return;
  notifyParent(window, CBN_DROPDOWN);
  RECT w{};
  GetWindowRect(window, &w);
  int height = std::max(c.droppedHeight - static_cast<int>(w.bottom - w.top), fieldHeight(window, c));
  c.selectionWhenDropped = c.items.selection();
  c.list = CreateWindowExA(0, "ListBox", "", WS_POPUP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY, w.left, w.bottom,
                           w.right - w.left, height, window, nullptr,
                           reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE)), nullptr);
  if (!c.list) return;
  SetWindowLongPtrA(c.list, GWLP_ID, kListId);
  SendMessageA(c.list, WM_SETFONT, reinterpret_cast<WPARAM>(c.base.font), FALSE);
  syncList(c);
  ShowWindow(c.list, SW_SHOWNA);
}

// A selection the user made: in the field, in the list, and reported.
void userSelect(HWND window, Combo& c, int index) {
  if (c.items.count() == 0) return;
  index = std::clamp(index, 0, c.items.count() - 1);
  if (index == c.items.selection()) return;
  c.items.select(index);
  showSelection(window, c);
  notifyParent(window, CBN_SELCHANGE);
}

void paint(HWND window, Combo& c) {
  ControlPaint p(window, c.base.font);
  RECT r = p.client();
  if (c.kind() == CBS_SIMPLE) return;
  int field = fieldHeight(window, c);
  RECT box{r.left, r.top, r.right, std::min(static_cast<LONG>(field), r.bottom)};
  p.fill(box, IsWindowEnabled(window) ? colours::kWindow : colours::kFace);
  p.frame(box, colours::kFrame);
  RECT button{box.right - buttonWidth(), box.top, box.right, box.bottom};
  p.fill(button, colours::kFace);
  p.frame(button, colours::kFrame);
  int cx = static_cast<int>(button.left + button.right) / 2, cy = static_cast<int>(button.top + button.bottom) / 2;
  for (int i = 0; i < 4; ++i) {  // the arrow
    RECT row{cx - 3 + i, cy - 2 + i, cx + 4 - i, cy - 1 + i};
    p.fill(row, colours::kText);
  }
  if (c.kind() != CBS_DROPDOWNLIST) return;
  const std::string* text = c.items.text(c.items.selection());
  RECT inside{box.left + 2, box.top + 2, button.left - 1, box.bottom - 2};
  if (c.focused && !c.list) p.fill(inside, colours::kHighlight);
  if (text)
    p.text(static_cast<int>(inside.left) + 1, static_cast<int>(inside.top) + 1, *text,
           c.focused && !c.list ? colours::kHighlightText : colours::kText);
}

LRESULT keyDown(HWND window, Combo& c, WPARAM key) {
  bool alt = GetKeyState(VK_MENU) < 0;
  if (key == VK_F4 || (alt && (key == VK_DOWN || key == VK_UP))) {
    if (c.list && c.kind() != CBS_SIMPLE)
      closeUp(window, c, true);
    else
      dropDown(window, c);
    return 0;
  }
  if (c.list && c.kind() != CBS_SIMPLE && (key == VK_RETURN || key == VK_ESCAPE)) {
    closeUp(window, c, key == VK_RETURN);
    return 0;
  }
  int sel = c.items.selection();
  switch (key) {
    case VK_UP:
      userSelect(window, c, sel < 0 ? 0 : sel - 1);
      break;
    case VK_DOWN:
      userSelect(window, c, sel + 1);
      break;
    case VK_HOME:
      if (!c.edit) userSelect(window, c, 0);
      break;
    case VK_END:
      if (!c.edit) userSelect(window, c, c.items.count() - 1);
      break;
    default:
      break;
  }
  return 0;
}

// Notifications of the Edit child and the list window.
void command(HWND window, Combo& c, WPARAM wParam) {
  WORD id = LOWORD(wParam), code = HIWORD(wParam);
  if (id == kEditId) {
    if (code == EN_CHANGE)
      notifyParent(window, CBN_EDITCHANGE);
    else if (code == EN_UPDATE)
      notifyParent(window, CBN_EDITUPDATE);
    else if (code == EN_KILLFOCUS && GetFocus() != window) {  // the focus left the combo box
      c.focused = false;
      closeUp(window, c, true);
      notifyParent(window, CBN_KILLFOCUS);
    }
    return;
  }
  if (id != kListId || !c.list) return;
  if (code == LBN_SELCHANGE) {
    int sel = static_cast<int>(SendMessageA(c.list, LB_GETCURSEL, 0, 0));
    if (sel != c.items.selection()) {
      c.items.select(sel);
      const std::string* text = c.items.text(sel);
      if (c.edit) SetWindowTextA(c.edit, text ? text->c_str() : "");
      c.base.invalidate(window);
      notifyParent(window, CBN_SELCHANGE);
    }
  } else if (code == LBN_DBLCLK) {
    if (c.kind() == CBS_SIMPLE)
      notifyParent(window, CBN_DBLCLK);
    else
      closeUp(window, c, true);
  }
}

LPCSTR textOf(LPARAM lParam) { return lParam ? reinterpret_cast<LPCSTR>(lParam) : ""; }

LRESULT changed(Combo& c, LRESULT result) {
  syncList(c);
  return result == LB_ERRSPACE ? CB_ERRSPACE : result;
}

LRESULT create(HWND window, Combo& c, const CREATESTRUCTA* cs) {
  c.droppedHeight = cs->cy;
  HINSTANCE instance = cs->hInstance;
  if (c.kind() != CBS_DROPDOWNLIST) {
    DWORD editStyle = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | (c.kind() == CBS_SIMPLE ? WS_BORDER : 0);
    if (c.style & CBS_UPPERCASE) editStyle |= ES_UPPERCASE;
    if (c.style & CBS_LOWERCASE) editStyle |= ES_LOWERCASE;
    c.edit = CreateWindowExA(0, "Edit", cs->lpszName ? cs->lpszName : "", editStyle, 0, 0, 0, 0, window,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)), instance, nullptr);
    if (!c.edit) return -1;
  }
  if (c.kind() == CBS_SIMPLE) {
    c.list = CreateWindowExA(0, "ListBox", "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOTIFY, 0, 0, 0, 0,
                             window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)), instance, nullptr);
    if (!c.list) return -1;
  }
  layout(window, c);
  return 0;
}

LRESULT CALLBACK comboProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    return attach(window, new Combo(static_cast<DWORD>(cs->style)), wParam, lParam);
  }
  Combo* c = stateOf<Combo>(window);
  if (!c) return DefWindowProcA(window, message, wParam, lParam);
  int index = static_cast<int>(wParam);
  switch (message) {
    case WM_CREATE:
      return create(window, *c, reinterpret_cast<const CREATESTRUCTA*>(lParam));
    case WM_DESTROY:
      if (c->list && c->kind() != CBS_SIMPLE) DestroyWindow(c->list);
      c->list = nullptr;
      return 0;
    case WM_NCDESTROY:
      detach<Combo>(window);
      return DefWindowProcA(window, message, wParam, lParam);
    case WM_SETFONT:
      c->base.font = reinterpret_cast<HFONT>(wParam);
      if (c->edit) SendMessageA(c->edit, WM_SETFONT, wParam, lParam);
      if (c->list) SendMessageA(c->list, WM_SETFONT, wParam, lParam);
      layout(window, *c);
      if (LOWORD(lParam)) c->base.invalidate(window);
      return 0;
    case WM_GETFONT:
    case WM_SETREDRAW: {
      LRESULT result = 0;
      c->base.handle(window, message, wParam, lParam, &result);
      return result;
    }
    case CB_ADDSTRING:
      return changed(*c, c->items.add(textOf(lParam)));
    case CB_INSERTSTRING:
      return changed(*c, c->items.insert(index, textOf(lParam)));
    case CB_DELETESTRING:
      return changed(*c, c->items.remove(index));
    case CB_RESETCONTENT:
      c->items.clear();
      if (c->edit) SetWindowTextA(c->edit, "");
      c->base.invalidate(window);
      return changed(*c, CB_OKAY);
    case CB_GETCOUNT:
      return c->items.count();
    case CB_GETLBTEXT:
      return c->items.copyText(index, reinterpret_cast<char*>(lParam));
    case CB_GETLBTEXTLEN:
      return c->items.textLength(index);
    case CB_FINDSTRING:
      return c->items.find(index, textOf(lParam), false);
    case CB_FINDSTRINGEXACT:
      return c->items.find(index, textOf(lParam), true);
    case CB_SELECTSTRING: {
      int found = c->items.find(index, textOf(lParam), false);
      if (found >= 0) {
        c->items.select(found);
        showSelection(window, *c);
      }
      return found;
    }
    case CB_GETCURSEL:
      return c->items.selection();
    case CB_SETCURSEL: {
      bool selected = c->items.select(index);
      showSelection(window, *c);
      return selected ? index : CB_ERR;
    }
    case CB_GETITEMDATA:
      return c->items.data(index);
    case CB_SETITEMDATA:
      return c->items.setData(index, lParam) ? CB_OKAY : CB_ERR;
    case CB_GETITEMHEIGHT:
      return fieldHeight(window, *c) - 6;
    case CB_SHOWDROPDOWN:
      if (wParam)
        dropDown(window, *c);
      else
        closeUp(window, *c, true);
      return TRUE;
    case CB_GETDROPPEDSTATE:
      return c->list && c->kind() != CBS_SIMPLE;
    case CB_LIMITTEXT:
      if (!c->edit) return CB_ERR;
      SendMessageA(c->edit, EM_LIMITTEXT, wParam, 0);
      return TRUE;
    case CB_GETEDITSEL:
      return c->edit ? SendMessageA(c->edit, EM_GETSEL, wParam, lParam) : CB_ERR;
    case CB_SETEDITSEL:
      if (!c->edit) return CB_ERR;
      SendMessageA(c->edit, EM_SETSEL, static_cast<WPARAM>(static_cast<short>(LOWORD(lParam))),
                   static_cast<LPARAM>(static_cast<short>(HIWORD(lParam))));
      return TRUE;
    case CB_GETHORIZONTALEXTENT:
      return c->extent;
    case CB_SETHORIZONTALEXTENT:
      c->extent = std::max(index, 0);
      return 0;
    case WM_SETTEXT: {
      if (c->edit) return SendMessageA(c->edit, WM_SETTEXT, 0, lParam);
      int found = c->items.find(-1, textOf(lParam), true);
      if (found < 0) return CB_ERR;
      c->items.select(found);
      showSelection(window, *c);
      return TRUE;
    }
    case WM_GETTEXT:
      if (c->edit) return SendMessageA(c->edit, WM_GETTEXT, wParam, lParam);
      return copyText(c->items.text(c->items.selection()) ? *c->items.text(c->items.selection()) : std::string(),
                      wParam, lParam);
    case WM_GETTEXTLENGTH:
      if (c->edit) return SendMessageA(c->edit, WM_GETTEXTLENGTH, 0, 0);
      return c->items.text(c->items.selection()) ? static_cast<LRESULT>(c->items.text(c->items.selection())->size())
                                                 : 0;
    case WM_COMMAND:
      command(window, *c, wParam);
      return 0;
    case WM_KEYDOWN:
      return keyDown(window, *c, wParam);
    case WM_CHAR:
      if (c->edit) return SendMessageA(c->edit, WM_CHAR, wParam, lParam);
      if (wParam > ' ') {
        char prefix[2] = {static_cast<char>(wParam), 0};
        int found = c->items.find(c->items.selection(), prefix, false);
        if (found >= 0) userSelect(window, *c, found);
      }
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS | (c->list && c->kind() != CBS_SIMPLE ? DLGC_WANTMESSAGE : 0);
    case WM_LBUTTONDOWN:
      if (GetFocus() != window && GetFocus() != c->edit) SetFocus(window);
      if (c->list && c->kind() != CBS_SIMPLE)
        closeUp(window, *c, true);
      else
        dropDown(window, *c);
      return 0;
    case WM_SETFOCUS:
      c->focused = true;
      if (c->edit) {
        SetFocus(c->edit);
        SendMessageA(c->edit, EM_SETSEL, 0, -1);
      }
      c->base.invalidate(window);
      notifyParent(window, CBN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      if (reinterpret_cast<HWND>(wParam) == c->edit && c->edit) return 0;
      c->focused = false;
      closeUp(window, *c, true);
      c->base.invalidate(window);
      notifyParent(window, CBN_KILLFOCUS);
      return 0;
    case WM_SIZE:
      if (c->kind() == CBS_SIMPLE) layout(window, *c);
      return 0;
    case WM_ENABLE:
      if (c->edit) EnableWindow(c->edit, wParam != 0);
      c->base.invalidate(window);
      return 0;
    case WM_PAINT:
      paint(window, *c);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

WNDPROC comboBoxWindowProc() { return comboProc; }

}  // namespace kw::user32
