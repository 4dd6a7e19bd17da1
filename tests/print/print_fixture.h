// A private directory and win.ini for the printing tests, with no CUPS server to be had
// (the socket named does not exist).
#pragma once

#include <gtest/gtest.h>
#include <korvane/korvane.h>
#include <korvane/platform.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

class PrintFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = "/tmp/korvane-print-XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    setenv("CUPS_SERVER", (dir_ / "none.sock").c_str(), 1);
  }
  void TearDown() override {
    PrtClearSaved();
    KwConfigureWinIni(nullptr);
    unsetenv("CUPS_SERVER");
    std::filesystem::remove_all(dir_);
  }
  void winIni(const std::string& text) {
    std::ofstream(dir_ / "win.ini") << text;
    KwConfigureWinIni((dir_ / "win.ini").c_str());
  }
  std::filesystem::path dir_;
};
