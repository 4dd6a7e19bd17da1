// The character-set decision (double-byte, right-to-left) and the primitives every text
// function steps with. Character boundaries come from the system's CharNextA.
#include "intl/charset.h"

#include "frame/state.h"

namespace kv {

int IntlCharCount(LPCSTR s) {
  if (!s) return 0;
  int n = 0;
  while (*s) {
    s = CharNextA(s);
    ++n;
  }
  return n;
}

}  // namespace kv

using kv::gpState;

namespace {

constexpr WORD kLangChinese = 0x04;
constexpr WORD kLangKorean = 0x12;
constexpr WORD kLangJapanese = 0x11;

bool isRightToLeft(unsigned lang) { return lang == 0x0D || lang == 0x29 || lang == 0x01; }

}  // namespace

KV_API void KV_CALL IntlInit(void) {
  kv::LibraryState& s = *gpState;
  s.dbcsEnabled = s.dbcsType = s.bidiEnabled = 0;
  s.systemLangId = GetSystemDefaultLangID();
  s.primaryLangId = static_cast<WORD>(s.systemLangId & 0x3FF);
  const unsigned userLang = GetUserDefaultLCID() & 0xFF;

  switch (s.primaryLangId) {
    case kLangJapanese: s.dbcsType = INTL_DBCS_JAPANESE; break;
    case kLangChinese: s.dbcsType = INTL_DBCS_CHINESE; break;
    case kLangKorean: s.dbcsType = INTL_DBCS_KOREAN; break;
    default: break;
  }
  if (s.dbcsType != INTL_DBCS_NONE) {
    // The user's locale may switch right-to-left on, never double-byte; and never both.
    s.dbcsEnabled = 1;
    return;
  }
  s.bidiEnabled = isRightToLeft(s.primaryLangId) || isRightToLeft(userLang);
}

KV_API int KV_CALL IntlDBCSEnabled(void) { return gpState->dbcsEnabled; }

KV_API int KV_CALL IntlIsBiDiEnabled(void) { return gpState->bidiEnabled; }

KV_API int KV_CALL IntlBytesInNextChar(LPCSTR p) {
  if (!p || !*p) return 0;
  return static_cast<int>(CharNextA(p) - p);
}

KV_API int KV_CALL IntlIsDBChar(LPCSTR p) { return IntlBytesInNextChar(p) > 1; }

KV_API LPSTR KV_CALL IntlNextDBCInStr(LPCSTR s) {
  if (!s) return nullptr;
  // Byte by byte, as callers expect: a trail byte that looks like a lead byte counts.
  for (; *s; ++s) {
    if (IntlIsDBChar(s)) return const_cast<LPSTR>(s);
  }
  return nullptr;
}

KV_API WORD KV_CALL IntlDBCSChar(LPCSTR p) {
  if (!p) return 0;
  const auto* b = reinterpret_cast<const BYTE*>(p);
  if (IntlIsDBChar(p)) return static_cast<WORD>(b[0] << 8 | b[1]);
  return b[0];
}

KV_API WORD KV_CALL IntlDBCSBlank(void) {
  switch (gpState->dbcsType) {
    case INTL_DBCS_JAPANESE: return 0x8140;
    case INTL_DBCS_CHINESE: return 0xA140;
    case INTL_DBCS_KOREAN: return 0xA1A1;
    default: return 0;
  }
}

KV_API int KV_CALL IntlIsKanji(BYTE b) {
  if (!gpState->dbcsEnabled) return 0;
  if (gpState->dbcsType == INTL_DBCS_JAPANESE) return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
  return IsDBCSLeadByte(b) ? 1 : 0;
}

KV_API int KV_CALL IntlIsKatakana(BYTE b) {
  return gpState->dbcsType == INTL_DBCS_JAPANESE && b >= 0xA0 && b <= 0xDF;
}
