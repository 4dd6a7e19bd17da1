// korvane: the library's everyday work from a shell.
#include <korvane/korvane.h>
#if !defined(_WIN32)
#include <korvane/platform.h>
#endif

#include <cstdio>
#include <cstring>

namespace {

const char* dbcsName() {
  if (!IntlDBCSEnabled()) return "none";
  switch (IntlDBCSBlank()) {
    case 0x8140: return "Japanese";
    case 0xA140: return "Chinese";
    case 0xA1A1: return "Korean";
    default: return "unknown";
  }
}

int showCharset() {
  std::printf("system language  0x%04X\n", static_cast<unsigned>(GetSystemDefaultLangID()));
  std::printf("user locale      0x%04X\n", static_cast<unsigned>(GetUserDefaultLCID()));
  std::printf("ANSI code page   %u\n", static_cast<unsigned>(GetACP()));
  std::printf("double-byte text %s (%s)\n", IntlDBCSEnabled() ? "yes" : "no", dbcsName());
  std::printf("right-to-left    %s\n", IntlIsBiDiEnabled() ? "yes" : "no");
  std::printf("double-byte blank 0x%04X\n", static_cast<unsigned>(IntlDBCSBlank()));
#if !defined(_WIN32)
  std::printf("win.ini          %s\n", KwWinIniPath());
#endif
  return 0;
}

int usage() {
  std::fprintf(stderr,
               "usage: korvane demo       a short tour of the library\n"
               "       korvane charset    the character-set state in force\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return usage();
  if (!std::strcmp(argv[1], "demo") || !std::strcmp(argv[1], "charset")) return showCharset();
  return usage();
}
