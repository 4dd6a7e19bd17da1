// The scientific branch of the picture engine: "0.00E+00" and its relatives.
#include "format/number_format.h"

#include <cstring>

namespace kv {

namespace {

// NumPower10 takes powers of -60 to 60 at a time.
void scale(NUMBER* n, int power) {
  while (power != 0) {
    const int step = power > 60 ? 60 : (power < -60 ? -60 : power);
    NumPower10(n, n, step);
    power -= step;
  }
}

// Count of integer digits of a non-negative value (0 below 1).
int integerDigits(const NUMBER* n) {
  CHAR text[kFixedBuffer];
  FixedStrAllDigits(n, text);
  int k = 0;
  while (text[k] >= '0' && text[k] <= '9') ++k;
  if (k == 1 && text[0] == '0') return 0;
  return k;
}

}  // namespace

void FormatScientific(LPSTR output, LPCSTR picture, CHAR decimal, const NUMBER* number) {
  output[0] = '\0';
  // The mantissa: "0." then F placeholders, FZ of them "0".
  LPCSTR p = picture + 2;
  int F = 0;
  int FZ = 0;
  while (*p == '0' || *p == '#') {
    if (*p == '0') ++FZ;
    ++F;
    ++p;
  }
  const CHAR letter = *p ? *p : 'E';
  LPCSTR afterLetter = *p ? p + 1 : p;
  const bool plus = *afterLetter == '+';
  LPCSTR exponentPicture = (*afterLetter == '+' || *afterLetter == '-') ? afterLetter + 1 : afterLetter;

  NUMBER zero;
  NumLongToNumber(&zero, 0);
  const bool negative = NumCompare(number, &zero) < 0;
  // Read the digits as NumCompare read the sign (see FMTFormatPicture).
  NUMBER m;
  NumAddition(&m, number, &zero);
  if (negative) NumNegate(&m);

  int exponent = 0;
  const int k = integerDigits(&m);
  if (k >= 1 || NumIsZero(&m)) {
    // The digits before the point tell the exponent; truncating keeps 9.6 at 10^0.
    if (k >= 2) scale(&m, 1 - k);
    exponent = k >= 1 ? k - 1 : 0;
  } else {
    CHAR text[kFixedBuffer];
    FixedStrAllDigits(&m, text);
    int z = 1;
    LPCSTR point = std::strchr(text, '.');
    for (LPCSTR d = point ? point + 1 : text; *d == '0'; ++d) ++z;
    scale(&m, z);
    exponent = -z;
  }
  CHAR mantissa[kFixedBuffer + 1];
  NUMBER scratch;
  FMTNumToFixedStr(&m, F, mantissa + 1, &scratch);
  LPSTR text = mantissa + 1;
  if (text[0] == '.') {
    mantissa[0] = '0';
    text = mantissa;
  }
  // Rounded up to 10: one more power of ten.
  if (text[0] && text[1] && text[2] == '.') {
    text[2] = text[1];
    text[1] = '.';
    text[std::strlen(text) - 1] = '\0';
    ++exponent;
  }
  if (LPSTR point = std::strchr(text, '.')) {
    size_t end = std::strlen(text);
    while (static_cast<int>(end - (point - text) - 1) > FZ && text[end - 1] == '0') text[--end] = '\0';
  }

  LPSTR out = output;
  if (negative) *out++ = '-';
  for (LPCSTR t = text; *t; ++t) *out++ = *t;
  *out++ = letter;
  if (exponent < 0) {
    *out++ = '-';
  } else if (plus) {
    *out++ = '+';
  }
  *out = '\0';
  NUMBER power;
  NumLongToNumber(&power, exponent < 0 ? -exponent : exponent);
  if (*exponentPicture) {
    FMTFormatPicture(0.0, out, exponentPicture, '.', ',', 0, &power, 1);
  }
  if (decimal && decimal != '.') {
    if (LPSTR point = std::strchr(output, '.')) *point = decimal;
  }
}

}  // namespace kv
