// Rounding to decimal places (half away from zero) and truncation to a precision and
// scale. Both work on decimal positions inside the base-100 digits.
#include "number/digits.h"

using kv::NumValue;

KV_API int KV_CALL NumRound(NUMBER* result, const NUMBER* number, int places) {
  if (!result) return 0;
  number = kv::NumOrNull(number);
  NumValue v;
  kv::NumUnpack(v, number, kv::NumPlainLength(number));
  // k: the decimal digits of the mantissa, from its first one, that remain.
  const long long k = static_cast<long long>(places) + 2LL * (v.exponent - 64);
  if (k < 0) return static_cast<int>(kv::NumStoreZero(result));
  if (k >= 2LL * v.count) {
    return static_cast<int>(kv::NumStore(result, v.m, v.negative, v.exponent));
  }

  // Add 5 (odd k: the lower decimal digit) or 50 at the digit where the cut falls.
  const int at = static_cast<int>(k >> 1);
  const bool odd = (k & 1) != 0;
  int exponent = v.exponent;
  if (kv::numAdd(v.m, v.m, kv::numDigitVector(at, odd ? 5 : 50))) {
    // Out of the first digit: the value becomes one unit of the next exponent.
    v.m = kv::numDigitVector(0, 1);
    ++exponent;
  } else if (odd) {
    kv::numKeep(v.m, at + 1);
    const int d = kv::numDigitAt(v.m, at);
    kv::numSetDigit(v.m, at, d - d % 10);
  } else {
    kv::numKeep(v.m, at);
  }
  return static_cast<int>(kv::NumStore(result, v.m, v.negative, exponent));
}

KV_API unsigned KV_CALL NumTruncate(NUMBER* number, unsigned precision, unsigned scale) {
  if (!number) return 0;
  const int length = kv::NumPlainLength(number);
  if (length == 0 || length > kv::kNumMaxLength) return 0;
  NumValue v;
  kv::NumUnpack(v, number, length);
  const long long e = v.exponent - 64;
  const long long count = v.count;

  // High-order cut: the value modulo 10^(precision - scale).
  const long long j = 2 * e - (static_cast<long long>(precision) - static_cast<long long>(scale));
  if (j > 0) {
    const long long whole = j / 2;
    if (whole >= count) {
      v.m = kv::NumWide{};
    } else {
      const int w = static_cast<int>(whole);
      kv::NumWide head = v.m;
      kv::numKeep(head, w);
      for (int i = 0; i < 3; ++i) v.m.w[i] ^= head.w[i];  // clears the first w digits
      if (j & 1) kv::numSetDigit(v.m, w, kv::numDigitAt(v.m, w) % 10);
    }
  }
  // Low-order cut: toward zero at scale decimal places.
  const long long m = 2 * (count - e) - static_cast<long long>(scale);
  if (m > 0) {
    const long long dropped = m / 2;
    const int keep = dropped >= count ? 0 : static_cast<int>(count - dropped);
    kv::numKeep(v.m, keep);
    if ((m & 1) && keep > 0) {
      const int d = kv::numDigitAt(v.m, keep - 1);
      kv::numSetDigit(v.m, keep - 1, d / 10 * 10);
    }
  }
  kv::NumStore(number, v.m, v.negative, v.exponent);
  return 1;
}
