#include <gtest/gtest.h>

#include <set>
#include <string>

#include "intl/width_tables.h"
#include "intl_test_support.h"

using kvtest::SystemScope;

TEST(JapanWidth, TablesAgreeWithEachOther) {
  std::set<WORD> fulls;
  auto expectHalf = [](WORD full, BYTE b0, BYTE b1) {
    const kv::HalfWidthEntry* h = kv::JapanHalfWidthOf(full);
    ASSERT_NE(h, nullptr) << std::hex << full;
    EXPECT_EQ(h->half[0], b0) << std::hex << full;
    EXPECT_EQ(h->half[1], b1) << std::hex << full;
  };
  for (int b = 0; b < 256; ++b) {
    const WORD full = kv::JapanFullWidthOf(static_cast<BYTE>(b));
    const bool has = (b >= 0x20 && b <= 0x7E) || (b >= 0xA1 && b <= 0xDF);
    EXPECT_EQ(full != 0, has) << b;
    if (!full) continue;
    fulls.insert(full);
    expectHalf(full, static_cast<BYTE>(b), 0);
  }
  auto checkMarks = [&](const auto& table, BYTE mark) {
    for (size_t i = 0; i < table.size(); ++i) {
      if (i) {
        EXPECT_LT(table[i - 1].base, table[i].base);
      }
      EXPECT_EQ(kv::JapanFullWidthOfPair(table[i].base, mark), table[i].full);
      fulls.insert(table[i].full);
      expectHalf(table[i].full, table[i].base, mark);
    }
  };
  checkMarks(kv::kVoicedFullWidth, 0xDE);
  checkMarks(kv::kSemiVoicedFullWidth, 0xDF);
  // The small wa, ka and ke share the half-width form of the plain kana.
  const std::set<WORD> small = {0x838E, 0x8395, 0x8396};
  EXPECT_EQ(fulls.size() + small.size(), kv::kHalfWidth.size());  // all distinct
  for (size_t i = 0; i < kv::kHalfWidth.size(); ++i) {
    const kv::HalfWidthEntry& e = kv::kHalfWidth[i];
    if (i) {
      EXPECT_LT(kv::kHalfWidth[i - 1].full, e.full);
    }
    EXPECT_TRUE(fulls.count(e.full) || small.count(e.full)) << std::hex << e.full;
  }
  EXPECT_EQ(kv::kHalfWidth.front().full, 0x8140);
  EXPECT_EQ(kv::kHalfWidth.back().full, 0x8396);
  EXPECT_EQ(kv::JapanFullWidthOf('A'), 0x8260);
  EXPECT_EQ(kv::JapanFullWidthOf('~'), 0x8160);
  EXPECT_EQ(kv::JapanFullWidthOf(0xB1), 0x8341);
  EXPECT_EQ(kv::JapanHalfWidthOf(0x8397), nullptr);
  EXPECT_EQ(kv::JapanHalfWidthOf(0x82A0), nullptr);
}

TEST(JapanWidth, ConversionRoundTrip) {
  SystemScope ja(kvtest::kJapanese);
  KV_REST_ON(ja);
  std::string half;
  for (int b = 0x20; b <= 0x7E; ++b) half += static_cast<char>(b);
  for (int b = 0xA1; b <= 0xDF; ++b) half += static_cast<char>(b);
  half += "\xb6\xde\xca\xdf";  // voiced ka, semi-voiced ha
  char full[512], back[512];
  EXPECT_EQ(IntlStrJapanFull(full, half.c_str()), 95 + 63 + 2);
  EXPECT_EQ(IntlStrLenB(full), 2 * (95 + 63 + 2));
  EXPECT_EQ(IntlStrJapanHalf(back, full), static_cast<int>(half.size()));
  EXPECT_EQ(std::string(back), half);

  EXPECT_EQ(IntlStrJapanFull(full, "A1"), 2);
  EXPECT_STREQ(full, "\x82\x60\x82\x50");
  EXPECT_EQ(IntlStrJapanFull(full, "\xb6\xdf\t" SJ_A "\x80"), 5);  // no semi-voiced ka
  EXPECT_STREQ(full, "\x83\x4a\x81\x4b\t" SJ_A "\x80");
  EXPECT_EQ(IntlStrJapanFull(full, "A" SJ_LEAD), 2);
  EXPECT_STREQ(full, "\x82\x60 ");
  char text[] = "\x83\x4b" SJ_A "\x83\x95";
  EXPECT_EQ(IntlStrJapanHalf(text, text), 4);  // in place
  EXPECT_STREQ(text, "\xb6\xde" SJ_A "\xb6");
  EXPECT_EQ(IntlStrJapanHalf(nullptr, "a"), -1);
}

TEST(JapanWidth, OtherSystemsCopyUnchanged) {
  char out[16];
  for (LANGID system : {kvtest::kEnglish, kvtest::kKorean}) {
    SystemScope scope(system);
    if (!scope.active()) continue;
    EXPECT_EQ(IntlStrJapanFull(out, "A\xb6\xde"), system == kvtest::kKorean ? 2 : 3);
    EXPECT_STREQ(out, "A\xb6\xde");
    EXPECT_EQ(IntlStrJapanHalf(out, "\x82\x60"), system == kvtest::kKorean ? 1 : 2);
    EXPECT_STREQ(out, "\x82\x60");
    EXPECT_EQ(IntlStrJapanFull(nullptr, "a"), -1);
  }
}
