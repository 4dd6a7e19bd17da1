// The settings of a date/time call and the choice of what a block formats: a Japanese date
// form, a named picture, the regional or the block's own pictures, and the time part.
#include <korvane/datetime.h>
#include <korvane/intl.h>

#include "format/date_format.h"
#include "format/settings.h"

#include <cstring>

namespace kv {

bool copyDateText(char* dst, size_t size, const char* src) {
  if (!src) src = "";
  // A text that fits is copied whole; only a cut needs the character boundaries.
  const size_t length = std::strlen(src);
  if (length < size) {
    std::memcpy(dst, src, length + 1);
    return true;
  }
  size_t n = 0;
  for (const char* p = src; *p;) {
    const char* next = CharNextA(p);
    if (next == p) break;
    if (static_cast<size_t>(next - src) > size - 1) {
      std::memcpy(dst, src, n);
      dst[n] = '\0';
      return false;
    }
    n = static_cast<size_t>(next - src);
    p = next;
  }
  std::memcpy(dst, src, n);
  dst[n] = '\0';
  return true;
}

void loadDateSettings(const FMTCNTLBLOCK* block, DateSettings& s) {
  if (block->bUseIntl) {
    tagINTLPROFILE intl;
    copyIntlSettings(intl);
    s.picturesTooLong = false;
    s.shortMissing = s.longMissing = false;
    copyDateText(s.shortPic, sizeof s.shortPic, intl.sShortDate);
    copyDateText(s.longPic, sizeof s.longPic, intl.sLongDate);
    s.time24 = static_cast<LONG>(intl.iTime);
    copyDateText(s.timeSep, sizeof s.timeSep, intl.sTime);
    s.hourLeadingZero = static_cast<LONG>(intl.iTLZero);
    copyDateText(s.am, sizeof s.am, intl.s1159);
    copyDateText(s.pm, sizeof s.pm, intl.s2359);
    s.dateType = static_cast<LONG>(intl.iDateType);
    s.country = static_cast<LONG>(intl.iCountry);
    s.boundaryCheck = static_cast<LONG>(intl.iEmpDateBoundryCheck);
    return;
  }
  s.shortMissing = block->lpszShortPic == nullptr;
  s.longMissing = block->lpszLongPic == nullptr;
  s.picturesTooLong = !copyDateText(s.shortPic, sizeof s.shortPic, block->lpszShortPic);
  s.picturesTooLong = !copyDateText(s.longPic, sizeof s.longPic, block->lpszLongPic) || s.picturesTooLong;
  s.time24 = block->iTime;
  copyDateText(s.timeSep, sizeof s.timeSep, block->lpszTimeSep);
  s.hourLeadingZero = (block->iTLZero && !(block->wFlags & FMT_FLAG_HOUR_NO_LZERO)) ? 1 : 0;
  copyDateText(s.am, sizeof s.am, block->lpsz1159);
  copyDateText(s.pm, sizeof s.pm, block->lpsz2359);
  s.dateType = block->iDateType;
  s.country = block->iCountry;
  s.boundaryCheck = block->iEmpDateBoundryCheck;
}

namespace {

bool isNamed(const char* picture, const char* name) { return IntlIsStrEqual(picture, name) != 0; }

void setPicture(DatePlan& plan, const char* picture) {
  copyDateText(plan.picture, sizeof plan.picture, picture);
}

}  // namespace

int planDateTime(FMTCNTLBLOCK* block, const DateSettings& s, DatePlan& plan, bool applyFlags) {
  plan.form = 0;
  plan.formOnly = false;
  plan.picture[0] = '\0';
  const LONG type = block->nFormatType;
  const DWORD flags = block->wFlags;

  char timePic[FMT_MAX_PICTURE + 1] = "";
  if ((type == FMT_TYPE_TIME || type == FMT_TYPE_DATETIME) && (flags & FMT_FLAG_DEFAULT_TIME)) {
    buildDefaultTimePicture(s, (flags & FMT_FLAG_MICROSECONDS) != 0, timePic);
  } else if (type == FMT_TYPE_TIME) {
    if (s.picturesTooLong) return 0;
    if (block->iDateType == 0) copyDateText(timePic, sizeof timePic, s.longPic);
    if (block->iDateType == 1) copyDateText(timePic, sizeof timePic, s.shortPic);
  }
  if (type == FMT_TYPE_TIME) {
    setPicture(plan, timePic);
    return plan.picture[0] ? 1 : 0;
  }

  LONG dateType = s.dateType;
  if (block->bUseIntl && (flags & FMT_FLAG_IGNORE_DATE_TYPE)) dateType = 0;
  const char* datePic = nullptr;
  switch (dateType) {
    case 0: datePic = s.longMissing ? nullptr : s.longPic; break;
    case 1: datePic = s.shortMissing ? nullptr : s.shortPic; break;
    case 2:
    case 3:
      plan.form = static_cast<int>(dateType);
      // A date-only block, or a date and time block without the default time picture, has
      // no time picture to follow the form.
      plan.formOnly = type == FMT_TYPE_DATE || !timePic[0];
      if (!plan.formOnly) setPicture(plan, timePic);
      return 1;
    default: return 0;
  }
  if (s.picturesTooLong || !datePic) return 0;

  char expanded[FMT_MAX_PICTURE + 2];
  if (!datePic[0]) {
    FMTGetDefaultDatePic(expanded, sizeof expanded);
    datePic = expanded;
  } else if (isNamed(datePic, "S")) {
    FMTGetDefaultShortDatePic(expanded, sizeof expanded);
    datePic = expanded;
  } else if (isNamed(datePic, "L")) {
    FMTGetDefaultLongDatePic(expanded, sizeof expanded);
    datePic = expanded;
  } else if (isNamed(datePic, "T")) {
    buildDefaultTimePicture(s, false, expanded);
    if (applyFlags) block->wFlags &= ~static_cast<DWORD>(FMT_FLAG_MICROSECONDS);
    datePic = expanded;
  } else if (isNamed(datePic, "ED")) {
    plan.form = 3;
    plan.formOnly = true;
    return 1;
  } else if (isNamed(datePic, "E")) {
    plan.form = 3;
    if (applyFlags) block->wFlags |= FMT_FLAG_DROP_ZERO_MICRO;
    buildDefaultTimePicture(s, (flags & FMT_FLAG_MICROSECONDS) != 0, plan.picture);
    return 1;
  }
  if (!datePic[0]) return 0;

  setPicture(plan, datePic);
  if (type == FMT_TYPE_DATETIME && (flags & FMT_FLAG_DEFAULT_TIME) && timePic[0]) {
    const size_t n = std::strlen(plan.picture);
    plan.picture[n] = ' ';
    copyDateText(plan.picture + n + 1, sizeof plan.picture - n - 1, timePic);
  }
  return 1;
}

}  // namespace kv
