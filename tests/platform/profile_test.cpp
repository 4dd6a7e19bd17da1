// win.ini reads and writes on a real file in a private directory.
#include "emulated_system.h"

#include <gtest/gtest.h>
#include <korvane/platform.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Raw = std::pair<std::string, DWORD>;  // bytes left in a buffer, and the answer

class Profile : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "korvane-profile-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    path_ = (dir_ / "config" / "win.ini").string();  // the directory does not exist yet
    KwConfigureWinIni(path_.c_str());
  }
  void TearDown() override {
    KwConfigureWinIni(nullptr);
    fs::remove_all(dir_);
  }
  // Changes the file behind the profile functions' back.
  void put(const std::string& text) {
    fs::create_directories(fs::path(path_).parent_path());
    std::ofstream(path_, std::ios::binary) << text;
  }
  std::string file() const {
    std::ifstream in(path_, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  static std::string get(const char* section, const char* key, const char* def = "dflt") {
    char buf[64];
    DWORD n = GetProfileStringA(section, key, def, buf, sizeof buf);
    return std::string(buf, n);
  }
  // A list read: the answer plus two bytes, to show the zeros and what follows them.
  static Raw list(const char* section, DWORD size) {
    std::vector<char> buf(size + 4, '#');
    DWORD n = GetProfileStringA(section, nullptr, "dflt", buf.data(), size);
    return {std::string(buf.data(), std::min<size_t>(n + 2, size)), n};
  }

  fs::path dir_;
  std::string path_;
};

TEST_F(Profile, ReadsNamesWithoutCaseAndValuesWithoutBlanksOrQuotes) {
  put("; comment\r\n[Intl]\r\n  sDecimal = , \r\nsThousand=\" \"\r\nsList='x'\r\nsOdd=\"abc'\r\n"
      ";iDigits=5\r\nempty=\r\nnoequals\r\n[Other]\nsDecimal=.\n");
  struct Case { const char* section; const char* key; const char* want; } cases[] = {
      {"intl", "SDECIMAL", ","}, {"INTL", " sdecimal ", ","}, {"intl", "sThousand", " "},
      {"intl", "sList", "x"},    {"intl", "sOdd", "\"abc'"},   {"intl", "iDigits", "dflt"},
      {"intl", "empty", ""},     {"intl", "noequals", "dflt"}, {"other", "sDecimal", "."},
      {"nosuch", "sDecimal", "dflt"}, {"", "sDecimal", "dflt"}, {"intl", "", "dflt"},
  };
  for (const Case& c : cases) EXPECT_EQ(get(c.section, c.key), c.want) << c.section << "/" << c.key;
  EXPECT_EQ(get("intl", "nosuch", nullptr), "");
  EXPECT_EQ(get("intl", "nosuch", "one two  "), "one two");  // trailing blanks of a default go
  EXPECT_EQ(GetProfileIntA("intl", "iDigits", 7), 7u);

  EXPECT_EQ(list("intl", 64), (Raw{std::string("sDecimal\0sThousand\0sList\0sOdd\0empty\0\0#", 38), 36}));
  EXPECT_EQ(list(nullptr, 64).first, std::string("Intl\0Other\0\0#", 13));
  EXPECT_EQ(list("nosuch", 64).first, std::string("dflt\0#", 6));  // no keys: the default
}

TEST_F(Profile, CutsValuesAndListsToTheBuffer) {
  put("[section1]\nname1=val1\nname2=\"val2\"\nname4=a\n[section2]\n");
  char buf[8] = "kumquat";
  EXPECT_EQ(GetProfileStringA("section1", "name1", "", buf, 0), 0u);
  EXPECT_STREQ(buf, "kumquat");  // size 0 writes nothing
  EXPECT_EQ(GetProfileStringA("section1", "name1", "", nullptr, 8), 0u);
  EXPECT_EQ(GetProfileStringA("section1", "name1", "", buf, 4), 3u);
  EXPECT_STREQ(buf, "val");
  EXPECT_EQ(GetProfileStringA("section1", "name2", "", buf, 5), 4u);
  EXPECT_STREQ(buf, "val2");
  EXPECT_EQ(GetProfileStringA("section1", "name4", "", buf, 1), 0u);
  EXPECT_STREQ(buf, "");

  EXPECT_EQ(list("section1", 64), (Raw{std::string("name1\0name2\0name4\0\0#", 20), 18}));
  EXPECT_EQ(list("section1", 16), (Raw{std::string("name1\0name2\0na\0\0", 16), 14}));
  EXPECT_EQ(list("section1", 19).second, 17u);  // an exact fit counts as cut, as on Windows
  EXPECT_EQ(list("section1", 2), (Raw{std::string("\0\0", 2), 0}));
  EXPECT_EQ(list(nullptr, 16), (Raw{std::string("section1\0secti\0\0", 16), 14}));

  EmulatedSystem japanese(0x0411);  // a double-byte character is never split
  put("[s]\nk=ab\x82\xA0z\n");
  EXPECT_EQ(GetProfileStringA("s", "k", "", buf, 4), 2u);
  EXPECT_STREQ(buf, "ab");
  EXPECT_EQ(GetProfileStringA("s", "k", "", buf, 5), 4u);
  EXPECT_STREQ(buf, "ab\x82\xA0");
}

TEST_F(Profile, ReadsIntegersLikeWindows) {
  put("[n]\na=12abc\nb=abc\nc=-1\nd=+7\ne=0x1F\nf=4294967297\ng=\"42\"\nh=\ni= 8 \nj=-4294967297\n");
  struct Case { const char* key; UINT want; } cases[] = {
      {"a", 12}, {"b", 0}, {"c", 0xFFFFFFFFu}, {"d", 7}, {"e", 31}, {"f", 1}, {"g", 42},
      {"h", static_cast<UINT>(-5)}, {"i", 8}, {"j", 0xFFFFFFFFu}, {"missing", static_cast<UINT>(-5)},
  };
  for (const Case& c : cases) EXPECT_EQ(GetProfileIntA("n", c.key, -5), c.want) << c.key;
  fs::remove(path_);
  EXPECT_EQ(GetProfileIntA("n", "a", 3), 3u);  // no file: every key is missing
}

TEST_F(Profile, WritesChangeOnlyTheirOwnLines) {
  EXPECT_TRUE(WriteProfileStringA("intl", "iDigits", "2"));  // creates directory and file
  EXPECT_EQ(file(), "[intl]\r\niDigits=2\r\n");

  put("; top\n[Intl]\niDigits=2\n; about money\n\n[windows]\ndevice=a,b,c");
  EXPECT_TRUE(WriteProfileStringA("INTL", "IDIGITS", "3"));
  EXPECT_TRUE(WriteProfileStringA("intl", "sCurrency", "  $"));
  EXPECT_TRUE(WriteProfileStringA("windows", "spooler", "yes"));
  EXPECT_TRUE(WriteProfileStringA("new", "k", "v"));
  EXPECT_EQ(file(), "; top\n[Intl]\niDigits=3\nsCurrency=$\n; about money\n\n[windows]\ndevice=a,b,c\n"
                    "spooler=yes\n[new]\nk=v\n");
  EXPECT_EQ(get("intl", "sCurrency"), "$");

  EXPECT_TRUE(WriteProfileStringA("windows", "device", nullptr));
  EXPECT_TRUE(WriteProfileStringA("windows", "nosuch", nullptr));
  EXPECT_TRUE(WriteProfileStringA("intl", nullptr, "ignored"));
  EXPECT_TRUE(WriteProfileStringA("nosuch", nullptr, nullptr));
  EXPECT_TRUE(WriteProfileStringA(nullptr, nullptr, nullptr));  // flush
  EXPECT_EQ(file(), "; top\n[windows]\nspooler=yes\n[new]\nk=v\n");

  put("[a]\r\nx=1\r\n");  // new lines follow the file's line ends
  EXPECT_TRUE(WriteProfileStringA("a", "y", "2"));
  EXPECT_EQ(file(), "[a]\r\nx=1\r\ny=2\r\n");

  fs::remove(path_);
  EXPECT_TRUE(WriteProfileStringA("a", "x", nullptr));  // nothing to delete, no file made
  EXPECT_FALSE(fs::exists(path_));
}

TEST_F(Profile, RefusesWhatCannotBeWrittenBack) {
  put("[a]\nx=1\n");
  SetLastError(0);
  EXPECT_FALSE(WriteProfileStringA(nullptr, "x", "2"));
  EXPECT_FALSE(WriteProfileStringA("a", "x", "2\n[evil]"));
  EXPECT_FALSE(WriteProfileStringA("a]", "x", "2"));
  EXPECT_FALSE(WriteProfileStringA("a", "x=y", "2"));
  EXPECT_FALSE(WriteProfileStringA("a", " ", "2"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(file(), "[a]\nx=1\n");

  std::ofstream(dir_ / "plain") << "not a directory";
  KwConfigureWinIni((dir_ / "plain" / "win.ini").c_str());
  SetLastError(0);
  EXPECT_FALSE(WriteProfileStringA("a", "x", "2"));
  EXPECT_NE(GetLastError(), 0u);
}

TEST_F(Profile, SeesChangesMadeBehindItsBack) {
  EXPECT_TRUE(WriteProfileStringA("s", "k", "111"));
  EXPECT_EQ(GetProfileIntA("s", "k", 0), 111u);
  put("[s]\nk=222\n");  // same size, likely the same time stamp
  EXPECT_EQ(GetProfileIntA("s", "k", 0), 222u);
  EXPECT_TRUE(WriteProfileStringA("s", "j", "x"));
  EXPECT_EQ(file(), "[s]\nk=222\nj=x\n");
  fs::remove(path_);
  EXPECT_EQ(get("s", "k"), "dflt");
}

TEST_F(Profile, ConcurrentWritersLoseNothingAndReadersSeeWholeFiles) {
  ASSERT_TRUE(WriteProfileStringA("s", "stable", "1"));
  std::atomic<bool> done{false};
  std::atomic<int> misses{0};
  std::thread reader([&] {
    while (!done) misses += GetProfileIntA("s", "stable", 0) != 1;
  });
  std::vector<std::thread> writers;
  for (int w = 0; w < 2; ++w) {
    writers.emplace_back([w] {
      for (int i = 0; i < 15; ++i) {
        std::string key = "k" + std::to_string(w) + "_" + std::to_string(i);
        WriteProfileStringA("s", key.c_str(), "v");
      }
    });
  }
  for (auto& t : writers) t.join();
  done = true;
  reader.join();
  EXPECT_EQ(misses, 0);
  char buf[1024];
  DWORD n = GetProfileStringA("s", nullptr, "", buf, sizeof buf);
  int keys = 0;
  for (DWORD i = 0; i < n; i += static_cast<DWORD>(std::strlen(buf + i)) + 1) ++keys;
  EXPECT_EQ(keys, 31);
}

}  // namespace
