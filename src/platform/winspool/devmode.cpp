// Device modes of the built-in driver.
#include "winspool/devmode.h"

#include <cctype>
#include <cstddef>
#include <cstring>

namespace kw::winspool {

namespace {

constexpr short kDotsPerInch = 600;
constexpr short kTrueTypeDownload = 2;  // DMTT_DOWNLOAD: each job embeds the fonts it uses

void copyName(BYTE (&field)[CCHDEVICENAME], const std::string& text) {
  std::memset(field, 0, sizeof field);
  std::memcpy(field, text.data(), text.size() < sizeof field - 1 ? text.size() : sizeof field - 1);
}

void setPaper(DEVMODEA& mode, const Paper& paper) {
  mode.dmPaperSize = static_cast<short>(paper.code);
  mode.dmPaperWidth = static_cast<short>(paper.width);
  mode.dmPaperLength = static_cast<short>(paper.length);
  copyName(mode.dmFormName, formName(paper));
}

// Whether the field at `offset` lies wholly inside the input's dmSize.
bool within(const DEVMODEA& input, size_t offset, size_t width) { return offset + width <= input.dmSize; }

}  // namespace

std::string formName(const Paper& paper) {
  if (paper.code > DMPAPER_USER) return paper.name;  // a size of the printer's own: its media name
  for (size_t i = 0; i + 1 < paper.name.size(); ++i)
    if (paper.name[i] == ' ' && std::isdigit(static_cast<unsigned char>(paper.name[i + 1])))
      return paper.name.substr(0, i);
  return paper.name;
}

const Paper* paperOf(const Printer& printer, WORD code) {
  for (const Paper& p : printer.papers)
    if (p.code == code) return &p;
  return nullptr;
}

DWORD supportedFields(const Printer& printer) {
  return DM_ORIENTATION | DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH | DM_SCALE | DM_COPIES | DM_DEFAULTSOURCE |
         DM_PRINTQUALITY | DM_COLOR | DM_YRESOLUTION | DM_TTOPTION | DM_COLLATE | DM_FORMNAME |
         (printer.duplex ? DM_DUPLEX : 0);
}

DEVMODEA defaultDevMode(const Printer& printer) {
  DEVMODEA mode;
  std::memset(&mode, 0, sizeof mode);
  copyName(mode.dmDeviceName, printer.name);
  mode.dmSpecVersion = DM_SPECVERSION;
  mode.dmDriverVersion = 0x0100;
  mode.dmSize = sizeof(DEVMODEA);
  mode.dmDriverExtra = 0;
  mode.dmFields = supportedFields(printer);
  mode.dmOrientation = DMORIENT_PORTRAIT;
  if (const Paper* paper = paperOf(printer, printer.defaultPaper)) setPaper(mode, *paper);
  mode.dmScale = 100;
  mode.dmCopies = 1;
  mode.dmDefaultSource = DMBIN_AUTO;
  mode.dmPrintQuality = kDotsPerInch;
  mode.dmColor = printer.color ? DMCOLOR_COLOR : DMCOLOR_MONOCHROME;
  mode.dmDuplex = DMDUP_SIMPLEX;
  mode.dmYResolution = kDotsPerInch;
  mode.dmTTOption = kTrueTypeDownload;
  mode.dmCollate = DMCOLLATE_FALSE;
  return mode;
}

bool readDevMode(const DEVMODEA* input, DEVMODEA& copy) {
  std::memset(&copy, 0, sizeof copy);
  if (input == nullptr || input->dmSize < offsetof(DEVMODEA, dmFields) + sizeof(DWORD)) return false;
  const WORD size = input->dmSize < sizeof copy ? input->dmSize : static_cast<WORD>(sizeof copy);
  std::memcpy(&copy, input, size);
  copy.dmSize = size;
  return true;
}

bool mergeDevMode(const Printer& printer, const DEVMODEA& input, DEVMODEA& mode) {
  if (input.dmSize < offsetof(DEVMODEA, dmFields) + sizeof(DWORD)) return false;
  const DWORD fields = input.dmFields;
#define KW_GIVEN(flag, member) ((fields & (flag)) && within(input, offsetof(DEVMODEA, member), sizeof input.member))
  if (KW_GIVEN(DM_ORIENTATION, dmOrientation) &&
      (input.dmOrientation == DMORIENT_PORTRAIT || input.dmOrientation == DMORIENT_LANDSCAPE))
    mode.dmOrientation = input.dmOrientation;
  if (KW_GIVEN(DM_FORMNAME, dmFormName)) {
    for (const Paper& p : printer.papers)
      if (std::strncmp(reinterpret_cast<const char*>(input.dmFormName), formName(p).c_str(), CCHFORMNAME) == 0)
        setPaper(mode, p);
  }
  const bool lengthGiven = KW_GIVEN(DM_PAPERLENGTH, dmPaperLength) && input.dmPaperLength > 0;
  const bool widthGiven = KW_GIVEN(DM_PAPERWIDTH, dmPaperWidth) && input.dmPaperWidth > 0;
  if (KW_GIVEN(DM_PAPERSIZE, dmPaperSize) && input.dmPaperSize != DMPAPER_USER) {
    if (const Paper* paper = paperOf(printer, static_cast<WORD>(input.dmPaperSize))) setPaper(mode, *paper);
  } else if ((KW_GIVEN(DM_PAPERSIZE, dmPaperSize) && input.dmPaperSize == DMPAPER_USER) || lengthGiven ||
             widthGiven) {
    // A size of the caller's own: whatever of length and width it gives, the rest kept.
    mode.dmPaperSize = DMPAPER_USER;
    if (lengthGiven) mode.dmPaperLength = input.dmPaperLength;
    if (widthGiven) mode.dmPaperWidth = input.dmPaperWidth;
    std::memset(mode.dmFormName, 0, sizeof mode.dmFormName);
  }
  if (KW_GIVEN(DM_SCALE, dmScale) && input.dmScale >= 1 && input.dmScale <= 1000) mode.dmScale = input.dmScale;
  if (KW_GIVEN(DM_COPIES, dmCopies) && input.dmCopies >= 1 && input.dmCopies <= 9999) mode.dmCopies = input.dmCopies;
  if (KW_GIVEN(DM_DEFAULTSOURCE, dmDefaultSource)) mode.dmDefaultSource = input.dmDefaultSource;
  if (KW_GIVEN(DM_PRINTQUALITY, dmPrintQuality) && input.dmPrintQuality != 0)
    mode.dmPrintQuality = input.dmPrintQuality;
  if (KW_GIVEN(DM_COLOR, dmColor) &&
      (input.dmColor == DMCOLOR_MONOCHROME || (input.dmColor == DMCOLOR_COLOR && printer.color)))
    mode.dmColor = input.dmColor;
  if (KW_GIVEN(DM_DUPLEX, dmDuplex) && printer.duplex && input.dmDuplex >= DMDUP_SIMPLEX &&
      input.dmDuplex <= DMDUP_HORIZONTAL)
    mode.dmDuplex = input.dmDuplex;
  if (KW_GIVEN(DM_YRESOLUTION, dmYResolution) && input.dmYResolution > 0) mode.dmYResolution = input.dmYResolution;
  if (KW_GIVEN(DM_TTOPTION, dmTTOption) && input.dmTTOption >= 1 && input.dmTTOption <= 4)
    mode.dmTTOption = input.dmTTOption;
  if (KW_GIVEN(DM_COLLATE, dmCollate) && (input.dmCollate == DMCOLLATE_FALSE || input.dmCollate == DMCOLLATE_TRUE))
    mode.dmCollate = input.dmCollate;
#undef KW_GIVEN
  return true;
}

}  // namespace kw::winspool
