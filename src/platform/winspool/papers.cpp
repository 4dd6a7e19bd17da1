// The papers of the built-in driver, with their Win32 codes, sizes and names.
#include "winspool/printers.h"

#include <cstdlib>

namespace kw::winspool {

const std::vector<Paper>& standardPapers() {
  static const std::vector<Paper> papers = {
      {DMPAPER_LETTER, 2159, 2794, "Letter 8 1/2 x 11 in", ""},
      {DMPAPER_LEGAL, 2159, 3556, "Legal 8 1/2 x 14 in", ""},
      {DMPAPER_EXECUTIVE, 1842, 2667, "Executive 7 1/4 x 10 1/2 in", ""},
      {DMPAPER_A3, 2970, 4200, "A3 297 x 420 mm", ""},
      {DMPAPER_A4, 2100, 2970, "A4 210 x 297 mm", ""},
      {DMPAPER_A5, 1480, 2100, "A5 148 x 210 mm", ""},
      {DMPAPER_B5, 1820, 2570, "B5 (JIS) 182 x 257 mm", ""},
  };
  return papers;
}

const Paper* paperOfSize(const std::vector<Paper>& papers, LONG width, LONG length) {
  for (const Paper& p : papers)
    if (std::labs(p.width - width) <= 10 && std::labs(p.length - length) <= 10) return &p;
  return nullptr;
}

WORD localePaper() {
  switch (GetUserDefaultLCID() & 0xFFFF) {
    case 0x0409:  // English (United States)
    case 0x1009:  // English (Canada)
    case 0x0c0c:  // French (Canada)
    case 0x080a:  // Spanish (Mexico)
    case 0x240a:  // Spanish (Colombia)
    case 0x200a:  // Spanish (Venezuela)
    case 0x340a:  // Spanish (Chile)
      return DMPAPER_LETTER;
    default:
      return DMPAPER_A4;
  }
}

}  // namespace kw::winspool
