// wsprintfA: its conversions, flags, widths and precisions, and its 1024-byte output.
#include <gtest/gtest.h>
#include <korvane/win32.h>

#include <string>

namespace {

template <class... Args>
std::string formatted(const char* format, Args... args) {
  char out[1100];
  const int n = wsprintfA(out, format, args...);
  EXPECT_EQ(n, static_cast<int>(std::string(out).size())) << format;
  return out;
}

}  // namespace

TEST(Wsprintf, ConversionsFlagsAndWidths) {
  EXPECT_EQ(formatted("%d %i %u", -42, 7, -1), "-42 7 4294967295");
  EXPECT_EQ(formatted("%x %X %#x %#X", 0xBEEFu, 0xBEEFu, 255u, 255u), "beef BEEF 0xff 0XFF");
  EXPECT_EQ(formatted("%ld %lu %lx", static_cast<LONG>(-5), static_cast<DWORD>(5), static_cast<LONG>(0x7fffffff)), "-5 5 7fffffff");
  EXPECT_EQ(formatted("[%5d][%-5d][%05d][%05d]", 42, 42, 42, -42), "[   42][42   ][00042][-0042]");
  EXPECT_EQ(formatted("[%.3d][%6.3d][%-#8x]", 5, -5, 0xabu), "[005][  -005][0xab    ]");
  EXPECT_EQ(formatted("[%s][%6s][%-6s][%.2s][%5.1s]", "abc", "abc", "abc", "abc", "abc"),
            "[abc][   abc][abc   ][ab][    a]");
  EXPECT_EQ(formatted("%c%c|%3c", 'o', 'k', 'x'), "ok|  x");
  EXPECT_EQ(formatted("100%% %f", 1), "100% f");  // no floating point: "f" stands for itself
  EXPECT_EQ(formatted("%s", static_cast<const char*>(nullptr)), "(null)");
  const WCHAR wide[] = u"wide";
  EXPECT_EQ(formatted("%ls/%S/%lc", wide, wide, static_cast<int>(u'W')), "wide/wide/W");
  EXPECT_EQ(formatted("%d%", 3), "3");  // a field cut by the end of the format
  EXPECT_EQ(wsprintfA(nullptr, "%d", 1), 0);
  char out[4] = "x";
  EXPECT_EQ(wsprintfA(out, nullptr), 0);
  EXPECT_STREQ(out, "");
}

TEST(Wsprintf, OutputStopsAt1024BytesWithItsTerminator) {
  const std::string long1500(1500, 'a');
  const std::string out = formatted("%s", long1500.c_str());
  EXPECT_EQ(out.size(), 1023u);
  EXPECT_EQ(formatted("%2000d", 1).size(), 1023u);
  EXPECT_EQ(formatted("%99999999999d|", 1).size(), 1023u);  // a width past int's range
}
