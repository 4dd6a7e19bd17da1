// A control's paint session over BeginPaint and EndPaint, drawing with GDI.
#include "user32/dialog_control.h"

namespace kw::user32 {

namespace {

void fillWith(HDC dc, const RECT& r, COLORREF colour, bool frame) {
  HBRUSH brush = CreateSolidBrush(colour);
  if (!brush) return;
  if (frame)
    FrameRect(dc, &r, brush);
  else
    FillRect(dc, &r, brush);
  DeleteObject(brush);
}

}  // namespace

ControlPaint::ControlPaint(HWND window, HFONT font) : window_(window), dc_(BeginPaint(window, &ps_)), client_{} {
  GetClientRect(window, &client_);
  if (!dc_) return;
  oldFont_ = SelectObject(dc_, controlFont(font));
  SetBkMode(dc_, TRANSPARENT);
}

ControlPaint::~ControlPaint() {
  if (!dc_) return;
  SelectObject(dc_, oldFont_);
  EndPaint(window_, &ps_);
}

void ControlPaint::fill(const RECT& r, COLORREF colour) const { fillWith(dc_, r, colour, false); }

void ControlPaint::frame(const RECT& r, COLORREF colour) const { fillWith(dc_, r, colour, true); }

void ControlPaint::clip(const RECT& r) const { IntersectClipRect(dc_, r.left, r.top, r.right, r.bottom); }

void ControlPaint::text(int x, int y, std::string_view s, COLORREF colour) const {
  if (s.empty()) return;
  SetTextColor(dc_, colour);
  TextOutA(dc_, x, y, s.data(), static_cast<int>(s.size()));
}

int ControlPaint::width(std::string_view s) const { return textWidthOn(dc_, s); }

int ControlPaint::lineHeight() const { return lineHeightOn(dc_); }

}  // namespace kw::user32
