// What the standard controls put on their surfaces: text where its measured extent says,
// aligned as the style asks, frames at the edges, the selection band over the selected
// characters only, Japanese text drawn in a Japanese face. Expected places come from GDI's
// own measurements in the control's font, never from fixed font pixels.
#include <korvane/win32.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/emulated_system.h"

namespace {

struct Ink {
  int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;  // inclusive bounds
  int pixels = 0;
  int width() const { return right - left + 1; }
  int centreX2() const { return left + right + 1; }  // twice the centre, to stay in integers
};

void pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

// The pixels of the window's client area within `area` that are not `background`.
Ink inkOf(HWND window, RECT area, COLORREF background) {
  Ink ink;
  HDC dc = GetDC(window);
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) {
      if (GetPixel(dc, x, y) == background) continue;
      ++ink.pixels;
      ink.left = std::min(ink.left, x), ink.right = std::max(ink.right, x);
      ink.top = std::min(ink.top, y), ink.bottom = std::max(ink.bottom, y);
    }
  ReleaseDC(window, dc);
  return ink;
}

// The columns of the client area holding at least one pixel of `colour`.
Ink columnsOf(HWND window, int width, int height, COLORREF colour) {
  Ink ink;
  HDC dc = GetDC(window);
  for (int x = 0; x < width; ++x)
    for (int y = 0; y < height; ++y)
      if (GetPixel(dc, x, y) == colour) {
        ++ink.pixels;
        ink.left = std::min(ink.left, x), ink.right = std::max(ink.right, x);
        break;
      }
  ReleaseDC(window, dc);
  return ink;
}

SIZE extentIn(HFONT font, const char* text) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size{};
  GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
  SelectObject(dc, old);
  DeleteDC(dc);
  return size;
}

class Surface {
 public:
  Surface() {
    window_ = CreateWindowExA(0, "Static", "", WS_POPUP | WS_VISIBLE, 0, 0, 420, 200, nullptr, nullptr, nullptr,
                              nullptr);
    font_ = CreateFontA(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
  }
  ~Surface() {
    DestroyWindow(window_);
    DeleteObject(font_);
  }
  HWND add(const char* cls, DWORD style, const char* text, int cx, int cy, HFONT font = nullptr) const {
    HWND w = CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, 10, 10, cx, cy, window_, nullptr, nullptr,
                             nullptr);
    SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(font ? font : font_), TRUE);
    pump();
    return w;
  }
  HFONT font() const { return font_; }

 private:
  HWND window_;
  HFONT font_;
};

TEST(ControlPaint, StaticAndButtonTextSitsWhereItsExtentSays) {
  Surface s;
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const SIZE hello = extentIn(s.font(), "Hello there");
  ASSERT_GT(hello.cx, 30);

  HWND left = s.add("Static", SS_LEFT, "Hello there", 300, 20);
  Ink ink = inkOf(left, {0, 0, 300, 20}, face);
  ASSERT_GT(ink.pixels, 40);
  EXPECT_LE(ink.left, 2);
  EXPECT_NEAR(ink.width(), hello.cx, 3);  // glyph side bearings may trim a pixel each side
  EXPECT_LE(ink.bottom, hello.cy);
  DestroyWindow(left);

  HWND centred = s.add("Static", SS_CENTER, "Hello there", 300, 20);
  ink = inkOf(centred, {0, 0, 300, 20}, face);
  EXPECT_NEAR(ink.centreX2(), 300, 4);
  EXPECT_NEAR(ink.width(), hello.cx, 3);
  DestroyWindow(centred);

  HWND empty = s.add("Static", SS_LEFT, "", 300, 20);
  EXPECT_EQ(inkOf(empty, {0, 0, 300, 20}, face).pixels, 0);
  DestroyWindow(empty);

  // A push button: a frame on all four edges, its caption centred inside.
  const SIZE ok = extentIn(s.font(), "OK");
  HWND button = s.add("Button", BS_PUSHBUTTON, "OK", 80, 26);
  HDC dc = GetDC(button);
  const COLORREF frame = GetSysColor(COLOR_3DDKSHADOW);
  EXPECT_EQ(GetPixel(dc, 0, 13), frame);
  EXPECT_EQ(GetPixel(dc, 79, 13), frame);
  EXPECT_EQ(GetPixel(dc, 40, 0), frame);
  EXPECT_EQ(GetPixel(dc, 40, 25), frame);
  ReleaseDC(button, dc);
  ink = inkOf(button, {3, 3, 77, 23}, face);
  EXPECT_NEAR(ink.centreX2(), 80, 4);
  EXPECT_NEAR(ink.width(), ok.cx, 3);
  EXPECT_NEAR(ink.top + ink.bottom + 1, 26, 8);  // vertically about the middle
}

TEST(ControlPaint, EditSelectionBandCoversTheSelectedCharactersOnly) {
  Surface s;
  HWND edit = s.add("Edit", ES_NOHIDESEL, "abcdefgh", 300, 24);
  const COLORREF band = GetSysColor(COLOR_HIGHLIGHT);
  EXPECT_EQ(columnsOf(edit, 300, 24, band).pixels, 0);  // nothing selected yet

  SendMessageA(edit, EM_SETSEL, 2, 5);
  pump();
  const int before = extentIn(s.font(), "ab").cx, selected = extentIn(s.font(), "cde").cx;
  Ink lit = columnsOf(edit, 300, 24, band);
  ASSERT_GT(lit.pixels, 0);
  EXPECT_EQ(lit.width(), selected);
  // The band starts after "ab", a margin of a pixel or two from the edge.
  EXPECT_GE(lit.left, before);
  EXPECT_LE(lit.left, before + 3);
  // The selected text is drawn in the highlight text colour on the band.
  Ink text = inkOf(edit, {lit.left, 0, lit.right + 1, 24}, band);
  EXPECT_GT(text.pixels, 10);

  SendMessageA(edit, EM_SETSEL, 0, -1);
  pump();
  EXPECT_EQ(columnsOf(edit, 300, 24, band).width(), extentIn(s.font(), "abcdefgh").cx);
}

TEST(ControlPaint, JapaneseTextDrawsInAJapaneseFace) {
  EmulatedSystem japanese(0x0411);
  Surface s;
  HFONT gothic = CreateFontA(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, "MS Gothic");
  const char* nihon = "\x93\xFA\x96\x7B";  // 日本
  const SIZE size = extentIn(gothic, nihon);
  // Two full-width characters: each about as wide as the em, not two boxes of a Latin face
  // and not four single bytes.
  EXPECT_GE(size.cx, 28);
  EXPECT_LE(size.cx, 36);
  EXPECT_EQ(extentIn(gothic, "\x93\xFA").cx * 2, size.cx);
  EXPECT_EQ(extentIn(gothic, "\x96\x7B").cx * 2, size.cx);
  HWND edit = s.add("Edit", 0, nihon, 200, 24, gothic);
  Ink ink = inkOf(edit, {0, 0, 200, 24}, GetSysColor(COLOR_WINDOW));
  EXPECT_GT(ink.pixels, 40);  // 日本 has many strokes
  EXPECT_LE(ink.right, 2 + size.cx + 2);
  EXPECT_GE(ink.width(), size.cx - 6);
  DestroyWindow(edit);
  DeleteObject(gothic);
}

}  // namespace
