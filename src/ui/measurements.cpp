// Measurements in dialog fields: thousandths of an inch shown as inches or centimetres.
#include "ui/measurements.h"

#include <korvane/dialogs.h>
#include <korvane/intl.h>

#include <algorithm>
#include <limits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Centimetres per inch as the stored values were made with (not 2.54: keep it). The
// products are evaluated left to right, as they always were, so thresholds fall alike.
constexpr double kCmPerInch = 2.5406;
constexpr double kInchPerCm = 0.3936078091789341;
constexpr int kMaxDecimals = 3;
constexpr int kFieldRoom = 32;

int clampDecimals(int decimals) { return decimals < 0 ? 0 : decimals > kMaxDecimals ? kMaxDecimals : decimals; }

// The digits of `text` from `from` to `to` as a number; an empty run is 0.
bool fetchRun(const char* from, size_t length, LONG& value) {
  char run[40];
  if (length >= sizeof run) return false;
  std::memcpy(run, from, length);
  run[length] = '\0';
  value = 0;
  return length == 0 || IntlFetchNextNumLong(&value, run) > 0;
}

// The fraction digits cut, or padded with zeros, to exactly `digits` of them. Leading
// zeros are passed over first, so that any number of them reads; false beyond 32 bits.
bool fetchFraction(const char* given, size_t digits, LONG& value) {
  value = 0;
  const size_t kept = std::min(std::strlen(given), digits);
  size_t lead = 0;
  while (lead < kept && given[lead] == '0') ++lead;
  if (lead == kept) return true;  // nothing but zeros, however many the padding adds
  char run[12];
  const size_t significant = digits - lead;
  if (significant >= sizeof run) return false;
  std::memcpy(run, given + lead, kept - lead);
  std::memset(run + (kept - lead), '0', significant - (kept - lead));
  run[significant] = '\0';
  return IntlFetchNextNumLong(&value, run) > 0;
}

// Quarter millimetres in centimetre text: the rest after the tenth, rounded to the nearest
// 0.025 cm.
const char* quarterSuffix(double rest) {
  if (rest >= 0.0625) return "75";
  if (rest >= 0.0375) return "5";
  if (rest >= 0.0125) return "25";
  return "";
}

}  // namespace

namespace kv::ui {

bool parseMeasurement(const char* text, bool metric, int decimals, LONG& value) {
  value = 0;
  if (text == nullptr || *text == '\0') return false;
  for (const char* p = text; *p; ++p) {
    if ((*p < '0' || *p > '9') && *p != '.') return false;
  }
  if (metric) {
    // atof's reading, with "." whatever the process locale: no number reads as 0.
    double centimetres = 0;
    if (IntlFetchNextNumDouble(&centimetres, text) <= 0) centimetres = 0;
    const double thousandths = centimetres * kInchPerCm * 1000 + 0.5;
    if (!(thousandths < static_cast<double>(std::numeric_limits<LONG>::max()))) return false;
    value = static_cast<LONG>(thousandths);
    return true;
  }
  if (decimals < 0) decimals = 0;
  const char* dot = std::strchr(text, '.');
  const size_t wholeLength = dot ? static_cast<size_t>(dot - text) : std::strlen(text);
  LONG whole = 0;
  LONG part = 0;
  if (!fetchRun(text, wholeLength, whole) || !fetchFraction(dot ? dot + 1 : "", static_cast<size_t>(decimals), part))
    return false;
  // Past 3 decimals the whole part stays in thousandths while the fraction keeps all its
  // digits: stored values were made that way.
  static constexpr long long kScale[] = {1, 10, 100, 1000};
  const long long result = static_cast<long long>(whole) * kScale[std::min(decimals, kMaxDecimals)] + part;
  if (result > std::numeric_limits<LONG>::max()) return false;
  value = static_cast<LONG>(result);
  return true;
}

}  // namespace kv::ui

extern "C" {

KV_API void KV_CALL DlgSetStrRealUnits(UINT value, int, LPSTR text, int decimals) {
  if (text == nullptr) return;
  decimals = clampDecimals(decimals);
  static constexpr UINT kDivisor[] = {1, 10, 100, 1000};
  const UINT whole = value / kDivisor[decimals];
  const UINT fraction = value % kDivisor[decimals];
  // "%d" as the fields have always shown it, also for the whole part.
  if (decimals == 0 || fraction == 0) {
    std::snprintf(text, 16, "%d", static_cast<int>(whole));
    return;
  }
  const int written = std::snprintf(text, 16, "%d.%0*u", static_cast<int>(whole), decimals, fraction);
  char* end = text + written;
  while (end[-1] == '0') --end;
  if (end[-1] == '.') --end;
  *end = '\0';
}

KV_API void KV_CALL DlgSetStrRealMetricUnits(LONG value, int, LPSTR text) {
  if (text == nullptr) return;
  // A negative length is written as its magnitude behind a sign, never as "-2.-5".
  const bool negative = value < 0;
  const double cm = (negative ? -static_cast<double>(value) : static_cast<double>(value)) * 0.001 * kCmPerInch;
  long whole = static_cast<long>(cm);
  double rest = cm - static_cast<double>(whole);
  int tenth = static_cast<int>(rest * 10);
  rest -= tenth * 0.1;
  if (rest >= 0.0875) {
    if (++tenth == 10) {
      tenth = 0;
      ++whole;
    }
    rest = 0;
  }
  std::snprintf(text, 24, "%s%ld.%d%s", negative ? "-" : "", whole, tenth, quarterSuffix(rest));
}

KV_API LONG KV_CALL DlgGetDlgItemReal(HWND dialog, int id, BOOL* ok, BOOL, BOOL metric, int decimals) {
  // At most 32 characters of the field count; a longer text is read as its first 32.
  char text[kFieldRoom + 1] = "";
  GetDlgItemTextA(dialog, id, text, sizeof text);
  LONG value = 0;
  const bool read = kv::ui::parseMeasurement(text, metric != FALSE, decimals, value);
  if (ok != nullptr) *ok = read ? TRUE : FALSE;
  return read ? value : 0;
}

KV_API LRESULT KV_CALL DlgSetDlgItemReal(HWND dialog, int id, LONG value, int reserved, BOOL metric, int decimals) {
  char text[24];
  if (metric)
    DlgSetStrRealMetricUnits(value, reserved, text);
  else
    DlgSetStrRealUnits(static_cast<UINT>(value), reserved, text, decimals);
  return SendDlgItemMessageA(dialog, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

KV_API int KV_CALL DlgGetScreenPixels(LONG length, BOOL vertical) {
  HDC display = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
  if (display == nullptr) return 0;
  const int perInch = GetDeviceCaps(display, vertical ? LOGPIXELSY : LOGPIXELSX);
  DeleteDC(display);
  // MulDiv rounds half away from zero and keeps the product in 64 bits.
  return MulDiv(static_cast<int>(length), perInch, 1000);
}

KV_API int KV_CALL DlgSearchSpec(LPCSTR text) {
  if (text == nullptr) return 0;
  return IntlStrChr(text, '*') != nullptr || IntlStrChr(text, '?') != nullptr ? 1 : 0;
}

}  // extern "C"
