// The numeric conversions of the Windows run time: _gcvt writes with std::to_chars, whatever
// the process locale; the reads follow the locale they are given, else the current one.
#include <korvane/win32/kernel32/crt.h>

#include <charconv>
#include <cstdlib>
#include <cstring>

namespace {

int categoryMask(int category) {
  switch (category) {
    case LC_ALL: return LC_ALL_MASK;
    case LC_NUMERIC: return LC_NUMERIC_MASK;
    case LC_CTYPE: return LC_CTYPE_MASK;
    case LC_COLLATE: return LC_COLLATE_MASK;
    case LC_MONETARY: return LC_MONETARY_MASK;
    case LC_TIME: return LC_TIME_MASK;
    default: return 0;
  }
}

}  // namespace

KW32_API char* _gcvt(double value, int digits, char* buffer) {
  if (!buffer) return nullptr;
  digits = digits < 1 ? 1 : (digits > 17 ? 17 : digits);
  // d.ddd...e+XX, rounded to nearest: at most 1 + 1 + 16 + 5 characters and a sign.
  char sci[40];
  const auto r = std::to_chars(sci, sci + sizeof sci - 1, value, std::chars_format::scientific, digits - 1);
  *r.ptr = '\0';
  char* e = std::strchr(sci, 'e');
  if (!e) {  // infinity or NaN
    std::memcpy(buffer, sci, static_cast<size_t>(r.ptr - sci) + 1);
    return buffer;
  }
  const int exponent = std::atoi(e + 1);
  const char* p = sci;
  char* out = buffer;
  if (*p == '-') *out++ = *p++;
  // The significant digits without the point, trailing zeros dropped.
  char d[20];
  int n = 0;
  for (; p < e; ++p)
    if (*p != '.') d[n++] = *p;
  while (n > 1 && d[n - 1] == '0') --n;
  if (exponent < -1 || exponent > digits - 1) {
    *out++ = d[0];
    *out++ = '.';
    for (int i = 1; i < n; ++i) *out++ = d[i];
    *out++ = 'e';
    *out++ = exponent < 0 ? '-' : '+';
    const int a = exponent < 0 ? -exponent : exponent;
    *out++ = static_cast<char>('0' + a / 100);
    *out++ = static_cast<char>('0' + a / 10 % 10);
    *out++ = static_cast<char>('0' + a % 10);
  } else if (exponent < 0) {  // 0.ddd
    *out++ = '0';
    *out++ = '.';
    for (int i = 0; i < n; ++i) *out++ = d[i];
  } else {
    for (int i = 0; i <= exponent; ++i) *out++ = i < n ? d[i] : '0';
    *out++ = '.';
    for (int i = exponent + 1; i < n; ++i) *out++ = d[i];
  }
  *out = '\0';
  return buffer;
}

KW32_API _locale_t _create_locale(int category, const char* locale) {
  const int mask = categoryMask(category);
  if (!mask || !locale) return nullptr;
  return newlocale(mask, locale, static_cast<locale_t>(nullptr));
}

KW32_API void _free_locale(_locale_t locale) {
  if (locale) freelocale(locale);
}

KW32_API double _atof_l(const char* text, _locale_t locale) {
  if (!text) return 0.0;
  // A null locale is the current one, as in the Windows run time.
  return locale ? strtod_l(text, nullptr, locale) : std::strtod(text, nullptr);
}

KW32_API int _atoi_l(const char* text, _locale_t locale) {
  if (!text) return 0;
  return static_cast<int>(locale ? strtol_l(text, nullptr, 10, locale) : std::strtol(text, nullptr, 10));
}

KW32_API LONG _atol_l(const char* text, _locale_t locale) {
  if (!text) return 0;
  return static_cast<LONG>(locale ? strtol_l(text, nullptr, 10, locale) : std::strtol(text, nullptr, 10));
}
