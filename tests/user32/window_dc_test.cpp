// Window surfaces and their DCs: painting in WM_PAINT, erasing with the class brush,
// children at their offset and clipped, GetDC/GetWindowDC/ReleaseDC, stale windows.
#include <gtest/gtest.h>

#include <korvane/win32.h>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);

struct PaintSeen {
  int paints = 0;
  PAINTSTRUCT last{};
  bool fillEverything = false;  // paints the whole client area blue, past rcPaint
};
PaintSeen gSeen;

void fill(HDC dc, RECT r, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

// Paints a red block at (10,10)-(30,20) of its client area.
LRESULT CALLBACK paintingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT) return DefWindowProcA(window, message, wParam, lParam);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  EXPECT_NE(dc, nullptr);
  ++gSeen.paints;
  gSeen.last = ps;
  if (gSeen.fillEverything) fill(dc, {-50, -50, 500, 500}, kBlue);
  else fill(dc, {10, 10, 30, 20}, kRed);
  EndPaint(window, &ps);
  return 0;
}

// Fills far more than its client area green.
LRESULT CALLBACK greedyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT) return DefWindowProcA(window, message, wParam, lParam);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  fill(dc, {-100, -100, 400, 400}, kGreen);
  EndPaint(window, &ps);
  return 0;
}

void registerClass(const char* name, WNDPROC proc, HBRUSH background) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = proc;
  wc.lpszClassName = name;
  wc.hbrBackground = background;
  RegisterClassA(&wc);
}

void pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

COLORREF pixel(HWND window, int x, int y) {
  HDC dc = GetWindowDC(window);
  COLORREF c = GetPixel(dc, x, y);
  EXPECT_EQ(ReleaseDC(window, dc), 1);
  return c;
}

