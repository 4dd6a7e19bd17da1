#include <gtest/gtest.h>
#include <korvane/win32.h>

#include <string>
#include <vector>

namespace {

HFONT makeFont(int height, const char* face, int weight = FW_NORMAL) {
  return CreateFontA(height, 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face);
}

// A white memory DC with a font selected, for measuring and drawing.
class TextCanvas {
 public:
  TextCanvas(int w, int h, HFONT font) : dc_(CreateCompatibleDC(nullptr)), bitmap_(CreateCompatibleBitmap(dc_, w, h)), font_(font), w_(w), h_(h) {
    oldBitmap_ = SelectObject(dc_, bitmap_);
    oldFont_ = SelectObject(dc_, font_);
    clear();
  }
  ~TextCanvas() {
    SelectObject(dc_, oldFont_);
    SelectObject(dc_, oldBitmap_);
    DeleteObject(font_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }
  void clear() {
    RECT all{0, 0, w_, h_};
    FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  SIZE extent(const char* text) const {
    SIZE s{-1, -1};
    GetTextExtentPoint32A(dc_, text, static_cast<int>(std::char_traits<char>::length(text)), &s);
    return s;
  }
  // The box around every pixel that is not white; empty when nothing was drawn.
  RECT ink() const {
    RECT r{w_, h_, 0, 0};
    for (int y = 0; y < h_; ++y)
      for (int x = 0; x < w_; ++x)
        if (GetPixel(dc_, x, y) != RGB(255, 255, 255)) {
          r.left = std::min<LONG>(r.left, x), r.top = std::min<LONG>(r.top, y);
          r.right = std::max<LONG>(r.right, x + 1), r.bottom = std::max<LONG>(r.bottom, y + 1);
        }
    return r;
  }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HFONT font_;
  HGDIOBJ oldBitmap_, oldFont_;
  int w_, h_;
};

bool inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right && inner.bottom <= outer.bottom;
}

std::string faceOf(HDC dc) {
  char name[LF_FACESIZE] = {};
  GetTextFaceA(dc, LF_FACESIZE, name);
  return name;
}

TEST(GdiFontTest, DejaVuMetricsFollowTheHeightRules) {
  TextCanvas c(10, 10, makeFont(-16, "DejaVu Sans"));
  TEXTMETRICA tm{};
  ASSERT_TRUE(GetTextMetricsA(c.dc(), &tm));
  // Em 16 px: win ascent 1901 and descent 483 of 2048 units.
  EXPECT_EQ(tm.tmAscent, 15);
  EXPECT_EQ(tm.tmDescent, 4);
  EXPECT_EQ(tm.tmHeight, 19);
  EXPECT_EQ(tm.tmInternalLeading, 3);
  EXPECT_EQ(tm.tmExternalLeading, 0);
  EXPECT_EQ(tm.tmWeight, FW_NORMAL);
  EXPECT_EQ(tm.tmAveCharWidth, 8);
  EXPECT_GE(tm.tmMaxCharWidth, tm.tmAveCharWidth);
  EXPECT_EQ(tm.tmPitchAndFamily, FF_SWISS | TMPF_FIXED_PITCH | TMPF_VECTOR | TMPF_TRUETYPE);
  EXPECT_EQ(tm.tmCharSet, ANSI_CHARSET);
  EXPECT_EQ(faceOf(c.dc()), "DejaVu Sans");
  EXPECT_EQ(GetTextFaceA(c.dc(), 0, nullptr), 12);
  char cut[4];
  EXPECT_EQ(GetTextFaceA(c.dc(), 4, cut), 3);
  EXPECT_STREQ(cut, "Dej");

  // A positive height is the cell: the same font again.
  SelectObject(c.dc(), makeFont(19, "DejaVu Sans"));
  TEXTMETRICA cell{};
  GetTextMetricsA(c.dc(), &cell);
  EXPECT_EQ(cell.tmHeight, 19);
  EXPECT_EQ(cell.tmInternalLeading, 3);
  // Zero: 12 points at 96 pixels per inch, as a cell.
  DeleteObject(SelectObject(c.dc(), makeFont(0, "DejaVu Sans")));
  GetTextMetricsA(c.dc(), &cell);
  EXPECT_EQ(cell.tmHeight, 16);
  // Bold is reported bold.
  DeleteObject(SelectObject(c.dc(), makeFont(-16, "DejaVu Sans", FW_BOLD)));
  GetTextMetricsA(c.dc(), &cell);
  EXPECT_EQ(cell.tmWeight, FW_BOLD);
  DeleteObject(SelectObject(c.dc(), GetStockObject(SYSTEM_FONT)));

  EXPECT_FALSE(GetTextMetricsA(nullptr, &tm));
  EXPECT_FALSE(GetTextMetricsA(c.dc(), nullptr));
}

TEST(GdiFontTest, OldFaceNamesFindInstalledFaces) {
  TextCanvas c(10, 10, makeFont(-12, "MS Sans Serif"));
  EXPECT_EQ(faceOf(c.dc()), "DejaVu Sans");
  const std::pair<const char*, const char*> names[] = {
      {"Courier New", "DejaVu Sans Mono"}, {"Times New Roman", "DejaVu Serif"},
      {"MS Gothic", "IPAGothic"}, {"\x82l\x82r \x83S\x83V\x83\x62\x83N", "IPAGothic"},
      {"System", "DejaVu Sans"}, {"DejaVu Serif", "DejaVu Serif"}};
  for (const auto& [asked, got] : names) {
    DeleteObject(SelectObject(c.dc(), makeFont(-12, asked)));
    EXPECT_EQ(faceOf(c.dc()), got) << asked;
  }
  // No name: pitch and family choose.
  DeleteObject(SelectObject(c.dc(), CreateFontA(-12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, FIXED_PITCH | FF_MODERN, "")));
  TEXTMETRICA tm{};
  GetTextMetricsA(c.dc(), &tm);
  EXPECT_EQ(tm.tmPitchAndFamily & TMPF_FIXED_PITCH, 0);  // clear: fixed pitch
  EXPECT_EQ(tm.tmPitchAndFamily & 0xF0, FF_MODERN);
  DeleteObject(SelectObject(c.dc(), GetStockObject(SYSTEM_FONT)));
}

TEST(GdiFontTest, ExtentsMeasureTheText) {
  TextCanvas c(10, 10, makeFont(-16, "DejaVu Sans Mono"));
  TEXTMETRICA tm{};
  GetTextMetricsA(c.dc(), &tm);
  SIZE i = c.extent("iiii"), w = c.extent("WWWW");
  EXPECT_EQ(i.cx, w.cx);  // monospace
  EXPECT_EQ(i.cx, 4 * tm.tmAveCharWidth);
  EXPECT_EQ(i.cy, tm.tmHeight);
  EXPECT_EQ(c.extent("").cx, 0);
  SIZE s{};
  EXPECT_FALSE(GetTextExtentPoint32A(c.dc(), nullptr, 3, &s));
  EXPECT_FALSE(GetTextExtentPoint32A(c.dc(), "abc", -1, &s));

  // Tabs: the default stop is 8 average characters; one given stop repeats; several are
  // taken as they are.
  int ch = tm.tmAveCharWidth;
  EXPECT_EQ(LOWORD(GetTabbedTextExtentA(c.dc(), "a\tb", 3, 0, nullptr)), 9 * ch);
  EXPECT_EQ(HIWORD(GetTabbedTextExtentA(c.dc(), "a\tb", 3, 0, nullptr)), tm.tmHeight);
  INT one = 30;
  EXPECT_EQ(LOWORD(GetTabbedTextExtentA(c.dc(), "a\tb\tc", 5, 1, &one)), 60 + ch);
  INT two[] = {20, 70};
  EXPECT_EQ(LOWORD(GetTabbedTextExtentA(c.dc(), "a\tb\tc", 5, 2, two)), 70 + ch);

  // A proportional font differs, and twice the scale halves logical extents.
  DeleteObject(SelectObject(c.dc(), makeFont(-16, "DejaVu Sans")));
  SIZE narrow = c.extent("iiii"), wide = c.extent("WWWW"), hello = c.extent("Hello");
  EXPECT_LT(narrow.cx, wide.cx);
  SetMapMode(c.dc(), MM_ANISOTROPIC);
  SetWindowExtEx(c.dc(), 1, 1, nullptr);
  SetViewportExtEx(c.dc(), 2, 2, nullptr);
  DeleteObject(SelectObject(c.dc(), makeFont(-8, "DejaVu Sans")));
  SIZE half = c.extent("Hello");
  EXPECT_NEAR(half.cx * 2, hello.cx, 1);
  EXPECT_NEAR(half.cy * 2, hello.cy, 1);
  SetMapMode(c.dc(), MM_TEXT);
  DeleteObject(SelectObject(c.dc(), GetStockObject(SYSTEM_FONT)));
}

TEST(GdiFontTest, JapaneseIsDoubleWidthUnderShiftJis) {
  if (GetACP() != 932) GTEST_SKIP() << "runs on the Japanese system";
  TextCanvas c(10, 10, makeFont(-16, "MS Gothic"));
  TEXTMETRICA tm{};
  GetTextMetricsA(c.dc(), &tm);
  EXPECT_EQ(tm.tmCharSet, SHIFTJIS_CHARSET);
  EXPECT_EQ(c.extent("A").cx, 8);
  EXPECT_EQ(c.extent("\x82\x60").cx, 16);                // full-width A
  EXPECT_EQ(c.extent("\x93\xfa\x96\x7b").cx, 32);        // two kanji
  EXPECT_EQ(c.extent("\xb1").cx, 8);                     // half-width katakana
  // A Latin face borrows the glyphs it lacks, still measured.
  DeleteObject(SelectObject(c.dc(), makeFont(-16, "DejaVu Sans")));
  EXPECT_EQ(c.extent("\x93\xfa\x96\x7b").cx, 32);
  DeleteObject(SelectObject(c.dc(), GetStockObject(SYSTEM_FONT)));
}

TEST(GdiFontTest, TextIsDrawnInsideItsExtentAtTheAlignedPlace) {
  TextCanvas c(80, 40, makeFont(-16, "DejaVu Sans"));
  SetBkMode(c.dc(), TRANSPARENT);
  SIZE e = c.extent("Hig");
  ASSERT_TRUE(TextOutA(c.dc(), 5, 5, "Hig", 3));
  RECT ink = c.ink();
  EXPECT_TRUE(inside(ink, {5, 5, 5 + e.cx, 5 + e.cy}));
  EXPECT_LE(ink.left, 7);       // the H's stem
  EXPECT_GE(ink.bottom, 5 + 15); // the g descends below the baseline

  // Right and bottom: the text ends at the point.
  c.clear();
  SetTextAlign(c.dc(), TA_RIGHT | TA_BOTTOM);
  TextOutA(c.dc(), 75, 35, "Hig", 3);
  EXPECT_TRUE(inside(c.ink(), {75 - e.cx, 35 - e.cy, 75, 35}));
  // Baseline and centre.
  c.clear();
  SetTextAlign(c.dc(), TA_CENTER | TA_BASELINE);
  TextOutA(c.dc(), 40, 20, "H", 1);
  ink = c.ink();
  EXPECT_EQ(ink.bottom, 20);
  EXPECT_NEAR((ink.left + ink.right) / 2.0, 40, 1.5);
  EXPECT_EQ(GetTextAlign(c.dc()), static_cast<UINT>(TA_CENTER | TA_BASELINE));

  // The current position moves along under TA_UPDATECP.
  SetTextAlign(c.dc(), TA_UPDATECP);
  MoveToEx(c.dc(), 3, 3, nullptr);
  TextOutA(c.dc(), 0, 0, "Hig", 3);
  POINT at{};
  MoveToEx(c.dc(), 0, 0, &at);
  EXPECT_EQ(at.x, 3 + e.cx);
  EXPECT_EQ(at.y, 3);
  SetTextAlign(c.dc(), TA_LEFT | TA_TOP);

  // Opaque mode fills the cell with the background colour; colours are honoured.
  c.clear();
  SetBkMode(c.dc(), OPAQUE);
  SetBkColor(c.dc(), RGB(255, 0, 0));
  SetTextColor(c.dc(), RGB(0, 0, 255));
  TextOutA(c.dc(), 10, 10, "Hig", 3);
  EXPECT_EQ(GetPixel(c.dc(), 10, 10), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(c.dc(), 10 + e.cx - 1, 10 + e.cy - 1), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(c.dc(), 10 + e.cx, 10), RGB(255, 255, 255));
  int solid = 0;  // the H's stems are whole pixels of the text colour
  for (int x = 10; x < 10 + e.cx; ++x) solid += GetPixel(c.dc(), x, 10 + 8) == RGB(0, 0, 255);
  EXPECT_GE(solid, 2);

  // ExtTextOutA: the rectangle is filled and clips the text.
  c.clear();
  RECT box{20, 10, 28, 30};
  ASSERT_TRUE(ExtTextOutA(c.dc(), 15, 10, ETO_OPAQUE | ETO_CLIPPED, &box, "WWWW", 4, nullptr));
  EXPECT_TRUE(inside(c.ink(), box));
  EXPECT_EQ(GetPixel(c.dc(), 20, 29), RGB(255, 0, 0));
  // Spacing given per character.
  c.clear();
  SetBkMode(c.dc(), TRANSPARENT);
  INT dx[] = {30, 30};
  ExtTextOutA(c.dc(), 0, 0, 0, nullptr, "ll", 2, dx);
  EXPECT_GE(c.ink().right, 31);

  EXPECT_FALSE(TextOutA(nullptr, 0, 0, "a", 1));
  EXPECT_FALSE(TextOutA(c.dc(), 0, 0, nullptr, 1));
  EXPECT_EQ(SetTextAlign(nullptr, TA_LEFT), GDI_ERROR);
  DeleteObject(SelectObject(c.dc(), GetStockObject(SYSTEM_FONT)));
}

TEST(GdiFontTest, DrawTextFormatsLinesInTheRectangle) {
  TextCanvas c(120, 80, makeFont(-16, "DejaVu Sans"));
  SetBkMode(c.dc(), TRANSPARENT);
  SIZE file = c.extent("File"), line = c.extent("aaa bbb");
  int h = file.cy;

  RECT r{10, 10, 10, 10};
  EXPECT_EQ(DrawTextA(c.dc(), "&File", -1, &r, DT_CALCRECT), h);
  EXPECT_EQ(r.right, 10 + file.cx);  // the prefix takes no room
  EXPECT_EQ(r.bottom, 10 + h);
  r = {0, 0, 0, 0};
  DrawTextA(c.dc(), "&File", -1, &r, DT_CALCRECT | DT_NOPREFIX);
  EXPECT_EQ(r.right, c.extent("&File").cx);
  r = {0, 0, 0, 0};
  EXPECT_EQ(DrawTextA(c.dc(), "one\r\ntwo\nthree", -1, &r, DT_CALCRECT), 3 * h);
  // Word breaks: a rectangle too narrow for both words.
  r = {0, 0, line.cx - 2, 0};
  EXPECT_EQ(DrawTextA(c.dc(), "aaa bbb", -1, &r, DT_CALCRECT | DT_WORDBREAK), 2 * h);
  EXPECT_EQ(r.right, c.extent("aaa").cx);
  r = {0, 0, 0, 0};
  EXPECT_EQ(DrawTextA(c.dc(), "a\nb", -1, &r, DT_CALCRECT | DT_SINGLELINE), h);

  // Centred in both directions on one line.
  r = {0, 0, 120, 80};
  EXPECT_EQ(DrawTextA(c.dc(), "File", 4, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE), (80 - h) / 2 + h);
  RECT ink = c.ink();
  EXPECT_TRUE(inside(ink, {(120 - file.cx) / 2, (80 - h) / 2, (120 + file.cx) / 2 + 1, (80 + h) / 2 + 1}));
  // Right and bottom.
  c.clear();
  DrawTextA(c.dc(), "File", 4, &r, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE);
  EXPECT_TRUE(inside(c.ink(), {120 - file.cx, 80 - h, 120, 80}));
  // The prefix underline is drawn below the F.
  c.clear();
  r = {0, 0, 120, 80};
  DrawTextA(c.dc(), "&File", -1, &r, DT_LEFT);
  EXPECT_NE(GetPixel(c.dc(), 2, 16), RGB(255, 255, 255));
  // Clipped to the rectangle, with an ellipsis when asked.
  c.clear();
  r = {0, 0, 30, 80};
  DrawTextA(c.dc(), "WWWWWWWW", -1, &r, DT_LEFT);
  EXPECT_TRUE(inside(c.ink(), r));
  RECT calc{0, 0, 30, 0};
  DrawTextA(c.dc(), "WWWWWWWW", -1, &calc, DT_CALCRECT | DT_END_ELLIPSIS);
  EXPECT_LE(calc.right, 30);
  // Tabs expand to 8 average characters.
  TEXTMETRICA tm{};
  GetTextMetricsA(c.dc(), &tm);
  calc = {0, 0, 0, 0};
  DrawTextA(c.dc(), "\tx", -1, &calc, DT_CALCRECT | DT_EXPANDTABS);
  EXPECT_EQ(calc.right, 8 * tm.tmAveCharWidth + c.extent("x").cx);

  EXPECT_EQ(DrawTextA(c.dc(), "a", 1, nullptr, 0), 0);
  EXPECT_EQ(DrawTextA(nullptr, "a", 1, &r, 0), 0);
  DeleteObject(SelectObject(c.dc(), GetStockObject(SYSTEM_FONT)));
}

struct Seen {
  std::vector<std::string> faces;
  std::vector<DWORD> types;
  std::vector<BYTE> pitch, charSets;
  int stopAfter = 1 << 30;
};

int CALLBACK collect(const LOGFONTA* font, const TEXTMETRICA* tm, DWORD type, LPARAM data) {
  auto* seen = reinterpret_cast<Seen*>(data);
  seen->faces.push_back(font->lfFaceName);
  seen->types.push_back(type);
  seen->pitch.push_back(tm->tmPitchAndFamily);
  seen->charSets.push_back(font->lfCharSet);
  return static_cast<int>(seen->faces.size()) < seen->stopAfter ? 1 : 0;
}

size_t count(const std::vector<std::string>& v, const std::string& s) { return std::count(v.begin(), v.end(), s); }

TEST(GdiFontTest, EnumerationReportsInstalledFacesAndStopsWhenTold) {
  HDC dc = CreateCompatibleDC(nullptr);
  Seen all;
  EXPECT_EQ(EnumFontsA(dc, nullptr, collect, reinterpret_cast<LPARAM>(&all)), 1);
  EXPECT_EQ(count(all.faces, "DejaVu Sans"), 1u);  // one font per face
  EXPECT_EQ(count(all.faces, "DejaVu Sans Mono"), 1u);
  EXPECT_EQ(count(all.faces, "IPAGothic"), 1u);
  for (size_t i = 0; i < all.faces.size(); ++i) {
    EXPECT_EQ(all.types[i], static_cast<DWORD>(TRUETYPE_FONTTYPE)) << all.faces[i];
    EXPECT_EQ(all.pitch[i] & (TMPF_VECTOR | TMPF_TRUETYPE), TMPF_VECTOR | TMPF_TRUETYPE);
  }

  Seen styles;
  EnumFontsA(dc, "dejavu sans", collect, reinterpret_cast<LPARAM>(&styles));
  EXPECT_GE(styles.faces.size(), 2u);  // regular and bold at least
  EXPECT_EQ(count(styles.faces, "DejaVu Sans"), styles.faces.size());
  Seen none;
  EXPECT_EQ(EnumFontsA(dc, "No Such Face", collect, reinterpret_cast<LPARAM>(&none)), 1);
  EXPECT_TRUE(none.faces.empty());

  Seen first;
  first.stopAfter = 1;
  EXPECT_EQ(EnumFontsA(dc, nullptr, collect, reinterpret_cast<LPARAM>(&first)), 0);
  EXPECT_EQ(first.faces.size(), 1u);

  // Families by character set.
  LOGFONTA want{};
  want.lfCharSet = SHIFTJIS_CHARSET;
  Seen japanese;
  EnumFontFamiliesExA(dc, &want, collect, reinterpret_cast<LPARAM>(&japanese), 0);
  EXPECT_EQ(count(japanese.faces, "IPAGothic"), 1u);
  EXPECT_EQ(count(japanese.faces, "DejaVu Sans"), 0u);
  for (BYTE set : japanese.charSets) EXPECT_EQ(set, SHIFTJIS_CHARSET);
  want.lfCharSet = DEFAULT_CHARSET;
  Seen every;
  EnumFontFamiliesExA(dc, &want, collect, reinterpret_cast<LPARAM>(&every), 0);
  EXPECT_EQ(count(every.faces, "IPAGothic"), 2u);  // Latin and Japanese
  EXPECT_EQ(count(every.faces, "DejaVu Sans"), 1u);

  EXPECT_EQ(EnumFontsA(nullptr, nullptr, collect, 0), 0);
  EXPECT_EQ(EnumFontFamiliesExA(dc, nullptr, collect, 0, 0), 0);
  DeleteDC(dc);
}

}  // namespace
