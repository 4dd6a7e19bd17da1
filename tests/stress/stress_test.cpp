// Eight threads at once on the library's shared state: the settings cache while it is
// refreshed, thread-local items, the date grammar, and the shared heap while a second
// process that holds its mutex is killed. Every answer is checked against the one a single
// thread got before; each part runs for a bounded time.
#include "memory/memory_state.h"

#include <gtest/gtest.h>
#include <korvane/korvane.h>
#include <korvane/platform.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kThreads = 8;
constexpr auto kRunFor = std::chrono::milliseconds(400);

// Runs body(thread, iteration) on kThreads threads started together, each for kRunFor and
// at least `minimum` iterations; the number of iterations whose body returned false.
int onThreads(int minimum, const std::function<bool(int, int)>& body) {
  std::atomic<int> failures{0}, waiting{kThreads};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      waiting.fetch_sub(1);
      while (waiting.load() > 0) std::this_thread::yield();
      const auto until = std::chrono::steady_clock::now() + kRunFor;
      for (int i = 0; i < minimum || std::chrono::steady_clock::now() < until; ++i) {
        if (!body(t, i)) failures.fetch_add(1);
      }
    });
  }
  for (std::thread& t : threads) t.join();
  return failures.load();
}

// A win.ini far from the built-in settings, so that a refresh that lost it would show.
class EuropeanWinIni : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ofstream(path_) << "[intl]\niCountry=49\nsDecimal=,\nsThousand=.\nsCurrency=DM\niCurrency=3\n"
                            "iNegCurr=8\nsShortDate=dd.MM.yyyy\nsLongDate=dddd, d. MMMM yyyy\niTime=1\n"
                            "sTime=.\niTLZero=1\n";
    KwConfigureWinIni(path_);
    FMTWinIniChanged();
  }
  void TearDown() override {
    KwConfigureWinIni(nullptr);
    FMTWinIniChanged();
    std::remove(path_);
  }

 private:
  const char* path_ = "stress-win.ini";
};

tagINTLPROFILE profile() {
  tagINTLPROFILE p;
  std::memset(&p, 0x5A, sizeof p);
  FMTGetProfileIntl(&p);
  return p;
}

std::string currency(const char* value) {
  FMTCNTLBLOCK b;
  FMTInitCntlBlock(&b);
  b.nFormatType = FMT_TYPE_CURRENCY;
  b.bUseIntl = TRUE;
  NumAsciiToNumber(&b.number, value);
  char out[128] = {};
  b.lpszOutput = out;
  return FMTFormatNumber(&b) ? out : "<0>";
}

std::string formatDate(int type, const DATDEF& d) {
  FMTCNTLBLOCK b;
  FMTInitCntlBlock(&b);
  b.nFormatType = type;
  b.bUseIntl = TRUE;
  b.dtValue = d;
  char out[160] = {};
  if (FMTGetMaxFormattedDTLen(&b, 0) >= static_cast<int>(sizeof out)) return "<len>";
  b.lpszOutput = out;
  return FMTFormatDateTime(&b) ? out : "<0>";
}

// The validation's result and the date it read, as one text.
std::string validate(const char* text) {
  FMTCNTLBLOCK b;
  FMTInitCntlBlock(&b);
  b.nFormatType = FMT_TYPE_DATETIME;
  b.bUseIntl = TRUE;
  b.lpszInput = const_cast<LPSTR>(text);
  const int ok = FMTValidateDateTime(&b);
  const DATDEF& d = b.dtValue;
  char out[96];
  std::snprintf(out, sizeof out, "%d %ld-%ld-%ld %ld.%ld.%ld", ok, static_cast<long>(d.year),
                static_cast<long>(d.month), static_cast<long>(d.day), static_cast<long>(d.hour),
                static_cast<long>(d.minute), static_cast<long>(d.second));
  return ok ? out : "0";
}

const DATDEF kDates[] = {{3, 15, 2001, 13, 5, 9, 0}, {2, 29, 2000, 0, 0, 0, 0}, {12, 31, 9999, 23, 59, 59, 0},
                         {1, 1, 1, 0, 0, 0, 0}, {7, 4, 1776, 9, 7, 0, 0}, {13, 1, 2001, 0, 0, 0, 0}};
