#include <gtest/gtest.h>
#include <korvane/platform.h>
#include <korvane/win32.h>

#include <cstdio>
#include <string>

namespace {

// A 40x30 white memory DC to draw into and read back pixel by pixel.
class Canvas {
 public:
  Canvas() : dc_(CreateCompatibleDC(nullptr)), bitmap_(CreateCompatibleBitmap(dc_, 40, 30)) {
    old_ = SelectObject(dc_, bitmap_);
    RECT all{0, 0, 40, 30};
    FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }
  // The rows of the canvas as text: '#' for `ink`, '.' for white, '?' for anything else.
  std::string rows(COLORREF ink, int top, int bottom, int left, int right) const {
    std::string out;
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) {
        COLORREF c = GetPixel(dc_, x, y);
        out += c == ink ? '#' : c == RGB(255, 255, 255) ? '.' : '?';
      }
      out += '\n';
    }
    return out;
  }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
};

TEST(GdiDrawingTest, RectanglesAndLinesCoverExactlyTheirPixels) {
  Canvas c;
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
  HGDIOBJ oldPen = SelectObject(c.dc(), pen);
  HGDIOBJ oldBrush = SelectObject(c.dc(), GetStockObject(NULL_BRUSH));
  // Right and bottom edges stay outside.
  ASSERT_TRUE(Rectangle(c.dc(), 1, 1, 5, 4));
  EXPECT_EQ(c.rows(RGB(255, 0, 0), 0, 5, 0, 6),
            "......\n"
            ".####.\n"
            ".#..#.\n"
            ".####.\n"
            "......\n");
  // A line leaves out its last point, in both directions; the second line starts on it.
  MoveToEx(c.dc(), 10, 2, nullptr);
  LineTo(c.dc(), 14, 2);
  LineTo(c.dc(), 14, 0);
  EXPECT_EQ(c.rows(RGB(255, 0, 0), 0, 3, 9, 16),
            ".......\n"
            ".....#.\n"
            ".#####.\n");
  POINT at{};
  MoveToEx(c.dc(), 0, 0, &at);
  EXPECT_EQ(at.x, 14);
  EXPECT_EQ(at.y, 0);

  // Without a pen the fill is one pixel smaller each way.
  SelectObject(c.dc(), GetStockObject(NULL_PEN));
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  SelectObject(c.dc(), blue);
  Rectangle(c.dc(), 20, 10, 24, 13);
  EXPECT_EQ(c.rows(RGB(0, 0, 255), 9, 13, 19, 25),
            "......\n"
            ".###..\n"
            ".###..\n"
            "......\n");
  // FrameRect: one unit wide; FillRect covers left/top, not right/bottom.
  RECT frame{2, 20, 6, 24};
  FrameRect(c.dc(), &frame, blue);
  RECT fill{8, 20, 10, 22};
  FillRect(c.dc(), &fill, blue);
  EXPECT_EQ(c.rows(RGB(0, 0, 255), 19, 25, 1, 11),
            "..........\n"
            ".####..##.\n"
            ".#..#..##.\n"
            ".#..#.....\n"
            ".####.....\n"
            "..........\n");
  SelectObject(c.dc(), oldPen);
  SelectObject(c.dc(), oldBrush);
  DeleteObject(pen);
  DeleteObject(blue);
}

TEST(GdiDrawingTest, ClippingMappingAndPixels) {
  Canvas c;
  HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  // Output stays inside the clip rectangle.
  SaveDC(c.dc());
  IntersectClipRect(c.dc(), 2, 2, 4, 4);
  RECT all{0, 0, 40, 30};
  FillRect(c.dc(), &all, black);
  EXPECT_EQ(SetPixel(c.dc(), 10, 10, RGB(1, 2, 3)), CLR_INVALID);
  RestoreDC(c.dc(), -1);
  EXPECT_EQ(c.rows(RGB(0, 0, 0), 1, 5, 1, 5),
            "....\n"
            ".##.\n"
            ".##.\n"
            "....\n");
  EXPECT_EQ(GetPixel(c.dc(), 10, 10), RGB(255, 255, 255));
  // Moved viewport origin: logical (0,0) is device (30,20).
  SetViewportOrgEx(c.dc(), 30, 20, nullptr);
  EXPECT_EQ(SetPixel(c.dc(), 1, 2, RGB(9, 8, 7)), RGB(9, 8, 7));
  SetViewportOrgEx(c.dc(), 0, 0, nullptr);
  EXPECT_EQ(GetPixel(c.dc(), 31, 22), RGB(9, 8, 7));
  // Outside the bitmap or on a DC without one.
  EXPECT_EQ(GetPixel(c.dc(), 40, 0), CLR_INVALID);
  EXPECT_EQ(GetPixel(c.dc(), -1, 0), CLR_INVALID);
  HDC info = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
  EXPECT_EQ(GetPixel(info, 0, 0), CLR_INVALID);
  EXPECT_EQ(FillRect(info, &all, black), 1);
  EXPECT_FALSE(KwSaveDCAsPng(info, "/tmp/never.png"));
  DeleteDC(info);
  EXPECT_EQ(FillRect(c.dc(), nullptr, black), 0);
  EXPECT_EQ(FillRect(c.dc(), &all, nullptr), 0);
  EXPECT_FALSE(LineTo(nullptr, 1, 1));
}

TEST(GdiDrawingTest, SavesWhatTheDCShowsAsPng) {
  Canvas c;
  char dir[] = "/tmp/kvpngXXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  std::string path = std::string(dir) + "/canvas.png";
  ASSERT_TRUE(KwSaveDCAsPng(c.dc(), path.c_str()));
  FILE* f = std::fopen(path.c_str(), "rb");
  ASSERT_NE(f, nullptr);
  unsigned char head[24] = {};
  ASSERT_EQ(std::fread(head, 1, sizeof head, f), sizeof head);
  std::fclose(f);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(head) + 1, 3), "PNG");
  // Width and height in the IHDR chunk, big-endian.
  EXPECT_EQ(head[19], 40);
  EXPECT_EQ(head[23], 30);
  EXPECT_FALSE(KwSaveDCAsPng(c.dc(), (std::string(dir) + "/no/such/dir.png").c_str()));
  std::remove(path.c_str());
  rmdir(dir);
}

}  // namespace
