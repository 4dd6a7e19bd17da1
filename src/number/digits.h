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

// NumArithLength for the short paths: a length byte without its top bits, as every record
// the library writes has, is the length as it stands.
KV_NUM_INLINE int NumArithLengthFast(const tagNUMBER* n) {
  const BYTE b = n->bLength;
  if ((b & 0xC0) != 0) [[unlikely]] return NumArithLength(n);
  return b;
}

// Every byte of a mantissa read from a record clamped into its encoding (0 to 99 for a
// positive number, 1 to 100 for a negative one). Only bad records get here.
KV_NUM_NOINLINE inline NumWide numClampBytes(NumWide m, bool negative) {
  BYTE b[kWideDigits];
  numStoreDigits(b, m);
  for (BYTE& x : b) {
    x = negative ? (x == 0 ? BYTE{1} : (x > 100 ? BYTE{100} : x)) : (x > 99 ? BYTE{99} : x);
  }
  return numLoadDigits(b, kWideDigits);
}

// The n digits (0 to 8) after the exponent byte as one word, clamped into range.
KV_NUM_INLINE uint64_t numLoadWord(const BYTE* digits, int n, int negative) {
  uint64_t w = numLoadBigPartial(digits, n);
  if (!negative) {
    if (numBytesAbove99(w)) w = numClampBytes(NumWide{{w, 0, 0}}, false).w[0];
    return w;
  }
  w |= numTailMasks(n)[0] & kNegativeBytes;
  if (numBytesAbove99(w - kByteOnes)) w = numClampBytes(NumWide{{w, 0, 0}}, true).w[0];
  return kNegativeBytes - w;
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
    w0 = numLoadWord(exponentByte + 1, n, negative);
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

// NumPackWide for a non-zero vector of at most sixteen digits (two words) without padding,
// the common case: there is nothing to round.
KV_NUM_INLINE int NumPackShort(BYTE* out, uint64_t w0, uint64_t w1, int negative, int exponent) {
  if (w0 == 0) {
    w0 = w1;
    w1 = 0;
    exponent -= 8;
  }
  const int lead = std::countl_zero(w0) & ~7;
  if (lead) {
    w0 = w0 << lead | w1 >> (64 - lead);
    w1 <<= lead;
    exponent -= lead >> 3;
  }
  exponent = exponent < kNumMinExponent   ? kNumMinExponent
             : exponent > kNumMaxExponent ? kNumMaxExponent
                                          : exponent;
  const int len = w1 ? 17 - (std::countr_zero(w1) >> 3) : 9 - (std::countr_zero(w0) >> 3);
  if (!negative) {
    out[0] = static_cast<BYTE>(exponent + 128);
    numStoreBig(out + 1, w0);
    if (w1) numStoreBig(out + 9, w1);
    return len;
  }
  out[0] = static_cast<BYTE>(127 - exponent);
  numStoreBig(out + 1, kNegativeBytes - w0);
  if (w1) numStoreBig(out + 9, kNegativeBytes - w1);
  out[len] = kNumTerminator;
  return len + 1;
}

// Encodes digits (each 0 to 99) with the sign and exponent at out, the position of the
// exponent byte, and returns the number of bytes that make up the record from there on,
// which is its length. Leading zero digits lower the exponent; more digits than the sign
// allows (23 positive, 22 negative) are rounded half up at the first digit dropped; the
// exponent is clamped to 4 to 124 with the digits left as they are; trailing zero digits
// are dropped. With pad the length is made a multiple of 4 with zero digits (before the
// terminator of a negative number). Writes nothing past out[23], the end of a 25-byte record.
KV_NUM_INLINE int NumPackWide(BYTE* out, NumWide m, int negative, int exponent, int pad) {
  if (m.w[2] == 0 && (m.w[0] | m.w[1]) != 0 && !pad) return NumPackShort(out, m.w[0], m.w[1], negative, exponent);
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

// An operand of at most eight digits in normal form (the money amounts most programs
// compute with): its digits in one word, the first one non-zero.
struct NumWord {
  uint64_t w;
  int exponent;
  int negative;
};

// The count digit bytes (1 to 23) of a record in scalars, zero past them; only k0 for
// Words 1. Scalars throughout: an array here gets vectorised through the stack.
template <int Words>
KV_NUM_INLINE void numLoadKey(const BYTE* record, int count, uint64_t& k0, uint64_t& k1, uint64_t& k2) {
  const BYTE* p = record + 2;
  k1 = 0;
  k2 = 0;
  if (Words == 1 || count <= 8) {
    k0 = numLoadRecordDigits(record, count);
  } else if (count <= 16) {
    k0 = numLoadBig(p);
    k1 = numLoadBig(p + count - 8) << (8 * (16 - count));
  } else {
    k0 = numLoadBig(p);
    k1 = numLoadBig(p + 8);
    k2 = numLoadBig(p + count - 8) << (8 * (24 - count));
  }
}

// The order key of a record in normal form with every byte in range, of one to eight
// digits (Words 1) or one to 23 (Words 3): its digit bytes as stored, the positions past
// them holding the stored form of the digit 0. Exponent byte first, keys order as the
// values do for either sign, since a negative number stores 127 - e and 100 - d. False
// for anything else.
template <int Words>
KV_NUM_INLINE bool numOrderKey(const tagNUMBER* n, uint64_t* key) {
  static_assert(Words == 1 || Words == 3);
  constexpr unsigned kMaxCount = Words == 1 ? 8 : 23;
  const BYTE* p = NumBytes(n);
  const int length = NumArithLengthFast(n);
  // Null, zero and invalid lengths take the full way, which reads nothing past the length
  // byte of a record that may end there.
  if (length < 2 || length > kNumMaxLength) return false;
  uint64_t k0;
  uint64_t k1;
  uint64_t k2;
  if (p[1] & 0x80) {
    const int count = length - 1;
    if (static_cast<unsigned>(count - 1) >= kMaxCount) return false;
    numLoadKey<Words>(p, count, k0, k1, k2);
    key[0] = k0;
    if (Words == 3) {
      key[1] = k1;
      key[2] = k2;
    }
    return !(numBytesAbove99(k0) | numBytesAbove99(k1) | numBytesAbove99(k2)) && (k0 >> 56) != 0;
  }
  const int count = length - 2;
  if (static_cast<unsigned>(count - 1) >= kMaxCount) return false;
  numLoadKey<Words>(p, count, k0, k1, k2);
  // Bytes 1 to 100, taken down by 1, are below 100.
  const uint64_t* tail = numTailMasks(count);
  k0 |= tail[0] & kNegativeBytes;
  key[0] = k0;
  uint64_t bad = numBytesAbove99(k0 - kByteOnes);
  if (Words == 3) {
    k1 |= tail[1] & kNegativeBytes;
    k2 |= tail[2] & kNegativeBytes;
    key[1] = k1;
    key[2] = k2;
    bad |= numBytesAbove99(k1 - kByteOnes) | numBytesAbove99(k2 - kByteOnes);
  }
  return !bad && (k0 >> 56) != 100;
}

// The order keys of two records and their exponent bytes, as numOrderKey reads them.
template <int Words>
KV_NUM_INLINE bool NumOrderKeys(const tagNUMBER* a, const tagNUMBER* b, int& ea, uint64_t* ka, int& eb,
                                uint64_t* kb) {
  if (!a || !b || !numOrderKey<Words>(a, ka) || !numOrderKey<Words>(b, kb)) return false;
  ea = NumBytes(a)[1];
  eb = NumBytes(b)[1];
  return true;
}

// Both operands as one-word operands; false when either is anything else (missing, null,
// zero, longer, out of normal form or with a byte out of range), which the operations take
// the full way.
KV_NUM_INLINE bool NumReadWords(NumWord& x, NumWord& y, const tagNUMBER* a, const tagNUMBER* b) {
  uint64_t ka;
  uint64_t kb;
  if (!a || !b || !numOrderKey<1>(a, &ka) || !numOrderKey<1>(b, &kb)) return false;
  const BYTE ea = NumBytes(a)[1];
  const BYTE eb = NumBytes(b)[1];
  x.negative = (ea & 0x80) == 0;
  y.negative = (eb & 0x80) == 0;
  x.w = x.negative ? kNegativeBytes - ka : ka;
  y.w = y.negative ? kNegativeBytes - kb : kb;
  x.exponent = (x.negative ? ~ea : ea) & 0x7F;
  y.exponent = (y.negative ? ~eb : eb) & 0x7F;
  return true;
}

// Packs into a result record and stores its length.
KV_NUM_INLINE unsigned NumStore(tagNUMBER* r, const NumWide& m, int negative, int exponent) {
  BYTE* out = NumBytes(r);
  const int len = NumPackWide(out + 1, m, negative, exponent, 0);
  out[0] = static_cast<BYTE>(len);
  return static_cast<unsigned>(len);
}

// NumStore for a non-zero result of at most sixteen digits, in words w0 and w1.
KV_NUM_INLINE unsigned NumStoreShort(tagNUMBER* r, uint64_t w0, uint64_t w1, int negative, int exponent) {
  BYTE* out = NumBytes(r);
  const int len = NumPackShort(out + 1, w0, w1, negative, exponent);
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
