// The quoting rewrite of the regional long date picture.
#pragma once

#include <korvane/win32.h>

namespace kv {

// Rewrites the zero-terminated picture in `field` (a field of `fieldSize` bytes) so that
// every date separator stands outside quotes, and quotes a "t" after the month for
// country 358. The result is cut at a character boundary to fit the field.
void rewriteLongDatePicture(char* field, size_t fieldSize, UINT country);

}  // namespace kv
