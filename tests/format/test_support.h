// Helpers for the format tests: a temporary win.ini, an emulated system language, and a
// settable clock.
#pragma once

#include <korvane/korvane.h>
#include <korvane/platform.h>

#include <fstream>
#include <string>

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
  EmulatedSystem(const EmulatedSystem&) = delete;
  EmulatedSystem& operator=(const EmulatedSystem&) = delete;

 private:
  LANGID lang_;
  LCID lcid_;
};

// The year GetSystemTime reports to the library while set (0: the real clock).
void setFakeYear(int year);
