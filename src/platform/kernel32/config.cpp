// Who the emulated system is: its languages, code page and win.ini, from the environment
// unless a host configured them; plus the version and time queries.
#include "internal.h"

#include <atomic>
#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <mutex>
#include <sys/time.h>

namespace kw {
namespace {

struct Config {
  std::mutex mutex;
  bool loaded = false;
  SystemConfig system{};
  std::string winIni;
  bool winIniOverridden = false;
};

// The code page as last settled, 0 before the first load: CharNextA and its relatives run
// for every byte of text and read it without taking the configuration lock.
std::atomic<UINT> gCodePage{0};

Config& config() {
  // Leaked on purpose: static clean-ups and exiting threads still ask for the code page.
  static Config* c = new Config;
  return *c;
}

bool parseId(const char* text, unsigned long& out) {
  if (!text || !*text) return false;
  errno = 0;
  char* end = nullptr;
  unsigned long v = std::strtoul(text, &end, 0);  // "0x0411" or "1041"
  if (errno || end == text || *end || v > 0xFFFFFFFFul) return false;
  out = v;
  return true;
}

LANGID langFromLocaleName(const char* name) {
  if (!name) return 0x0409;
  auto starts = [name](const char* prefix) { return std::strncmp(name, prefix, std::strlen(prefix)) == 0; };
  if (starts("ja")) return 0x0411;
  if (starts("zh_TW") || starts("zh_HK") || starts("zh_MO")) return 0x0404;
  if (starts("zh")) return 0x0804;
  if (starts("ko")) return 0x0412;
  if (starts("he") || starts("iw")) return 0x040D;
  if (starts("ar")) return 0x0401;
  if (starts("fa")) return 0x0429;
  return 0x0409;
}

const char* posixLocaleName() {
  for (const char* var : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* v = std::getenv(var);
    if (v && *v) return v;
  }
  return nullptr;
}

std::string defaultWinIni() {
  if (const char* p = std::getenv("KORVANE_WININI"); p && *p) return p;
  if (const char* x = std::getenv("XDG_CONFIG_HOME"); x && *x) return std::string(x) + "/korvane/win.ini";
  if (const char* h = std::getenv("HOME"); h && *h) return std::string(h) + "/.config/korvane/win.ini";
  return "win.ini";
}

void loadLocked(Config& c) {
  if (c.loaded) return;
  LANGID fallback = langFromLocaleName(posixLocaleName());
  unsigned long v = 0;
  c.system.systemLangId = parseId(std::getenv("KORVANE_LANGID"), v) ? static_cast<LANGID>(v) : fallback;
  c.system.userLcid = parseId(std::getenv("KORVANE_LCID"), v) ? static_cast<LCID>(v) : fallback;
  c.system.codePage = codePageForLanguage(c.system.systemLangId);
  if (!c.winIniOverridden) c.winIni = defaultWinIni();
  c.loaded = true;
  gCodePage.store(c.system.codePage, std::memory_order_release);
}

}  // namespace

UINT codePageForLanguage(LANGID langId) {
  switch (PRIMARYLANGID(langId)) {
    case 0x11: return 932;
    case 0x12: return 949;
    case 0x04: {
      // Traditional Chinese (Taiwan, Hong Kong, Macau, and the neutral zh-Hant 0x7C04)
      // uses Big5; the rest GBK.
      WORD sub = SUBLANGID(langId);
      return (sub == 0x01 || sub == 0x03 || sub == 0x05 || sub == 0x1F) ? 950 : 936;
    }
    default: return 1252;
  }
}

SystemConfig currentSystem() {
  Config& c = config();
  std::lock_guard<std::mutex> lock(c.mutex);
  loadLocked(c);
  return c.system;
}

UINT currentCodePage() {
  const UINT cp = gCodePage.load(std::memory_order_acquire);
  return cp ? cp : currentSystem().codePage;
}

std::string winIniPath() {
  Config& c = config();
  std::lock_guard<std::mutex> lock(c.mutex);
  loadLocked(c);
  return c.winIni;
}

}  // namespace kw

using kw::config;

KW32_API void WINAPI KwConfigureSystem(LANGID systemLangId, LCID userLcid) {
  auto& c = config();
  std::lock_guard<std::mutex> lock(c.mutex);
  kw::loadLocked(c);
  if (systemLangId) {
    c.system.systemLangId = systemLangId;
    c.system.codePage = kw::codePageForLanguage(systemLangId);
    kw::gCodePage.store(c.system.codePage, std::memory_order_release);
  }
  if (userLcid) c.system.userLcid = userLcid;
}

KW32_API void WINAPI KwConfigureWinIni(LPCSTR path) {
  auto& c = config();
  std::lock_guard<std::mutex> lock(c.mutex);
  kw::loadLocked(c);
  c.winIniOverridden = path != nullptr;
  c.winIni = path ? std::string(path) : kw::defaultWinIni();
}

KW32_API LPCSTR WINAPI KwWinIniPath(void) {
  // The string lives as long as the configuration; a later reconfiguration replaces it.
  static thread_local std::string copy;
  copy = kw::winIniPath();
  return copy.c_str();
}

KW32_API BOOL WINAPI GetVersionExA(LPOSVERSIONINFOA info) {
  if (!info || info->dwOSVersionInfoSize < sizeof(OSVERSIONINFOA)) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  info->dwMajorVersion = 6;
  info->dwMinorVersion = 1;
  info->dwBuildNumber = 7601;
  info->dwPlatformId = VER_PLATFORM_WIN32_NT;
  std::memset(info->szCSDVersion, 0, sizeof info->szCSDVersion);
  return TRUE;
}

KW32_API LANGID WINAPI GetSystemDefaultLangID(void) { return kw::currentSystem().systemLangId; }
KW32_API LANGID WINAPI GetUserDefaultLangID(void) { return LOWORD(kw::currentSystem().userLcid); }
KW32_API LCID WINAPI GetUserDefaultLCID(void) { return kw::currentSystem().userLcid; }
KW32_API LCID WINAPI GetSystemDefaultLCID(void) { return kw::currentSystem().systemLangId; }
KW32_API UINT WINAPI GetACP(void) { return kw::currentSystem().codePage; }

namespace {
void fillSystemTime(LPSYSTEMTIME out, bool local) {
  if (!out) return;
  timeval tv{};
  gettimeofday(&tv, nullptr);
  std::tm tm{};
  time_t secs = tv.tv_sec;
  if (local) localtime_r(&secs, &tm); else gmtime_r(&secs, &tm);
  out->wYear = static_cast<WORD>(tm.tm_year + 1900);
  out->wMonth = static_cast<WORD>(tm.tm_mon + 1);
  out->wDayOfWeek = static_cast<WORD>(tm.tm_wday);
  out->wDay = static_cast<WORD>(tm.tm_mday);
  out->wHour = static_cast<WORD>(tm.tm_hour);
  out->wMinute = static_cast<WORD>(tm.tm_min);
  out->wSecond = static_cast<WORD>(tm.tm_sec);
  out->wMilliseconds = static_cast<WORD>(tv.tv_usec / 1000);
}
thread_local DWORD lastError = 0;
}  // namespace

KW32_API void WINAPI GetSystemTime(LPSYSTEMTIME time) { fillSystemTime(time, false); }
KW32_API void WINAPI GetLocalTime(LPSYSTEMTIME time) { fillSystemTime(time, true); }
KW32_API DWORD WINAPI GetLastError(void) { return lastError; }
KW32_API void WINAPI SetLastError(DWORD code) { lastError = code; }
