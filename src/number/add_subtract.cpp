// Addition, subtraction and negation. The smaller operand is aligned under the larger one
// inside a window of 23 digits for a sum (a carry out of it adds a digit in front) and 24
// for a difference; its digits beyond the window are dropped unrounded.
#include "number/digits.h"

using kv::NumValue;
using kv::NumWide;

namespace {

constexpr int kAddWindow = 23;
constexpr int kSubtractWindow = 24;

unsigned addSubtract(tagNUMBER* result, const tagNUMBER* a, const tagNUMBER* b, int subtract) {
  if (!result) return 0;
  NumValue x;
  NumValue y;
  kv::NumUnpackOperands(x, y, a, b);

  const bool swapped = kv::NumCompareMagnitude(x, y) < 0;
  const NumValue& big = swapped ? y : x;
  const NumValue& small = swapped ? x : y;
  const int subtractMagnitudes = x.negative ^ y.negative ^ subtract;
  const int negative = swapped ? (y.negative ^ subtract) : x.negative;

  const int shift = big.exponent - small.exponent;
  const int window = subtractMagnitudes ? kSubtractWindow : kAddWindow;
  if (small.count == 0 || shift >= window) {
    return kv::NumStore(result, big.m, negative, big.exponent);
  }
  NumWide s = kv::numShiftRight(small.m, shift);
  kv::numKeep(s, window);
  NumWide r;
  if (!subtractMagnitudes) {
    if (kv::numAdd(r, big.m, s)) {
      // Both fit in 23 digits, so the sum with its carry fits in 24.
      r = kv::numShiftRight(r, 1);
      r.w[0] |= 1ull << 56;
      return kv::NumStore(result, r, negative, big.exponent + 1);
    }
  } else {
    kv::numSubtract(r, big.m, s);
  }
  return kv::NumStore(result, r, negative, big.exponent);
}

}  // namespace

KV_API unsigned KV_CALL NumAddition(NUMBER* result, const NUMBER* a, const NUMBER* b) {
  return addSubtract(result, a, b, 0);
}

KV_API unsigned KV_CALL NumSubtract(NUMBER* result, const NUMBER* a, const NUMBER* b) {
  return addSubtract(result, a, b, 1);
}

KV_API unsigned KV_CALL NumNegate(NUMBER* number) {
  if (!number) return 0;
  const int length = kv::NumPlainLength(number);
  if (length == 0 || length > kv::kNumMaxLength) return 0;
  NumValue v;
  kv::NumUnpack(v, number, length);
  return kv::NumStore(number, v.m, !v.negative, v.exponent);
}
