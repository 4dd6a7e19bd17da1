// Mask language and masking: typed characters go into the mask's places, literals stand
// where the mask has them.
#include "format/mask.h"

#include <korvane/format.h>
#include <korvane/intl.h>
#include <korvane/memory.h>

#include <cstring>

namespace kv {

namespace {

CHAR upper(CHAR c) {
  // The single-character form of CharUpperA: the character travels in the pointer's low byte.
  return static_cast<CHAR>(reinterpret_cast<UINT_PTR>(CharUpperA(reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(static_cast<BYTE>(c))))));
}

bool isDigitChar(CHAR c) { return IsCharAlphaNumericA(c) && !IsCharAlphaA(c); }

// The classes a double-byte character fits: they test nothing and convert nothing of it.
bool takesAny(CHAR maskChar) { return maskChar == 'X' || maskChar == '!' || maskChar == '*'; }

// Whether the lead byte at p has its trail byte: trail bytes of the double-byte code pages
// are 0x40 and above, so a lead byte before a blank or a digit stands alone.
bool hasTrail(const char* text, size_t p, size_t length) {
  return p + 1 < length && static_cast<BYTE>(text[p + 1]) >= 0x40;
}

// The length of text without a lead byte that lacks its trail byte at the end.
size_t wholeCharsLength(const char* text, size_t length) {
  size_t p = 0;
  while (p < length) {
    const bool lead = IsDBCSLeadByte(static_cast<BYTE>(text[p]));
    if (lead && p + 1 == length) break;
    p += lead && hasTrail(text, p, length) ? 2 : 1;
  }
  return p;
}

// Copies text to out without its lone lead bytes, as the places of a mask drop them;
// returns the bytes written.
size_t copyWholeChars(const char* text, size_t length, char* out) {
  size_t n = 0;
  for (size_t p = 0; p < length;) {
    if (!IsDBCSLeadByte(static_cast<BYTE>(text[p]))) {
      out[n++] = text[p++];
    } else if (hasTrail(text, p, length)) {
      out[n++] = text[p++];
      out[n++] = text[p++];
    } else {
      ++p;
    }
  }
  return n;
}

bool isUnlimited(LPCSTR proper) {
  const size_t n = std::strlen(proper);
  return n > 0 && proper[n - 1] == '*';
}

}  // namespace

LPCSTR maskProper(LPCSTR mask) { return (mask && *mask == '^') ? mask + 1 : mask; }

BOOL FMTIsMaskChar(CHAR c) {
  switch (c) {
    case '9': case 'a': case 'A': case 'n': case 'N': case 'X': case '!': case '*': return TRUE;
    default: return FALSE;
  }
}

int FMTMaskCharAccepts(CHAR maskChar, CHAR* c) {
  if (!c) return 0;
  switch (maskChar) {
    case '9': return isDigitChar(*c);
    case 'a': return IsCharAlphaA(*c) ? 1 : 0;
    case 'A':
      if (!IsCharAlphaA(*c)) return 0;
      *c = upper(*c);
      return 1;
    case 'n': return IsCharAlphaNumericA(*c) ? 1 : 0;
    case 'N':
      if (!IsCharAlphaNumericA(*c)) return 0;
      *c = upper(*c);
      return 1;
    case 'X': return *c != '\n';
    case '!':
      if (*c == '\n') return 0;
      *c = upper(*c);
      return 1;
    case '*': return 1;
    default:
      *c = maskChar;
      return 1;
  }
}

namespace {
int findNext(LPCSTR mask, WORD from, WORD* position, bool wantMaskChar) {
  const char* m = maskProper(mask);
  if (!m) return 0;
  const size_t n = std::strlen(m);
  for (size_t p = from; p < n; ++p) {
    if ((FMTIsMaskChar(m[p]) != FALSE) == wantMaskChar) {
      if (position) *position = static_cast<WORD>(p);
      return 1;
    }
  }
  return 0;
}
}  // namespace

int FMTFindNextLiteral(LPCSTR mask, WORD from, WORD* position) { return findNext(mask, from, position, false); }
int FMTFindNextMaskChar(LPCSTR mask, WORD from, WORD* position) { return findNext(mask, from, position, true); }

int FMTMaskedLength(LPCSTR mask, LPCSTR text) {
  return (text ? static_cast<int>(std::strlen(text)) : 0) + FMTCntNonMaskChars(mask);
}

WORD FMTMaskPosToDataPos(LPCSTR mask, WORD position) {
  const char* m = maskProper(mask);
  if (!m) return 0;
  const size_t n = std::strlen(m);
  int count = 0;
  for (size_t p = 0; p <= position && p < n; ++p)
    if (FMTIsMaskChar(m[p])) ++count;
  int index = count - 1;
  if (isUnlimited(m) && position >= n) index += static_cast<int>(position - n) + 1;
  return static_cast<WORD>(index);
}

