// The platform's file services under the file open helper: names, code pages, the run-time
// path functions and the creation rules.
#include <gtest/gtest.h>
#include <korvane/korvane.h>
#include <korvane/platform.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::u16string wide(UINT codePage, const std::string& text, DWORD flags = 0) {
  // Sized by the converter itself: paths under a build directory can be long.
  int size = static_cast<int>(text.size());
  int n = MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
  std::u16string out(static_cast<size_t>(n > 0 ? n : 0), u'\0');
  if (n > 0) MultiByteToWideChar(codePage, flags, text.data(), size, out.data(), n);
  return out;
}

TEST(FileServices, AnsiCodePageConversions) {
  EXPECT_EQ(wide(1252, "A\x80\x81\x8A\x9F\xE9\xFF"), u"A\u20AC\u0081\u0160\u0178\u00E9\u00FF");
  EXPECT_EQ(wide(CP_ACP, "caf\xE9"), u"caf\u00E9");  // the tests run on code page 1252
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", -1, nullptr, 0), 4);  // with the terminator
  char16_t small[2];
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", 3, small, 2), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(MultiByteToWideChar(437, 0, "abc", 3, small, 2), 0);  // not a code page of ours
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(wide(CP_UTF8, "\xC3\xA9\xF0\x9F\x98\x80"), u"\u00E9\U0001F600");
  EXPECT_EQ(wide(CP_UTF8, "\xC3", MB_ERR_INVALID_CHARS), u"");

  char out[16] = {};
  BOOL used = FALSE;
  EXPECT_EQ(WideCharToMultiByte(1252, 0, u"\u20AC\u0100x", 3, out, 16, nullptr, &used), 3);
  EXPECT_EQ(std::string(out, 3), "\x80?x");
  EXPECT_TRUE(used);

  // Shift-JIS through the host's converter, where the host has one: "表" has 0x5C as its
  // trail byte, and half-width katakana are single bytes.
  std::u16string sjis = wide(932, "\x95\x5C\xB1" "a");
  if (!sjis.empty()) {
    EXPECT_EQ(sjis, u"\u8868\uFF71a");
  }
}

TEST(FileServices, RunTimePathFunctions) {
  struct Case {
    const char *path, *drive, *dir, *fname, *ext;
  };
  const Case cases[] = {
      {"C:\\dir\\sub\\name.tar.gz", "C:", "\\dir\\sub\\", "name.tar", ".gz"},
      {"/usr/lib/file", "", "/usr/lib/", "file", ""},
      {"dir.d/name", "", "dir.d/", "name", ""},
      {"name.", "", "", "name", "."},
      {"", "", "", "", ""},
  };
  for (const Case& c : cases) {
    char drive[_MAX_DRIVE], dir[_MAX_DIR], fname[_MAX_FNAME], ext[_MAX_EXT];
    _splitpath(c.path, drive, dir, fname, ext);
    EXPECT_STREQ(drive, c.drive) << c.path;
    EXPECT_STREQ(dir, c.dir) << c.path;
    EXPECT_STREQ(fname, c.fname) << c.path;
    EXPECT_STREQ(ext, c.ext) << c.path;
  }
  // The trail byte 0x5C of a Shift-JIS character is no separator on code page 932.
  char dir[_MAX_DIR], fname[_MAX_FNAME];
  _splitpath("a\\\x95\x5C.txt", nullptr, dir, fname, nullptr);
  EXPECT_STREQ(fname, "");  // code page 1252: the 0x5C is a backslash
  KwConfigureSystem(0x0411, 0);
  _splitpath("a\\\x95\x5C.txt", nullptr, dir, fname, nullptr);
  KwConfigureSystem(0x0409, 0);
  EXPECT_STREQ(dir, "a\\");
  EXPECT_STREQ(fname, "\x95\x5C");

  std::string longDir(400, 'd');
  _splitpath((longDir + "/x").c_str(), nullptr, dir, nullptr, nullptr);
  EXPECT_EQ(std::string(dir), longDir.substr(0, _MAX_DIR - 1));  // cut, never overrun
  char big[512], ext[8];
  EXPECT_EQ(_splitpath_s((longDir + "/x.c").c_str(), nullptr, 0, big, sizeof big, nullptr, 0, ext, sizeof ext), 0);
  EXPECT_EQ(std::string(big), longDir + "/");
  EXPECT_EQ(_splitpath_s((longDir + "/x.c").c_str(), nullptr, 0, dir, sizeof dir, nullptr, 0, ext, sizeof ext), ERANGE);
  EXPECT_STREQ(ext, "");  // every part emptied
  EXPECT_EQ(_splitpath_s(nullptr, nullptr, 0, dir, sizeof dir, nullptr, 0, nullptr, 0), EINVAL);
  EXPECT_EQ(_splitpath_s("a/b", nullptr, 0, dir, 0, nullptr, 0, nullptr, 0), EINVAL);

  const std::string cwd = fs::current_path().string();
  char full[512];
  EXPECT_EQ(std::string(_fullpath(full, "a\\b/../c/./d", sizeof full)), cwd + "/a/c/d");
  EXPECT_EQ(std::string(_fullpath(full, "/x/../../y/", sizeof full)), "/y/");
  EXPECT_EQ(std::string(_fullpath(full, "", sizeof full)), cwd);
  EXPECT_EQ(_fullpath(full, "abc", cwd.size() + 4), nullptr);  // no room for the terminator
  EXPECT_EQ(_fullpath(full, "C:\\x", sizeof full), nullptr);
}

