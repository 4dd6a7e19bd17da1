// Base-100 digit vectors packed eight to a 64-bit word, and the word arithmetic the
// NUMBER operations run on. Digit i sits in byte 7 - i % 8 of word i / 8, so a word holds
// its digits in numeric order and vectors compare like the digit lists they hold. Carries
// between digits ride on the machine's own adder: a sum is taken with 156 added to every
// digit, so that a digit sum of 100 or more overflows its byte into the next one, and the
// bias is taken back from the bytes that did not overflow.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

#if defined(_MSC_VER)
#include <stdlib.h>
#endif

// The vectors live in registers only when every helper is inlined into the operation.
#if defined(_MSC_VER)
#define KV_NUM_INLINE __forceinline
#else
#define KV_NUM_INLINE inline __attribute__((always_inline))
#endif

// For the full-length paths, kept out of the short fast paths so those need no stack frame.
#if defined(_MSC_VER)
#define KV_NUM_NOINLINE __declspec(noinline)
#else
#define KV_NUM_NOINLINE __attribute__((noinline))
#endif

namespace kv {

constexpr int kWideDigits = 24;
constexpr uint64_t kByteOnes = 0x0101010101010101ull;
constexpr uint64_t kByteHighs = 0x8080808080808080ull;
constexpr uint64_t kDigitBias = 156;   // 256 - 100
constexpr uint64_t kLimb = 100000000;  // four base-100 digits

struct NumWide {
  uint64_t w[3];
};

KV_NUM_INLINE uint64_t numByteSwap(uint64_t v) {
#if defined(_MSC_VER)
  return _byteswap_uint64(v);
#else
  return __builtin_bswap64(v);
#endif
}

KV_NUM_INLINE uint64_t numLoadBig(const uint8_t* p) {
  uint64_t v;
  std::memcpy(&v, p, sizeof v);
  return std::endian::native == std::endian::little ? numByteSwap(v) : v;
}

KV_NUM_INLINE uint32_t numLoadBig32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 |
         static_cast<uint32_t>(p[2]) << 8 | p[3];
}

KV_NUM_INLINE void numStoreBig(uint8_t* p, uint64_t v) {
  if (std::endian::native == std::endian::little) v = numByteSwap(v);
  std::memcpy(p, &v, sizeof v);
}

// The n bytes at p (0 to 8) in the top bytes of a word, the rest zero; reads no other byte.
KV_NUM_INLINE uint64_t numLoadBigPartial(const uint8_t* p, int n) {
  if (n >= 4) {
    const uint64_t head = numLoadBig32(p);
    const uint64_t tail = numLoadBig32(p + n - 4);
    return head << 32 | tail << (8 * (8 - n));
  }
  if (n == 0) return 0;
  const int mid = n >> 1;
  return static_cast<uint64_t>(p[0]) << 56 | static_cast<uint64_t>(p[mid]) << (56 - 8 * mid) |
         static_cast<uint64_t>(p[n - 1]) << (56 - 8 * (n - 1));
}

// As numLoadBigPartial for the n digits (1 to 8) of a record, which start at record + 2:
// from six digits on, one load that ends at the last digit and takes in the record's own
// first bytes, which are then shifted out.
KV_NUM_INLINE uint64_t numLoadRecordDigits(const uint8_t* record, int n) {
  if (n >= 6) return numLoadBig(record + n - 6) << (8 * (8 - n));
  return numLoadBigPartial(record + 2, n);
}

// The first n digits (0 to 24) of a byte array, reading only those n bytes.
KV_NUM_INLINE NumWide numLoadDigits(const uint8_t* p, int n) {
  NumWide m{};
  if (n > 8) {
    m.w[0] = numLoadBig(p);
    if (n > 16) {
      m.w[1] = numLoadBig(p + 8);
      m.w[2] = numLoadBig(p + n - 8) << (8 * (24 - n));
    } else {
      m.w[1] = numLoadBig(p + n - 8) << (8 * (16 - n));
    }
  } else {
    m.w[0] = numLoadBigPartial(p, n);
  }
  return m;
}

