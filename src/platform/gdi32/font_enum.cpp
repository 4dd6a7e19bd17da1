// Font enumeration: the installed faces reported as Win32 reports them, a LOGFONTA and a
// TEXTMETRICA at the default size for each, with the TrueType or raster type bit.
#include "font_match.h"
#include "realized_font.h"

#include <algorithm>
#include <cstring>
#include <strings.h>

namespace {

struct Listing {
  std::string face;        // empty: one font per family
  bool allStyles = false;  // with a face: every style of it
  BYTE charSet = DEFAULT_CHARSET;  // DEFAULT_CHARSET: every set a face covers
  bool oneSet = false;             // ...or only one of them, the current code page's if it can
};

std::vector<BYTE> charSetsOf(const kw::gdi::InstalledFace& f) {
  std::vector<BYTE> sets;
  if (f.latin || !f.japanese) sets.push_back(ANSI_CHARSET);
  if (f.japanese) sets.push_back(SHIFTJIS_CHARSET);
  return sets;
}

int enumerate(HDC dc, const Listing& listing, FONTENUMPROCA proc, LPARAM data) {
  auto d = kw::gdi::lookupDC(dc);
  if (!d || !proc) return 0;
  int dpi = d->caps.logPixelsY;
  int result = 1;
  std::string lastFamily;
  for (const kw::gdi::InstalledFace& f : kw::gdi::installedFaces()) {
    const kw::gdi::FaceMatch& m = f.match;
    if (!listing.face.empty() && strcasecmp(listing.face.c_str(), m.family.c_str()) != 0) continue;
    if (!listing.allStyles && m.family == lastFamily) continue;
    lastFamily = m.family;
    std::vector<BYTE> sets = charSetsOf(f);
    if (listing.charSet != DEFAULT_CHARSET) {
      if (std::find(sets.begin(), sets.end(), listing.charSet) == sets.end()) continue;
      sets = {listing.charSet};
    } else if (listing.oneSet && sets.size() > 1) {
      BYTE preferred = kw::gdi::defaultCharSet();
      sets = {std::find(sets.begin(), sets.end(), preferred) != sets.end() ? preferred : sets.front()};
    }
    for (BYTE set : sets) {
      LOGFONTA log{};
      log.lfWeight = m.weight;
      log.lfItalic = m.italic ? 1 : 0;
      log.lfCharSet = set;
      std::strncpy(log.lfFaceName, m.family.c_str(), LF_FACESIZE - 1);
      auto font = kw::gdi::realize(log, 0, dpi);
      if (!font) continue;
      TEXTMETRICA tm = font->metrics();
      log.lfHeight = tm.tmHeight;
      log.lfWidth = tm.tmAveCharWidth;
      log.lfOutPrecision = m.scalable ? 3 : 1;   // stroke or string precision
      log.lfClipPrecision = m.scalable ? 2 : 0;  // stroke precision
      log.lfQuality = 1;                         // draft
      log.lfPitchAndFamily =
          static_cast<BYTE>((tm.tmPitchAndFamily & 0xF0) | (m.monospace ? FIXED_PITCH : VARIABLE_PITCH));
      DWORD type = m.scalable ? TRUETYPE_FONTTYPE : RASTER_FONTTYPE;
      result = proc(&log, &tm, type, data);
      if (result == 0) return 0;
    }
  }
  return result;
}

}  // namespace

KW32_API int WINAPI EnumFontsA(HDC dc, LPCSTR face, FONTENUMPROCA proc, LPARAM data) {
  Listing listing;
  if (face && *face) {
    listing.face.assign(face, strnlen(face, LF_FACESIZE - 1));
    listing.allStyles = true;
  }
  listing.oneSet = true;  // one entry per font, not one per character set
  return enumerate(dc, listing, proc, data);
}

KW32_API int WINAPI EnumFontFamiliesExA(HDC dc, LPLOGFONTA font, FONTENUMPROCA proc, LPARAM data, DWORD flags) {
  if (!font || flags != 0) return 0;
  Listing listing;
  listing.face.assign(font->lfFaceName, strnlen(font->lfFaceName, LF_FACESIZE - 1));
  listing.allStyles = !listing.face.empty();
  listing.charSet = font->lfCharSet;
  return enumerate(dc, listing, proc, data);
}
