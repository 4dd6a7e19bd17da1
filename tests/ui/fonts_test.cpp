#include <gtest/gtest.h>
#include <korvane/fonts.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

struct Reported {
  std::vector<LOGFONTA> fonts;
  std::vector<TEXTMETRICA> metrics;
  std::vector<DWORD> types;
};

int CALLBACK record(const LOGFONTA* font, const TEXTMETRICA* tm, DWORD type, LPARAM data) {
  auto* r = reinterpret_cast<Reported*>(data);
  r->fonts.push_back(*font);
  r->metrics.push_back(*tm);
  r->types.push_back(type);
  return 1;
}

Reported enumerate(HDC dc, LPCSTR face) {
  Reported r;
  EnumFontsA(dc, face, record, reinterpret_cast<LPARAM>(&r));
  return r;
}

// A block's count and records, read through a lock.
struct Block {
  explicit Block(HGLOBAL h) : handle(h) {
    if (!h) return;
    size = GlobalSize(h);
    const auto* p = static_cast<const BYTE*>(GlobalLock(h));
    bytes.assign(p, p + size);
    GlobalUnlock(h);
    std::memcpy(&count, bytes.data(), 2);
  }
  ~Block() {
    if (handle) GlobalFree(handle);
  }
  const BYTE* at(size_t i, size_t recordSize) const { return bytes.data() + 2 + i * recordSize; }
  HGLOBAL handle;
  SIZE_T size = 0;
  WORD count = 0;
  std::vector<BYTE> bytes;
};

class FontBlocksTest : public ::testing::Test {
 protected:
  void SetUp() override { dc_ = CreateCompatibleDC(nullptr); }
  void TearDown() override { DeleteDC(dc_); }
  HDC dc_ = nullptr;
};

TEST_F(FontBlocksTest, FacesAndMetricsHoldOneRecordPerFace) {
  Reported faces = enumerate(dc_, nullptr);
  ASSERT_GT(faces.fonts.size(), 2u);
  Block b(FonGetFontFaces(dc_));
  ASSERT_NE(b.handle, nullptr);
  ASSERT_EQ(b.count, faces.fonts.size());
  EXPECT_GE(b.size, 2 + FON_FACE_RECORD * b.count);
  bool dejaVu = false;
  for (size_t i = 0; i < b.count; ++i) {
    const char* name = reinterpret_cast<const char*>(b.at(i, FON_FACE_RECORD));
    EXPECT_STREQ(name, faces.fonts[i].lfFaceName);
    dejaVu = dejaVu || std::string(name) == "DejaVu Sans";
  }
  EXPECT_TRUE(dejaVu);

  Block m(FonGetFontFaceMetrics(dc_));
  ASSERT_EQ(m.count, faces.fonts.size());
  EXPECT_GE(m.size, 2 + FON_METRICS_RECORD * m.count);
  for (size_t i = 0; i < m.count; ++i) {
    const BYTE* r = m.at(i, FON_METRICS_RECORD);
    EXPECT_EQ(std::memcmp(r, &faces.fonts[i], 60), 0);
    EXPECT_EQ(std::memcmp(r + 60, &faces.metrics[i], 53), 0);
    WORD type;
    std::memcpy(&type, r + 113, 2);
    EXPECT_EQ(type, faces.types[i]);
  }
  EXPECT_EQ(FonGetFontFaces(nullptr), nullptr);
}

TEST_F(FontBlocksTest, SizesListTheFontsOfOneFace) {
  Reported sizes = enumerate(dc_, "DejaVu Sans");
  ASSERT_GE(sizes.fonts.size(), 2u);
  Block b(FonGetFontSizes(dc_, "DejaVu Sans"));
  ASSERT_EQ(b.count, sizes.fonts.size());
  EXPECT_GE(b.size, 2 + FON_SIZE_RECORD * b.count);
  for (size_t i = 0; i < b.count; ++i) {
    const BYTE* r = b.at(i, FON_SIZE_RECORD);
    EXPECT_STREQ(reinterpret_cast<const char*>(r + 28), "DejaVu Sans");  // lfFaceName
    LONG height, tmHeight;
    std::memcpy(&height, r, 4);
    std::memcpy(&tmHeight, r + 60, 4);
    EXPECT_EQ(height, tmHeight);
    EXPECT_EQ(r[60 + 52], sizes.metrics[i].tmCharSet);  // the last byte kept
  }
  EXPECT_EQ(FonGetFontSizes(dc_, "No Such Face"), nullptr);
}

