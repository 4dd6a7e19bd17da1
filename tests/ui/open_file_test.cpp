// The file open helper, on real files in a scratch directory under the working directory.
#include <gtest/gtest.h>
#include <korvane/korvane.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr INT_PTR kFailed = -1;

HANDLE asHandle(INT_PTR h) { return reinterpret_cast<HANDLE>(h); }

class OpenFile : public ::testing::Test {
 protected:
  void SetUp() override {
    home_ = fs::current_path();
    dir_ = home_ / ("open-file-" + std::to_string(getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "sub");
    put("data.txt", "hello");
  }
  void TearDown() override {
    fs::current_path(home_);
    fs::remove_all(dir_);
  }
  std::string path(const std::string& name) const { return (dir_ / name).string(); }
  void put(const std::string& name, const std::string& text) const { std::ofstream(path(name)) << text; }
  std::string text(const std::string& name) const {
    std::ifstream in(path(name));
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  // Opens, expecting success, and closes again.
  void opens(const std::string& name, UINT flags) const {
    INT_PTR h = CBOpenFile(name.c_str(), nullptr, flags);
    EXPECT_GT(h, 0) << name << " flags " << std::hex << flags << " error " << std::dec << GetLastError();
    if (h > 0) CloseHandle(asHandle(h));
  }
  void fails(const std::string& name, UINT flags, DWORD error) const {
    SetLastError(0);
    INT_PTR h = CBOpenFile(name.c_str(), nullptr, flags);
    EXPECT_EQ(h, kFailed) << name << " flags " << std::hex << flags;
    if (h > 0) CloseHandle(asHandle(h));
    if (error) {
      EXPECT_EQ(GetLastError(), error) << name << " flags " << std::hex << flags;
    }
  }

  fs::path home_, dir_;
};

TEST_F(OpenFile, RefusedFlagsChangeNothing) {
  const std::string file = path("data.txt");
  for (UINT bad : {0x0004u, 0x0008u, 0x0080u, 0x0400u, 0x0800u, 0x2000u, 0x8000u, 0x10000u, 0x80000000u}) {
    EXPECT_EQ(CBOpenFile(file.c_str(), nullptr, bad), kFailed) << bad;
    EXPECT_EQ(CBOpenFile(file.c_str(), nullptr, OF_CREATE | bad), kFailed) << bad;
    EXPECT_EQ(CBOpenFile(file.c_str(), nullptr, OF_DELETE | bad), kFailed) << bad;
  }
  char resolved[CB_MAX_PATH] = "untouched";
  for (UINT pair : {OF_EXIST | OF_CREATE, OF_EXIST | OF_DELETE, OF_CREATE | OF_DELETE, OF_EXIST | OF_CREATE | OF_DELETE})
    EXPECT_EQ(CBOpenFile(file.c_str(), resolved, pair | OF_READWRITE), kFailed) << pair;
  EXPECT_STREQ(resolved, "untouched");
  EXPECT_EQ(CBOpenFile(file.c_str(), resolved, OF_PARSE | OF_DELETE), 0);  // does nothing
  EXPECT_EQ(CBOpenFile(file.c_str(), resolved, OF_PARSE | OF_CREATE | OF_READWRITE), 0);
  EXPECT_EQ(CBOpenFile(nullptr, nullptr, OF_PARSE), 0);
  EXPECT_STREQ(resolved, "untouched");
  EXPECT_EQ(text("data.txt"), "hello");
  fails("", OF_READ, ERROR_FILE_NOT_FOUND);  // the search's invalid parameter becomes not found
  EXPECT_EQ(CBOpenFile(nullptr, resolved, OF_READ), kFailed);
  EXPECT_EQ(CBOpenFile(nullptr, nullptr, OF_DELETE), kFailed);
}

TEST_F(OpenFile, AccessFollowsTheWriteFlags) {
  for (UINT flags : {OF_READ, OF_WRITE, OF_READWRITE, OF_WRITE | OF_READWRITE, OF_CREATE}) {
    if (flags == OF_CREATE) put("data.txt", "hello");
    INT_PTR h = CBOpenFile(path("data.txt").c_str(), nullptr, flags);
    ASSERT_GT(h, 0) << flags;
    char buffer[8] = {};
    DWORD done = 99;
    EXPECT_TRUE(ReadFile(asHandle(h), buffer, sizeof buffer, &done, nullptr));  // reads always
    EXPECT_EQ(done, flags == OF_CREATE ? 0u : 5u);
    bool writes = flags != OF_READ && flags != OF_CREATE;
    EXPECT_EQ(WriteFile(asHandle(h), "!", 1, &done, nullptr), writes ? TRUE : FALSE) << flags;
    if (!writes) {
      EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    }
    EXPECT_TRUE(CloseHandle(asHandle(h)));
    EXPECT_EQ(text("data.txt"), flags == OF_CREATE ? "" : writes ? "hello!" : "hello") << flags;
    put("data.txt", "hello");
  }
  EXPECT_FALSE(CloseHandle(INVALID_HANDLE_VALUE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(OpenFile, ShareModesBetweenTwoOpens) {
  struct Case {
    UINT first, second;
    bool both;
  };
  const Case cases[] = {
      {OF_READ | OF_SHARE_EXCLUSIVE, OF_READ | OF_SHARE_DENY_NONE, false},
      {OF_READ | OF_SHARE_DENY_READ, OF_READ | OF_SHARE_DENY_NONE, false},  // 0x30 shares nothing
      {OF_READ | OF_SHARE_DENY_WRITE, OF_READ | OF_SHARE_DENY_NONE, true},
      {OF_READ | OF_SHARE_DENY_WRITE, OF_READWRITE | OF_SHARE_DENY_NONE, false},
      {OF_READ | OF_SHARE_DENY_WRITE, OF_READ | OF_SHARE_DENY_WRITE, true},
      {OF_READ | OF_SHARE_DENY_NONE, OF_READWRITE | OF_SHARE_DENY_NONE, true},
      {OF_READ | OF_SHARE_COMPAT, OF_READWRITE, true},  // no share flag: read and write shared
      {OF_READWRITE | OF_SHARE_DENY_NONE, OF_READ | OF_SHARE_DENY_WRITE, false},
      {OF_READ | OF_SHARE_DENY_NONE, OF_READ | OF_SHARE_EXCLUSIVE, false},
      {OF_READ | OF_SHARE_EXCLUSIVE | OF_SHARE_DENY_NONE, OF_READ, false},  // bit 0x10 wins
      {OF_READ | OF_SHARE_DENY_WRITE | OF_SHARE_DENY_NONE, OF_READ, true},
      {OF_READ | OF_SHARE_DENY_WRITE | OF_SHARE_DENY_NONE, OF_WRITE, false},
      {OF_READ | OF_SHARE_DENY_NONE, OF_CREATE | OF_SHARE_DENY_NONE, true},
      {OF_READ | OF_SHARE_DENY_WRITE, OF_CREATE | OF_SHARE_DENY_NONE, false},  // truncating writes
  };
  const std::string file = path("data.txt");
  for (const Case& c : cases) {
    INT_PTR first = CBOpenFile(file.c_str(), nullptr, c.first);
    ASSERT_GT(first, 0);
    if (c.both) opens(file, c.second);
    else fails(file, c.second, ERROR_SHARING_VIOLATION);
    CloseHandle(asHandle(first));
    opens(file, c.second);  // free again once the first is closed
    EXPECT_EQ(text("data.txt"), (c.second & OF_CREATE) ? "" : "hello") << std::hex << c.first << " " << c.second;
    put("data.txt", "hello");
  }
  INT_PTR open = CBOpenFile(file.c_str(), nullptr, OF_READ);
  fails(file, OF_DELETE, ERROR_SHARING_VIOLATION);  // opens do not share deletion
  CloseHandle(asHandle(open));
}

TEST_F(OpenFile, ShareModesAcrossProcesses) {
  const std::string file = path("data.txt");
  int ready[2], done[2];
  ASSERT_EQ(pipe(ready), 0);
  ASSERT_EQ(pipe(done), 0);
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    INT_PTR h = CBOpenFile(file.c_str(), nullptr, OF_READ | OF_SHARE_DENY_WRITE);
    char c = h > 0 ? 'y' : 'n';
    (void)!write(ready[1], &c, 1);
    (void)!read(done[0], &c, 1);
    _exit(0);
  }
  char c = 0;
  ASSERT_EQ(read(ready[0], &c, 1), 1);
  EXPECT_EQ(c, 'y');
  fails(file, OF_READWRITE, ERROR_SHARING_VIOLATION);
  fails(file, OF_CREATE, ERROR_SHARING_VIOLATION);
  opens(file, OF_READ);
  (void)!write(done[1], &c, 1);
  int status = 0;
  waitpid(child, &status, 0);
  opens(file, OF_READWRITE);  // the child's claim ended with it
  EXPECT_EQ(text("data.txt"), "hello");
  for (int fd : {ready[0], ready[1], done[0], done[1]}) close(fd);
}

TEST_F(OpenFile, SearchPathAndDirectories) {
  char resolved[CB_MAX_PATH] = {};
  fails("data.txt", OF_READ, ERROR_FILE_NOT_FOUND);  // a bare name is searched, not taken from here
  std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
  setenv("PATH", ("/nonexistent:" + path("sub") + ":" + dir_.string()).c_str(), 1);
  put("sub/data.txt", "in sub");
  INT_PTR h = CBOpenFile("data.txt", resolved, OF_READ);
  ASSERT_GT(h, 0);
  EXPECT_EQ(std::string(resolved), path("sub/data.txt"));  // PATH in its order
  char buffer[16] = {};
  DWORD n = 0;
  ReadFile(asHandle(h), buffer, sizeof buffer, &n, nullptr);
  EXPECT_EQ(std::string(buffer, n), "in sub");
  CloseHandle(asHandle(h));

  fs::current_path(dir_);  // the current directory comes before PATH
  EXPECT_EQ(CBOpenFile("data.txt", resolved, OF_EXIST), 0);
  EXPECT_EQ(std::string(resolved), path("data.txt"));
  setenv("PATH", oldPath.c_str(), 1);

  // A name with a directory is taken as it stands; OF_EXIST still checks it.
  for (const char* name : {"sub/data.txt", "sub\\data.txt", "./sub/../data.txt"}) {
    h = CBOpenFile(name, resolved, OF_READ);
    EXPECT_GT(h, 0) << name;
    EXPECT_STREQ(resolved, name);
    CloseHandle(asHandle(h));
  }
  EXPECT_EQ(CBOpenFile("sub\\data.txt", resolved, OF_EXIST), 0);
  EXPECT_EQ(std::string(resolved), path("sub/data.txt"));
  EXPECT_EQ(CBOpenFile(path("sub/none.txt").c_str(), resolved, OF_EXIST), kFailed);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(CBOpenFile("sub", resolved, OF_EXIST), kFailed);  // directories are not files
}

TEST_F(OpenFile, CreateTruncateAndDelete) {
  char resolved[CB_MAX_PATH] = {};
  fs::current_path(dir_);
  INT_PTR h = CBOpenFile("new.txt", resolved, OF_CREATE | OF_READWRITE);
  ASSERT_GT(h, 0);
  EXPECT_EQ(std::string(resolved), path("new.txt"));  // the full path when asked for
  DWORD n = 0;
  EXPECT_TRUE(WriteFile(asHandle(h), "abcdef", 6, &n, nullptr));
  EXPECT_EQ(GetFileSize(asHandle(h), nullptr), 6u);
  EXPECT_EQ(SetFilePointer(asHandle(h), -2, nullptr, FILE_END), 4u);
  EXPECT_EQ(SetFilePointer(asHandle(h), -5, nullptr, FILE_CURRENT), INVALID_SET_FILE_POINTER);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NEGATIVE_SEEK));
  CloseHandle(asHandle(h));
  EXPECT_EQ(text("new.txt"), "abcdef");

  h = CBOpenFile("sub/../new.txt", nullptr, OF_CREATE);  // truncates; name used as given
  ASSERT_GT(h, 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  CloseHandle(asHandle(h));
  EXPECT_EQ(text("new.txt"), "");
  fails(path("missing/new.txt"), OF_CREATE, ERROR_PATH_NOT_FOUND);
  fails(path("sub"), OF_CREATE, ERROR_ACCESS_DENIED);

  EXPECT_EQ(CBOpenFile("new.txt", nullptr, OF_DELETE), 0);
  EXPECT_FALSE(fs::exists(path("new.txt")));
  fails("new.txt", OF_DELETE, ERROR_FILE_NOT_FOUND);
  fails(path("missing/new.txt"), OF_DELETE, ERROR_PATH_NOT_FOUND);
  fails(path("sub"), OF_DELETE, ERROR_ACCESS_DENIED);
}

TEST_F(OpenFile, LastErrorsOfFailedOpens) {
  fails(path("none.txt"), OF_READ, ERROR_FILE_NOT_FOUND);
  fails(path("missing/none.txt"), OF_READ, ERROR_PATH_NOT_FOUND);
  fails(path("data.txt/x"), OF_READ, ERROR_PATH_NOT_FOUND);
  fails(path("sub"), OF_READ, ERROR_ACCESS_DENIED);
  fails("none.txt", OF_READ, ERROR_FILE_NOT_FOUND);
  fails("C:\\data.txt", OF_READ, ERROR_PATH_NOT_FOUND);  // drive letters mean nothing here
  fails("\\\\server\\share\\data.txt", OF_READ, ERROR_BAD_NETPATH);
  fails(std::string(CB_MAX_PATH, 'x'), OF_READ, ERROR_FILENAME_EXCED_RANGE);
  fs::permissions(path("data.txt"), fs::perms::owner_read);
  if (access(path("data.txt").c_str(), W_OK) != 0) {  // not when running with privileges
    fails(path("data.txt"), OF_READWRITE, ERROR_ACCESS_DENIED);
    fails(path("data.txt"), OF_DELETE, ERROR_ACCESS_DENIED);  // the read-only attribute
  }
  fs::permissions(path("data.txt"), fs::perms::owner_all);
}

TEST_F(OpenFile, LongPathsGoThroughTheLongForm) {
  // Three directories of 80 characters and a file below a pad that takes the full path
  // past 300 characters, while the name below the pad stays short of MAX_PATH.
  const std::string name = std::string(80, 'a') + "/" + std::string(80, 'b') + "/" + std::string(80, 'c') + "/long-name.txt";
  size_t used = dir_.string().size() + 2 + name.size();
  fs::path base = dir_ / std::string(used < 300 ? 301 - used : 1, 'p');
  fs::create_directories((base / name).parent_path());
  const std::string file = (base / name).string();
  ASSERT_GT(file.size(), 300u);
  ASSERT_LT(name.size(), static_cast<size_t>(MAX_PATH));
  EXPECT_EQ(CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, CREATE_ALWAYS, 0, nullptr), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE));  // the classic service cannot

  char resolved[CB_MAX_PATH] = {};
  INT_PTR h = CBOpenFile(file.c_str(), resolved, OF_CREATE | OF_READWRITE);
  ASSERT_GT(h, 0) << GetLastError();
  EXPECT_EQ(std::string(resolved), file);
  DWORD n = 0;
  WriteFile(asHandle(h), "deep", 4, &n, nullptr);
  CloseHandle(asHandle(h));
  EXPECT_EQ(std::ifstream(file).get(), 'd');

  fs::current_path(base);  // short name, long full path
  h = CBOpenFile(name.c_str(), resolved, OF_READ | OF_SHARE_EXCLUSIVE);
  ASSERT_GT(h, 0) << GetLastError();
  EXPECT_EQ(std::string(resolved), name);
  fails(name, OF_READ, ERROR_SHARING_VIOLATION);  // the long form honours share modes too
  CloseHandle(asHandle(h));
  EXPECT_EQ(CBOpenFile(name.c_str(), nullptr, OF_DELETE), kFailed);  // deletion has no long form
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE));
}

}  // namespace
