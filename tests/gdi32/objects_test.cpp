#include <korvane/win32.h>

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(GdiObjectsTest, StaleHandlesNeverReachANewerObject) {
  HBRUSH first = CreateSolidBrush(RGB(10, 20, 30));
  ASSERT_NE(first, nullptr);
  ASSERT_TRUE(DeleteObject(first));
  EXPECT_FALSE(DeleteObject(first));
  // The freed slot comes back only after the others; whatever reuses it has a new handle.
  HBRUSH later[64];
  for (HBRUSH& b : later) {
    b = CreateSolidBrush(RGB(1, 1, 1));
    EXPECT_NE(b, first);
  }
  LOGBRUSH lb;
  EXPECT_EQ(GetObjectA(first, sizeof lb, &lb), 0);
  EXPECT_EQ(GetObjectType(first), 0u);
  for (HBRUSH b : later) DeleteObject(b);

  HDC dc = CreateCompatibleDC(nullptr);
  ASSERT_TRUE(DeleteDC(dc));
  EXPECT_FALSE(DeleteDC(dc));
  EXPECT_EQ(GetDeviceCaps(dc, HORZRES), 0);
  EXPECT_EQ(SelectObject(dc, GetStockObject(BLACK_BRUSH)), nullptr);
  EXPECT_EQ(GetTextColor(dc), CLR_INVALID);
  EXPECT_EQ(SetBkMode(dc, TRANSPARENT), 0);
  // Handles of the wrong kind or made up.
  EXPECT_FALSE(DeleteDC(reinterpret_cast<HDC>(GetStockObject(WHITE_BRUSH))));
  EXPECT_FALSE(DeleteObject(nullptr));
  EXPECT_FALSE(DeleteObject(reinterpret_cast<HGDIOBJ>(0x12345678)));
  EXPECT_EQ(GetObjectType(reinterpret_cast<HGDIOBJ>(static_cast<UINT_PTR>(-1))), 0u);
  POINT p{1, 1};
  EXPECT_FALSE(LPtoDP(dc, &p, 1));
}

TEST(GdiObjectsTest, DescribeSelectAndDelete) {
  HPEN pen = CreatePen(PS_DASH, 4, RGB(200, 0, 0));
  LOGPEN lp{};
  EXPECT_EQ(GetObjectA(pen, sizeof lp, &lp), static_cast<int>(sizeof lp));
  EXPECT_EQ(lp.lopnStyle, static_cast<UINT>(PS_DASH));
  EXPECT_EQ(lp.lopnWidth.x, 4);
  EXPECT_EQ(lp.lopnColor, RGB(200, 0, 0));
  EXPECT_EQ(GetObjectA(pen, 0, nullptr), 16);
  EXPECT_EQ(CreatePen(42, 1, 0), nullptr);

  LOGFONTA lf;
  ASSERT_EQ(GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf), 60);
  EXPECT_EQ(GetObjectType(GetStockObject(SYSTEM_FONT)), static_cast<DWORD>(OBJ_FONT));
  EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_PEN)));  // stock objects stay
  EXPECT_EQ(GetObjectType(GetStockObject(BLACK_PEN)), static_cast<DWORD>(OBJ_PEN));
  EXPECT_EQ(GetStockObject(9), nullptr);
  EXPECT_EQ(GetStockObject(-1), nullptr);

  HDC screen = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(GetDeviceCaps(screen, HORZRES), 1024);
  EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), 96);
  EXPECT_EQ(GetDeviceCaps(screen, TECHNOLOGY), DT_RASDISPLAY);
  EXPECT_EQ(GetObjectType(screen), static_cast<DWORD>(OBJ_DC));
  HDC mem = CreateCompatibleDC(screen);
  EXPECT_EQ(GetObjectType(mem), static_cast<DWORD>(OBJ_MEMDC));
  // From the screen: colour; from a fresh memory DC: monochrome, as in Win32.
  HBITMAP colour = CreateCompatibleBitmap(screen, 30, 20);
  HBITMAP mono = CreateCompatibleBitmap(mem, 8, 8);
  BITMAP bm{};
  ASSERT_EQ(GetObjectA(colour, sizeof bm, &bm), static_cast<int>(sizeof bm));
  EXPECT_EQ(bm.bmWidth, 30);
  EXPECT_EQ(bm.bmHeight, 20);
  EXPECT_EQ(bm.bmBitsPixel, 32);
  EXPECT_EQ(bm.bmWidthBytes, 120);
  GetObjectA(mono, sizeof bm, &bm);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  EXPECT_EQ(bm.bmWidthBytes, 2);
  EXPECT_EQ(CreateCompatibleBitmap(screen, -1, 5), nullptr);
  EXPECT_EQ(CreateCompatibleBitmap(screen, 1 << 20, 1 << 20), nullptr);

  // A bitmap sits in one DC at a time and cannot be deleted there; a brush can.
  HGDIOBJ initial = SelectObject(mem, colour);
  ASSERT_NE(initial, nullptr);
  HDC other = CreateCompatibleDC(screen);
  EXPECT_EQ(SelectObject(other, colour), nullptr);
  EXPECT_EQ(SelectObject(screen, colour), nullptr);  // not a memory DC
  EXPECT_FALSE(DeleteObject(colour));
  HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
  SelectObject(mem, brush);
  EXPECT_TRUE(DeleteObject(brush));
  EXPECT_EQ(SelectObject(mem, initial), colour);
  EXPECT_NE(SelectObject(other, colour), nullptr);
  DeleteDC(other);
  EXPECT_TRUE(DeleteObject(colour));
  EXPECT_TRUE(DeleteObject(mono));
  EXPECT_TRUE(DeleteObject(pen));
  DeleteDC(mem);

  HDC info = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
  EXPECT_EQ(GetDeviceCaps(info, LOGPIXELSX), 96);
  DeleteDC(info);
  EXPECT_EQ(CreateDCA("NoSuchPrinter", nullptr, nullptr, nullptr), nullptr);
  EXPECT_EQ(CreateDCA(nullptr, nullptr, nullptr, nullptr), nullptr);
  DeleteDC(screen);
}

