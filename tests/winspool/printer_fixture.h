// A private win.ini for the printer tests, and readers of the spooler's packed records.
#pragma once

#include <gtest/gtest.h>
#include <korvane/platform.h>
#include <korvane/win32.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace kwtest {

namespace fs = std::filesystem;

inline fs::path makeTempDir(const char* stem) {
  std::string pattern = (fs::path("/tmp") / (std::string(stem) + "-XXXXXX")).string();
  if (!mkdtemp(pattern.data())) return {};
  return pattern;
}

// What a shell command prints.
inline std::string run(const std::string& command) {
  std::string out;
  if (FILE* p = popen(command.c_str(), "r")) {
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    pclose(p);
  }
  return out;
}

// One line of pdfinfo's report on a PDF file, or all it said when the key is missing.
inline std::string pdfInfo(const std::string& pdf, const std::string& key) {
  const std::string all = run("pdfinfo '" + pdf + "' 2>&1");
  const size_t at = all.find(key + ":");
  if (at == std::string::npos) return "<" + all + ">";
  size_t from = all.find_first_not_of(' ', at + key.size() + 1);
  return all.substr(from, all.find('\n', from) - from);
}

inline void writeWinIni(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
  KwConfigureWinIni(path.string().c_str());
}

// EnumPrintersA at `level` with the size query first; the records in their buffer.
struct Enumerated {
  std::vector<BYTE> buffer;
  DWORD count = 0;
  template <class T>
  const T& at(DWORD i) const {
    return reinterpret_cast<const T*>(buffer.data())[i];
  }
  bool inside(const void* p) const {
    auto* b = static_cast<const BYTE*>(p);
    return b >= buffer.data() && b < buffer.data() + buffer.size();
  }
};

inline Enumerated enumerate(DWORD flags, DWORD level) {
  Enumerated e;
  DWORD needed = 0;
  if (!EnumPrintersA(flags, nullptr, level, nullptr, 0, &needed, &e.count)) {
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    e.buffer.resize(needed);
    EXPECT_TRUE(EnumPrintersA(flags, nullptr, level, e.buffer.data(), needed, &needed, &e.count));
  }
  return e;
}

}  // namespace kwtest
