// Internal primitives of the character-set core shared by the text families.
#pragma once

#include <korvane/intl.h>

namespace kv {

// Number of characters of a zero-terminated string (0 for null).
int IntlCharCount(LPCSTR s);

}  // namespace kv
