// korvane version: the product and build versions in the library's own version resource.
#include <korvane/korvane.h>

#include <cstdio>
#include <string>

#include "commands.h"

namespace kvt {
namespace {

const char kVersionHelp[] =
    "usage: korvane version\n"
    "Shows the product version and the build (file) version that the library's version\n"
    "resource carries, read through VERGetVersionString and VERGetBuildString.\n";

// The library's module, by the name it is loaded under (korvane.dll; on Linux the module
// that libkorvane registers).
HMODULE libraryModule() {
  HMODULE module = nullptr;
  if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT, "korvane.dll", &module)) return nullptr;
  return module;
}

}  // namespace

int versionCommand(Args args) {
  Reporter report("version");
  if (wantsHelp(args)) return showHelp(kVersionHelp);
  if (!checkNoOptions(args, report)) return report.status();
  if (!args.empty()) return report.usage("unexpected argument " + quoted(args[0]));
  HMODULE module = libraryModule();
  // The strings are short; the room is what a version resource's path buffer allows.
  char product[520] = "", build[520] = "";
  if (!module || !VERGetVersionString(module, product) || !VERGetBuildString(module, build)) {
    report.problem("the library has no version resource");
    return report.status();
  }
  std::printf("korvane %s (build %s)\n", product, build);
  return 0;
}

}  // namespace kvt
