// The Japanese imperial eras, in order.
#pragma once

#include <korvane/win32.h>

namespace kv {

struct EraRecord {
  char name[5];   // two Shift-JIS characters, zero-terminated
  LONG firstDay;  // day number of the era's first day; 0 ends the table
  char letter;
};

extern const EraRecord kEraTable[];

// The Shift-JIS characters of the Japanese date forms.
constexpr char kYearChar[] = "\x94\x4E";
constexpr char kMonthChar[] = "\x8C\x8E";
constexpr char kDayChar[] = "\x93\xFA";

}  // namespace kv
