// Digit text of a NUMBER in fixed notation for the formatter. The general text conversion
// switches to an exponent form when a value needs more than its width; a picture needs the
// digits themselves, so this writer always lays them out in full.
#include "format/number_format.h"
#include "number/digits.h"

namespace kv {

namespace {

// Writes the value of a record as sign, integer digits ("" when below 1), and, when
// places > 0, "." and exactly places decimals. Digits beyond places are cut (the caller
// has rounded).
void writeFixed(const NUMBER* number, int places, LPSTR out) {
  int count = 0;
  BYTE digits[kWideDigits];
  int e = 0;
  const bool negative = NumUnpackRecord(number, digits, count, e) != 0;
  char d[2 * kWideDigits];
  int n = 0;
  for (int i = 0; i < count; ++i) {
    d[n++] = static_cast<char>('0' + digits[i] / 10);
    d[n++] = static_cast<char>('0' + digits[i] % 10);
  }
  // Value = 0.d x 10^x, d without a leading zero.
  int x = 2 * e - 128;
  LPCSTR D = d;
  if (n > 0 && D[0] == '0') {
    ++D;
    --n;
    --x;
  }
  LPSTR p = out;
  if (n == 0) {
    *p++ = '0';
  } else {
    if (negative) *p++ = '-';
    for (int i = 0; i < x; ++i) *p++ = i < n ? D[i] : '0';
  }
  if (places > 0) {
    *p++ = '.';
    for (int k = 0; k < places; ++k) {
      const int i = x + k;  // index into d of the k-th decimal
      *p++ = (n > 0 && i >= 0 && i < n) ? D[i] : '0';
    }
  }
  *p = '\0';
}

// Decimals needed to show every digit of the record.
int decimalsOf(const NUMBER* number) {
  int count = 0;
  BYTE digits[kWideDigits];
  int e = 0;
  NumUnpackRecord(number, digits, count, e);
  if (count == 0) return 0;
  int last = 2 * count;
  if (digits[count - 1] % 10 == 0) --last;
  const int places = last - (2 * e - 128);
  return places < 0 ? 0 : (places > kMaxFixedDecimals ? kMaxFixedDecimals : places);
}

bool badRecord(const NUMBER* number) {
  const int length = NumPlainLength(number);
  return length == 0 || length > kNumMaxLength;
}

}  // namespace

void FMTNumToFixedStr(const NUMBER* number, int places, LPSTR out, NUMBER* scratch) {
  out[0] = '\0';
  if (!number || badRecord(number)) return;
  places = places < 0 ? 0 : (places > kMaxFixedDecimals ? kMaxFixedDecimals : places);
  NumRound(scratch, number, places);
  writeFixed(scratch, places, out);
}

int FixedStrAllDigits(const NUMBER* number, LPSTR out) {
  out[0] = '\0';
  if (!number || badRecord(number)) return 0;
  const int places = decimalsOf(number);
  writeFixed(number, places, out);
  return places;
}

}  // namespace kv
