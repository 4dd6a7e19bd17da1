// Logical fonts: CreateFontA and CreateFontIndirectA record what the caller asked for.
#include "objects.h"

#include <new>

KW32_API HFONT WINAPI CreateFontIndirectA(const LOGFONTA* font) {
  if (!font) return nullptr;
  LOGFONTA log = *font;
  log.lfFaceName[LF_FACESIZE - 1] = 0;  // a face name that fills the field is cut, not overrun
  try {
    return static_cast<HFONT>(kw::gdi::insertObject(std::make_shared<kw::gdi::Font>(log)));
  } catch (const std::bad_alloc&) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
}

KW32_API HFONT WINAPI CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                                  DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, LPCSTR face) {
  LOGFONTA log{};
  log.lfHeight = height;
  log.lfWidth = width;
  log.lfEscapement = escapement;
  log.lfOrientation = orientation;
  log.lfWeight = weight;
  log.lfItalic = static_cast<BYTE>(italic);
  log.lfUnderline = static_cast<BYTE>(underline);
  log.lfStrikeOut = static_cast<BYTE>(strikeOut);
  log.lfCharSet = static_cast<BYTE>(charSet);
  log.lfOutPrecision = static_cast<BYTE>(outPrecision);
  log.lfClipPrecision = static_cast<BYTE>(clipPrecision);
  log.lfQuality = static_cast<BYTE>(quality);
  log.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
  if (face) lstrcpynA(log.lfFaceName, face, LF_FACESIZE);
  return CreateFontIndirectA(&log);
}
