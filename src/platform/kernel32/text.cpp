// ANSI text in the current code page: character boundaries, character classes and case.
// Single-byte code page 1252 and the double-byte code pages 932, 936, 949 and 950.
#include "internal.h"

#include <cstring>

namespace {

bool isLeadByte(UINT codePage, BYTE b) {
  switch (codePage) {
    case 932: return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    case 936:
    case 949:
    case 950: return b >= 0x81 && b <= 0xFE;
    default: return false;
  }
}

UINT acp() { return kw::currentCodePage(); }

// Windows-1252 letters above ASCII: ƒ Š Œ Ž š œ ž Ÿ ª µ º À-Ö Ø-ö ø-ÿ.
bool isAlpha1252(BYTE b) {
  if ((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z')) return true;
  switch (b) {
    case 0x83: case 0x8A: case 0x8C: case 0x8E: case 0x9A: case 0x9C: case 0x9E: case 0x9F:
    case 0xAA: case 0xB5: case 0xBA: return true;
    default: return b >= 0xC0 && b != 0xD7 && b != 0xF7;
  }
}

bool isUpper1252(BYTE b) {
  return (b >= 'A' && b <= 'Z') || b == 0x8A || b == 0x8C || b == 0x8E || b == 0x9F ||
         (b >= 0xC0 && b <= 0xDE && b != 0xD7);
}

bool isLower1252(BYTE b) {
  return (b >= 'a' && b <= 'z') || b == 0x83 || b == 0x9A || b == 0x9C || b == 0x9E || b == 0xAA || b == 0xB5 ||
         b == 0xBA || (b >= 0xDF && b != 0xF7);
}

BYTE upper1252(BYTE b) {
  if (b >= 'a' && b <= 'z') return static_cast<BYTE>(b - 0x20);
  switch (b) {
    case 0x9A: return 0x8A;
    case 0x9C: return 0x8C;
    case 0x9E: return 0x8E;
    case 0xFF: return 0x9F;
    default: break;
  }
  if (b >= 0xE0 && b <= 0xFE && b != 0xF7) return static_cast<BYTE>(b - 0x20);
  return b;  // ƒ, ß, ª, µ, º have no single-byte capital
}

BYTE lower1252(BYTE b) {
  if (b >= 'A' && b <= 'Z') return static_cast<BYTE>(b + 0x20);
  switch (b) {
    case 0x8A: return 0x9A;
    case 0x8C: return 0x9C;
    case 0x8E: return 0x9E;
    case 0x9F: return 0xFF;
    default: break;
  }
  if (b >= 0xC0 && b <= 0xDE && b != 0xD7) return static_cast<BYTE>(b + 0x20);
  return b;
}

// In the double-byte code pages only ASCII letters change case as single bytes; the
// Japanese half-width katakana (0xA1-0xDF) are letters without case.
bool isAlpha(UINT cp, BYTE b) {
  if (cp == 1252) return isAlpha1252(b);
  if ((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z')) return true;
  return cp == 932 && b >= 0xA6 && b <= 0xDD;
}
bool isUpper(UINT cp, BYTE b) { return cp == 1252 ? isUpper1252(b) : (b >= 'A' && b <= 'Z'); }
bool isLower(UINT cp, BYTE b) { return cp == 1252 ? isLower1252(b) : (b >= 'a' && b <= 'z'); }
BYTE toUpper(UINT cp, BYTE b) {
  if (cp == 1252) return upper1252(b);
  return (b >= 'a' && b <= 'z') ? static_cast<BYTE>(b - 0x20) : b;
}
BYTE toLower(UINT cp, BYTE b) {
  if (cp == 1252) return lower1252(b);
  return (b >= 'A' && b <= 'Z') ? static_cast<BYTE>(b + 0x20) : b;
}

template <class Map>
DWORD convertBuffer(LPSTR s, DWORD length, Map map) {
  if (!s) return 0;
  UINT cp = acp();
  auto* b = reinterpret_cast<BYTE*>(s);
  for (DWORD i = 0; i < length; ++i) {
    if (isLeadByte(cp, b[i]) && i + 1 < length) {
      ++i;  // a double-byte character keeps its case
      continue;
    }
    b[i] = map(cp, b[i]);
  }
  return length;
}

// A "pointer" whose high bits are clear carries one character (Win32 convention).
bool isSingleCharacter(LPCSTR s) { return (reinterpret_cast<UINT_PTR>(s) >> 16) == 0; }

template <class Map>
LPSTR convertString(LPSTR s, Map map) {
  if (isSingleCharacter(s)) {
    auto c = static_cast<BYTE>(reinterpret_cast<UINT_PTR>(s) & 0xFF);
    return reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(map(acp(), c)));
  }
  convertBuffer(s, static_cast<DWORD>(std::strlen(s)), map);
  return s;
}

}  // namespace

KW32_API BOOL WINAPI IsDBCSLeadByteEx(UINT codePage, BYTE b) { return isLeadByte(codePage, b); }
KW32_API BOOL WINAPI IsDBCSLeadByte(BYTE b) { return isLeadByte(acp(), b); }

KW32_API LPSTR WINAPI CharNextA(LPCSTR p) {
  if (!p) return nullptr;
  if (!*p) return const_cast<LPSTR>(p);
  // A lead byte followed by the terminator is a character of its own.
  if (isLeadByte(acp(), static_cast<BYTE>(*p)) && p[1]) return const_cast<LPSTR>(p + 2);
  return const_cast<LPSTR>(p + 1);
}

KW32_API LPSTR WINAPI CharPrevA(LPCSTR start, LPCSTR current) {
  if (!start || !current || current <= start) return const_cast<LPSTR>(start);
  UINT cp = acp();
  // Boundaries are only known from the start of the string: walk forward to current.
  LPCSTR p = start;
  for (;;) {
    LPCSTR next = (isLeadByte(cp, static_cast<BYTE>(*p)) && p + 1 < current && p[1]) ? p + 2 : p + 1;
    if (next >= current) return const_cast<LPSTR>(p);
    p = next;
  }
}

KW32_API LPSTR WINAPI CharUpperA(LPSTR s) { return convertString(s, toUpper); }
KW32_API LPSTR WINAPI CharLowerA(LPSTR s) { return convertString(s, toLower); }
KW32_API DWORD WINAPI CharUpperBuffA(LPSTR s, DWORD length) { return convertBuffer(s, length, toUpper); }
KW32_API DWORD WINAPI CharLowerBuffA(LPSTR s, DWORD length) { return convertBuffer(s, length, toLower); }

KW32_API BOOL WINAPI IsCharAlphaA(CHAR c) {
  UINT cp = acp();
  auto b = static_cast<BYTE>(c);
  return !isLeadByte(cp, b) && isAlpha(cp, b);
}

KW32_API BOOL WINAPI IsCharAlphaNumericA(CHAR c) {
  auto b = static_cast<BYTE>(c);
  return (b >= '0' && b <= '9') || IsCharAlphaA(c);
}

KW32_API BOOL WINAPI IsCharUpperA(CHAR c) { return isUpper(acp(), static_cast<BYTE>(c)); }
KW32_API BOOL WINAPI IsCharLowerA(CHAR c) { return isLower(acp(), static_cast<BYTE>(c)); }

KW32_API int WINAPI lstrcmpiA(LPCSTR a, LPCSTR b) {
  if (!a || !b) return a == b ? 0 : (a ? 1 : -1);
  UINT cp = acp();
  auto* x = reinterpret_cast<const BYTE*>(a);
  auto* y = reinterpret_cast<const BYTE*>(b);
  bool trail = false;  // trail bytes of double-byte characters compare as they are
  for (;; ++x, ++y) {
    BYTE cx = trail ? *x : toLower(cp, *x);
    BYTE cy = trail ? *y : toLower(cp, *y);
    if (cx != cy) return cx < cy ? -1 : 1;
    if (!cx) return 0;
    trail = !trail && isLeadByte(cp, *x);
  }
}
