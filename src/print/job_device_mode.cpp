// PrintGetDevMode: the device mode a job on a printer uses.
#include <korvane/print.h>

#include "print/device_modes.h"
#include "print/saved_setup.h"

#include <vector>

namespace {

constexpr WORD kKeepPaper = 0;

short orientationFor(WORD landscape) { return landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT; }

bool hasPaper(const DEVMODEA& mode, WORD paper) {
  return (mode.dmFields & DM_PAPERSIZE) && static_cast<WORD>(mode.dmPaperSize) == paper;
}

// The saved setup's device mode when it suits the paper asked for, else null.
HGLOBAL savedFor(LPCSTR device, LPCSTR driver, LPCSTR port, WORD paper) {
  HGLOBAL saved = kv::lookUpSetup(device, driver, port);
  if (!saved || paper == kKeepPaper) return saved;
  const auto* mode = static_cast<const DEVMODEA*>(GlobalLock(saved));
  const bool fits = mode && paper != DMPAPER_USER && hasPaper(*mode, paper);
  if (mode) GlobalUnlock(saved);
  if (fits) return saved;
  GlobalFree(saved);
  return nullptr;
}

// The driver's device mode turned to `paper` when the printer offers it: merged by the
// driver into a second block, which replaces the first. Leaves `block` as it is when the
// paper is not offered or the driver cannot merge.
HGLOBAL withPaper(HANDLE printer, LPCSTR device, LPCSTR port, HGLOBAL block, WORD paper, WORD landscape) {
  auto* mode = static_cast<DEVMODEA*>(GlobalLock(block));
  if (!mode) return block;
  if (hasPaper(*mode, paper)) {
    GlobalUnlock(block);
    return block;
  }
  const int count = DeviceCapabilitiesA(device, port, DC_PAPERS, nullptr, mode);
  std::vector<WORD> papers(count > 0 ? static_cast<size_t>(count) : 0);
  if (count > 0) DeviceCapabilitiesA(device, port, DC_PAPERS, reinterpret_cast<LPSTR>(papers.data()), mode);
  size_t i = 0;
  while (i < papers.size() && papers[i] != paper) ++i;
  if (i == papers.size()) {
    GlobalUnlock(block);
    return block;
  }
  const SIZE_T size = GlobalSize(block);
  HGLOBAL merged = GlobalAlloc(GHND, size);
  auto* out = merged ? static_cast<DEVMODEA*>(GlobalLock(merged)) : nullptr;
  if (!out) {
    if (merged) GlobalFree(merged);
    GlobalUnlock(block);
    return block;
  }
  mode->dmPaperSize = static_cast<short>(paper);
  mode->dmOrientation = orientationFor(landscape);
  if (mode->dmFields & (DM_PAPERLENGTH | DM_PAPERWIDTH)) {
    std::vector<LONG> sizes(2 * papers.size());
    if (DeviceCapabilitiesA(device, port, DC_PAPERSIZE, reinterpret_cast<LPSTR>(sizes.data()), mode) == count) {
      if (mode->dmFields & DM_PAPERLENGTH) mode->dmPaperLength = static_cast<short>(sizes[2 * i + 1]);
      if (mode->dmFields & DM_PAPERWIDTH) mode->dmPaperWidth = static_cast<short>(sizes[2 * i]);
    }
  }
  const LONG result = DocumentPropertiesA(nullptr, printer, const_cast<LPSTR>(device), out, mode,
                                          DM_IN_BUFFER | DM_OUT_BUFFER);
  GlobalUnlock(merged);
  GlobalUnlock(block);
  // A driver that fails the merge has written nothing to keep: the first block stands.
  if (result < 0) {
    GlobalFree(merged);
    return block;
  }
  GlobalFree(block);
  return merged;
}

}  // namespace

KV_API HGLOBAL KV_CALL PrintGetDevMode(WORD landscape, LPCSTR device, LPCSTR driver, LPCSTR port,
                                                  WORD paper) {
  if (HGLOBAL saved = savedFor(device, driver, port, paper)) return saved;
  kv::OpenedPrinter printer(device);
  if (!printer) return nullptr;
  HGLOBAL block = kv::defaultDevMode(printer.handle(), device);
  if (!block) return nullptr;
  if (paper == kKeepPaper || paper == DMPAPER_USER) {
    if (auto* mode = static_cast<DEVMODEA*>(GlobalLock(block))) {
      mode->dmOrientation = orientationFor(landscape);
      GlobalUnlock(block);
    }
    return block;
  }
  return withPaper(printer.handle(), device, port, block, paper, landscape);
}
