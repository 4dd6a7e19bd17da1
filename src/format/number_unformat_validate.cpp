// FMTValidateNumber and FMTStrToNumber: reading typed text in the regional number and
// currency forms, and the currency stripping the currency form needs.
#include "format/number_format.h"
#include "format/number_pic.h"
#include "format/work_text.h"
#include "format/settings.h"

#include <korvane/memory.h>

#include <charconv>
#include <cstring>

namespace kv {

namespace {

bool isDigit(CHAR c) { return c >= '0' && c <= '9'; }

void removeAt(LPSTR text, size_t at, size_t count = 1) {
  std::memmove(text + at, text + at + count, std::strlen(text + at + count) + 1);
}

bool endsWith(LPCSTR text, LPCSTR tail) {
  const size_t a = std::strlen(text);
  const size_t b = std::strlen(tail);
  return b <= a && std::memcmp(text + a - b, tail, b) == 0;
}

// Thousands and decimal separators of the text: checks the grouping (every separator
// after exactly three characters, counted leftwards from the point or the end, and at most
// three before the first), removes the separators and leaves "." as the point. Returns the
// new length, or -1 when the text is not well formed.
long normalizeSeparators(LPSTR text, CHAR thousand, CHAR decimal) {
  long point = -1, last = -1;
  long i = 0;
  for (; text[i]; ++i) {
    const CHAR c = text[i];
    if (decimal && c == decimal) {
      if (point >= 0) return -1;
      point = i;
    } else if (thousand && c == thousand) {
      if (point >= 0 || (last >= 0 ? i - last - 1 != 3 : i > 3)) return -1;
      last = i;
    }
  }
  if (last >= 0 && (point >= 0 ? point : i) - last - 1 != 3) return -1;
  if (last < 0) {
    if (point >= 0 && decimal != '.') text[point] = '.';
    return i;
  }
  long out = 0;
  for (long k = 0; k < i; ++k) {
    const CHAR c = text[k];
    if (c == thousand && k <= last) continue;
    text[out++] = k == point ? '.' : c;
  }
  text[out] = '\0';
  return out;
}

// "." and digits, then optionally e or E, an optional sign and digits.
bool plainSyntax(LPCSTR p) {
  while (*p == '.' || isDigit(*p)) ++p;
  if (!*p) return true;
  if (*p != 'e' && *p != 'E') return false;
  ++p;
  if (*p == '+' || *p == '-') ++p;
  if (!isDigit(*p)) return false;
  while (isDigit(*p)) ++p;
  return *p == '\0';
}

}  // namespace

void FMTStripCurrency(LPCSTR text, LPCSTR symbol, LPSTR output, int symbolAfter) {
  std::strcpy(output, text);
  IntlStrStripSpace(output);
  bool negative = false;
  const size_t length = std::strlen(output);
  const bool parens = length >= 2 && output[0] == '(' && output[length - 1] == ')';
  if (length && (output[0] == '-' || output[length - 1] == '-')) {
    int minus = 0;
    for (LPCSTR p = output; *p; ++p) minus += *p == '-';
    if (minus == 1) {
      removeAt(output, std::strchr(output, '-') - output);
      negative = true;
    } else if (parens) {
      output[length - 1] = '\0';
      removeAt(output, 0);
      negative = true;
    }
  } else if (parens) {
    output[length - 1] = '\0';
    removeAt(output, 0);
    negative = true;
  }
  IntlStrStripSpace(output);
  if (symbol && *symbol) {
    const size_t s = std::strlen(symbol);
    // The symbol on the side the positive form puts it, or else on the other side: some
    // negative forms ("5-$") move it.
    const bool atStart = std::strncmp(output, symbol, s) == 0;
    const bool atEnd = endsWith(output, symbol);
    if (symbolAfter ? atEnd : !atStart && atEnd) {
      output[std::strlen(output) - s] = '\0';
    } else if (atStart) {
      removeAt(output, 0, s);
    }
    if (negative && endsWith(output, symbol)) output[std::strlen(output) - s] = '\0';
  }
  IntlStrStripSpace(output);
  if (negative) {
    std::memmove(output + 1, output, std::strlen(output) + 1);
    output[0] = '-';
  }
}

// Reads text (modified in place) as a number with the separators given.
int ReadNumberText(LPSTR text, CHAR thousand, CHAR decimal, NUMBER* value) {
  IntlStrStripSpace(text);
  bool negative = false;
  size_t length = std::strlen(text);
  if (text[0] == '+' || text[0] == '-') {
    negative = text[0] == '-';
    ++text;
  } else if (length && (text[length - 1] == '+' || text[length - 1] == '-')) {
    negative = text[length - 1] == '-';
    text[length - 1] = '\0';
  }
  if (thousand == decimal) thousand = '\0';
  const long used = normalizeSeparators(text, thousand, decimal);
  if (used < 0 || !plainSyntax(text)) return 0;
  bool zero = true;
  for (LPCSTR p = text; *p && zero; ++p) zero = *p == '0' || *p == '.';
  NUMBER result;
  if (zero) {
    NumLongToNumber(&result, 0);
  } else {
    // The whole text must be the number.
    if (NumAsciiToNumber(&result, text) != used) return 0;
    if (negative) NumNegate(&result);
  }
  *value = result;
  return 1;
}

}  // namespace kv

KV_API int KV_CALL FMTValidateNumber(FMTCNTLBLOCK* block) {
  if (!block || !(block->wFlags & FMT_FLAG_INITIALIZED)) return 0;
  const LONG kind = block->nFormatType;
  if (kind != FMT_TYPE_NUMBER && kind != FMT_TYPE_CURRENCY) return 0;
  LPCSTR input = block->lpszInput;
  if (!input || !input[0]) return 0;
  const size_t length = std::strlen(input);
  // Room for a "-" put in front of a currency text.
  const kv::WorkText room(length + 2);
  LPSTR text = room.get();
  if (!text) return 0;
  if (kind == FMT_TYPE_CURRENCY) {
    LPCSTR symbol = block->bUseIntl ? kv::FMTGetIntlString(kv::kCurrencySymbol) : block->lpszCurrency;
    const LONG form = block->bUseIntl ? kv::FMTGetIntlValue(kv::kCurrencyPosition) : block->iCurrency;
    kv::FMTStripCurrency(input, symbol, text, form == 1 || form == 3);
  } else {
    std::memcpy(text, input, length + 1);
  }
  const kv::PictureSeparators sep = kv::SeparatorsInForce(block);
  NUMBER value;
  const int ok = kv::ReadNumberText(text, sep.thousand, sep.decimal, &value);
  if (ok) block->number = value;
  return ok;
}

KV_API int KV_CALL FMTStrToNumber(FMTCNTLBLOCK* block) {
  if (!block) return 0;
  LPCSTR input = block->lpszInput;
  if (!input || !input[0]) {
    NumNullDouble(&block->dValue);
    return 1;
  }
  // As the runtime's atof, but the same in every process locale: leading blanks, a sign,
  // the longest number that stands there; 0 when none does.
  LPCSTR p = input;
  while (*p == ' ' || (*p >= 9 && *p <= 13)) ++p;
  if (*p == '+' && p[1] != '-') ++p;
  double value = 0.0;
  const auto result = std::from_chars(p, p + std::strlen(p), value);
  block->dValue = result.ec == std::errc() ? value : 0.0;
  return 1;
}