// Writes the 24 digits to p[0..23].
KV_NUM_INLINE void numStoreDigits(uint8_t* p, const NumWide& m) {
  numStoreBig(p, m.w[0]);
  numStoreBig(p + 8, m.w[1]);
  numStoreBig(p + 16, m.w[2]);
}

// Writes the first 23 digits to p[0..22], touching no byte after them.
KV_NUM_INLINE void numStoreDigits23(uint8_t* p, const NumWide& m) {
  numStoreBig(p, m.w[0]);
  numStoreBig(p + 8, m.w[1]);
  numStoreBig(p + 15, m.w[1] << 56 | m.w[2] >> 8);
}

// Word j of a vector; selects keep the words in registers where an index would not.
KV_NUM_INLINE uint64_t numWord(const NumWide& m, int j) {
  return j == 0 ? m.w[0] : (j == 1 ? m.w[1] : m.w[2]);
}

KV_NUM_INLINE int numDigitAt(const NumWide& m, int i) {
  return static_cast<int>(numWord(m, i >> 3) >> (56 - 8 * (i & 7)) & 0xFF);
}

// A vector with the value d at position i.
KV_NUM_INLINE NumWide numDigitVector(int i, int d) {
  const uint64_t v = static_cast<uint64_t>(d) << (56 - 8 * (i & 7));
  const int j = i >> 3;
  return NumWide{{j == 0 ? v : 0, j == 1 ? v : 0, j == 2 ? v : 0}};
}

// m with the digit at position i replaced by d.
KV_NUM_INLINE void numSetDigit(NumWide& m, int i, int d) {
  const NumWide mask = numDigitVector(i, 0xFF);
  const NumWide value = numDigitVector(i, d);
  for (int j = 0; j < 3; ++j) m.w[j] = (m.w[j] & ~mask.w[j]) | value.w[j];
}

// The mask of the first c bytes (0 to 8) of a word.
KV_NUM_INLINE uint64_t numHeadMask(int c) {
  static constexpr uint64_t kMasks[9] = {
      0,
      0xFF00000000000000ull,
      0xFFFF000000000000ull,
      0xFFFFFF0000000000ull,
      0xFFFFFFFF00000000ull,
      0xFFFFFFFFFF000000ull,
      0xFFFFFFFFFFFF0000ull,
      0xFFFFFFFFFFFFFF00ull,
      0xFFFFFFFFFFFFFFFFull,
  };
  return kMasks[c];
}

// The masks of the bytes from position n on (n from 0 to 24), word by word.
KV_NUM_INLINE const uint64_t* numTailMasks(int n) {
  static constexpr auto kTails = [] {
    struct Table {
      uint64_t m[25][3];
    } t{};
    for (int k = 0; k <= 24; ++k) {
      for (int j = 0; j < 3; ++j) {
        const int c = k - 8 * j < 0 ? 0 : (k - 8 * j > 8 ? 8 : k - 8 * j);
        t.m[k][j] = c == 8 ? 0 : ~0ull >> (8 * c);
      }
    }
    return t;
  }();
  return kTails.m[n];
}

KV_NUM_INLINE int numClamp8(int c) { return c < 0 ? 0 : (c > 8 ? 8 : c); }

// Clears every digit from position n on (n from 0 to 24).
KV_NUM_INLINE void numKeep(NumWide& m, int n) {
  m.w[0] &= numHeadMask(numClamp8(n));
  m.w[1] &= numHeadMask(numClamp8(n - 8));
  m.w[2] &= numHeadMask(numClamp8(n - 16));
}

