#include "dialog_resources.h"

namespace kvtest {

namespace {
BOOL WINAPI quietEntry(HINSTANCE, DWORD, LPVOID) { return TRUE; }
}  // namespace

HINSTANCE testModule() {
  static const HINSTANCE module = KwRegisterModule("korvane-ui-test", quietEntry, &gResources);
  return module;
}

}  // namespace kvtest
