// Switching the emulated system for one test, and Shift-JIS sample characters.
#pragma once

#include <korvane/intl.h>
#if !defined(_WIN32)
#include <korvane/platform.h>
#endif

#include <string>

namespace kvtest {

constexpr LANGID kEnglish = 0x0409;
constexpr LANGID kJapanese = 0x0411;
constexpr LANGID kKorean = 0x0412;

#if !defined(_WIN32)
// Runs the scope on another system and user locale, then restores the original.
class SystemScope {
 public:
  explicit SystemScope(LANGID system, LCID user = 0)
      : savedSystem_(GetSystemDefaultLangID()), savedUser_(GetUserDefaultLCID()) {
    KwConfigureSystem(system, user ? user : system);
    IntlInit();
  }
  ~SystemScope() {
    KwConfigureSystem(savedSystem_, savedUser_);
    IntlInit();
  }
  // Linux emulates any system, so the scope's is always in force.
  bool active() const { return true; }
  SystemScope(const SystemScope&) = delete;
  SystemScope& operator=(const SystemScope&) = delete;

 private:
  LANGID savedSystem_;
  LCID savedUser_;
};
#else
// A Windows program runs on the system it was started on (scripts/wine.sh starts the
// program once per system), so a part of a test for another system is left out there.
class SystemScope {
 public:
  explicit SystemScope(LANGID system, LCID user = 0)
      : active_(GetSystemDefaultLangID() == system && GetUserDefaultLCID() == (user ? user : system)) {}
  bool active() const { return active_; }
  SystemScope(const SystemScope&) = delete;
  SystemScope& operator=(const SystemScope&) = delete;

 private:
  bool active_;
};
#endif

}  // namespace kvtest

// Ends the test here (as skipped) when the scope's system is not the one in force.
#define KV_REST_ON(scope) \
  if (!(scope).active()) GTEST_SKIP() << "for another system"

// Shift-JIS characters chosen for their trail bytes.
#define SJ_A "\x82\xa0"    // hiragana a
#define SJ_JI "\x8e\x9a"   // kanji ji: trail byte 0x9A is also a lead byte
#define SJ_HYO "\x95\x5c"  // kanji hyo: trail byte 0x5C is a backslash
#define SJ_FB "\x82\x61"   // full-width B: trail byte 0x61 is an "a"
#define SJ_SP "\x81\x40"   // full-width space
#define SJ_LEAD "\x82"     // a lead byte with no trail byte
