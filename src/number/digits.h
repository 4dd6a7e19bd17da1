// The working form of a NUMBER (sign, exponent, base-100 digits most significant first)
// and the two engines that turn record bytes into it and back. They are the only code that
// reads or writes record bytes. Each comes in two shapes: on a digit vector in words (what
// the arithmetic runs on) and on a plain digit array; the array shape is a thin wrapper.
// They are inline because every operation runs them two or three times.
#pragma once

#include <korvane/number.h>

#include "number/wide.h"

namespace kv {

constexpr int kNumMaxLength = 24;   // bytes after the length byte
constexpr int kNumDigitLimit = 23;  // digits of a positive number; a negative one keeps 22
constexpr int kNumMinExponent = 4;
constexpr int kNumMaxExponent = 124;
constexpr int kNumZeroExponent = 64;  // zero is stored with the exponent byte 0xC0
constexpr int kNumUnpackedZeroExponent = 0xC0;
constexpr BYTE kNumTerminator = 101;
constexpr uint64_t kNegativeBytes = 100 * kByteOnes;  // a digit d is stored as 100 - d

// The working form: digits without leading or trailing zeros, count of them, exponent of
// the first one.
struct NumValue {
  NumWide m;
  int count;
  int exponent;
  int negative;
};

// Stands in for a missing record, which reads as null.
inline constexpr tagNUMBER kNumNullRecord{};

KV_NUM_INLINE const tagNUMBER* NumOrNull(const tagNUMBER* n) { return n ? n : &kNumNullRecord; }

KV_NUM_INLINE const BYTE* NumBytes(const tagNUMBER* n) { return reinterpret_cast<const BYTE*>(n); }
KV_NUM_INLINE BYTE* NumBytes(tagNUMBER* n) { return reinterpret_cast<BYTE*>(n); }

// The length as NumAddition, NumSubtract, NumMultiply, NumDivide and NumCompare read it:
// with bit 7 set only the low four bits count.
KV_NUM_INLINE int NumArithLength(const tagNUMBER* n) {
  const BYTE b = n->bLength;
  return (b & 0x80) ? (b & 0x0F) : (b & 0x3F);
}

// The length as every other reader takes it.
KV_NUM_INLINE int NumPlainLength(const tagNUMBER* n) { return n->bLength & 0x3F; }

// Every byte of a mantissa read from a record clamped into its encoding (0 to 99 for a
// positive number, 1 to 100 for a negative one). Only bad records get here.
#if defined(_MSC_VER)
__declspec(noinline)
#else
__attribute__((noinline))
#endif
    inline NumWide numClampBytes(NumWide m, bool negative) {
  BYTE b[kWideDigits];
  numStoreDigits(b, m);
  for (BYTE& x : b) {
    x = negative ? (x == 0 ? BYTE{1} : (x > 100 ? BYTE{100} : x)) : (x > 99 ? BYTE{99} : x);
  }
  return numLoadDigits(b, kWideDigits);
}

// Decodes a record whose length (already taken by the caller's rule) is length. Zero, or a
// length outside 2 to 24, gives no digits and the exponent 0xC0. Trailing zero digits are
// dropped; so are leading ones, lowering the exponent, so that a record out of normal form
// still computes and compares by its value. A mantissa byte outside its encoding reads as
// the nearest digit (0 or 99). The terminator of a negative number is not looked at.
KV_NUM_INLINE void NumUnpackWide(NumValue& v, const BYTE* exponentByte, int length) {
  if (length < 2 || length > kNumMaxLength) {
    v.m = NumWide{};
    v.count = 0;
    v.exponent = kNumUnpackedZeroExponent;
    v.negative = 0;
    return;
  }
  const BYTE eb = *exponentByte;
  const int negative = (eb >> 7) ^ 1;
  const int n = length - 1 - negative;
  uint64_t w0;
  uint64_t w1 = 0;
  uint64_t w2 = 0;
  if (n <= 8) {
    // Most numbers have at most eight digits: one word.
    w0 = numLoadBigPartial(exponentByte + 1, n);
    if (!negative) {
      if (numBytesAbove99(w0)) w0 = numClampBytes(NumWide{{w0, 0, 0}}, false).w[0];
    } else {
      w0 |= numTailMasks(n)[0] & kNegativeBytes;
      if (numBytesAbove99(w0 - kByteOnes)) w0 = numClampBytes(NumWide{{w0, 0, 0}}, true).w[0];
      w0 = kNegativeBytes - w0;
    }
  } else {
    const NumWide loaded = numLoadDigits(exponentByte + 1, n);
    w0 = loaded.w[0];
    w1 = loaded.w[1];
    w2 = loaded.w[2];
    if (!negative) {
      if (numBytesAbove99(w0) | numBytesAbove99(w1) | numBytesAbove99(w2)) {
        const NumWide clamped = numClampBytes(NumWide{{w0, w1, w2}}, false);
        w0 = clamped.w[0];
        w1 = clamped.w[1];
        w2 = clamped.w[2];
      }
    } else {
      // Positions past the digits read as the byte 100, the digit 0.
      const uint64_t* tail = numTailMasks(n);
      w0 |= tail[0] & kNegativeBytes;
      w1 |= tail[1] & kNegativeBytes;
      w2 |= tail[2] & kNegativeBytes;
      // Bytes 1 to 100, taken down by 1, are below 100. A byte 0 borrows from its
      // neighbour but shows as 255 itself, so nothing bad gets by.
      if (numBytesAbove99(w0 - kByteOnes) | numBytesAbove99(w1 - kByteOnes) |
          numBytesAbove99(w2 - kByteOnes)) {
        const NumWide clamped = numClampBytes(NumWide{{w0, w1, w2}}, true);
        w0 = clamped.w[0];
        w1 = clamped.w[1];
        w2 = clamped.w[2];
      }
      w0 = kNegativeBytes - w0;
      w1 = kNegativeBytes - w1;
      w2 = kNegativeBytes - w2;
    }
  }
  NumWide m{{w0, w1, w2}};
  int e = (negative ? ~eb : eb) & 0x7F;
  int count = numDigitCount(m);
  if (count > 0 && (m.w[0] >> 56) == 0) {
    const int lead = numLeadingZeros(m);
    m = numShiftLeft(m, lead);
    e -= lead;
    count -= lead;
  }
  v.m = m;
  v.count = count;
  v.exponent = e;
  v.negative = negative;
}

// Encodes digits (each 0 to 99) with the sign and exponent at out, the position of the
// exponent byte, and returns the number of bytes that make up the record from there on,
// which is its length. Leading zero digits lower the exponent; more digits than the sign
// allows (23 positive, 22 negative) are rounded half up at the first digit dropped; the
// exponent is clamped to 4 to 124 with the digits left as they are; trailing zero digits
// are dropped. With pad the length is made a multiple of 4 with zero digits (before the
// terminator of a negative number). Writes nothing past out[23], the end of a 25-byte record.
KV_NUM_INLINE int NumPackWide(BYTE* out, NumWide m, int negative, int exponent, int pad) {
  if ((m.w[1] | m.w[2]) == 0 && m.w[0] != 0 && !pad) {
    // At most eight digits, the common case: one word and nothing to round.
    const int lead = std::countl_zero(m.w[0]) >> 3;
    const uint64_t w = m.w[0] << (8 * lead);
    exponent -= lead;
    exponent = exponent < kNumMinExponent   ? kNumMinExponent
               : exponent > kNumMaxExponent ? kNumMaxExponent
                                            : exponent;
    const int len = 9 - (std::countr_zero(w) >> 3);
    if (!negative) {
      out[0] = static_cast<BYTE>(exponent + 128);
      numStoreBig(out + 1, w);
      return len;
    }
    out[0] = static_cast<BYTE>(127 - exponent);
    numStoreBig(out + 1, kNegativeBytes - w);
    out[len] = kNumTerminator;
    return len + 1;
  }
  const int lead = numLeadingZeros(m);
  if (lead == kWideDigits) {
    negative = 0;
    exponent = kNumZeroExponent;
  } else {
    if (lead) {
      m = numShiftLeft(m, lead);
      exponent -= lead;
    }
    // The digit limit (23 or 22) falls in the last word: keep 7 or 6 of its bytes.
    const int kept = 8 * (kNumDigitLimit - negative - 16);
    const int roundDigit = static_cast<int>(m.w[2] >> (56 - kept) & 0xFF);
    m.w[2] &= ~(~0ull >> kept);
    if (roundDigit >= 50 && numAdd(m, m, NumWide{{0, 0, 1ull << (64 - kept)}})) {
      m = NumWide{{1ull << 56, 0, 0}};  // the carry ran out of the first digit
      ++exponent;
    }
    exponent = exponent < kNumMinExponent   ? kNumMinExponent
               : exponent > kNumMaxExponent ? kNumMaxExponent
                                            : exponent;
  }
  int len = 1 + numDigitCount(m);
  if (!negative) {
    out[0] = static_cast<BYTE>(exponent + 128);
    numStoreDigits23(out + 1, m);
    if (pad) len = (len + 3) & ~3;
    return len;
  }
  // A negative number stores 127 - e and 100 - d for every digit, then the terminator.
  out[0] = static_cast<BYTE>(127 - exponent);
  numStoreDigits23(out + 1, NumWide{{kNegativeBytes - m.w[0], kNegativeBytes - m.w[1],
                                     kNegativeBytes - m.w[2]}});
  if (pad) len = ((len + 4) & ~3) - 1;
  out[len] = kNumTerminator;
  return len + 1;
}

// The engines on plain digit arrays, for code that works digit by digit.

// digits needs room for 24. In: *count is the record's length; out: the number of digits.
// Returns 1 for a negative number.
KV_NUM_INLINE int NumUnpackDigits(BYTE* digits, const BYTE* exponentByte, int* count,
                                  int* exponent) {
  NumValue v;
  NumUnpackWide(v, exponentByte, *count);
  numStoreDigits(digits, v.m);
  *count = v.count;
  *exponent = v.exponent;
  return v.negative;
}

// As NumPackWide, from count digits; digits after the 24th significant one are not looked at.
KV_NUM_INLINE int NumPackDigits(BYTE* out, const BYTE* digits, int count, int negative,
                                int exponent, int pad) {
  while (count > 0 && *digits == 0) {
    ++digits;
    --count;
    --exponent;
  }
  const NumWide m = numLoadDigits(digits, count < kWideDigits ? count : kWideDigits);
  return NumPackWide(out, m, negative, exponent, pad);
}

// Reads a whole record by the plain length rule into digits, their count and the exponent;
// 1 for a negative number. A missing record reads as null (no digits).
KV_NUM_INLINE int NumUnpackRecord(const tagNUMBER* n, BYTE* digits, int& count, int& exponent) {
  n = NumOrNull(n);
  count = NumPlainLength(n);
  return NumUnpackDigits(digits, NumBytes(n) + 1, &count, &exponent);
}

// Reads an operand whose length the caller has taken.
KV_NUM_INLINE void NumUnpack(NumValue& v, const tagNUMBER* n, int length) {
  NumUnpackWide(v, NumBytes(n) + 1, length);
}

// Reads the two operands of an arithmetic operation (a missing one reads as null). Both
// are read before anything is written, so the result may be either of them.
KV_NUM_INLINE void NumUnpackOperands(NumValue& x, NumValue& y, const tagNUMBER* a, const tagNUMBER* b) {
  a = NumOrNull(a);
  b = NumOrNull(b);
  NumUnpack(x, a, NumArithLength(a));
  NumUnpack(y, b, NumArithLength(b));
}

// Packs into a result record and stores its length.
KV_NUM_INLINE unsigned NumStore(tagNUMBER* r, const NumWide& m, int negative, int exponent) {
  BYTE* out = NumBytes(r);
  const int len = NumPackWide(out + 1, m, negative, exponent, 0);
  out[0] = static_cast<BYTE>(len);
  return static_cast<unsigned>(len);
}

KV_NUM_INLINE unsigned NumStoreZero(tagNUMBER* r) {
  BYTE* out = NumBytes(r);
  out[0] = 1;
  out[1] = 0xC0;
  return 1;
}

// -1, 0 or 1: the magnitude of a against that of b. Unpacked digits have no leading zero,
// so the exponent decides first, then the digits.
KV_NUM_INLINE int NumCompareMagnitude(const NumValue& a, const NumValue& b) {
  if (a.count == 0 || b.count == 0) return (a.count != 0) - (b.count != 0);
  if (a.exponent != b.exponent) return a.exponent < b.exponent ? -1 : 1;
  return numCompareWide(a.m, b.m);
}

}  // namespace kv
