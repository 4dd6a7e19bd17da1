// Reading a typed measurement, apart from the dialog field it comes from.
#pragma once

#include <korvane/win32.h>

namespace kv::ui {

// The value of a field's text: digits and "." only. Metric text is centimetres, giving
// thousandths of an inch; otherwise the text is scaled by 10^decimals (decimals clamped to
// 0..3). False, with 0, for an empty text, any other character, or a value beyond 32 bits.
bool parseMeasurement(const char* text, bool metric, int decimals, LONG& value);

}  // namespace kv::ui