// Digits moved k places towards the end (0 <= k < 24); those pushed past 24 are lost.
// Selects rather than an indexed array, which would stall on the stores just made.
KV_NUM_INLINE NumWide numShiftRight(const NumWide& m, int k) {
  const int q = k >> 3;
  const int r = 8 * (k & 7);
  const uint64_t s0 = q == 0 ? m.w[0] : 0;
  const uint64_t s1 = q == 0 ? m.w[1] : (q == 1 ? m.w[0] : 0);
  const uint64_t s2 = q == 0 ? m.w[2] : (q == 1 ? m.w[1] : m.w[0]);
  // (x << 1) << (63 - r): the bytes that cross into the next word, also for r = 0.
  return NumWide{{s0 >> r, s1 >> r | (s0 << 1) << (63 - r), s2 >> r | (s1 << 1) << (63 - r)}};
}

// Digits moved k places towards the front (0 <= k < 24).
KV_NUM_INLINE NumWide numShiftLeft(const NumWide& m, int k) {
  const int q = k >> 3;
  const int r = 8 * (k & 7);
  const uint64_t s0 = q == 0 ? m.w[0] : (q == 1 ? m.w[1] : m.w[2]);
  const uint64_t s1 = q == 0 ? m.w[1] : (q == 1 ? m.w[2] : 0);
  const uint64_t s2 = q == 0 ? m.w[2] : 0;
  return NumWide{{s0 << r | (s1 >> 1) >> (63 - r), s1 << r | (s2 >> 1) >> (63 - r), s2 << r}};
}

// Zero digits before the first non-zero one (24 for a zero vector).
KV_NUM_INLINE int numLeadingZeros(const NumWide& m) {
  if (m.w[0]) return std::countl_zero(m.w[0]) >> 3;
  if (m.w[1]) return 8 + (std::countl_zero(m.w[1]) >> 3);
  if (m.w[2]) return 16 + (std::countl_zero(m.w[2]) >> 3);
  return kWideDigits;
}

// Digits up to the last non-zero one.
KV_NUM_INLINE int numDigitCount(const NumWide& m) {
  if (m.w[2]) return 24 - (std::countr_zero(m.w[2]) >> 3);
  if (m.w[1]) return 16 - (std::countr_zero(m.w[1]) >> 3);
  if (m.w[0]) return 8 - (std::countr_zero(m.w[0]) >> 3);
  return 0;
}

KV_NUM_INLINE int numCompareWide(const NumWide& a, const NumWide& b) {
  for (int i = 0; i < 3; ++i) {
    if (a.w[i] != b.w[i]) return a.w[i] < b.w[i] ? -1 : 1;
  }
  return 0;
}

// One word of a digit sum: a + b + carry (0 or 1) into r; returns the carry out of its
// first digit.
KV_NUM_INLINE uint64_t numAddWord(uint64_t& r, uint64_t a, uint64_t b, uint64_t carry) {
  const uint64_t t = a + kDigitBias * kByteOnes;
  const uint64_t s1 = t + b;
  const uint64_t s = s1 + carry;
  const uint64_t out = static_cast<uint64_t>(s1 < t) | static_cast<uint64_t>(s < s1);
  // Bit 8j of (t ^ b ^ s) is the carry into byte j; shifted down it marks the carry out.
  const uint64_t carried = ((t ^ b ^ s) >> 8 | out << 56) & kByteOnes;
  r = s - (~carried & kByteOnes) * kDigitBias;
  return out;
}

// One word of a digit difference: a - b - borrow into r; returns the borrow out.
KV_NUM_INLINE uint64_t numSubtractWord(uint64_t& r, uint64_t a, uint64_t b, uint64_t borrow) {
  const uint64_t s1 = a - b;
  const uint64_t s = s1 - borrow;
  const uint64_t out = static_cast<uint64_t>(a < b) | static_cast<uint64_t>(s1 < borrow);
  const uint64_t borrowed = ((a ^ b ^ s) >> 8 | out << 56) & kByteOnes;
  r = s - borrowed * kDigitBias;
  return out;
}

