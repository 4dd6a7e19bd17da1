// The default time picture, and the long date picture without its day names.
#include <korvane/datetime.h>
#include <korvane/format.h>

#include "format/date_format.h"

#include <cstring>

namespace kv {

void buildDefaultTimePicture(const DateSettings& s, bool microseconds, char* out) {
  const bool clock24 = s.time24 != 0;
  std::strcpy(out, clock24 ? "hhhh" : "hh");
  std::strcat(out, s.timeSep);
  std::strcat(out, "mm");
  std::strcat(out, s.timeSep);
  std::strcat(out, "ss");
  if (microseconds) {
    std::strcat(out, s.timeSep);
    std::strcat(out, "mmmmmm");
  }
  if (!clock24) std::strcat(out, " AMPM");
}

}  // namespace kv

namespace {

// Picture text of the elements, by kind 4 to 21.
const char* const kElementText[] = {"d",  "dd",   "ddd", "dddd", "M",      "MM",   "MMM", "MMMM", "yy",
                                    "yyyy", "hh", "hhhh", "mm",  "ss",   "mmmmmm", "AMPM", "h",   "hhh"};

bool isSeparatorToken(LONG kind) { return kind == kv::kTokText || kind == kv::kTokChar || kind == kv::kTokBlanks; }
bool isDayNameToken(LONG kind) { return kind == kv::kTokDayAbbrev || kind == kv::kTokDayName; }

// True when only separators and day names follow t, at least one of them a day name: the
// separator then only led to a day name that is dropped.
bool leadsOnlyToDayName(const kv::DateToken* t) {
  bool dayName = false;
  for (const kv::DateToken* n = t->next; n; n = n->next) {
    if (isDayNameToken(n->kind)) dayName = true;
    else if (!isSeparatorToken(n->kind)) return false;
  }
  return dayName;
}

bool onlyDateSeparators(const char* text) {
  for (const char* p = text; *p; ++p) {
    if (!std::strchr(".-/:\\, ", *p)) return false;
  }
  return true;
}

void append(char* out, size_t size, const char* text) {
  const size_t n = std::strlen(out);
  if (n < size - 1) kv::copyDateText(out + n, size - n, text);
}

}  // namespace

KV_API int KV_CALL FMTGetGeeLongDatePic(LPSTR buffer, int size, BOOL withTime) {
  if (!buffer || size < 1) return 0;
  char picture[FMT_MAX_PICTURE + 2 + kv::kTimePictureSize];
  FMTGetDefaultLongDatePic(picture, FMT_MAX_PICTURE + 1);
  if (withTime) {
    FMTCNTLBLOCK block{};
    FMTInitCntlBlock(&block);
    block.bUseIntl = TRUE;
    kv::DateSettings settings;
    kv::loadDateSettings(&block, settings);
    char timePic[kv::kTimePictureSize];
    kv::buildDefaultTimePicture(settings, false, timePic);
    std::strcat(picture, " ");
    std::strcat(picture, timePic);
  }
  kv::DateToken* head = kv::FMTParseDateString(picture, kv::kParsePicture);
  buffer[0] = '\0';
  if (!head) return 0;

  char out[sizeof picture + 8] = "";
  bool afterDayName = false;
  for (const kv::DateToken* t = head; t; t = t->next) {
    if (isDayNameToken(t->kind)) {
      afterDayName = true;
      continue;
    }
    if (isSeparatorToken(t->kind)) {
      if (afterDayName || leadsOnlyToDayName(t)) continue;
    } else {
      afterDayName = false;
    }
    char ch[2] = {};
    switch (t->kind) {
      case kv::kTokText: {
        const char* text = reinterpret_cast<const char*>(t->value);
        append(out, sizeof out, onlyDateSeparators(text) ? text : " ");
        break;
      }
      case kv::kTokChar:
        ch[0] = static_cast<char>(t->value);
        append(out, sizeof out, ch);
        break;
      case kv::kTokBlanks:
        for (LONG_PTR i = 0; i < t->value; ++i) append(out, sizeof out, " ");
        break;
      default:
        if (t->kind >= kv::kTokDay && t->kind <= kv::kTokHour24Bare) append(out, sizeof out, kElementText[t->kind - kv::kTokDay]);
        break;
    }
  }
  kv::FMTFreeDateTokens(head);
  kv::copyDateText(buffer, static_cast<size_t>(size), out);
  return 1;
}