TEST(GdiObjectsTest, ClipBoxFollowsOriginsAndRegions) {
  HDC screen = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 200, 100);
  SelectObject(dc, bitmap);
  RECT box;
  EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
  EXPECT_EQ(box.right, 200);
  EXPECT_EQ(box.bottom, 100);
  SetViewportOrgEx(dc, 50, 20, nullptr);
  GetClipBox(dc, &box);
  EXPECT_EQ(box.left, -50);
  EXPECT_EQ(box.top, -20);
  EXPECT_EQ(box.right, 150);
  EXPECT_EQ(IntersectClipRect(dc, 0, 0, 10, 10), SIMPLEREGION);  // device 50,20 - 60,30
  SetWindowOrgEx(dc, 5, 5, nullptr);
  GetClipBox(dc, &box);
  EXPECT_EQ(box.left, 5);
  EXPECT_EQ(box.top, 5);
  EXPECT_EQ(box.right, 15);
  EXPECT_EQ(box.bottom, 15);
  EXPECT_EQ(IntersectClipRect(dc, 100, 100, 200, 200), NULLREGION);
  EXPECT_EQ(GetClipBox(dc, &box), NULLREGION);
  HRGN region = CreateRectRgn(190, 90, 10, 80);  // normalised
  EXPECT_EQ(GetRgnBox(region, &box), SIMPLEREGION);
  EXPECT_EQ(box.left, 10);
  EXPECT_EQ(SelectClipRgn(dc, region), SIMPLEREGION);
  SetWindowOrgEx(dc, 0, 0, nullptr);
  SetViewportOrgEx(dc, 0, 0, nullptr);
  GetClipBox(dc, &box);
  EXPECT_EQ(box.left, 10);
  EXPECT_EQ(box.top, 80);
  EXPECT_EQ(box.right, 190);
  EXPECT_EQ(box.bottom, 90);
  EXPECT_EQ(SelectClipRgn(dc, nullptr), SIMPLEREGION);
  GetClipBox(dc, &box);
  EXPECT_EQ(box.bottom, 100);
  EXPECT_EQ(GetClipBox(dc, nullptr), ERROR);
  DeleteObject(region);
  DeleteDC(dc);
  DeleteObject(bitmap);
  DeleteDC(screen);
}

}  // namespace
