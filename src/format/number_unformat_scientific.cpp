// Reading text in scientific notation ("1.23E+04") for the scientific pictures.
#include "format/number_format.h"
#include "format/number_pic.h"

#include <korvane/memory.h>

#include <cstring>

namespace kv {

namespace {

// Exponents beyond this cannot give a NUMBER.
constexpr LONG kMaxExponent = 400;

bool readPart(const FMTCNTLBLOCK* caller, LPSTR text, NUMBER* value) {
  FMTCNTLBLOCK b{};
  FMTInitCntlBlock(&b);
  b.nFormatType = FMT_TYPE_NUMBER;
  b.lpszInput = text;
  b.bUseIntl = caller->bUseIntl;
  b.cThousand = caller->cThousand;
  b.cDecimal = caller->cDecimal;
  if (!FMTValidateNumber(&b)) return false;
  *value = b.number;
  return true;
}

}  // namespace

int FMTUnformatScientific(FMTCNTLBLOCK* block) {
  if (!block || !block->lpszInput) return 0;
  const size_t length = std::strlen(block->lpszInput);
  auto* text = static_cast<LPSTR>(MemAlloc(static_cast<DWORD>(length + 1)));
  if (!text) return 0;
  std::memcpy(text, block->lpszInput, length + 1);
  IntlStrStripSpace(text);
  const CHAR decimal = SeparatorsInForce(block).decimal;
  int lower = 0, upper = 0;
  bool ok = text[0] != '\0';
  for (LPCSTR p = text; *p && ok; ++p) {
    const CHAR c = *p;
    lower += c == 'e';
    upper += c == 'E';
    ok = (decimal && c == decimal) || (c >= '0' && c <= '9') || c == '-' || c == '+' || c == 'e' || c == 'E';
  }
  ok = ok && (lower == 1 || (lower == 0 && upper == 1));
  NUMBER mantissa, exponent;
  if (ok) {
    LPSTR p = text;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+') ++p;
    LPSTR letter = std::strchr(p, lower ? 'e' : 'E');
    *letter = '\0';
    LPSTR e = letter + 1;
    const bool negativeExponent = *e == '-';
    if (*e == '-' || *e == '+') ++e;
    ok = *p && *e && readPart(block, p, &mantissa) && readPart(block, e, &exponent);
    if (ok) {
      // Only whole exponents of a sensible size. The sign went before the digits were
      // read, so the part must not bring one of its own ("1E-99999-"): a negative part
      // would pass the limit and its negation take forever to apply.
      NUMBER whole, limit, zero;
      NumRound(&whole, &exponent, 0);
      NumLongToNumber(&limit, kMaxExponent);
      NumLongToNumber(&zero, 0);
      ok = NumCompare(&whole, &exponent) == 0 && NumCompare(&exponent, &limit) <= 0 &&
           NumCompare(&exponent, &zero) >= 0;
      if (ok) {
        LONG power = NumToLong(&exponent);
        if (negativeExponent) power = -power;
        while (power != 0) {
          const LONG step = power > 60 ? 60 : (power < -60 ? -60 : power);
          NumPower10(&mantissa, &mantissa, static_cast<int>(step));
          power -= step;
        }
        if (negative) NumNegate(&mantissa);
        block->number = mantissa;
      }
    }
  }
  MemFree(text);
  return ok ? 1 : 0;
}

}  // namespace kv
