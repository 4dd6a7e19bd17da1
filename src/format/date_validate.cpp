// FMTValidateDateTime, FMTUnformatDateTimeStr and FMTIsValidDateString: typed text read
// into the block's DATDEF by its pictures, the standard shapes or the Japanese date form.
#include <korvane/datetime.h>
#include <korvane/format.h>
#include <korvane/intl.h>

#include "format/date_format.h"
#include "format/date_picture_cache.h"
#include "format/settings.h"

#include <cstring>

namespace {

bool validType(LONG type) { return type == FMT_TYPE_DATE || type == FMT_TYPE_TIME || type == FMT_TYPE_DATETIME; }

bool isEmpty(const char* text) { return !text || !*text; }

// The tokens of a typed value, built on the stack where they fit and released on every
// way out.
struct Tokens {
  kv::DateTokenArena arena;
  kv::DateToken* head = nullptr;
  Tokens(const char* text, LONG mode) : head(kv::FMTParseDateString(text, static_cast<int>(mode), &arena)) {}
  ~Tokens() { kv::freeDateTokens(head, &arena); }
  Tokens(const Tokens&) = delete;
  Tokens& operator=(const Tokens&) = delete;
};

// Matches the value tokens against a picture given as text.
int matchPicture(const kv::DateToken* values, const char* picture, FMTCNTLBLOCK* block, const kv::DateSettings& s) {
  if (isEmpty(picture)) return 0;
  const kv::PictureTokens pic(picture);
  return pic.head() ? kv::matchDateTime(values, pic.head(), block, s) : 0;
}

// The picture followed by a blank and the time picture.
int matchJoined(const kv::DateToken* values, const char* date, const char* time, FMTCNTLBLOCK* block,
                const kv::DateSettings& s) {
  if (isEmpty(date)) return 0;
  char joined[2 * (FMT_MAX_PICTURE + 1) + kv::kTimePictureSize];
  kv::copyDateText(joined, sizeof joined, date);
  if (!isEmpty(time)) {
    const size_t n = std::strlen(joined);
    joined[n] = ' ';
    kv::copyDateText(joined + n + 1, sizeof joined - n - 1, time);
  }
  return matchPicture(values, joined, block, s);
}

// Tries the standard shape of the text for the type.
int matchShape(const kv::DateToken* values, FMTCNTLBLOCK* block, const kv::DateSettings& s, int kind) {
  char picture[FMT_MAX_PICTURE + 1] = "";
  if (!kv::guessDateShape(block->lpszInput, kind, picture, s.country == 1 ? 1 : 0)) return 0;
  const kv::PictureTokens pic(picture);
  return pic.head() ? kv::matchDateTime(values, pic.head(), block, s) : 0;
}

bool holdsDoubleByte(const char* text) {
  for (const char* p = text; *p; p = CharNextA(p)) {
    if (IntlIsDBChar(p)) return true;
  }
  return false;
}

bool onlyBlanks(const char* text) {
  const char* p = IntlStripStartSpace(text);
  return !p || !*p;
}

// The text after a Japanese date, validated as a time; its time fields join the date.
int validateRestAsTime(FMTCNTLBLOCK* block, const char* rest) {
  FMTCNTLBLOCK time = *block;
  time.nFormatType = FMT_TYPE_TIME;
  time.lpszInput = const_cast<LPSTR>(rest);
  if (!FMTValidateDateTime(&time)) return 0;
  block->dtValue.hour = time.dtValue.hour;
  block->dtValue.minute = time.dtValue.minute;
  block->dtValue.second = time.dtValue.second;
  block->dtValue.microsecond = time.dtValue.microsecond;
  block->wFlags &= ~static_cast<DWORD>(FMT_FLAG_HOUR_NO_LZERO);
  block->wFlags |= FMT_FLAG_HAD_DATE | FMT_FLAG_HAD_TIME | (time.wFlags & FMT_FLAG_HOUR_NO_LZERO);
  return 1;
}

// The Japanese date form; `timeAllowed` lets a time follow it.
int readEraInput(FMTCNTLBLOCK* block, int mode, bool timeAllowed) {
  const int n = kv::FMTReadEraDate(block, mode);
  if (n < 0) return 0;
  const char* rest = block->lpszInput + n;
  if (onlyBlanks(rest)) {
    block->wFlags |= FMT_FLAG_HAD_DATE;
    block->wFlags &= ~static_cast<DWORD>(FMT_FLAG_HAD_TIME);
    return 1;
  }
  return timeAllowed ? validateRestAsTime(block, rest) : 0;
}

}  // namespace

