// The per-thread cache of parsed date pictures: cached lists equal freshly parsed ones
// through eviction, pinning and pictures too big to keep, and a regional picture changed by
// one thread is used by the next call of every thread.
#include "format/date_picture_cache.h"
#include "date_token_text.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

std::string fresh(const char* picture) {
  kv::DateToken* list = kv::FMTParseDateString(picture, kv::kParsePicture);
  std::string text = list ? describeTokens(list) : "<none>";
  kv::FMTFreeDateTokens(list);
  return text;
}

std::string cached(const char* picture) {
  const kv::PictureTokens tokens(picture);
  return tokens.head() ? describeTokens(tokens.head()) : "<none>";
}

std::string repeat(const std::string& part, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += part;
  return out;
}

TEST(DatePictureCache, CachedListsEqualFreshOnes) {
  std::vector<std::string> pictures = {
      "M/d/yy", "dddd, MMMM dd, yyyy", "hh:mm:ss AMPM", "yyyy-MM-dd hhhh.mm.ss.mmmmmm", "dd'de'MMMM",
      "d  \tM", "'at' h 'o''clock'", "yyy", "MMM d", "ddd", "yy", "h:mm",
      repeat("d/", 30),                                   // more tokens than an entry holds
      "dd '" + std::string(110, 'x') + "' yyyy",          // longer than a key
      repeat("'ab'", 23),                                 // texts fill more than an entry's text space
  };
  ASSERT_EQ(fresh("d/M"), "4:0 2:47 8:0 ");
  ASSERT_EQ(fresh("yyy"), "<none>");
  // Three rounds over more pictures than the cache holds: every entry is replaced in turn.
  for (int round = 0; round < 3; ++round) {
    for (const std::string& p : pictures) EXPECT_EQ(cached(p.c_str()), fresh(p.c_str())) << p << " round " << round;
  }
  EXPECT_EQ(cached(nullptr), "<none>");

  // Pinned entries are never replaced under their users: more nested users than entries.
  std::vector<const kv::PictureTokens*> held;
  std::vector<std::string> seen;
  for (int i = 0; i < 12; ++i) {
    const std::string p = repeat("d ", i + 1);
    held.push_back(new kv::PictureTokens(p.c_str()));
    seen.push_back(describeTokens(held.back()->head()));
  }
  const kv::PictureTokens again("d d ");  // the same picture twice at once
  EXPECT_EQ(describeTokens(again.head()), seen[1]);
  for (int i = 0; i < 12; ++i) {
    const std::string p = repeat("d ", i + 1);
    EXPECT_EQ(seen[i], fresh(p.c_str()));
    EXPECT_EQ(describeTokens(held[i]->head()), seen[i]) << "entry " << i << " changed while held";
  }
  for (const kv::PictureTokens* t : held) delete t;
  EXPECT_EQ(cached("d d d "), fresh("d d d "));
}

FMTCNTLBLOCK regionalBlock() {
  FMTCNTLBLOCK b;
  std::memset(&b, 0, sizeof b);
  FMTInitCntlBlock(&b);
  b.nFormatType = FMT_TYPE_DATE;
  b.bUseIntl = TRUE;
  b.dtValue = DATDEF{3, 15, 2001, 13, 5, 9, 0};
  return b;
}

std::string formatRegional() {
  FMTCNTLBLOCK b = regionalBlock();
  char out[128] = "";
  b.lpszOutput = out;
  return FMTFormatDateTime(&b) ? out : "<0>";
}

int validateRegional(const char* text) {
  FMTCNTLBLOCK b = regionalBlock();
  b.lpszInput = const_cast<LPSTR>(text);
  return FMTValidateDateTime(&b);
}

std::string ini(const char* longPic) {
  return std::string("[intl]\niCountry=1\nsShortDate=M/d/yy\nsLongDate=") + longPic +
         "\n[VEXTOOLS]\nsDateType=longgregorian\n";
}

// The worker formats and validates before and after the main thread changes the regional
// long picture; then the worker changes it back and the main thread's next call sees that.
TEST(DatePictureCache, ChangedSettingSeenByNextCallOfEveryThread) {
  TempWinIni file(ini("dddd, MMMM dd, yyyy"));
  ASSERT_EQ(formatRegional(), "Thursday, March 15, 2001");
  std::atomic<int> step{0};
  std::string before, after;
  int validBefore = -1, validAfter = -1;
  std::thread worker([&] {
    before = formatRegional();
    validBefore = validateRegional("March 15, 2001");
    step = 1;
    while (step.load() != 2) std::this_thread::yield();
    after = formatRegional();
    validAfter = validateRegional("March 15, 2001");
    file.write(ini("dddd, MMMM dd, yyyy"));
    FMTWinIniChanged();
    step = 3;
  });
  while (step.load() != 1) std::this_thread::yield();
  file.write(ini("yyyy.MM.dd"));
  FMTWinIniChanged();
  EXPECT_EQ(formatRegional(), "2001.03.15");
  step = 2;
  while (step.load() != 3) std::this_thread::yield();
  EXPECT_EQ(formatRegional(), "Thursday, March 15, 2001");
  worker.join();
  EXPECT_EQ(before, "Thursday, March 15, 2001");
  EXPECT_EQ(validBefore, 1);
  EXPECT_EQ(after, "2001.03.15");
  EXPECT_EQ(validAfter, validateRegional("March 15, 2001"));
}

// Two threads format and validate with their own pictures at once while a third keeps
// announcing changes; every result stays the one a single thread gets.
TEST(DatePictureCache, ThreadsFormatAtOnceWhileSettingsChange) {
  TempWinIni file(ini("dddd, MMMM dd, yyyy"));
  std::atomic<bool> stop{false};
  bool ok[2] = {false, false};
  auto work = [&](int t) {
    const char* pictures[2][3] = {{"M/d/yy", "hh:mm:ss AMPM", "dd'de'MMMM"},
                                  {"yyyy-MM-dd", "dddd d MMMM yyyy", "'at' hhhh"}};
    const char* expected[2][3] = {{"3/15/01", "01:05:09 PM", "15deMarch"},
                                  {"2001-03-15", "Thursday 15 March 2001", "at 13"}};
    bool good = true;
    for (int i = 0; i < 300 && good; ++i) {
      FMTCNTLBLOCK b = regionalBlock();
      b.bUseIntl = FALSE;
      b.lpszShortPic = b.lpszLongPic = const_cast<LPSTR>(pictures[t][i % 3]);
      b.lpsz1159 = const_cast<LPSTR>("AM");
      b.lpsz2359 = const_cast<LPSTR>("PM");
      b.lpszTimeSep = const_cast<LPSTR>(":");
      b.iTLZero = 1;
      char out[80] = "";
      b.lpszOutput = out;
      good = FMTFormatDateTime(&b) == 1 && std::strcmp(out, expected[t][i % 3]) == 0;
    }
    ok[t] = good;
  };
  std::thread announcer([&] {
    while (!stop.load()) FMTWinIniChanged();
  });
  std::thread a(work, 0), b(work, 1);
  a.join();
  b.join();
  stop = true;
  announcer.join();
  EXPECT_TRUE(ok[0]);
  EXPECT_TRUE(ok[1]);
}

}  // namespace
