// A printer's paper and printable rectangle for a device mode, in tenths of a millimetre,
// asked of an information context without printing anything.
#include <korvane/print.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "print/device_modes.h"
#include "print/dc_queries.h"

namespace {

// Frees the default device mode made when the caller gave none.
struct ModeBlock {
  HGLOBAL block = nullptr;
  ~ModeBlock() {
    if (block) {
      GlobalUnlock(block);
      GlobalFree(block);
    }
  }
};

// The size DC_PAPERSIZE gives for the code's place in DC_PAPERS, or (0, 0).
POINT listedSize(LPCSTR device, LPCSTR port, WORD code) {
  const int count = DeviceCapabilitiesA(device, port, DC_PAPERS, nullptr, nullptr);
  if (count <= 0) return POINT{0, 0};
  std::vector<WORD> papers(count);
  std::vector<POINT> sizes(count);
  if (DeviceCapabilitiesA(device, port, DC_PAPERS, reinterpret_cast<LPSTR>(papers.data()), nullptr) != count ||
      DeviceCapabilitiesA(device, port, DC_PAPERSIZE, reinterpret_cast<LPSTR>(sizes.data()), nullptr) != count)
    return POINT{0, 0};
  for (int i = 0; i < count; ++i)
    if (papers[i] == code) return sizes[i].x && sizes[i].y ? sizes[i] : POINT{0, 0};
  return POINT{0, 0};
}

// The public fields of a caller's device mode, read no further than its dmSize says; the
// fields past that read as zero, so a short record names no paper and no orientation.
DEVMODEA publicFields(const DEVMODEA* mode) {
  DEVMODEA fields{};
  if (mode) std::memcpy(&fields, mode, std::min<size_t>(mode->dmSize, sizeof fields));
  return fields;
}

}  // namespace

KV_API int KV_CALL PageGetPageInfo(LPCSTR driver, LPCSTR device, LPCSTR port, const DEVMODEA* mode, WORD* paper,
                                   POINT* size, RECT* printable) {
  if (!device || !size || !printable) return 0;
  kv::OpenedPrinter printer(device);
  if (!printer) return 0;
  ModeBlock made;
  if (!mode) {
    made.block = kv::defaultDevMode(printer.handle(), device);
    mode = made.block ? static_cast<const DEVMODEA*>(GlobalLock(made.block)) : nullptr;
  }
  HDC ic = CreateICA(driver, device, nullptr, mode);
  if (!ic) return 0;
  SetMapMode(ic, MM_LOMETRIC);
  const DEVMODEA fields = publicFields(mode);

  POINT paperSize{0, 0};
  if ((fields.dmFields & DM_PAPERSIZE) && fields.dmPaperSize) {
    if (paper) *paper = static_cast<WORD>(fields.dmPaperSize);
    const DWORD both = DM_PAPERLENGTH | DM_PAPERWIDTH;
    if (fields.dmPaperSize == DMPAPER_USER || (fields.dmFields & both) == both)
      paperSize = POINT{fields.dmPaperWidth, fields.dmPaperLength};
    else
      paperSize = listedSize(device, port, static_cast<WORD>(fields.dmPaperSize));
  }
  // Sizes from the paper tables are portrait; what the information context reports is
  // already turned with the device mode.
  const bool landscape = fields.dmOrientation == DMORIENT_LANDSCAPE;
  if (landscape && paperSize.x && paperSize.y) paperSize = POINT{paperSize.y, paperSize.x};
  if (!paperSize.x || !paperSize.y) {
    POINT physical{0, 0};
    if (!kv::escapePoint(ic, GETPHYSPAGESIZE, &physical) || !physical.x || !physical.y) {
      DeleteDC(ic);
      return 0;
    }
    paperSize = kv::logicalSize(ic, physical.x, physical.y);
  }
  POINT offset{0, 0};
  if (kv::escapePoint(ic, GETPRINTINGOFFSET, &offset)) offset = kv::logicalSize(ic, offset.x, offset.y);
  RECT clip{};
  GetClipBox(ic, &clip);
  DeleteDC(ic);
  const LONG w = clip.right - clip.left, h = clip.bottom - clip.top;
  *size = paperSize;
  *printable = RECT{offset.x, offset.y, offset.x + (w < 0 ? -w : w), offset.y + (h < 0 ? -h : h)};
  return 1;
}
