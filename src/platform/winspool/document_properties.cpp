// DocumentPropertiesA and DeviceCapabilitiesA of the built-in driver.
#include "winspool/devmode.h"
#include "winspool/printer_handles.h"
#include "winspool/properties_dialog.h"

#include <cstring>

namespace {

constexpr LONG kIdOk = 1;
constexpr int kPaperNameBytes = 64;

}  // namespace

KW32_API LONG WINAPI DocumentPropertiesA(HWND owner, HANDLE printer, LPSTR, PDEVMODEA output, PDEVMODEA input, DWORD mode) {
  try {
    kw::winspool::Printer p;
    if (!kw::winspool::printerOf(printer, p)) return -1;
    if ((mode & (DM_OUT_BUFFER | DM_IN_BUFFER | DM_IN_PROMPT)) == 0) return sizeof(DEVMODEA);
    DEVMODEA result = kw::winspool::defaultDevMode(p);
    if (mode & DM_IN_BUFFER) {
      DEVMODEA wanted;
      if (!kw::winspool::readDevMode(input, wanted) || !kw::winspool::mergeDevMode(p, wanted, result)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
      }
    }
    if (mode & DM_OUT_BUFFER && output == nullptr) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return -1;
    }
    if (mode & DM_IN_PROMPT) {
      const LONG answer = kw::winspool::promptDevMode(owner, p, result);
      if (answer != kIdOk) return answer;  // Cancel writes nothing
    }
    if (mode & DM_OUT_BUFFER) {
      if (output == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
      }
      std::memcpy(output, &result, sizeof result);
    }
    return kIdOk;
  } catch (...) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return -1;
  }
}

KW32_API int WINAPI DeviceCapabilitiesA(LPCSTR device, LPCSTR, WORD capability, LPSTR output, const DEVMODEA*) {
  try {
    auto found = kw::winspool::findPrinter(device);
    if (!found) {
      SetLastError(ERROR_INVALID_PRINTER_NAME);
      return -1;
    }
    const kw::winspool::Printer& p = *found;
    const int count = static_cast<int>(p.papers.size());
    switch (capability) {
      case DC_PAPERS:
        for (int i = 0; output && i < count; ++i) {
          const WORD code = p.papers[i].code;
          std::memcpy(output + i * sizeof code, &code, sizeof code);
        }
        return count;
      case DC_PAPERSIZE:
        for (int i = 0; output && i < count; ++i) {
          const LONG size[2] = {p.papers[i].width, p.papers[i].length};
          std::memcpy(output + i * sizeof size, size, sizeof size);
        }
        return count;
      case DC_PAPERNAMES:
        for (int i = 0; output && i < count; ++i) {
          char* name = output + i * kPaperNameBytes;
          std::memset(name, 0, kPaperNameBytes);
          std::strncpy(name, p.papers[i].name.c_str(), kPaperNameBytes - 1);
        }
        return count;
      case DC_COPIES: return p.maxCopies;
      case DC_ORIENTATION: return 90;
      case DC_SIZE: return sizeof(DEVMODEA);
      case DC_EXTRA: return 0;
      case DC_FIELDS: return static_cast<int>(kw::winspool::supportedFields(p));
      default: return -1;
    }
  } catch (...) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return -1;
  }
}
