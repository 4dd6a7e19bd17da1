// Module file names and version blocks: the program's own block (it holds the library's
// resources), then copies of it damaged or altered by hand.
#include <gtest/gtest.h>
#include <korvane/win32.h>

#include <cstring>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::string programFile() {
  char path[4096];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  return std::string(path, n > 0 ? static_cast<size_t>(n) : 0);
}

std::vector<BYTE> versionBuffer(const std::string& file) {
  DWORD handle = 7;
  const DWORD size = GetFileVersionInfoSizeA(file.c_str(), &handle);
  EXPECT_EQ(handle, 0u);
  std::vector<BYTE> buffer(size);
  if (size) {
    EXPECT_TRUE(GetFileVersionInfoA(file.c_str(), handle, size, buffer.data()));
  }
  return buffer;
}

std::string text(const std::vector<BYTE>& block, const char* path) {
  LPVOID value = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.data(), path, &value, &length)) return "<none>";
  const std::string s(static_cast<const char*>(value));
  EXPECT_EQ(length, s.size() + 1) << path;
  return s;
}

// Replaces the UTF-16 text `from` by `to` (same length) everywhere in the block.
void replaceWide(std::vector<BYTE>& block, const char* from, const char* to) {
  const size_t n = std::strlen(from);
  for (size_t i = 0; i + 2 * n <= block.size(); ++i) {
    bool match = true;
    for (size_t k = 0; k < n && match; ++k) match = block[i + 2 * k] == from[k] && block[i + 2 * k + 1] == 0;
    if (match)
      for (size_t k = 0; k < n; ++k) block[i + 2 * k] = static_cast<BYTE>(to[k]);
  }
}

}  // namespace

TEST(ModuleFileName, ProgramAndBadHandles) {
  const std::string self = programFile();
  char name[4096];
  EXPECT_EQ(GetModuleFileNameA(nullptr, name, sizeof name), self.size());
  EXPECT_EQ(name, self);
  char small[5] = "xxxx";
  EXPECT_EQ(GetModuleFileNameA(nullptr, small, sizeof small), 5u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(std::string(small), self.substr(0, 4));
  SetLastError(0);
  EXPECT_EQ(GetModuleFileNameA(reinterpret_cast<HMODULE>(0x1234), name, sizeof name), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

TEST(ModuleFileName, ModulesByAddressAndName) {
  // The library's objects are linked into this program: their module is the program file.
  HMODULE byAddress = nullptr, byName = nullptr, other = nullptr;
  ASSERT_TRUE(GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                 reinterpret_cast<LPCSTR>(&programFile), &byAddress));
  ASSERT_NE(byAddress, nullptr);
  EXPECT_TRUE(GetModuleHandleExA(0, "korvane", &byName));
  EXPECT_EQ(byName, byAddress);
  EXPECT_TRUE(GetModuleHandleExA(0, "KORVANE.DLL", &other));
  EXPECT_EQ(other, byAddress);
  char name[4096];
  ASSERT_GT(GetModuleFileNameA(byAddress, name, sizeof name), 0u);
  EXPECT_EQ(name, programFile());

  other = reinterpret_cast<HMODULE>(0x1234);
  int local = 0;
  EXPECT_FALSE(GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(&local), &other));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  EXPECT_EQ(other, nullptr);
  for (const char* missing : {"korvan", "korvane.so", "korvane.dllx"}) {
    EXPECT_FALSE(GetModuleHandleExA(0, missing, &other)) << missing;
  }
  EXPECT_FALSE(GetModuleHandleExA(0x80, "korvane", &other));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(GetModuleHandleExA(0, "korvane", nullptr));
}

TEST(VersionInfo, TheLibrarysOwnBlock) {
  std::vector<BYTE> block = versionBuffer(programFile());
  ASSERT_FALSE(block.empty());
  LPVOID value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", &value, &length));
  ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
  VS_FIXEDFILEINFO fixed;
  std::memcpy(&fixed, value, sizeof fixed);
  EXPECT_EQ(fixed.dwSignature, static_cast<DWORD>(VS_FFI_SIGNATURE));
  EXPECT_EQ(fixed.dwProductVersionMS, 0x00000001u);  // 0.1
  EXPECT_EQ(fixed.dwFileType, 2u);                   // a DLL
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, &length));
  ASSERT_EQ(length, 4u);
  DWORD translation;
  std::memcpy(&translation, value, 4);
  EXPECT_EQ(translation, 0x04b00409u);
  EXPECT_EQ(text(block, "\\StringFileInfo\\040904b0\\ProductVersion"), "0.1.0");
  EXPECT_EQ(text(block, "\\stringfileinfo\\040904B0\\FILEVERSION"), "0.1.0.0");  // names ignore case
  EXPECT_EQ(text(block, "\\StringFileInfo\\040904b0\\OriginalFilename"), "korvane.dll");
  EXPECT_EQ(text(block, "\\StringFileInfo\\040904E4\\ProductVersion"), "<none>");
  EXPECT_EQ(text(block, "\\StringFileInfo\\040904b0\\Missing"), "<none>");
  EXPECT_EQ(text(block, "\\StringFileInfo\\040904b0\\ProductVersion\\Deeper"), "<none>");
  // Asked twice, a text is copied to the same place.
  LPVOID first = nullptr;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\StringFileInfo\\040904b0\\ProductVersion", &first, &length));
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\StringFileInfo\\040904b0\\ProductVersion", &value, &length));
  EXPECT_EQ(first, value);

  // A block that carries only the Latin-1 translation.
  replaceWide(block, "040904b0", "040904E4");
  EXPECT_EQ(text(block, "\\StringFileInfo\\040904E4\\ProductVersion"), "0.1.0");
  EXPECT_EQ(text(block, "\\StringFileInfo\\040904b0\\ProductVersion"), "<none>");
}

