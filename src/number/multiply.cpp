// Multiplication and scaling by powers of ten: the full product of the digits, taken in
// limbs of four digits, rounded once when it is packed.
#include "number/digits.h"

using kv::NumValue;
using kv::NumWide;

namespace {

constexpr int kLimbs = 6;  // of an operand's 24 digit positions

// Two one-word operands: two limbs each, a product of at most sixteen digits.
KV_NUM_INLINE bool multiplyWords(tagNUMBER* result, const tagNUMBER* a, const tagNUMBER* b, unsigned& length) {
  kv::NumWord x;
  kv::NumWord y;
  if (!kv::NumReadWords(x, y, a, b)) return false;
  uint64_t la[2];
  uint64_t lb[2];
  kv::numWordToLimbs(x.w, la);
  kv::numWordToLimbs(y.w, lb);
  // Columns below 2 * 10^16; carried from the last into limbs below 10^8.
  uint64_t p3 = la[1] * lb[1];
  uint64_t p2 = la[0] * lb[1] + la[1] * lb[0];
  uint64_t p1 = la[0] * lb[0];
  uint64_t carry = p3 / kv::kLimb;
  p3 -= carry * kv::kLimb;
  p2 += carry;
  carry = p2 / kv::kLimb;
  p2 -= carry * kv::kLimb;
  p1 += carry;
  const uint64_t p0 = p1 / kv::kLimb;
  p1 -= p0 * kv::kLimb;
  const uint64_t w0 = kv::numLimbsToWord(p0, p1);
  const uint64_t w1 = kv::numLimbsToWord(p2, p3);
  length = kv::NumStoreShort(result, w0, w1, x.negative ^ y.negative, x.exponent + y.exponent - 64);
  return true;
}

KV_NUM_NOINLINE unsigned multiplyFull(tagNUMBER* result, const tagNUMBER* a, const tagNUMBER* b) {
  NumValue x;
  NumValue y;
  kv::NumUnpackOperands(x, y, a, b);
  if (x.count == 0 || y.count == 0) return kv::NumStoreZero(result);

  const int na = (x.count + 3) >> 2;
  const int nb = (y.count + 3) >> 2;
  uint64_t la[kLimbs];
  uint64_t lb[kLimbs];
  kv::numToLimbs(x.m, la, na);
  kv::numToLimbs(y.m, lb, nb);

  // Column k + 1 takes the products of limbs i + j = k; each sum stays below 6 * 10^16.
  uint64_t p[2 * kLimbs] = {};
  for (int i = 0; i < na; ++i) {
    for (int j = 0; j < nb; ++j) p[i + j + 1] += la[i] * lb[j];
  }
  uint64_t carry = 0;
  for (int k = na + nb - 1; k > 0; --k) {
    const uint64_t v = p[k] + carry;
    carry = v / kv::kLimb;
    p[k] = v - carry * kv::kLimb;
  }
  p[0] = carry;

  // The product of two digit lists without leading zeros has at most one: the first 25
  // digits (seven limbs) are all that packing can look at.
  const int n = na + nb;
  NumWide m = kv::numFromLimbs(p, n < kLimbs ? n : kLimbs);
  int exponent = x.exponent + y.exponent - 64;
  // Shifted out without a branch: a leading zero is as likely as not.
  const int zero = (m.w[0] >> 56) == 0;
  m = kv::numShiftLeft(m, zero);
  m.w[2] |= zero && n > kLimbs ? p[kLimbs] / 1000000 : 0;
  exponent -= zero;
  // The stored length is the packed one: a 24-byte product keeps its last digit.
  return kv::NumStore(result, m, x.negative ^ y.negative, exponent);
}

unsigned multiply(tagNUMBER* result, const tagNUMBER* a, const tagNUMBER* b) {
  if (!result) return 0;
  unsigned length;
  if (multiplyWords(result, a, b, length)) return length;
  return multiplyFull(result, a, b);
}

}  // namespace

KV_API unsigned KV_CALL NumMultiply(NUMBER* result, const NUMBER* a, const NUMBER* b) {
  return multiply(result, a, b);
}

KV_API unsigned KV_CALL NumPower10(NUMBER* result, const NUMBER* number, int power) {
  if (!result) return 0;
  if (power < -60 || power > 60) {
    result->bLength = 0;
    return 0;
  }
  // The one-digit record of 10^power: 1 or 10 at the base-100 exponent (power + 66) / 2 + 32.
  tagNUMBER scale{};
  scale.bLength = 2;
  scale.bExponent = static_cast<BYTE>((power + 66) / 2 + 160);
  scale.abMantissa[0] = static_cast<BYTE>((power & 1) ? 10 : 1);
  return multiply(result, number, &scale);
}