TEST(WindowDC, PaintingInWmPaintAndErasingWithTheClassBrush) {
  registerClass("PaintRed", paintingProc, reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(COLOR_WINDOW + 1)));
  pump();
  gSeen = {};
  // A captioned window: its client area starts inside the border and below the caption.
  HWND w = CreateWindowExA(0, "PaintRed", "red", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 120, 100, nullptr, nullptr,
                           nullptr, nullptr);
  ASSERT_NE(w, nullptr);
  pump();
  ASSERT_EQ(gSeen.paints, 1);
  RECT client;
  GetClientRect(w, &client);
  EXPECT_TRUE(EqualRect(&gSeen.last.rcPaint, &client));
  EXPECT_FALSE(gSeen.last.fErase);  // DefWindowProcA erased it
  EXPECT_FALSE(GetUpdateRect(w, nullptr, FALSE));
  POINT origin{0, 0};
  ClientToScreen(w, &origin);
  RECT frame;
  GetWindowRect(w, &frame);
  int dx = origin.x - frame.left, dy = origin.y - frame.top;
  EXPECT_GT(dy, dx);
  EXPECT_EQ(pixel(w, dx + 10, dy + 10), kRed);
  EXPECT_EQ(pixel(w, dx + 29, dy + 19), kRed);
  EXPECT_EQ(pixel(w, dx + 30, dy + 19), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(pixel(w, dx + 9, dy + 10), GetSysColor(COLOR_WINDOW));
  HDC clientDC = GetDC(w);  // client coordinates
  EXPECT_EQ(GetPixel(clientDC, 10, 10), kRed);
  EXPECT_EQ(ReleaseDC(w, clientDC), 1);

  // A partial update, not erased: only rcPaint changes, fErase is off.
  gSeen.fillEverything = true;
  RECT part{0, 0, 12, 12};
  InvalidateRect(w, &part, FALSE);
  pump();
  EXPECT_EQ(gSeen.paints, 2);
  EXPECT_TRUE(EqualRect(&gSeen.last.rcPaint, &part));
  EXPECT_FALSE(gSeen.last.fErase);
  EXPECT_EQ(pixel(w, dx + 11, dy + 11), kBlue);
  EXPECT_EQ(pixel(w, dx + 12, dy + 11), kRed);
  EXPECT_EQ(pixel(w, dx + 40, dy + 40), GetSysColor(COLOR_WINDOW));

  // Growing keeps what fits; the new part gets painted.
  gSeen.fillEverything = false;
  MoveWindow(w, 0, 0, 200, 150, TRUE);
  EXPECT_EQ(pixel(w, dx + 11, dy + 11), kBlue);
  pump();
  EXPECT_EQ(pixel(w, dx + 11, dy + 11), kRed);
  EXPECT_EQ(pixel(w, dx + 5, dy + 5), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(pixel(w, dx + 150, dy + 100), GetSysColor(COLOR_WINDOW));
  DestroyWindow(w);
}

TEST(WindowDC, ChildrenDrawAtTheirOffsetClippedToThemselves) {
  registerClass("PaintPlain", DefWindowProcA, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  registerClass("PaintGreen", greedyProc, nullptr);
  HWND top = CreateWindowExA(0, "PaintPlain", "top", WS_POPUP | WS_VISIBLE, 5, 5, 100, 80, nullptr, nullptr,
                             nullptr, nullptr);
  HWND kid = CreateWindowExA(0, "PaintPlain", "kid", WS_CHILD | WS_VISIBLE, 40, 30, 30, 20, top, nullptr, nullptr,
                             nullptr);
  // A grandchild reaching past its parent's right edge shows only inside it.
  HWND grand = CreateWindowExA(0, "PaintGreen", "grand", WS_CHILD | WS_VISIBLE, 20, 5, 40, 10, kid, nullptr,
                               nullptr, nullptr);
  ASSERT_NE(grand, nullptr);
  pump();
  EXPECT_EQ(pixel(top, 60, 35), kGreen);    // (40+20, 30+5)
  EXPECT_EQ(pixel(top, 69, 44), kGreen);    // last column of the child's client area
  EXPECT_EQ(pixel(top, 70, 40), RGB(255, 255, 255));  // past the child
  EXPECT_EQ(pixel(top, 59, 35), RGB(255, 255, 255));  // left of the grandchild
  EXPECT_EQ(pixel(top, 60, 45), RGB(255, 255, 255));  // below it
  EXPECT_EQ(pixel(grand, 0, 0), kGreen);

  // A child's DC: its (0,0) is its corner on the parent's surface, and it clips there.
  HDC dc = GetDC(kid);
  EXPECT_NE(SetPixel(dc, 1, 2, kRed), CLR_INVALID);
  EXPECT_EQ(SetPixel(dc, 30, 2, kRed), CLR_INVALID);
  RECT box;
  EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
  EXPECT_EQ(box.right, 30);
  EXPECT_EQ(box.bottom, 20);
  EXPECT_EQ(ReleaseDC(kid, dc), 1);
  EXPECT_EQ(pixel(top, 41, 32), kRed);
  DestroyWindow(top);
}

TEST(WindowDC, ReleasingAndStaleWindows) {
  registerClass("PaintPlain", DefWindowProcA, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  HWND w = CreateWindowExA(0, "PaintPlain", "w", WS_POPUP, 0, 0, 50, 40, nullptr, nullptr, nullptr, nullptr);
  HDC dc = GetDC(w);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(ReleaseDC(nullptr, dc), 0);  // not the window it came from
  EXPECT_EQ(ReleaseDC(w, dc), 1);
  EXPECT_EQ(ReleaseDC(w, dc), 0);  // already released
  EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID);
  HDC memory = CreateCompatibleDC(nullptr);
  EXPECT_EQ(ReleaseDC(w, memory), 0);
  EXPECT_TRUE(DeleteDC(memory));

  HDC screen = GetDC(nullptr);
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(GetDeviceCaps(screen, HORZRES), GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(ReleaseDC(nullptr, screen), 1);

  // A paint DC goes with EndPaint, not ReleaseDC; nothing to paint clips everything.
  PAINTSTRUCT ps;
  HDC paint = BeginPaint(w, &ps);
  ASSERT_NE(paint, nullptr);
  EXPECT_TRUE(IsRectEmpty(&ps.rcPaint));
  RECT box;
  EXPECT_EQ(GetClipBox(paint, &box), NULLREGION);
  EXPECT_EQ(ReleaseDC(w, paint), 0);
  EXPECT_TRUE(EndPaint(w, &ps));
  EXPECT_EQ(GetPixel(paint, 0, 0), CLR_INVALID);
  EXPECT_EQ(BeginPaint(w, nullptr), nullptr);

  // A DC still out when its window goes goes too; the window's handle gives none.
  HDC left = GetWindowDC(w);
  ASSERT_NE(left, nullptr);
  EXPECT_TRUE(DestroyWindow(w));
  EXPECT_EQ(GetPixel(left, 0, 0), CLR_INVALID);
  SetLastError(0);
  EXPECT_EQ(GetDC(w), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_EQ(GetWindowDC(w), nullptr);
  EXPECT_EQ(BeginPaint(w, &ps), nullptr);
  EXPECT_EQ(ReleaseDC(w, left), 0);
}

TEST(WindowDC, SystemColoursAndTheirBrushes) {
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(212, 208, 200));
  EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), RGB(0, 0, 0));
  EXPECT_EQ(GetSysColor(99), 0u);
  HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  ASSERT_NE(face, nullptr);
  EXPECT_EQ(GetSysColorBrush(COLOR_BTNFACE), face);
  EXPECT_TRUE(DeleteObject(face));  // harmless: it stays
  LOGBRUSH log{};
  ASSERT_EQ(GetObjectA(face, sizeof log, &log), static_cast<int>(sizeof log));
  EXPECT_EQ(log.lbColor, RGB(212, 208, 200));
  EXPECT_EQ(GetSysColorBrush(99), nullptr);

  // A class brush given as COLOR_BTNFACE + 1 erases in that colour.
  registerClass("PaintFace", DefWindowProcA, reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(COLOR_BTNFACE + 1)));
  HWND w = CreateWindowExA(0, "PaintFace", "face", WS_POPUP | WS_VISIBLE, 0, 0, 30, 30, nullptr, nullptr, nullptr,
                           nullptr);
  pump();
  EXPECT_EQ(pixel(w, 15, 15), RGB(212, 208, 200));
  DestroyWindow(w);
}

}  // namespace
