// The picture engine: chooses the section for the value's sign, rounds to the section's
// decimals and lays the digits into it with grouping, separators and literals.
#include "format/number_format.h"
#include "format/number_pic.h"
#include "format/settings.h"

#include <cstring>

namespace kv {

namespace {

bool isPlaceholder(CHAR c) { return c == '#' || c == '0'; }

// Only zeros and points: the value shows as zero.
bool showsAsZero(LPCSTR text) {
  for (; *text; ++text) {
    if (*text != '0' && *text != '.') return false;
  }
  return true;
}

struct Section {
  LPCSTR text = "";
  int fraction = 0;
  int integerZeros = 0;
  int fractionZeros = 0;
  int grouping = 0;
  LPCSTR suffix = nullptr;
};

void measure(Section& s, CHAR thousand, CHAR decimal) {
  FMTAnalyzePictureSection(s.text, &s.fraction, &s.integerZeros, &s.fractionZeros, &s.grouping, &s.suffix,
                           thousand, decimal);
}

}  // namespace

CHAR RegionalSeparator(UINT index, CHAR fallback) {
  LPCSTR s = FMTGetIntlString(index);
  return s ? s[0] : fallback;
}

int SplitSections(LPCSTR picture, CHAR (&first)[FMT_MAX_PICTURE + 1], CHAR (&second)[FMT_MAX_PICTURE + 1],
                  CHAR (&third)[FMT_MAX_PICTURE + 1]) {
  CHAR* parts[3] = {first, second, third};
  int at[3] = {0, 0, 0};
  int part = 0;
  first[0] = second[0] = third[0] = '\0';
  for (LPCSTR p = picture; *p; ++p) {
    if (*p == ';' && part < 2) {
      ++part;
      continue;
    }
    if (at[part] < FMT_MAX_PICTURE) parts[part][at[part]++] = *p;
  }
  for (int i = 0; i < 3; ++i) parts[i][at[i]] = '\0';
  return part + 1;
}

void FMTAnalyzePictureSection(LPCSTR section, int* fractionPlaces, int* integerZeros, int* fractionZeros,
                              int* grouping, LPCSTR* suffix, CHAR thousand, CHAR decimal) {
  *fractionPlaces = *integerZeros = *fractionZeros = *grouping = 0;
  *suffix = nullptr;
  LPCSTR p = section;
  while (*p && !isPlaceholder(*p)) ++p;
  if (!*p) return;
  bool zeroSeen = false;
  bool point = false;
  for (;;) {
    const CHAR c = *p;
    if (isPlaceholder(c)) {
      if (point) {
        ++*fractionPlaces;
        if (c == '0') ++*fractionZeros;
      } else if (c == '0' || zeroSeen) {
        zeroSeen = true;
        if (c == '0') ++*integerZeros;
      }
    } else if (thousand && c == thousand && isPlaceholder(p[1])) {
      if (!point) *grouping = 1;
    } else if (decimal && c == decimal && !point) {
      point = true;
    } else {
      break;
    }
    ++p;
  }
  if (!point) {
    while (*p && (isPlaceholder(*p) || (thousand && *p == thousand))) ++p;
  }
  *suffix = *p ? p : nullptr;
}

LPSTR WriteSectionLiterals(LPCSTR begin, LPCSTR end, LPSTR out, bool pairs) {
  const bool dbcs = IntlDBCSEnabled() != 0;
  LPCSTR p = begin;
  while (p < end && *p) {
    const CHAR c = *p;
    if (c == '\'' || c == '"') {
      ++p;
      while (p < end && *p) {
        if ((*p == c && p + 1 < end && p[1] == c) || (*p == '\\' && p + 1 < end && p[1] == c)) {
          *out++ = c;
          p += 2;
        } else if (*p == c) {
          ++p;
          break;
        } else {
          const int n = PictureCharBytes(p, dbcs);
          for (int i = 0; i < n && p < end; ++i) *out++ = *p++;
        }
      }
      continue;
    }
    if (pairs && c == '_' && p + 1 < end && p[1]) {
      *out++ = ' ';
      p += 1 + PictureCharBytes(p + 1, dbcs);
      continue;
    }
    const int n = PictureCharBytes(p, dbcs);
    for (int i = 0; i < n && p < end; ++i) *out++ = *p++;
  }
  *out = '\0';
  return out;
}

int FMTFormatPicture(double /*dValue*/, LPSTR output, LPCSTR picture, CHAR decimal, CHAR thousand, int useIntl,
                     const NUMBER* number, int enable) {
  if (!enable || !picture || !picture[0] || !output) return 0;
  output[0] = '\0';
  if (std::strlen(picture) > FMT_MAX_PICTURE) return 0;
  if (useIntl) {
    thousand = RegionalSeparator(kThousandSep, ',');
    decimal = RegionalSeparator(kDecimalSep, '.');
  }
  if (!number || NumIsNull(number)) return 1;
  if (IsScientificPicture(picture)) {
    FormatScientific(output, picture, decimal, number);
    return 1;
  }

  NUMBER zero;
  NumLongToNumber(&zero, 0);
  // The sign comes from NumCompare, which reads the length byte as the arithmetic does;
  // the digits must be read the same way, or a length byte with bit 7 set could give a
  // negative magnitude (shown with two minus signs, past the announced length).
  NUMBER magnitude;
  NumAddition(&magnitude, number, &zero);
  bool negative = NumCompare(number, &zero) < 0;
  if (negative) NumNegate(&magnitude);
  const bool exactlyZero = NumCompare(number, &zero) == 0;

  CHAR parts[3][FMT_MAX_PICTURE + 1];
  const int count = SplitSections(picture, parts[0], parts[1], parts[2]);
  Section s;
  if (count == 1) {
    s.text = parts[0];
  } else if (negative) {
    s.text = parts[1];
  } else {
    s.text = exactlyZero && count == 3 ? parts[2] : parts[0];
  }
  if (!s.text[0]) return 1;
  measure(s, thousand, decimal);

  if (s.suffix && s.suffix[0] == '%') NumPower10(&magnitude, &magnitude, 2);
  CHAR text[kFixedBuffer];
  NUMBER scratch;
  FMTNumToFixedStr(&magnitude, s.fraction, text, &scratch);

  // A value that rounds to nothing takes the zero section.
  if (showsAsZero(text)) {
    if (negative) {
      negative = false;
      if (count > 1) {
        s.text = count == 3 ? parts[2] : parts[0];
        if (!s.text[0]) return 1;
        measure(s, thousand, decimal);
      }
    } else if (!exactlyZero && count == 3 && s.text != parts[2]) {
      s.text = parts[2];
      if (!s.text[0]) return 1;
      measure(s, thousand, decimal);
    }
  }

  // Trailing fraction zeros beyond the section's "0" places go.
  if (LPSTR point = std::strchr(text, '.')) {
    size_t end = std::strlen(text);
    while (static_cast<int>(end - (point - text) - 1) > s.fractionZeros && text[end - 1] == '0') text[--end] = '\0';
    if (text + end - 1 == point) *point = '\0';
  }

  LPSTR out = output;
  if (negative && count == 1) *out++ = '-';
  LPCSTR run = s.text;
  while (*run && !isPlaceholder(*run)) ++run;
  out = WriteSectionLiterals(s.text, run, out, false);

  LPCSTR point = std::strchr(text, '.');
  const int L = point ? static_cast<int>(point - text) : static_cast<int>(std::strlen(text));
  const int Z = s.integerZeros;
  int remaining = L > Z ? L : Z;
  bool first = true;
  auto putInteger = [&](CHAR c) {
    if (s.grouping && !first && remaining % 3 == 0) *out++ = thousand;
    *out++ = c;
    first = false;
    --remaining;
  };
  for (int i = L; i < Z; ++i) putInteger('0');
  for (int i = 0; i < L; ++i) putInteger(text[i]);
  if (point) {
    *out++ = decimal ? decimal : '.';
    for (LPCSTR f = point + 1; *f; ++f) *out++ = *f;
  }
  *out = '\0';
  if (s.suffix) WriteSectionLiterals(s.suffix, s.suffix + std::strlen(s.suffix), out, true);
  return 1;
}

}  // namespace kv
