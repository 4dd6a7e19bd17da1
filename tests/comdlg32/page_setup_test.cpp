// PageSetupDlgA's default printer blocks and its errors.
#include <gtest/gtest.h>
#include <korvane/platform.h>
#include <korvane/win32.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

TEST(PageSetup, ReturnsTheDefaultPrintersBlocks) {
  std::string dir = "/tmp/korvane-psd-XXXXXX";
  ASSERT_NE(mkdtemp(dir.data()), nullptr);
  setenv("CUPS_SERVER", (dir + "/none.sock").c_str(), 1);
  std::ofstream(dir + "/win.ini") << "[devices]\nDesk=Desk Driver,LPT2:,LPT3:\n[windows]\ndevice=Desk\n";
  KwConfigureWinIni((dir + "/win.ini").c_str());

  PAGESETUPDLGA setup;
  std::memset(&setup, 0, sizeof setup);
  setup.lStructSize = sizeof setup;
  setup.Flags = PSD_RETURNDEFAULT;
  ASSERT_TRUE(PageSetupDlgA(&setup));
  EXPECT_EQ(CommDlgExtendedError(), 0u);
  const auto* names = static_cast<const DEVNAMES*>(GlobalLock(setup.hDevNames));
  ASSERT_NE(names, nullptr);
  const char* base = reinterpret_cast<const char*>(names);
  EXPECT_STREQ(base + names->wDriverOffset, "Desk Driver");
  EXPECT_STREQ(base + names->wDeviceOffset, "Desk");
  EXPECT_STREQ(base + names->wOutputOffset, "LPT2:");
  EXPECT_EQ(names->wDefault, DN_DEFAULTPRN);
  EXPECT_EQ(GlobalSize(setup.hDevNames), sizeof(DEVNAMES) + 12 + 5 + 6);
  GlobalUnlock(setup.hDevNames);
  const auto* mode = static_cast<const DEVMODEA*>(GlobalLock(setup.hDevMode));
  ASSERT_NE(mode, nullptr);
  EXPECT_STREQ(reinterpret_cast<const char*>(mode->dmDeviceName), "Desk");
  GlobalUnlock(setup.hDevMode);

  // Blocks already given, a wrong size, no default flag: each its own error.
  EXPECT_FALSE(PageSetupDlgA(&setup));
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(PDERR_RETDEFFAILURE));
  GlobalFree(setup.hDevNames);
  GlobalFree(setup.hDevMode);
  setup.hDevNames = setup.hDevMode = nullptr;
  setup.lStructSize = 84 + sizeof setup;
  EXPECT_FALSE(PageSetupDlgA(&setup));
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_STRUCTSIZE));
  setup.lStructSize = sizeof setup;
  setup.Flags = 0;
  EXPECT_FALSE(PageSetupDlgA(&setup));
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_DIALOGFAILURE));

  std::ofstream(dir + "/win.ini", std::ios::trunc) << "";
  setup.Flags = PSD_RETURNDEFAULT;
  EXPECT_FALSE(PageSetupDlgA(&setup));
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(PDERR_NODEFAULTPRN));
  EXPECT_EQ(setup.hDevNames, nullptr);

  KwConfigureWinIni(nullptr);
  unsetenv("CUPS_SERVER");
  std::filesystem::remove_all(dir);
}
