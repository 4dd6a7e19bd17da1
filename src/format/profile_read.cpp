// Fills a regional settings record from win.ini: section "intl" as the control panel
// writes it, and the library's own section for the calendar choice.
#include "format/calendar_names.h"
#include "format/long_date.h"
#include "frame/state.h"

#include <korvane/settings.h>

#include <cstring>

namespace {

constexpr const char* kIntl = "intl";
constexpr const char* kLibrarySection = "VEXTOOLS";

UINT readInt(const char* key, INT def) { return GetProfileIntA(kIntl, key, def); }

DWORD readString(const char* key, const char* def, char* out, DWORD size) {
  return GetProfileStringA(kIntl, key, def, out, size);
}

// A one-character setting: only the first byte is kept; an empty value stores 0.
char readChar(const char* key, const char* def) {
  char two[2] = {};
  readString(key, def, two, sizeof two);
  return two[0];
}

void fixShortDate(tagINTLPROFILE& p) {
  if (p.iCountry == 43 && std::strcmp(p.sShortDate, "yyyy-MM-dddd") == 0) {
    std::strcpy(p.sShortDate, "yyyy-MM-dd");
  }
  // The 15-byte country field has cut the closing parenthesis.
  if (p.iCountry == 2 && std::strcmp(p.sCountry, "Canada (French") == 0 &&
      std::strcmp(p.sShortDate, "yy-MM-dd") == 0) {
    std::strcpy(p.sShortDate, "yy/MM/dd");
  }
}

UINT readDateType() {
  const kv::LibraryState& s = *kv::gpState;
  if (!s.keyDateType[0]) return INTL_DATE_SHORT_GREGORIAN;  // the words could not be loaded
  char value[25] = {};
  GetProfileStringA(kLibrarySection, s.keyDateType, s.wordShortGregorian, value, sizeof value);
  if (lstrcmpiA(value, s.wordLongGregorian) == 0) return INTL_DATE_LONG_GREGORIAN;
  if (lstrcmpiA(value, s.wordJapanGregorian) == 0) return INTL_DATE_JAPAN_GREGORIAN;
  if (lstrcmpiA(value, s.wordJapanEmperor) == 0) return INTL_DATE_JAPAN_EMPEROR;
  return INTL_DATE_SHORT_GREGORIAN;
}

}  // namespace

KV_API void KV_CALL FMTGetProfileIntl(tagINTLPROFILE* p) {
  if (!p) return;
  kv::loadCalendarNames();  // the profile words; retried here if the load at start-up failed

  p->iCountry = readInt("iCountry", 1);
  readString("sCountry", "United States", p->sCountry, sizeof p->sCountry);
  readString("sLanguage", "usa", p->sLanguage, sizeof p->sLanguage);

  const UINT currency = readInt("iCurrency", 0);
  p->iCurrAfter = (currency == 1 || currency == 3);
  p->iCurrSeparated = (currency == 2 || currency == 3);

  p->iCurrDigits = readInt("iCurrDigits", 2);
  p->iNegCurr = readInt("iNegCurr", 0);
  p->iDate = readInt("iDate", 0);
  p->iDigits = readInt("iDigits", 2);
  p->iTime = readInt("iTime", 0);
  p->iLzero = readInt("iLzero", 0);
  p->iTLZero = readInt("iTLZero", 0);

  readString("sShortDate", "M/d/yy", p->sShortDate, sizeof p->sShortDate);
  fixShortDate(*p);
  readString("sLongDate", "dddd, MMMM dd, yyyy", p->sLongDate, sizeof p->sLongDate);
  kv::rewriteLongDatePicture(p->sLongDate, sizeof p->sLongDate, p->iCountry);

  if (readString("s1159", "AM", p->s1159, sizeof p->s1159) == 0) std::strcpy(p->s1159, "AM");
  if (readString("s2359", "PM", p->s2359, sizeof p->s2359) == 0) std::strcpy(p->s2359, "PM");

  readString("sCurrency", "$", p->sCurrency, sizeof p->sCurrency);
  p->sDate = readChar("sDate", "/");
  p->sDecimal = readChar("sDecimal", ".");
  p->sList = readChar("sList", ",");
  p->sThousand = readChar("sThousand", ",");
  readString("sTime", ":", p->sTime, sizeof p->sTime);
  p->iMeasure = readInt("iMeasure", 1);

  p->iDateType = readDateType();
  const char* boundaryKey = kv::gpState->keyEmpDateBoundaryCheck;
  p->iEmpDateBoundryCheck = boundaryKey[0] ? GetProfileIntA(kLibrarySection, boundaryKey, 0) : 0;
}
