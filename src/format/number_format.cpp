// FMTFormatNumber: the kind dispatch and the regional number and currency forms.
#include "format/number_format.h"
#include "format/number_pic.h"
#include "format/settings.h"

#include <korvane/win32.h>

#include <cstring>

namespace kv {

namespace {

struct RegionalForm {
  CHAR thousand;
  CHAR decimal;
  LPCSTR symbol;
  LONG decimals;
  LONG leadingZero;
  LONG positiveForm;
  LONG negativeForm;
};

RegionalForm formInForce(const FMTCNTLBLOCK* block, bool currency) {
  RegionalForm f{};
  if (block->bUseIntl) {
    f.thousand = RegionalSeparator(kThousandSep, ',');
    f.decimal = RegionalSeparator(kDecimalSep, '.');
    f.symbol = FMTGetIntlString(kCurrencySymbol);
    f.decimals = FMTGetIntlValue(currency ? kCurrDigits : kDigits);
    f.leadingZero = FMTGetIntlValue(kLeadingZero);
    f.positiveForm = FMTGetIntlValue(kCurrencyPosition);
    f.negativeForm = FMTGetIntlValue(kNegCurr);
  } else {
    f.thousand = block->cThousand;
    f.decimal = block->cDecimal;
    f.symbol = block->lpszCurrency;
    f.decimals = block->iDigits;
    f.leadingZero = block->iLzero;
    f.positiveForm = block->iCurrency;
    f.negativeForm = block->iNegCurr;
  }
  if (!f.symbol) f.symbol = "";
  // A settings file or block may hold anything: keep the text within a known size.
  if (f.decimals < 0) f.decimals = 0;
  if (f.decimals > kMaxRegionalDecimals) f.decimals = kMaxRegionalDecimals;
  return f;
}

// Inserts the thousands separator after every three integer digits, counting leftwards
// from the decimal separator (or the end). text has room for the separators.
void groupThousands(LPSTR text, CHAR thousand, CHAR decimal) {
  const size_t length = std::strlen(text);
  // The sign is passed first: a decimal separator "-" must not be found in it.
  const size_t first = text[0] == '-' ? 1 : 0;
  size_t intEnd = first;
  while (intEnd < length && text[intEnd] != decimal) ++intEnd;
  const size_t digits = intEnd - first;
  if (digits <= 3) return;
  const size_t separators = (digits - 1) / 3;
  // Move from the right, opening gaps as we go.
  std::memmove(text + intEnd + separators, text + intEnd, length - intEnd + 1);
  size_t to = intEnd + separators;
  size_t from = intEnd;
  int run = 0;
  while (from > first) {
    text[--to] = text[--from];
    if (++run == 3 && from > first) {
      text[--to] = thousand;
      run = 0;
    }
  }
}

int formatRegional(FMTCNTLBLOCK* block, bool currency) {
  LPSTR out = block->lpszOutput;
  out[0] = '\0';
  const RegionalForm f = formInForce(block, currency);
  CHAR digits[kFixedBuffer];
  NUMBER scratch;
  int decimals;
  if (block->wFlags & FMT_FLAG_FULL_PRECISION) {
    decimals = FixedStrAllDigits(&block->number, digits);
  } else {
    decimals = static_cast<int>(f.decimals);
    FMTNumToFixedStr(&block->number, decimals, digits, &scratch);
  }
  size_t length = std::strlen(digits);
  if (length == 0) return 1;
  const size_t symbolLength = currency ? std::strlen(f.symbol) : 0;
  const SIZE_T size = length + length / 3 + 7 + symbolLength;
  HGLOBAL work = GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, size);
  if (!work) return 0;
  auto* text = static_cast<LPSTR>(GlobalLock(work));
  if (!text) {
    GlobalFree(work);
    return 0;
  }
  std::memcpy(text, digits, length + 1);
  // The fixed text never has a zero before the point of a fraction.
  if (f.leadingZero) {
    if (text[0] == '-' && text[1] == '.') {
      std::memmove(text + 2, text + 1, length);
      text[1] = '0';
    } else if (text[0] == '.') {
      std::memmove(text + 1, text, length + 1);
      text[0] = '0';
    }
  }
  // A missing separator would cut the text short: the point stands in for it.
  const CHAR decimal = f.decimal ? f.decimal : '.';
  if (decimals > 0) {
    if (LPSTR point = std::strchr(text, '.')) *point = decimal;
  }
  if (f.thousand && f.thousand != decimal) groupThousands(text, f.thousand, decimals > 0 ? decimal : '\0');
  if (currency) {
    const LONG pos = f.positiveForm;
    FMTPlaceCurrency(text, f.symbol, out, pos == 1 || pos == 3, pos == 2 || pos == 3, static_cast<int>(f.negativeForm));
  } else {
    std::memcpy(out, text, std::strlen(text) + 1);
  }
  GlobalUnlock(work);
  GlobalFree(work);
  return 1;
}

}  // namespace

void FMTPlaceCurrency(LPCSTR text, LPCSTR symbol, LPSTR output, int symbolAfter, int blank, int negativeForm) {
  output[0] = '\0';
  if (!symbol) symbol = "";
  auto cat = [&](LPCSTR s) { std::strcat(output, s); };
  if (text[0] != '-') {
    if (symbolAfter) {
      cat(text);
      if (blank) cat(" ");
      cat(symbol);
    } else {
      cat(symbol);
      if (blank) cat(" ");
      cat(text);
    }
    return;
  }
  LPCSTR n = text + 1;
  LPCSTR S = symbol;
  switch (negativeForm) {
    case 0: cat("("); cat(S); cat(n); cat(")"); break;
    case 1: cat("-"); cat(S); cat(n); break;
    case 2: cat(S); cat("-"); cat(n); break;
    case 3: cat(S); cat(n); cat("-"); break;
    case 4: cat("("); cat(n); cat(S); cat(")"); break;
    case 5: cat("-"); cat(n); cat(S); break;
    case 6: cat(n); cat("-"); cat(S); break;
    case 7: cat(n); cat(S); cat("-"); break;
    case 8: cat("-"); cat(n); cat(" "); cat(S); break;
    case 9: cat("-"); cat(S); cat(" "); cat(n); break;
    case 10: cat(n); cat(" "); cat(S); cat("-"); break;
    default: break;
  }
}

}  // namespace kv

KV_API int KV_CALL FMTFormatNumber(FMTCNTLBLOCK* block) {
  if (!block || !(block->wFlags & FMT_FLAG_INITIALIZED) || !block->lpszOutput) return 0;
  LONG kind = block->nFormatType;
  LPCSTR picture = block->lpszPicture;
  if (kind == FMT_TYPE_PICTURE) {
    if (!picture || !picture[0]) {
      kind = FMT_TYPE_NUMBER;
    } else if (picture[0] == '$' && !picture[1]) {
      kind = FMT_TYPE_CURRENCY;
    } else {
      kv::PictureBuffer plain;
      if (FMTIsNumberPicTokenized(picture)) {
        if (!kv::UntokenizeToBuffer(block, picture, plain)) {
          block->lpszOutput[0] = '\0';
          return 0;
        }
        picture = plain;
      }
      return kv::FMTFormatPicture(block->dValue, block->lpszOutput, picture, block->cDecimal, block->cThousand,
                                  block->bUseIntl, &block->number, 1);
    }
  }
  if (kind == FMT_TYPE_NUMBER) return kv::formatRegional(block, false);
  if (kind == FMT_TYPE_CURRENCY) return kv::formatRegional(block, true);
  return 0;
}
