// Internals shared by date/time formatting, validation and the Japanese date forms.
#pragma once

#include <korvane/format.h>

#include "format/date_grammar.h"

namespace kv {

// The settings one formatting or validation call works with, copied once so that a refresh
// of the regional cache cannot change them half-way through the call.
struct DateSettings {
  char shortPic[FMT_MAX_PICTURE + 1];
  char longPic[FMT_MAX_PICTURE + 1];
  bool picturesTooLong;  // a block picture longer than FMT_MAX_PICTURE
  bool shortMissing;     // the block's picture pointers are null
  bool longMissing;
  LONG time24;
  char timeSep[8];
  LONG hourLeadingZero;
  char am[16];
  char pm[16];
  LONG dateType;
  LONG country;
  LONG boundaryCheck;
};

// Copies the regional settings (bUseIntl) or the block's own fields.
void loadDateSettings(const FMTCNTLBLOCK* block, DateSettings& settings);

// Copies src into dst of `size` bytes, cut at a character boundary; false when it was cut.
bool copyDateText(char* dst, size_t size, const char* src);

// Room for the default time picture with a separator of up to 7 bytes.
constexpr size_t kTimePictureSize = 48;
// "hh:mm:ss AMPM" and its relatives, built from the 24-hour flag and time separator.
void buildDefaultTimePicture(const DateSettings& settings, bool microseconds, char* out);

// How a date/time block is to be formatted: an optional Japanese form, then a picture.
struct DatePlan {
  int form;       // 0, or the date type (2 or 3) of the Japanese form written first
  bool formOnly;  // nothing follows the form
  char picture[2 * (FMT_MAX_PICTURE + 1) + kTimePictureSize];
};
// Chooses the form and picture for the block; 0 when there is nothing valid to format.
// With `applyFlags` the named pictures "T" and "E" leave their marks in wFlags.
int planDateTime(FMTCNTLBLOCK* block, const DateSettings& settings, DatePlan& plan, bool applyFlags);

// Longest texts of the Japanese forms.
constexpr int kJapaneseGregorianLength = 14;
constexpr int kEraFormLength = 16;
// The two Japanese date forms appended at `out`; the count of bytes written, or -1 when
// the date cannot be written (out of range, or before the first era).
int writeJapaneseGregorian(char* out, const DATDEF& date);
int writeEraForm(char* out, const DATDEF& date);

// Matches typed value tokens against picture tokens; on a match stores the date/time in
// block->dtValue, sets the had-date / had-time / no-leading-zero bits and returns 1.
int matchDateTime(const DateToken* value, const DateToken* picture, FMTCNTLBLOCK* block,
                  const DateSettings& settings);

// Reads a Japanese date ("<era>13<year>3<month>15<day>", or a Gregorian year in mode 0)
// from the start of lpszInput; the bytes read, leading blanks included, with the date in
// dtValue and a zero time, or -1.
int FMTReadEraDate(FMTCNTLBLOCK* block, int mode);

}  // namespace kv