TEST_F(FontBlocksTest, CallbacksGrowTheBlockRecordByRecord) {
  FONENUMSTATE state{0, nullptr};
  LOGFONTA font{};
  TEXTMETRICA tm{};
  std::memset(font.lfFaceName, 'x', LF_FACESIZE);  // no terminator: cut to 31
  EXPECT_EQ(FontEnumFaces(&font, &tm, TRUETYPE_FONTTYPE, reinterpret_cast<LPARAM>(&state)), 1);
  std::strcpy(font.lfFaceName, "Second");
  EXPECT_EQ(FontEnumFaces(&font, &tm, TRUETYPE_FONTTYPE, reinterpret_cast<LPARAM>(&state)), 1);
  EXPECT_EQ(state.count, 2);
  Block b(state.block);
  EXPECT_EQ(b.count, 2);
  EXPECT_EQ(b.size, 2u + 2 * FON_FACE_RECORD);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(b.at(0, FON_FACE_RECORD))), std::string(31, 'x'));
  EXPECT_STREQ(reinterpret_cast<const char*>(b.at(1, FON_FACE_RECORD)), "Second");

  FONENUMSTATE sizes{0, nullptr};
  font.lfHeight = 19;
  tm.tmHeight = 19;
  tm.tmCharSet = SHIFTJIS_CHARSET;
  EXPECT_EQ(FontEnumSizes(&font, &tm, 0, reinterpret_cast<LPARAM>(&sizes)), 1);
  Block s(sizes.block);
  EXPECT_EQ(s.size, 2u + FON_SIZE_RECORD);
  EXPECT_EQ(s.at(0, FON_SIZE_RECORD)[112], SHIFTJIS_CHARSET);
  EXPECT_EQ(FontEnumSizes(&font, &tm, 0, 0), 0);
}

TEST_F(FontBlocksTest, LookUpsTakeTheFirstFontOfTheFace) {
  BYTE charSet = 0x77, pitch = 0x77;
  EXPECT_EQ(FonGetFontCharSet(dc_, "DejaVu Sans Mono", &charSet), 1);
  EXPECT_EQ(charSet, ANSI_CHARSET);
  EXPECT_EQ(FonGetFontPitchAndFamily(dc_, "DejaVu Sans Mono", &pitch), 1);
  EXPECT_EQ(pitch, FIXED_PITCH | FF_MODERN);
  EXPECT_EQ(FonGetFontPitchAndFamily(dc_, "DejaVu Serif", &pitch), 1);
  EXPECT_EQ(pitch & 0x0F, VARIABLE_PITCH);
  // Unknown faces leave the out values alone; a null DC writes nothing.
  charSet = 0x77;
  EXPECT_EQ(FonGetFontCharSet(dc_, "No Such Face", &charSet), 1);
  EXPECT_EQ(charSet, 0x77);
  EXPECT_EQ(FonGetFontCharSet(nullptr, "DejaVu Sans", &charSet), 0);
  EXPECT_EQ(charSet, 0x77);

  LOGFONTA font{};
  font.lfCharSet = 0x55;
  font.lfPitchAndFamily = 0x55;
  std::strcpy(font.lfFaceName, "DejaVu Sans Mono");
  EXPECT_EQ(FonFixLogfont(dc_, &font), 1);
  EXPECT_EQ(font.lfCharSet, ANSI_CHARSET);
  EXPECT_EQ(font.lfPitchAndFamily, FIXED_PITCH | FF_MODERN);
  std::strcpy(font.lfFaceName, "No Such Face");
  font.lfCharSet = 0x55;
  EXPECT_EQ(FonFixLogfont(dc_, &font), 1);
  EXPECT_EQ(font.lfCharSet, 0x55);
  EXPECT_EQ(FonFixLogfont(nullptr, &font), 0);
  EXPECT_EQ(FonFixLogfont(dc_, nullptr), 0);
}

}  // namespace
