// The "ListBox" class: a single-selection list over ListItems, painting itself through GDI.
#include <algorithm>
#include <cstring>

#include "user32/dialog_control.h"
#include "user32/listbox_items.h"

namespace kw::user32 {

namespace {

struct ListBox {
  ControlBase base;
  ListItems items;
  DWORD style = 0;
  int extent = 0;  // LB_SETHORIZONTALEXTENT
  bool focused = false;
  explicit ListBox(DWORD s) : items((s & LBS_SORT) != 0), style(s) {}
};

int itemHeight(HWND window, const ListBox& l) {
  (void)window;
  return std::max(lineHeight(l.base.font), 1);
}

RECT inner(HWND window, const ListBox& l) {
  RECT r{};
  GetClientRect(window, &r);
  if (l.style & WS_BORDER) InflateRect(&r, -1, -1);
  return r;
}

int visibleRows(HWND window, const ListBox& l) {
  RECT r = inner(window, l);
  return std::max(1, static_cast<int>(r.bottom - r.top) / itemHeight(window, l));
}

// A selection the user made: shown, and reported with LBS_NOTIFY.
void userSelect(HWND window, ListBox& l, int index) {
  index = std::clamp(index, 0, l.items.count() - 1);
  if (l.items.count() == 0 || index == l.items.selection()) return;
  l.items.select(index);
  l.items.showItem(index, visibleRows(window, l));
  l.base.invalidate(window);
  if (l.style & LBS_NOTIFY) notifyParent(window, LBN_SELCHANGE);
}

void paint(HWND window, ListBox& l) {
  ControlPaint p(window, l.base.font);
  p.fill(p.client(), IsWindowEnabled(window) ? colours::kWindow : colours::kFace);
  if (l.style & WS_BORDER) p.frame(p.client(), colours::kFrame);
  RECT area = inner(window, l);
  p.clip(area);
  int height = std::max(p.lineHeight(), 1);
  for (int i = l.items.top(), y = static_cast<int>(area.top); i < l.items.count() && y < area.bottom;
       ++i, y += height) {
    RECT row{area.left, y, area.right, y + height};
    bool selected = i == l.items.selection();
    if (selected) p.fill(row, colours::kHighlight);
    p.text(static_cast<int>(area.left) + 2, y, *l.items.text(i), selected ? colours::kHighlightText : colours::kText);
    if (selected && l.focused) p.frame(row, colours::kGrayText);
  }
}

int itemAt(HWND window, const ListBox& l, int y) {
  RECT area = inner(window, l);
  int index = l.items.top() + (y - static_cast<int>(area.top)) / itemHeight(window, l);
  return y >= area.top && index < l.items.count() ? index : -1;
}

LRESULT keyDown(HWND window, ListBox& l, WPARAM key) {
  int sel = l.items.selection(), rows = visibleRows(window, l);
  switch (key) {
    case VK_UP:
      userSelect(window, l, sel < 0 ? 0 : sel - 1);
      break;
    case VK_DOWN:
      userSelect(window, l, sel + 1);
      break;
    case VK_PRIOR:
      userSelect(window, l, sel - rows + 1);
      break;
    case VK_NEXT:
      userSelect(window, l, sel + rows - 1);
      break;
    case VK_HOME:
      userSelect(window, l, 0);
      break;
    case VK_END:
      userSelect(window, l, l.items.count() - 1);
      break;
    default:
      break;
  }
  return 0;
}

LRESULT scroll(HWND window, ListBox& l, WPARAM request) {
  int rows = visibleRows(window, l);
  switch (LOWORD(request)) {
    case SB_LINEUP:
      l.items.setTop(l.items.top() - 1);
      break;
    case SB_LINEDOWN:
      l.items.setTop(l.items.top() + 1);
      break;
    case SB_PAGEUP:
      l.items.setTop(l.items.top() - rows);
      break;
    case SB_PAGEDOWN:
      l.items.setTop(l.items.top() + rows);
      break;
    case SB_TOP:
      l.items.setTop(0);
      break;
    case SB_BOTTOM:
      l.items.setTop(l.items.count() - rows);
      break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      l.items.setTop(HIWORD(request));
      break;
    default:
      return 0;
  }
  l.base.invalidate(window);
  return 0;
}

LRESULT changed(HWND window, ListBox& l, LRESULT result) {
  l.base.invalidate(window);
  return result;
}

LPCSTR textOf(LPARAM lParam) { return lParam ? reinterpret_cast<LPCSTR>(lParam) : ""; }

LRESULT CALLBACK listBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    return attach(window, new ListBox(static_cast<DWORD>(create->style)), wParam, lParam);
  }
  ListBox* l = stateOf<ListBox>(window);
  if (!l) return DefWindowProcA(window, message, wParam, lParam);
  LRESULT result = 0;
  if (l->base.handle(window, message, wParam, lParam, &result)) return result;
  int index = static_cast<int>(wParam);
  switch (message) {
    case WM_NCDESTROY:
      detach<ListBox>(window);
      return DefWindowProcA(window, message, wParam, lParam);
    case LB_ADDSTRING:
      return changed(window, *l, l->items.add(textOf(lParam)));
    case LB_INSERTSTRING:
      return changed(window, *l, l->items.insert(index, textOf(lParam)));
    case LB_DELETESTRING:
      return changed(window, *l, l->items.remove(index));
    case LB_RESETCONTENT:
      l->items.clear();
      return changed(window, *l, 0);
    case LB_GETCOUNT:
      return l->items.count();
    case LB_GETTEXT:
      return l->items.copyText(index, reinterpret_cast<char*>(lParam));
    case LB_GETTEXTLEN:
      return l->items.textLength(index);
    case LB_FINDSTRING:
      return l->items.find(index, textOf(lParam), false);
    case LB_FINDSTRINGEXACT:
      return l->items.find(index, textOf(lParam), true);
    case LB_SELECTSTRING: {
      int found = l->items.find(index, textOf(lParam), false);
      if (found >= 0) {
        l->items.select(found);
        l->items.showItem(found, visibleRows(window, *l));
        l->base.invalidate(window);
      }
      return found;
    }
    case LB_GETCURSEL:
      return l->items.selection();
    case LB_SETCURSEL: {
      bool selected = l->items.select(index);
      if (selected) l->items.showItem(index, visibleRows(window, *l));
      return changed(window, *l, selected ? index : LB_ERR);
    }
    case LB_GETSEL:
      if (index < 0 || index >= l->items.count()) return LB_ERR;
      return index == l->items.selection() ? 1 : 0;
    case LB_GETTOPINDEX:
      return l->items.top();
    case LB_SETTOPINDEX:
      if (index < 0 || index >= std::max(l->items.count(), 1)) return LB_ERR;
      l->items.setTop(index);
      return changed(window, *l, 0);
    case LB_GETITEMDATA:
      return l->items.data(index);
    case LB_SETITEMDATA:
      return l->items.setData(index, lParam) ? 0 : LB_ERR;
    case LB_GETITEMHEIGHT:
      return itemHeight(window, *l);
    case LB_GETITEMRECT: {
      if (index < 0 || index >= l->items.count() || !lParam) return LB_ERR;
      RECT area = inner(window, *l);
      int height = itemHeight(window, *l), y = static_cast<int>(area.top) + (index - l->items.top()) * height;
      *reinterpret_cast<RECT*>(lParam) = RECT{area.left, y, area.right, y + height};
      return 1;
    }
    case LB_GETHORIZONTALEXTENT:
      return l->extent;
    case LB_SETHORIZONTALEXTENT:
      l->extent = std::max(index, 0);
      return 0;
    case WM_KEYDOWN:
      return keyDown(window, *l, wParam);
    case WM_CHAR: {  // a letter selects the next item that begins with it
      char prefix[2] = {static_cast<char>(wParam), 0};
      int found = l->items.find(l->items.selection(), prefix, false);
      if (found >= 0) userSelect(window, *l, found);
      return 0;
    }
    case WM_VSCROLL:
      return scroll(window, *l, wParam);
    case WM_LBUTTONDOWN: {
      if (GetFocus() != window) SetFocus(window);
      int at = itemAt(window, *l, static_cast<short>(HIWORD(lParam)));
      if (at >= 0) userSelect(window, *l, at);
      return 0;
    }
    case WM_LBUTTONDBLCLK:
      if ((l->style & LBS_NOTIFY) && itemAt(window, *l, static_cast<short>(HIWORD(lParam))) >= 0)
        notifyParent(window, LBN_DBLCLK);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      l->focused = message == WM_SETFOCUS;
      l->base.invalidate(window);
      if (l->style & LBS_NOTIFY) notifyParent(window, l->focused ? LBN_SETFOCUS : LBN_KILLFOCUS);
      return 0;
    case WM_PAINT:
      paint(window, *l);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

WNDPROC listBoxWindowProc() { return listBoxProc; }

}  // namespace kw::user32