const char* const kTexts[] = {"15.03.2001 13.05", "29.02.2000", "29.02.2001", "31.12.9999 23.59.59",
                              "1.1.1", "Donnerstag, 15. März 2001", "", "32.01.2001", "15.03.2001 25.00"};
const char* const kAmounts[] = {"1234567.891", "-5", "0", "-1E20", ".005"};

TEST_F(EuropeanWinIni, SettingsAndDatesAgreeWithOneThreadWhileTheCacheIsRefreshed) {
  const tagINTLPROFILE expectedProfile = profile();
  ASSERT_EQ(expectedProfile.iCountry, 49u);
  std::vector<std::string> expectedDates, expectedTexts, expectedAmounts;
  for (const DATDEF& d : kDates) {
    for (int type : {FMT_TYPE_DATE, FMT_TYPE_TIME, FMT_TYPE_DATETIME}) expectedDates.push_back(formatDate(type, d));
  }
  for (const char* t : kTexts) expectedTexts.push_back(validate(t));
  for (const char* a : kAmounts) expectedAmounts.push_back(currency(a));
  // The answers are the European ones, not the built-in settings'.
  EXPECT_EQ(expectedDates[0], "15.03.2001");
  EXPECT_EQ(expectedTexts[0], "1 2001-3-15 13.5.0");
  EXPECT_EQ(expectedTexts[2], "0");
  EXPECT_EQ(expectedAmounts[1], "-5,00 DM");

  const int failures = onThreads(200, [&](int t, int i) {
    if (t == 0 && i % 8 == 0) FMTWinIniChanged();  // the cache is dropped under the others
    bool ok = true;
    const tagINTLPROFILE p = profile();
    ok &= std::memcmp(&p, &expectedProfile, sizeof p) == 0;
    const size_t d = static_cast<size_t>(i + t) % std::size(kDates);
    const int type = FMT_TYPE_DATE + (i % 3);
    ok &= formatDate(type, kDates[d]) == expectedDates[d * 3 + static_cast<size_t>(i % 3)];
    const size_t x = static_cast<size_t>(i * 7 + t) % std::size(kTexts);
    ok &= validate(kTexts[x]) == expectedTexts[x];
    const size_t a = static_cast<size_t>(i + 3 * t) % std::size(kAmounts);
    ok &= currency(kAmounts[a]) == expectedAmounts[a];
    return ok;
  });
  EXPECT_EQ(failures, 0);
}

std::atomic<long> gDestroyed{0}, gDestroyedSum{0};
void KV_CALL countDestroyed(DWORD_PTR value) {
  gDestroyed.fetch_add(1);
  gDestroyedSum.fetch_add(static_cast<long>(value));
}

TEST(Stress, ThreadItemsStayWithTheirThreadAndAreDestroyedOnce) {
  gDestroyed = 0;
  gDestroyedSum = 0;
  const DWORD shared = TLS_AllocIndex();  // one item every thread sets for itself
  ASSERT_NE(shared, TLS_NO_INDEX);
  std::atomic<long> sets{0}, setSum{0};
  std::atomic<int> holder[TLS_ITEM_COUNT] = {};  // which thread holds each number, 0 for none
  const int failures = onThreads(500, [&](int t, int i) {
    const auto mine = static_cast<DWORD_PTR>(t * 100000 + i + 1);
    TLS_SetItem(shared, mine, nullptr);
    const DWORD item = TLS_AllocIndex();
    if (item == TLS_NO_INDEX || item >= TLS_ITEM_COUNT) return false;  // 8 held at once: far from exhausted
    if (holder[item].exchange(t + 1) != 0) return false;                 // handed out twice
    TLS_SetItem(item, mine, countDestroyed);
    TLS_SetItem(item, mine + 1, countDestroyed);  // replacing destroys the first value
    sets.fetch_add(2);
    setSum.fetch_add(static_cast<long>(2 * mine + 1));
    bool ok = TLS_GetItem(item) == mine + 1;
    std::this_thread::yield();
    ok &= TLS_GetItem(shared) == mine;
    TLS_Free(item);
    ok &= TLS_GetItem(item) == 0;
    holder[item] = 0;
    TLS_FreeIndex(item);
    return ok;
  });
  EXPECT_EQ(failures, 0);
  EXPECT_EQ(gDestroyed.load(), sets.load());
  EXPECT_EQ(gDestroyedSum.load(), setSum.load());
  TLS_FreeIndex(shared);
}

