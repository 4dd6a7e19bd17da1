// Measurements in dialog fields: thousandths of an inch shown as inches or centimetres.
#include "ui/measurements.h"

#include <korvane/dialogs.h>
#include <korvane/intl.h>

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
    const double thousandths = std::atof(text) * kInchPerCm * 1000 + 0.5;
    if (thousandths >= static_cast<double>(std::numeric_limits<LONG>::max())) return false;
    value = static_cast<LONG>(thousandths);
    return true;
  }
  decimals = clampDecimals(decimals);
  const char* dot = std::strchr(text, '.');
  const size_t wholeLength = dot ? static_cast<size_t>(dot - text) : std::strlen(text);
  // The fraction padded with zeros, or cut, to exactly `decimals` digits.
  char fraction[kMaxDecimals + 1] = "000";
  if (dot) {
    const size_t given = std::strlen(dot + 1);
    std::memcpy(fraction, dot + 1, given < static_cast<size_t>(decimals) ? given : static_cast<size_t>(decimals));
  }
  fraction[decimals] = '\0';
  LONG whole = 0;
  LONG part = 0;
  if (!fetchRun(text, wholeLength, whole) || !fetchRun(fraction, static_cast<size_t>(decimals), part)) return false;
  static constexpr long long kScale[] = {1, 10, 100, 1000};
  const long long result = static_cast<long long>(whole) * kScale[decimals] + part;
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

KV_API int KV_CALL DlgSearchSpec(LPCSTR text) {
  if (text == nullptr) return 0;
  return IntlStrChr(text, '*') != nullptr || IntlStrChr(text, '?') != nullptr ? 1 : 0;
}

}  // extern "C"
