#include <korvane/win32.h>

#include <gtest/gtest.h>

namespace {

// A memory DC on the default 1024x768 display: 271 x 203 mm at 96 dpi.
class MappingTest : public ::testing::Test {
 protected:
  void SetUp() override { dc = CreateCompatibleDC(nullptr); ASSERT_NE(dc, nullptr); }
  void TearDown() override { DeleteDC(dc); }
  POINT toDevice(LONG x, LONG y) {
    POINT p{x, y};
    EXPECT_TRUE(LPtoDP(dc, &p, 1));
    return p;
  }
  POINT toLogical(LONG x, LONG y) {
    POINT p{x, y};
    EXPECT_TRUE(DPtoLP(dc, &p, 1));
    return p;
  }
  HDC dc = nullptr;
};

TEST_F(MappingTest, FixedModesScaleFromTheDeviceSizeWithYUp) {
  ASSERT_EQ(GetDeviceCaps(dc, HORZSIZE), 271);
  ASSERT_EQ(GetDeviceCaps(dc, VERTSIZE), 203);
  EXPECT_EQ(GetMapMode(dc), MM_TEXT);
  EXPECT_EQ(toDevice(17, -5).x, 17);
  EXPECT_EQ(SetMapMode(dc, MM_LOMETRIC), MM_TEXT);
  SIZE w, v;
  GetWindowExtEx(dc, &w);
  GetViewportExtEx(dc, &v);
  EXPECT_EQ(w.cx, 2710);
  EXPECT_EQ(w.cy, 2030);
  EXPECT_EQ(v.cx, 1024);
  EXPECT_EQ(v.cy, -768);
  // 100 mm = 1000 units -> 1000 * 1024 / 2710 = 377.86 -> 378; y down the screen.
  POINT p = toDevice(1000, 1000);
  EXPECT_EQ(p.x, 378);
  EXPECT_EQ(p.y, -378);  // 1000 * 768 / 2030 = 378.3
  p = toLogical(378, -378);
  EXPECT_EQ(p.x, 1000);  // 378 * 2710 / 1024 = 1000.37
  EXPECT_EQ(p.y, 999);   // 378 * 2030 / 768 = 999.14
  SetMapMode(dc, MM_HIMETRIC);
  GetWindowExtEx(dc, &w);
  EXPECT_EQ(w.cx, 27100);
  SetMapMode(dc, MM_LOENGLISH);
  GetWindowExtEx(dc, &w);
  EXPECT_EQ(w.cx, 1067);  // 271 / 25.4 * 100 = 1066.9
  EXPECT_EQ(w.cy, 799);   // 203 / 25.4 * 100 = 799.2
  SetMapMode(dc, MM_HIENGLISH);
  GetWindowExtEx(dc, &w);
  EXPECT_EQ(w.cx, 10669);  // 10669.29
  SetMapMode(dc, MM_TWIPS);
  GetWindowExtEx(dc, &w);
  EXPECT_EQ(w.cx, 15364);  // 271 * 1440 / 25.4 = 15363.8
  EXPECT_EQ(w.cy, 11509);  // 11508.7
  // Extents are fixed here: the call succeeds and changes nothing.
  EXPECT_TRUE(SetWindowExtEx(dc, 5, 5, nullptr));
  GetWindowExtEx(dc, &w);
  EXPECT_EQ(w.cx, 15364);
  EXPECT_EQ(SetMapMode(dc, 0), 0);
  EXPECT_EQ(SetMapMode(dc, 9), 0);
  EXPECT_EQ(GetMapMode(dc), MM_TWIPS);
}

TEST_F(MappingTest, AnisotropicOriginsAndNegativeExtents) {
  SetMapMode(dc, MM_ANISOTROPIC);
  EXPECT_TRUE(SetWindowExtEx(dc, 1000, 1000, nullptr));
  EXPECT_TRUE(SetViewportExtEx(dc, 300, -200, nullptr));
  EXPECT_TRUE(SetWindowOrgEx(dc, 100, 50, nullptr));
  EXPECT_TRUE(SetViewportOrgEx(dc, 10, 400, nullptr));
  // x: (x - 100) * 300 / 1000 + 10, y: (y - 50) * -200 / 1000 + 400
  POINT p = toDevice(600, 550);
  EXPECT_EQ(p.x, 160);
  EXPECT_EQ(p.y, 300);
  p = toDevice(105, 52);  // 11.5 and 399.6: halves go up
  EXPECT_EQ(p.x, 12);
  EXPECT_EQ(p.y, 400);
  p = toDevice(95, 48);  // 8.5 and 400.4
  EXPECT_EQ(p.x, 9);
  EXPECT_EQ(p.y, 400);
  p = toLogical(160, 300);
  EXPECT_EQ(p.x, 600);
  EXPECT_EQ(p.y, 550);
  POINT old;
  EXPECT_TRUE(OffsetViewportOrgEx(dc, 5, -5, &old));
  EXPECT_EQ(old.x, 10);
  EXPECT_EQ(old.y, 400);
  EXPECT_EQ(toDevice(600, 550).x, 165);
  // Zero extents are refused and leave the old ones.
  EXPECT_FALSE(SetViewportExtEx(dc, 0, 10, nullptr));
  SIZE v;
  GetViewportExtEx(dc, &v);
  EXPECT_EQ(v.cx, 300);
  EXPECT_EQ(v.cy, -200);
  // Choosing anisotropic again keeps the extents.
  SetMapMode(dc, MM_ANISOTROPIC);
  GetViewportExtEx(dc, &v);
  EXPECT_EQ(v.cx, 300);
  // Huge coordinates saturate instead of wrapping.
  p = toDevice(0x7FFFFFFF, -0x7FFFFFFF);
  EXPECT_EQ(p.x, 644245079);  // (2^31 - 1 - 100) * 0.3 + 15
  SetWindowExtEx(dc, 1, 1, nullptr);
  SetViewportExtEx(dc, 0x7FFFFFFF, 0x7FFFFFFF, nullptr);
  p = toDevice(0x7FFFFFFF, -0x7FFFFFFF);
  EXPECT_EQ(p.x, 0x7FFFFFFF);
  EXPECT_EQ(p.y, -0x7FFFFFFF - 1);
}

TEST_F(MappingTest, IsotropicShrinksTheLongerUnit) {
  SetMapMode(dc, MM_ISOTROPIC);
  SetWindowExtEx(dc, 100, 100, nullptr);
  // A square window on a 1024x768 viewport: a unit would be 2.71 mm wide and 2.03 mm
  // high, so x shrinks.
  SetViewportExtEx(dc, 1024, 768, nullptr);
  SIZE v;
  GetViewportExtEx(dc, &v);
  EXPECT_EQ(v.cx, 767);  // 1024 * 203 / 271 = 767.06
  EXPECT_EQ(v.cy, 768);
  SetViewportExtEx(dc, -1024, 768, nullptr);
  GetViewportExtEx(dc, &v);
  EXPECT_EQ(v.cx, -767);  // the sign stays
  SetViewportExtEx(dc, 10, 5000, nullptr);
  GetViewportExtEx(dc, &v);
  EXPECT_EQ(v.cx, 10);
  EXPECT_EQ(v.cy, 10);  // 5000 * (10 * 271 * 768) / (5000 * 203 * 1024) = 10.01
}

TEST(DeviceContextTest, SaveAndRestoreStack) {
  HDC dc = CreateCompatibleDC(nullptr);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(SaveDC(dc), 1);  // MM_TEXT, origin 0
  SetMapMode(dc, MM_LOMETRIC);
  SetWindowOrgEx(dc, 7, 7, nullptr);
  EXPECT_EQ(SaveDC(dc), 2);
  SetMapMode(dc, MM_TWIPS);
  HPEN pen = CreatePen(PS_SOLID, 3, RGB(1, 2, 3));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  EXPECT_EQ(oldPen, GetStockObject(BLACK_PEN));
  EXPECT_EQ(SaveDC(dc), 3);
  SetBkColor(dc, RGB(9, 9, 9));
  EXPECT_EQ(SaveDC(dc), 4);
  EXPECT_TRUE(RestoreDC(dc, -2));  // back to the third save; 3 and 4 leave the stack
  EXPECT_EQ(GetMapMode(dc), MM_TWIPS);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
  EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 255));
  EXPECT_FALSE(RestoreDC(dc, 3));  // gone
  EXPECT_FALSE(RestoreDC(dc, -3));
  EXPECT_FALSE(RestoreDC(dc, 0));
  EXPECT_EQ(SaveDC(dc), 3);        // numbering goes on from the depth
  EXPECT_TRUE(RestoreDC(dc, 2));
  EXPECT_EQ(GetMapMode(dc), MM_LOMETRIC);
  POINT org;
  GetWindowOrgEx(dc, &org);
  EXPECT_EQ(org.x, 7);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
  EXPECT_TRUE(RestoreDC(dc, -1));
  EXPECT_EQ(GetMapMode(dc), MM_TEXT);
  EXPECT_FALSE(RestoreDC(dc, -1));  // empty
  EXPECT_TRUE(DeleteObject(pen));
  EXPECT_TRUE(DeleteDC(dc));
  EXPECT_EQ(SaveDC(dc), 0);
  EXPECT_FALSE(RestoreDC(dc, 1));
}

}  // namespace
