// FMTUnformatNumberStr: reading text typed in the shape of a picture back into a number.
#include "format/number_format.h"
#include "format/number_pic.h"
#include "format/work_text.h"

#include <korvane/memory.h>

#include <cstring>

namespace kv {

namespace {

bool isPlaceholder(CHAR c) { return c == '#' || c == '0'; }

// A block for one validation, carrying the caller's settings.
FMTCNTLBLOCK freshBlock(const FMTCNTLBLOCK* caller, LONG kind, LPSTR input) {
  FMTCNTLBLOCK b{};
  FMTInitCntlBlock(&b);
  b.nFormatType = kind;
  b.lpszInput = input;
  b.bUseIntl = caller->bUseIntl;
  b.wFlags = (b.wFlags & ~FMT_FLAG_INITIALIZED) | (caller->wFlags & FMT_FLAG_INITIALIZED);
  if (!caller->bUseIntl) {
    b.cThousand = caller->cThousand;
    b.cDecimal = caller->cDecimal;
    b.lpszCurrency = caller->lpszCurrency;
    b.iCurrency = caller->iCurrency;
    b.iNegCurr = caller->iNegCurr;
  }
  return b;
}

// One section's try: its literals off a fresh copy of the input, then the regional number
// form. -1 when the section has no placeholder, 0 when the text does not fit it.
int trySection(const FMTCNTLBLOCK* caller, LPCSTR section, int keepMinus, LPSTR work, NUMBER* value) {
  std::strcpy(work, caller->lpszInput);
  const PictureSeparators sep = SeparatorsInForce(caller);
  int percent = 0;
  if (!FMTStripPictureLiterals(work, section, &percent, keepMinus, sep.thousand, sep.decimal)) return -1;
  FMTCNTLBLOCK b = freshBlock(caller, FMT_TYPE_NUMBER, work);
  if (!FMTValidateNumber(&b)) return 0;
  *value = b.number;
  if (percent) NumPower10(value, value, -2);
  return 1;
}

// A zero section of literals only ("'none'"): its text, and the digits the formatter
// writes after it, read back as zero.
bool literalZeroSection(const FMTCNTLBLOCK* caller, LPCSTR section, LPSTR work) {
  LPCSTR run = section;
  while (*run && !isPlaceholder(*run)) ++run;
  if (*run) return false;
  CHAR literal[FMT_MAX_PICTURE + 1];
  WriteSectionLiterals(section, run, literal, false);
  std::strcpy(work, caller->lpszInput);
  const size_t n = std::strlen(literal);
  if (std::strncmp(work, literal, n) != 0) return false;
  LPSTR rest = work + n;
  IntlStrStripSpace(rest);
  if (!*rest) return true;
  FMTCNTLBLOCK b = freshBlock(caller, FMT_TYPE_NUMBER, rest);
  return FMTValidateNumber(&b) && NumIsZero(&b.number);
}

int unformatSections(const FMTCNTLBLOCK* block, LPCSTR picture, LPSTR work, NUMBER* value) {
  CHAR parts[3][FMT_MAX_PICTURE + 1];
  const int count = SplitSections(picture, parts[0], parts[1], parts[2]);
  if (parts[0][0]) {
    const int r = trySection(block, parts[0], 0, work, value);
    if (r < 0) return 0;
    if (r > 0) return 1;
  }
  if (parts[1][0]) {
    const int r = trySection(block, parts[1], 0, work, value);
    if (r < 0) return 0;
    if (r > 0) {
      NumNegate(value);
      return 1;
    }
  }
  if (count == 3 && parts[2][0]) {
    if (trySection(block, parts[2], 0, work, value) > 0 || literalZeroSection(block, parts[2], work)) {
      NumLongToNumber(value, 0);
      return 1;
    }
  }
  return 0;
}

}  // namespace

int FMTStripPictureLiterals(LPSTR text, LPCSTR section, int* percent, int keepMinus, CHAR thousand, CHAR decimal) {
  *percent = 0;
  LPSTR work = text;
  if (keepMinus && work[0] == '-') ++work;
  LPCSTR run = section;
  while (*run && !isPlaceholder(*run)) ++run;
  if (!*run) return 0;
  CHAR literal[FMT_MAX_PICTURE + 1];
  WriteSectionLiterals(section, run, literal, false);
  const size_t prefix = std::strlen(literal);
  if (prefix && std::strncmp(work, literal, prefix) == 0) {
    std::memmove(work, work + prefix, std::strlen(work + prefix) + 1);
  }
  LPCSTR p = run;
  while (*p && (isPlaceholder(*p) || (decimal && *p == decimal) ||
                (thousand && *p == thousand && isPlaceholder(p[1])))) {
    ++p;
  }
  if (*p == '%' && std::strchr(work, '%')) *percent = 1;
  // The suffix with its quotes resolved; a "_x" pair (outside quotes) stands for blanks at
  // the end and is not part of the text.
  const bool dbcs = IntlDBCSEnabled() != 0;
  LPCSTR end = p + std::strlen(p);
  bool pair = false;
  for (LPCSTR q = p; *q;) {
    if (*q == '\'' || *q == '"') {
      const CHAR quote = *q++;
      while (*q) {
        if ((*q == quote || *q == '\\') && q[1] == quote) {
          q += 2;
        } else if (*q == quote) {
          ++q;
          break;
        } else {
          q += PictureCharBytes(q, dbcs);
        }
      }
    } else if (*q == '_' && q[1]) {
      pair = true;
      end = q;
      break;
    } else {
      q += PictureCharBytes(q, dbcs);
    }
  }
  CHAR suffix[FMT_MAX_PICTURE + 1];
  WriteSectionLiterals(p, end, suffix, false);
  if (pair) {
    size_t last = std::strlen(work);
    while (last > 0 && work[last - 1] == ' ') work[--last] = '\0';
  }
  const size_t s = std::strlen(suffix);
  const size_t length = std::strlen(work);
  if (s && s <= length && std::memcmp(work + length - s, suffix, s) == 0) work[length - s] = '\0';
  return 1;
}

}  // namespace kv

