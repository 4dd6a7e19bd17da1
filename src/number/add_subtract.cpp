// Addition, subtraction and negation. The smaller operand is aligned under the larger one
// inside a window of 23 digits for a sum (a carry out of it adds a digit in front) and 24
// for a difference; its digits beyond the window are dropped unrounded.
#include "number/digits.h"

using kv::NumValue;
using kv::NumWide;

namespace {

constexpr int kAddWindow = 23;
constexpr int kSubtractWindow = 24;

// Two one-word operands: aligned in one word when the smaller loses no digit to the
// shift, which then leaves nothing for the window to drop. False when they do not fit.
KV_NUM_INLINE bool addSubtractWords(tagNUMBER* result, const tagNUMBER* a, const tagNUMBER* b, int subtract,
                                    unsigned& length) {
  kv::NumWord x;
  kv::NumWord y;
  if (!kv::NumReadWords(x, y, a, b)) return false;
  const bool swapped = x.exponent < y.exponent || (x.exponent == y.exponent && x.w < y.w);
  const kv::NumWord& big = swapped ? y : x;
  const kv::NumWord& small = swapped ? x : y;
  const int shift = 8 * (big.exponent - small.exponent);
  if (shift >= 64 || (shift && (small.w << (64 - shift)) != 0)) return false;
  const uint64_t s = small.w >> shift;
  const int negative = swapped ? (y.negative ^ subtract) : x.negative;
  uint64_t r;
  if (x.negative ^ y.negative ^ subtract) {
    kv::numSubtractWord(r, big.w, s, 0);
    length = r ? kv::NumStoreShort(result, r, 0, negative, big.exponent) : kv::NumStoreZero(result);
  } else if (kv::numAddWord(r, big.w, s, 0)) {
    // A carry out of the first digit adds one in front.
    length = kv::NumStoreShort(result, 1ull << 56 | r >> 8, r << 56, negative, big.exponent + 1);
  } else {
    length = kv::NumStoreShort(result, r, 0, negative, big.exponent);
  }
  return true;
}

KV_NUM_NOINLINE unsigned addSubtractFull(tagNUMBER* result, const tagNUMBER* a, const tagNUMBER* b,
                                         int subtract) {
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

KV_NUM_INLINE unsigned addSubtract(tagNUMBER* result, const tagNUMBER* a, const tagNUMBER* b, int subtract) {
  if (!result) return 0;
  unsigned length;
  if (addSubtractWords(result, a, b, subtract, length)) return length;
  return addSubtractFull(result, a, b, subtract);
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