TEST(VersionInfo, FailuresAndDamage) {
  const std::string self = programFile();
  const DWORD size = GetFileVersionInfoSizeA(self.c_str(), nullptr);
  ASSERT_GT(size, 0u);
  std::vector<BYTE> buffer(size);
  EXPECT_FALSE(GetFileVersionInfoA(self.c_str(), 0, size - 1, buffer.data()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_FALSE(GetFileVersionInfoA(self.c_str(), 0, size, nullptr));

  { std::ofstream("plain.txt") << "no version here"; }
  EXPECT_EQ(GetFileVersionInfoSizeA("plain.txt", nullptr), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
  EXPECT_EQ(GetFileVersionInfoSizeA("missing.dll", nullptr), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(GetFileVersionInfoSizeA(nullptr, nullptr), 0u);

  LPVOID value = nullptr;
  UINT length = 0;
  std::vector<BYTE> good = versionBuffer(self);
  EXPECT_FALSE(VerQueryValueA(good.data(), "\\", nullptr, &length));
  EXPECT_FALSE(VerQueryValueA(nullptr, "\\", &value, &length));
  // Lengths that point past their parent or are too short to hold a node are never
  // followed. (The root's own length is the caller's to keep: it also locates the room
  // behind the block.)
  for (size_t at : {size_t{0}, size_t{92}, size_t{120}}) {
    for (WORD bad : {WORD{0}, WORD{3}, WORD{0xFFFF}}) {
      if (at == 0 && bad == 0xFFFF) continue;
      std::vector<BYTE> damaged = good;
      std::memcpy(damaged.data() + at, &bad, 2);
      VerQueryValueA(damaged.data(), "\\StringFileInfo\\040904b0\\ProductVersion", &value, &length);
      VerQueryValueA(damaged.data(), "\\VarFileInfo\\Translation", &value, &length);
    }
  }
  // A key that never ends.
  std::vector<BYTE> endless = good;
  WORD rootLength;
  std::memcpy(&rootLength, endless.data(), 2);
  for (size_t i = 6; i < rootLength; ++i) endless[i] = 'A';
  EXPECT_FALSE(VerQueryValueA(endless.data(), "\\", &value, &length));
}
