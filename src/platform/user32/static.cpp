// The "Static" class: text (left, centred, right; wrapped unless SS_LEFTNOWORDWRAP or
// SS_SIMPLE), rectangles and frames, painting itself through GDI.
#include <algorithm>
#include <string>
#include <vector>

#include "user32/dialog_control.h"
#include "user32/static_text.h"

namespace kw::user32 {

namespace {

struct Static {
  ControlBase base;
};

void paint(HWND window, const Static& s) {
  ControlPaint p(window, s.base.font);
  DWORD style = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE));
  DWORD type = style & SS_TYPEMASK;
  const RECT& r = p.client();
  switch (type) {
    case SS_BLACKRECT:
      p.fill(r, colours::kText);
      return;
    case SS_GRAYRECT:
      p.fill(r, colours::kGrayText);
      return;
    case SS_WHITERECT:
      p.fill(r, colours::kWindow);
      return;
    case SS_BLACKFRAME:
      p.frame(r, colours::kText);
      return;
    case SS_GRAYFRAME:
      p.frame(r, colours::kGrayText);
      return;
    case SS_WHITEFRAME:
      p.frame(r, colours::kWindow);
      return;
    case SS_LEFT:
    case SS_CENTER:
    case SS_RIGHT:
    case SS_SIMPLE:
    case SS_LEFTNOWORDWRAP:
      break;
    default:
      return;  // icons and the rest draw nothing here
  }
  p.fill(r, colours::kFace);
  std::string text = windowTextOf(window);
  if (!(style & SS_NOPREFIX)) text = withoutPrefixes(text);
  int width = static_cast<int>(r.right - r.left);
  std::vector<std::string> lines;
  if (type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP)
    lines.push_back(text.substr(0, text.find_first_of("\r\n")));
  else
    lines = wrapText(text, width, [&](std::string_view line) { return p.width(line); });
  COLORREF ink = IsWindowEnabled(window) ? colours::kText : colours::kGrayText;
  int height = p.lineHeight(), y = static_cast<int>(r.top);
  for (const std::string& line : lines) {
    if (y >= r.bottom) break;
    int x = static_cast<int>(r.left);
    if (type == SS_CENTER) x += (width - p.width(line)) / 2;
    if (type == SS_RIGHT) x += width - p.width(line);
    p.text(x, y, line, ink);
    y += height;
  }
}

LRESULT CALLBACK staticProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) return attach(window, new Static, wParam, lParam);
  Static* s = stateOf<Static>(window);
  if (!s) return DefWindowProcA(window, message, wParam, lParam);
  LRESULT result = 0;
  if (s->base.handle(window, message, wParam, lParam, &result)) return result;
  switch (message) {
    case WM_NCDESTROY:
      detach<Static>(window);
      return DefWindowProcA(window, message, wParam, lParam);
    case WM_SETTEXT:
      result = DefWindowProcA(window, message, wParam, lParam);
      s->base.invalidate(window);
      return result;
    case WM_GETDLGCODE:
      return DLGC_STATIC;
    case WM_PAINT:
      paint(window, *s);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

WNDPROC staticWindowProc() { return staticProc; }

}  // namespace kw::user32