KV_API int KV_CALL FMTUnformatNumberStr(FMTCNTLBLOCK* block) {
  if (!block || !(block->wFlags & FMT_FLAG_INITIALIZED)) return 0;
  LPSTR output = block->lpszOutput;
  LPCSTR input = block->lpszInput;
  LPCSTR picture = block->lpszPicture;
  if (!output) return 0;
  output[0] = '\0';
  if (!input || !input[0] || !picture || !picture[0]) return 0;
  kv::PictureBuffer plain;
  if (FMTIsNumberPicTokenized(picture)) {
    if (!kv::UntokenizeToBuffer(block, picture, plain)) return 0;
    picture = plain;
  } else if (std::strlen(picture) > FMT_MAX_PICTURE) {
    return 0;
  }
  const size_t length = std::strlen(input);
  const kv::WorkText room(length + 2);
  LPSTR work = room.get();
  if (!work) return 0;
  NUMBER value;
  int ok = 0;
  if (picture[0] == '$' && !picture[1]) {
    std::strcpy(work, input);
    FMTCNTLBLOCK b = kv::freshBlock(block, FMT_TYPE_CURRENCY, work);
    ok = FMTValidateNumber(&b);
    value = b.number;
  } else if (std::strchr(picture, ';') && !kv::IsScientificPicture(picture)) {
    ok = kv::unformatSections(block, picture, work, &value);
  } else {
    if (kv::IsScientificPicture(picture) && kv::FMTUnformatScientific(block)) {
      value = block->number;
      ok = 1;
    } else {
      ok = kv::trySection(block, picture, 1, work, &value) > 0;
    }
  }
  if (!ok) {
    output[0] = '\0';
    return 0;
  }
  block->number = value;
  NumToAscii(&value, output, 108);
  return 1;
}
