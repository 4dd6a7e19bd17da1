/* The numeric conversions of the Windows C run time that the host's C library lacks or
   that must not depend on the process locale. */
#ifndef KORVANE_WIN32_CRT_H
#define KORVANE_WIN32_CRT_H
#include "../base.h"

#include <locale.h>

/* Writes value with digits significant digits (1 to 17) as the Windows run time does: in
   fixed notation while the exponent lies in -5 to digits - 1, else as "d.ddde+XXX"; trailing
   zeros dropped, the decimal point always present ("100.", "0.5", "1.5e+021"). The decimal
   point is "." whatever the process locale. Returns buffer. */
KW32_API char* _gcvt(double value, int digits, char* buffer);

/* A locale object for the locale-explicit conversions; LC_NUMERIC, "C" gives the text form
   that never changes with the caller's setlocale. Free with _free_locale. */
typedef locale_t _locale_t;
KW32_API _locale_t _create_locale(int category, const char* locale);
KW32_API void _free_locale(_locale_t locale);

/* atof, atoi and atol reading the number text in the given locale; a null locale is the
   current one, as with atof itself, so the library reads its own texts otherwise. */
KW32_API double _atof_l(const char* text, _locale_t locale);
KW32_API int _atoi_l(const char* text, _locale_t locale);
KW32_API LONG _atol_l(const char* text, _locale_t locale);

#endif