// r = a + b digit by digit; returns the carry out of the first digit.
KV_NUM_INLINE int numAdd(NumWide& r, const NumWide& a, const NumWide& b) {
  uint64_t carry = 0;
  for (int i = 2; i >= 0; --i) carry = numAddWord(r.w[i], a.w[i], b.w[i], carry);
  return static_cast<int>(carry);
}

// r = a - b digit by digit, for a >= b.
KV_NUM_INLINE void numSubtract(NumWide& r, const NumWide& a, const NumWide& b) {
  uint64_t borrow = 0;
  for (int i = 2; i >= 0; --i) borrow = numSubtractWord(r.w[i], a.w[i], b.w[i], borrow);
}

// Non-zero when a byte of w is 100 or more: 28 added to it sets its top bit, unless the
// byte has it already. Only a byte of 228 or more carries into the next, and it is caught
// itself, so the carry cannot change the answer.
KV_NUM_INLINE uint64_t numBytesAbove99(uint64_t w) { return ((w + 0x1C * kByteOnes) | w) & kByteHighs; }

// Four digits (a 32-bit lane of a word) as a number below 10^8, both lanes at once:
// limbs[0] from the top lane, limbs[1] from the bottom one.
KV_NUM_INLINE void numWordToLimbs(uint64_t w, uint64_t* limbs) {
  w = ((w >> 8) & 0x00FF00FF00FF00FFull) * 100 + (w & 0x00FF00FF00FF00FFull);
  w = ((w >> 16) & 0x0000FFFF0000FFFFull) * 10000 + (w & 0x0000FFFF0000FFFFull);
  limbs[0] = w >> 32;
  limbs[1] = w & 0xFFFFFFFFull;
}

// Two limbs below 10^8 as the eight digits of a word.
KV_NUM_INLINE uint64_t numLimbsToWord(uint64_t hi, uint64_t lo) {
  // The limbs' first and last four digits in the 32-bit lanes of two words, laid out so
  // that each word's lanes, split into digits (5243 / 2^19 divides them by 100), end up
  // half a lane apart: digits 0 1 | 4 5 over digits 2 3 | 6 7.
  // x / 10^4 for x below 2^27 is (x * ceil(2^40 / 10^4)) >> 40, which needs no wide product.
  const uint64_t heads = ((hi * 109951163) >> 40) << 32 | (lo * 109951163) >> 40;
  const uint64_t tails = (hi << 32 | lo) - heads * 10000;
  const uint64_t qh = ((heads * 5243) >> 19) & 0x0000007F0000007Full;
  const uint64_t qt = ((tails * 5243) >> 19) & 0x0000007F0000007Full;
  return (qh << 8 | (heads - qh * 100)) << 16 | qt << 8 | (tails - qt * 100);
}

// The first 4 * limbs digits (limbs from 1 to 6) as limbs below 10^8, most significant
// first; the last limb may be left over from a word's second half.
KV_NUM_INLINE void numToLimbs(const NumWide& m, uint64_t* out, int limbs) {
  numWordToLimbs(m.w[0], out);
  if (limbs > 2) numWordToLimbs(m.w[1], out + 2);
  if (limbs > 4) numWordToLimbs(m.w[2], out + 4);
}

// limbs (from 1 to 6) limbs below 10^8 as digits; the rest of the vector is zero.
KV_NUM_INLINE NumWide numFromLimbs(const uint64_t* in, int limbs) {
  NumWide m{};
  m.w[0] = numLimbsToWord(in[0], limbs > 1 ? in[1] : 0);
  if (limbs > 2) m.w[1] = numLimbsToWord(in[2], limbs > 3 ? in[3] : 0);
  if (limbs > 4) m.w[2] = numLimbsToWord(in[4], limbs > 5 ? in[5] : 0);
  return m;
}

}  // namespace kv
