// Helpers for the format tests: a temporary win.ini, an emulated system language, and a
// settable clock.
#pragma once

#include <korvane/korvane.h>
#if !defined(_WIN32)
#include <korvane/platform.h>
#endif

#include <fstream>
#include <sstream>
#include <cstring>
#include <string>
#include <vector>

#if !defined(_WIN32)
// Writes `contents` as the win.ini in force for one test, and tells the library.
class TempWinIni {
 public:
  explicit TempWinIni(const std::string& contents, const std::string& name = "test-win.ini") : path_(name) {
    write(contents);
    KwConfigureWinIni(path_.c_str());
    FMTWinIniChanged();
  }
  ~TempWinIni() {
    KwConfigureWinIni(nullptr);
    FMTWinIniChanged();
    std::remove(path_.c_str());
  }
  // Changes the file behind the library's back.
  void write(const std::string& contents) const { std::ofstream(path_, std::ios::trunc) << contents; }
  TempWinIni(const TempWinIni&) = delete;
  TempWinIni& operator=(const TempWinIni&) = delete;

 private:
  std::string path_;
};

#else
// On Windows, win.ini is the system's own: the test's keys are written into it through
// WriteProfileStringA and the values they had are put back afterwards.
class TempWinIni {
 public:
  explicit TempWinIni(const std::string& contents, const std::string& = "test-win.ini") {
    // A file without [intl] has none: the user's regional settings step aside meanwhile.
    if (contents.find("[intl]") == std::string::npos) clearIntl();
    write(contents);
    FMTWinIniChanged();
  }
  ~TempWinIni() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it)
      WriteProfileStringA(it->section.c_str(), it->key.c_str(), it->absent ? nullptr : it->value.c_str());
    FMTWinIniChanged();
  }
  void write(const std::string& contents) {
    std::istringstream lines(contents);
    std::string line, section;
    while (std::getline(lines, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.size() > 1 && line.front() == '[' && line.back() == ']') {
        section = line.substr(1, line.size() - 2);
        continue;
      }
      size_t eq = line.find('=');
      if (section.empty() || eq == std::string::npos) continue;
      Saved old{section, line.substr(0, eq), {}, false};
      char had[512];
      GetProfileStringA(old.section.c_str(), old.key.c_str(), "\x01", had, sizeof had);
      old.absent = had[0] == '\x01' && had[1] == 0;
      old.value = had;
      saved_.push_back(old);
      // As the line would read from a file: Windows keeps [intl] in the registry, where
      // blanks around a value would stay.
      std::string value = line.substr(eq + 1);
      value.erase(0, value.find_first_not_of(" \t"));
      value.erase(value.find_last_not_of(" \t") + 1);
      WriteProfileStringA(old.section.c_str(), old.key.c_str(), value.c_str());
    }
  }
  TempWinIni(const TempWinIni&) = delete;
  TempWinIni& operator=(const TempWinIni&) = delete;

 private:
  void clearIntl() {
    std::vector<char> keys(32768);
    const DWORD n = GetProfileStringA("intl", nullptr, "", keys.data(), static_cast<DWORD>(keys.size()));
    for (const char* key = keys.data(); key < keys.data() + n && *key; key += std::strlen(key) + 1) {
      char had[512];
      GetProfileStringA("intl", key, "", had, sizeof had);
      saved_.push_back({"intl", key, had, false});
      WriteProfileStringA("intl", key, nullptr);
    }
  }
  struct Saved {
    std::string section, key, value;
    bool absent;
  };
  std::vector<Saved> saved_;
};
#endif

#if !defined(_WIN32)
// Runs one test under another system language, restoring the one in force afterwards.
class EmulatedSystem {
 public:
  explicit EmulatedSystem(LANGID lang) : lang_(GetSystemDefaultLangID()), lcid_(GetUserDefaultLCID()) {
    KwConfigureSystem(lang, lang);
    IntlInit();
  }
  ~EmulatedSystem() {
    KwConfigureSystem(lang_, lcid_);
    IntlInit();
  }
  // Linux emulates any system, so the scope's is always in force.
  bool active() const { return true; }
  EmulatedSystem(const EmulatedSystem&) = delete;
  EmulatedSystem& operator=(const EmulatedSystem&) = delete;

 private:
  LANGID lang_;
  LCID lcid_;
};
#else
// A Windows program runs on the system it was started on (scripts/wine.sh starts it once
// per system), so there the scope only tells whether its system is the one in force.
class EmulatedSystem {
 public:
  explicit EmulatedSystem(LANGID lang) : active_(GetSystemDefaultLangID() == lang) {}
  bool active() const { return active_; }
  EmulatedSystem(const EmulatedSystem&) = delete;
  EmulatedSystem& operator=(const EmulatedSystem&) = delete;

 private:
  bool active_;
};
#endif

// Ends the test here (as skipped) when the scope's system is not the one in force.
#define KV_ONLY_ON(system) \
  if (!(system).active()) GTEST_SKIP() << "for another system"

// The year GetSystemTime reports to the library while set (0: the real clock).
void setFakeYear(int year);