KV_API int KV_CALL FMTValidateDateTime(FMTCNTLBLOCK* block) {
  if (!block || !validType(block->nFormatType) || isEmpty(block->lpszInput)) return 0;
  if (block->bUseIntl && !(block->wFlags & FMT_FLAG_DEFAULT_TIME)) return 0;
  const LONG type = block->nFormatType;
  const bool defaultTime = (block->wFlags & FMT_FLAG_DEFAULT_TIME) != 0;

  kv::DateSettings s;
  kv::loadDateSettings(block, s);
  char timePic[FMT_MAX_PICTURE + 1] = "";
  if (type == FMT_TYPE_TIME || (type == FMT_TYPE_DATETIME && defaultTime))
    kv::buildDefaultTimePicture(s, (block->wFlags & FMT_FLAG_MICROSECONDS) != 0, timePic);

  Tokens values(block->lpszInput, type);
  if (!values.head) return 0;

  if (type == FMT_TYPE_TIME) {
    const char* picture = defaultTime ? timePic : (s.picturesTooLong ? "" : s.shortPic);
    if (matchPicture(values.head, picture, block, s)) return 1;
    return (block->wFlags & FMT_FLAG_NO_TIME_SHAPES) ? 0 : matchShape(values.head, block, s, kv::kGuessTime);
  }

  const char* time = type == FMT_TYPE_DATETIME && defaultTime ? timePic : "";
  if (!s.picturesTooLong && (matchJoined(values.head, s.shortPic, time, block, s) ||
                             matchJoined(values.head, s.longPic, time, block, s))) {
    return 1;
  }
  int result = matchShape(values.head, block, s, static_cast<int>(type));
  if (!result && type == FMT_TYPE_DATETIME && !s.picturesTooLong) {
    static const char kFallbackTime[] = "hhhh.mm.ss.mmmmmm";
    if (matchJoined(values.head, s.shortPic, kFallbackTime, block, s) ||
        matchJoined(values.head, s.longPic, kFallbackTime, block, s)) {
      return 1;
    }
  }
  if (IntlDBCSEnabled() && holdsDoubleByte(block->lpszInput)) {
    result = readEraInput(block, 0, type == FMT_TYPE_DATETIME);
  }
  return result;
}

KV_API int KV_CALL FMTUnformatDateTimeStr(FMTCNTLBLOCK* block) {
  if (!block || isEmpty(block->lpszInput) || !block->lpszPicture) return 0;
  const LONG savedType = block->nFormatType;
  const BOOL savedUseIntl = block->bUseIntl;

  kv::DateSettings s;
  kv::loadDateSettings(block, s);
  const char* picture = block->lpszPicture;
  char expanded[FMT_MAX_PICTURE + 2];
  if (!picture[0]) {
    FMTGetDefaultDatePic(expanded, FMT_MAX_PICTURE + 1);
    picture = expanded;
  } else if (IntlIsStrEqual(picture, "S")) {
    FMTGetDefaultShortDatePic(expanded, FMT_MAX_PICTURE + 1);
    picture = expanded;
  } else if (IntlIsStrEqual(picture, "L")) {
    FMTGetDefaultLongDatePic(expanded, FMT_MAX_PICTURE + 1);
    picture = expanded;
  } else if (IntlIsStrEqual(picture, "T")) {
    kv::buildDefaultTimePicture(s, false, expanded);
    block->wFlags &= ~static_cast<DWORD>(FMT_FLAG_MICROSECONDS);
    picture = expanded;
  } else if (IntlIsStrEqual(picture, "ED") || IntlIsStrEqual(picture, "E")) {
    const int result = readEraInput(block, 1, IntlIsStrEqual(picture, "E") != 0);
    block->nFormatType = savedType;
    block->bUseIntl = savedUseIntl;
    return result;
  }

  const kv::PictureTokens pic(picture);
  bool hasDate = false, hasTime = false;
  for (const kv::DateToken* t = pic.head(); t; t = t->next) {
    hasDate = hasDate || kv::isDateElement(t->kind);
    hasTime = hasTime || kv::isTimeElement(t->kind);
  }
  if (!hasDate && !hasTime) return 0;
  block->nFormatType = hasDate && hasTime ? FMT_TYPE_DATETIME : hasDate ? FMT_TYPE_DATE : FMT_TYPE_TIME;
  int result = 0;
  {
    Tokens values(block->lpszInput, block->nFormatType);
    if (values.head) result = kv::matchDateTime(values.head, pic.head(), block, s);
  }
  block->nFormatType = savedType;
  block->bUseIntl = savedUseIntl;
  return result;
}

KV_API int KV_CALL FMTIsValidDateString(FMTCNTLBLOCK* block) {
  if (!block || isEmpty(block->lpszPicture) || isEmpty(block->lpszInput) || !validType(block->nFormatType)) return 0;
  kv::DateSettings s;
  kv::loadDateSettings(block, s);
  char picture[FMT_MAX_PICTURE + 1] = "";
  if (!kv::guessDateShape(block->lpszInput, static_cast<int>(block->nFormatType), picture, s.country == 1 ? 1 : 0))
    return 2;
  const kv::PictureTokens shape(picture);
  if (!shape.head()) return 2;
  if (std::strcmp(picture, block->lpszPicture) != 0) return 4;
  Tokens values(block->lpszInput, block->nFormatType);
  return values.head && kv::matchDateTime(values.head, shape.head(), block, s) ? 1 : 4;
}