int FMTMaskTextEx(LPCSTR input, LPSTR output, LPCSTR mask, BOOL consume) {
  if (!input || !output || !mask) return 0;
  const char* m = maskProper(mask);
  if (!FMTIsValidMaskFormat(m)) return 0;
  const size_t maskLen = std::strlen(m);
  const size_t inputLen = std::strlen(input);
  const bool unlimited = isUnlimited(m);
  // Room for the mask, or for all the input plus the literals when the mask never ends.
  const size_t size = (unlimited ? inputLen + maskLen : maskLen) + 1;
  auto* work = static_cast<char*>(MemAlloc(static_cast<DWORD>(size)));
  if (!work) return 0;
  size_t i = 0;
  size_t j = 0;
  while (j < maskLen && i < inputLen) {
    if (!FMTIsMaskChar(m[j])) {
      work[j] = m[j];
      if (consume && input[i] == m[j]) ++i;
      ++j;
      continue;
    }
    if (m[j] == '*') break;  // the last place takes all the rest
    if (IsDBCSLeadByte(static_cast<BYTE>(input[i]))) {
      // A double-byte character is never split: it takes two places that take any
      // character, unconverted, or none (a lone lead byte at the end is dropped too).
      const bool whole = hasTrail(input, i, inputLen);
      if (whole && takesAny(m[j]) && j + 1 < maskLen && takesAny(m[j + 1])) {
        work[j++] = input[i++];
        work[j++] = input[i++];
      } else {
        i += whole ? 2 : 1;
      }
      continue;
    }
    CHAR c = input[i++];
    if (FMTMaskCharAccepts(m[j], &c)) work[j++] = c;  // a rejected character is dropped
  }
  size_t end = j;
  if (unlimited) {
    // From the "*" on the rest follows unchanged but for its lone lead bytes: kept, one
    // before a blank would be left at the end once trailing blanks are trimmed.
    end += copyWholeChars(input + i, inputLen - i, work + end);
  } else if (j < maskLen && !FMTIsMaskChar(m[j])) {
    // The literal after the last filled place, a whole character of it. A trail byte that
    // reads as a mask character is a place, not part of the literal (FMTMaskedLength counts
    // it so): the lone lead byte is then cut below.
    work[end++] = m[j];
    if (IsDBCSLeadByte(static_cast<BYTE>(m[j])) && j + 1 < maskLen && !FMTIsMaskChar(m[j + 1]))
      work[end++] = m[j + 1];
  }
  end = wholeCharsLength(work, end);
  work[end] = '\0';
  std::memcpy(output, work, end + 1);
  MemFree(work);
  return 1;
}

BOOL maskHasMaskCharWithin(LPCSTR mask, int length) {
  const char* m = maskProper(mask);
  if (!m || length <= 0) return FALSE;
  for (int p = 0; p < length && m[p]; ++p)
    if (FMTIsMaskChar(m[p])) return TRUE;
  return FALSE;
}

}  // namespace kv

using kv::FMTIsMaskChar;
using kv::maskProper;

KV_API int KV_CALL FMTIsValidMaskFormat(LPCSTR mask) {
  if (!mask || !*mask) return 0;
  bool hasMaskChar = false;
  for (const char* p = mask; *p; ++p) {
    if (*p == '*' && p[1]) return 0;  // "*" only as the last character
    if (FMTIsMaskChar(*p)) hasMaskChar = true;
  }
  return hasMaskChar ? 1 : 0;
}

KV_API int KV_CALL FMTIsPicNoUnmaskOnGets(LPCSTR mask) { return mask && *mask == '^'; }

KV_API int KV_CALL FMTIsPicUnlimited(LPCSTR mask) { return mask && *mask && IntlStrLastChar(mask) == '*'; }

KV_API int KV_CALL FMTCntMaskChars(LPCSTR mask) {
  int n = 0;
  for (const char* p = maskProper(mask); p && *p; ++p) n += FMTIsMaskChar(*p) ? 1 : 0;
  return n;
}

KV_API int KV_CALL FMTCntNonMaskChars(LPCSTR mask) {
  int n = 0;
  for (const char* p = maskProper(mask); p && *p; ++p) n += FMTIsMaskChar(*p) ? 0 : 1;
  return n;
}

KV_API int KV_CALL FMTMaskText(LPCSTR input, LPSTR output, LPCSTR mask) {
  return kv::FMTMaskTextEx(input, output, mask, TRUE);
}

KV_API int KV_CALL FMTUnmaskInput(tagFMTCNTLBLOCK* block) {
  if (!block) return 0;
  const char* text = block->lpszInput;
  const char* m = maskProper(block->lpszPicture);
  char* out = block->lpszOutput;
  if (!out) return 0;
  out[0] = '\0';
  if (!text || !m || !*m) return 0;
  const size_t maskLen = std::strlen(m);
  const size_t textLen = std::strlen(text);
  const bool unlimited = m[maskLen - 1] == '*';
  if (!unlimited && maskLen < textLen) return 0;
  size_t n = 0;
  size_t p = 0;
  for (; p < textLen && p < maskLen; ++p) {
    const char mc = m[p];
    const char tc = text[p];
    if (mc == '*') break;
    if (FMTIsMaskChar(mc)) {
      const bool fits = tc == ' ' || (mc == '9' && IsCharAlphaNumericA(tc) && !IsCharAlphaA(tc)) ||
                        ((mc == 'n' || mc == 'N') && IsCharAlphaNumericA(tc)) ||
                        (mc != '9' && mc != 'n' && mc != 'N');
      if (!fits) {
        out[0] = '\0';
        return 0;
      }
      out[n++] = tc;
    } else if (mc != tc) {
      out[0] = '\0';
      return 0;
    }
  }
  if (p < textLen && p < maskLen && m[p] == '*') {
    std::memcpy(out + n, text + p, textLen - p);
    n += textLen - p;
  }
  out[n] = '\0';
  return 1;
}