constexpr DWORD kHeapSize = 0x40000;
char* const kView = reinterpret_cast<char*>(0x40000000);

// Each thread allocates and frees at random, filling its blocks with its own byte and
// checking nobody wrote into them.
bool churn(int t, int i, std::vector<std::vector<std::pair<unsigned char*, DWORD>>>& live) {
  auto& mine = live[static_cast<size_t>(t)];
  const auto fill = static_cast<unsigned char>(t + 1);
  std::minstd_rand random(static_cast<unsigned>(t * 7919 + i));
  if (mine.size() == 10 || (!mine.empty() && random() % 2)) {
    const size_t k = random() % mine.size();
    auto [p, n] = mine[k];
    const bool ok = MemSharedCheck(p) == 1 && std::count(p, p + n, fill) == static_cast<long>(n);
    MemSharedFree(p);
    mine.erase(mine.begin() + static_cast<long>(k));
    return ok;
  }
  const DWORD n = random() % 200;
  auto* p = static_cast<unsigned char*>(MemSharedAlloc(n));
  if (!p) return false;
  std::memset(p, fill, n);
  mine.emplace_back(p, n);
  return true;
}

TEST(Stress, SharedHeapSurvivesAnOwnerKilledWhileEightThreadsWait) {
  BOOL created = -1;
  ASSERT_EQ(MemSharedInit(&created, kHeapSize), kView);
  ASSERT_EQ(MemSharedInitHeap(kView, kHeapSize, TRUE), 1);

  // The second process attaches by name as an unrelated one would, takes three blocks,
  // then takes the mutex and is killed holding it.
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t child = fork();
  if (child == 0) {
    alarm(20);
    MemSharedTerminate();
    CloseHandle(kv::gMemoryState.sharedMutex);
    kv::gMemoryState.sharedMutex = nullptr;
    BOOL again = -1;
    if (MemSharedInit(&again, kHeapSize) != kView || MemSharedInitHeap(kView, kHeapSize, FALSE) != 1) _exit(10);
    for (DWORD n : {10, 20, 30}) std::memset(MemSharedAlloc(n), 0xC5, n);
    if (!MemAcquireMutex() || write(ready[1], "x", 1) != 1) _exit(11);
    pause();
    _exit(12);
  }
  close(ready[1]);
  char c;
  ASSERT_EQ(read(ready[0], &c, 1), 1);
  close(ready[0]);

  std::atomic<bool> killed{false};
  auto killChild = [&] {
    kill(child, SIGKILL);
    killed = true;
  };
#if defined(__SANITIZE_THREAD__)
  // The thread sanitizer follows a mutex abandoned by another process only when it is
  // taken without waiting: here the owner dies before the threads start.
  killChild();
  std::thread killer([] {});
#else
  std::thread killer([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));  // the threads queue up first
    killChild();
  });
#endif
  std::vector<std::vector<std::pair<unsigned char*, DWORD>>> live(kThreads);
  const int failures = onThreads(300, [&](int t, int i) { return churn(t, i, live); });
  killer.join();
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(killed);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status;
  EXPECT_EQ(failures, 0);

  EXPECT_EQ(MemSharedCheckAll(), 1);
  for (auto& blocks : live) {
    for (auto [p, n] : blocks) {
      EXPECT_EQ(MemSharedCheck(p), 1);
      MemSharedFree(p);
    }
  }
  EXPECT_EQ(MemSharedCheckAll(), 1);
  // The abandoned mutex is owned and released normally from here on.
  EXPECT_EQ(MemAcquireMutex(), 1);
  EXPECT_EQ(MemReleaseMutex(), 1);
  EXPECT_EQ(MemReleaseMutex(), 0);
  MemSharedTerminate();
}

}  // namespace
