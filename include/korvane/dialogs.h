/* Dialog helpers: measurements shown in dialog fields (thousandths of an inch, as inches
   with a fixed number of decimals or as centimetres) and wildcard tests of typed file patterns. */
#ifndef KORVANE_DIALOGS_H
#define KORVANE_DIALOGS_H

#include "api.h"
#include "win32.h"

/* Writes `value` (thousandths of an inch, or any whole number scaled by 10^decimals) into
   `text` as a decimal number with at most `decimals` decimals (3 and more give 3), trailing
   zeros and a trailing "." removed: 1250 with 2 decimals gives "12.5", 1200 gives "12".
   `text` needs room for 16 bytes. `reserved` is not used. A null `text` does nothing. */
KV_API void KV_CALL DlgSetStrRealUnits(UINT value, int reserved, LPSTR text, int decimals);

/* Writes `value` (thousandths of an inch) into `text` as centimetres at 2.5406 cm to the
   inch, rounded to the nearest quarter millimetre: 0 gives "0.0", 1000 gives "2.55".
   Negative values are written with a leading "-". `text` needs room for 24 bytes.
   `reserved` is not used. A null `text` does nothing. */
KV_API void KV_CALL DlgSetStrRealMetricUnits(LONG value, int reserved, LPSTR text);

/* 1 when `text` holds a "*" or "?" wildcard (never mistaking the trail byte of a
   double-byte character for one), else 0; 0 for a null text. */
KV_API int KV_CALL DlgSearchSpec(LPCSTR text);

#endif