TEST(FileServices, CreationRulesAndNames) {
  const fs::path dir = fs::current_path() / ("services-" + std::to_string(getpid()));
  fs::create_directories(dir);
  struct Cleanup {
    fs::path dir;
    ~Cleanup() { fs::remove_all(dir); }
  } cleanup{dir};
  const std::string file = (dir / "x.txt").string();
  struct Step {
    DWORD access, disposition;
    bool opens;
    DWORD error;
  };
  const Step steps[] = {
      {GENERIC_READ, OPEN_EXISTING, false, ERROR_FILE_NOT_FOUND},
      {GENERIC_WRITE, TRUNCATE_EXISTING, false, ERROR_FILE_NOT_FOUND},
      {GENERIC_READ, TRUNCATE_EXISTING, false, ERROR_INVALID_PARAMETER},
      {GENERIC_READ, 6, false, ERROR_INVALID_PARAMETER},
      {GENERIC_WRITE, CREATE_NEW, true, NO_ERROR},
      {GENERIC_WRITE, CREATE_NEW, false, ERROR_FILE_EXISTS},
      {GENERIC_READ, OPEN_ALWAYS, true, ERROR_ALREADY_EXISTS},
      {GENERIC_READ, CREATE_ALWAYS, true, ERROR_ALREADY_EXISTS},
      {GENERIC_WRITE, TRUNCATE_EXISTING, true, NO_ERROR},
  };
  for (const Step& s : steps) {
    SetLastError(1234);
    HANDLE h = CreateFileA(file.c_str(), s.access, FILE_SHARE_READ, nullptr, s.disposition, 0, nullptr);
    EXPECT_EQ(h != INVALID_HANDLE_VALUE, s.opens) << s.disposition;
    EXPECT_EQ(GetLastError(), s.error) << s.disposition;
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
  EXPECT_EQ(GetFileAttributesA(file.c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL));
  EXPECT_EQ(GetFileAttributesA(dir.string().c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_EQ(GetFileAttributesA((dir / "none").string().c_str()), INVALID_FILE_ATTRIBUTES);

  // An ANSI name reaches the host in UTF-8; the wide long-path form finds the same file.
  const std::string ansi = (dir / "caf\xE9.txt").string();
  HANDLE h = CreateFileA(ansi.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
  EXPECT_TRUE(fs::exists(dir / "caf\xC3\xA9.txt"));
  std::u16string longForm = u"\\\\?\\" + wide(CP_ACP, ansi);
  h = CreateFileW(longForm.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);

  // SearchPathA: the size needed (with terminator) when the buffer is too small.
  char found[512];
  LPSTR part = nullptr;
  DWORD length = SearchPathA(dir.string().c_str(), "x", ".txt", sizeof found, found, &part);
  EXPECT_EQ(std::string(found), file);
  EXPECT_EQ(length, file.size());
  EXPECT_STREQ(part, "x.txt");
  EXPECT_EQ(SearchPathA(dir.string().c_str(), "x.txt", nullptr, 4, found, nullptr), file.size() + 1);
  EXPECT_EQ(SearchPathA(nullptr, nullptr, nullptr, sizeof found, found, nullptr), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

}  // namespace
