// Shared between the files of the platform layer; never seen by the library.
#pragma once

#include <korvane/platform.h>

#include <string>
#include <vector>

namespace kw {

// The emulated system's identity, settled on first use from the environment.
struct SystemConfig {
  LANGID systemLangId;
  LCID userLcid;
  UINT codePage;
};

SystemConfig currentSystem();
// currentSystem().codePage without the configuration lock once it is settled.
UINT currentCodePage();
// Code page that Windows uses as ANSI code page for a system language.
UINT codePageForLanguage(LANGID langId);
std::string winIniPath();

// The program's own file (host path), empty if it cannot be told.
std::string programPath();
// The registered modules whose code lives in the host file `hostPath` (links resolved).
std::vector<HINSTANCE> modulesOfFile(const std::string& hostPath);

// The resources a registered module brought, or null.
const KW_RESOURCES* moduleResources(HINSTANCE module);

// The emulated screen in pixels: KORVANE_SCREEN=WxH, read once; default 1024x768.
struct ScreenSize {
  int width;
  int height;
};
ScreenSize screenSize();

// Called by TlsSetValue: arms the thread-exit notification of registered modules.
void noteThreadUsesLibrary();

}  // namespace kw
