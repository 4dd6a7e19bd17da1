// Division: the quotient of the dividend, with a zero digit in front, by the divisor, cut
// after 24 digits (the front one included); packing rounds it to the record's precision.
// The long division runs in limbs of four digits.
#include "number/digits.h"

using kv::kLimb;
using kv::NumValue;
using kv::NumWide;

namespace {

constexpr int kQuotientLimbs = 6;  // 24 digits
constexpr int kMaxLimbs = 6;

// floor(x / 10^8) for the quotient limbs, which lie within -2 * 10^8 and 3 * 10^8.
int64_t smallCarry(int64_t x) {
  constexpr int64_t b = static_cast<int64_t>(kLimb);
  return (x >= b) + (x >= 2 * b) - (x < 0) - (x < -b);
}

// q[0..5] = the first 24 digits of u / v, where u holds nu limbs followed by zeros and
// v holds NV limbs (its first one at least 10^6); the quotient is below 10^48 by
// construction. One copy per divisor length, so that the loops unroll and the limbs stay
// in registers.
//
// Each quotient limb is estimated in floating point from the top three limbs of the
// remainder and of the divisor; the estimate is at most one off, and the next limb makes
// up for it (it may then come out negative or above the base), so that one correction at
// the end gives the exact quotient. The remainder's limbs are not kept below the base:
// each quotient limb takes its products straight from them, and each limb takes at most
// six products below 2 * 10^16 and one fold of the limb above, far from overflow.
template <int NV>
void divideLimbs(const uint64_t* u, int nu, const uint64_t* v, uint64_t* q) {
  constexpr double kBase = 1e8;
  constexpr int64_t kB = static_cast<int64_t>(kLimb);
  int64_t r[kQuotientLimbs + NV + 1] = {};
  for (int k = 0; k < kMaxLimbs; ++k) r[k] = k < nu ? static_cast<int64_t>(u[k]) : 0;
  int64_t d[NV < 3 ? 3 : NV] = {};
  for (int i = 0; i < NV; ++i) d[i] = static_cast<int64_t>(v[i]);
  const double inverse = 1.0 / ((static_cast<double>(d[0]) * kBase + static_cast<double>(d[1])) +
                                static_cast<double>(d[2]) / kBase);
  const double inverse1 = inverse * kBase;
  const double inverse2 = inverse1 * kBase;

  // The window of quotient limb j is r[j-1..j-1+NV]; limb 0 would be 0.
  int64_t qs[kQuotientLimbs];
  for (int j = 1; j <= kQuotientLimbs; ++j) {
    const double top =
        static_cast<double>(r[j - 1]) * inverse2 +
        (static_cast<double>(r[j]) * inverse1 + static_cast<double>(r[j + 1]) * inverse);
    const int64_t digit = static_cast<int64_t>(top);
    for (int i = 0; i < NV; ++i) r[j + i] -= digit * d[i];
    r[j] += r[j - 1] * kB;
    qs[j - 1] = digit;
  }

  // The remainder r[6..5+NV] into limbs below the base (the first keeps the sign), then
  // one step up or down when it is negative or not below the divisor.
  for (int k = kQuotientLimbs + NV - 1; k > kQuotientLimbs; --k) {
    int64_t carry = r[k] / kB;
    carry -= carry * kB > r[k];
    r[k] -= carry * kB;
    r[k - 1] += carry;
  }
  int cmp = 0;
  for (int i = NV - 1; i >= 0; --i) {
    const int c = (r[kQuotientLimbs + i] > d[i]) - (r[kQuotientLimbs + i] < d[i]);
    cmp = c != 0 ? c : cmp;
  }
  qs[kQuotientLimbs - 1] += r[kQuotientLimbs] < 0 ? -1 : (cmp >= 0 ? 1 : 0);
  for (int k = kQuotientLimbs - 1; k > 0; --k) {
    const int64_t carry = smallCarry(qs[k]);
    qs[k] -= carry * kB;
    qs[k - 1] += carry;
  }
  for (int k = 0; k < kQuotientLimbs; ++k) q[k] = static_cast<uint64_t>(qs[k]);
}

void divideLimbs(const uint64_t* u, int nu, const uint64_t* v, int nv, uint64_t* q) {
  switch (nv) {
    case 1:
      return divideLimbs<1>(u, nu, v, q);
    case 2:
      return divideLimbs<2>(u, nu, v, q);
    case 3:
      return divideLimbs<3>(u, nu, v, q);
    case 4:
      return divideLimbs<4>(u, nu, v, q);
    case 5:
      return divideLimbs<5>(u, nu, v, q);
    default:
      return divideLimbs<6>(u, nu, v, q);
  }
}

#if defined(__SIZEOF_INT128__)
// hi:lo / d for hi < d, on hosts with a 128-bit type: the quotient, and the remainder in hi.
inline uint64_t divideWide(uint64_t& hi, uint64_t lo, uint64_t d) {
#if defined(__x86_64__)
  uint64_t q;
  __asm__("divq %[d]" : "=a"(q), "+d"(hi) : "a"(lo), [d] "rm"(d) : "cc");
  return q;
#else
  const unsigned __int128 n = static_cast<unsigned __int128>(hi) << 64 | lo;
  hi = static_cast<uint64_t>(n % d);
  return static_cast<uint64_t>(n / d);
#endif
}

// The eight digits of a word as an integer below 10^16.
inline uint64_t wordValue(uint64_t w) {
  uint64_t limbs[2];
  kv::numWordToLimbs(w, limbs);
  return limbs[0] * kLimb + limbs[1];
}

// Two one-word operands: with X and Y their eight-digit words as integers, the 24 quotient
// digits are X * 10^46 / Y, taken sixteen at a time by the machine's divide.
KV_NUM_INLINE bool divideWords(tagNUMBER* result, const tagNUMBER* a, const tagNUMBER* b, unsigned& length) {
  kv::NumWord x;
  kv::NumWord y;
  if (!kv::NumReadWords(x, y, a, b)) return false;
  const uint64_t d = wordValue(y.w);
  unsigned __int128 n = static_cast<unsigned __int128>(wordValue(x.w)) * 100000000000000ull;  // 10^14
  uint64_t q[3];
  for (uint64_t& word : q) {
    uint64_t rest = static_cast<uint64_t>(n >> 64);
    const uint64_t v = divideWide(rest, static_cast<uint64_t>(n), d);
    word = kv::numLimbsToWord(v / kLimb, v % kLimb);
    n = static_cast<unsigned __int128>(rest) * 10000000000000000ull;  // 10^16
  }
  length = kv::NumStore(result, NumWide{{q[0], q[1], q[2]}}, x.negative ^ y.negative, x.exponent - y.exponent + 65);
  return true;
}
#else
bool divideWords(tagNUMBER*, const tagNUMBER*, const tagNUMBER*, unsigned&) { return false; }
#endif

KV_NUM_NOINLINE unsigned divideFull(tagNUMBER* result, const tagNUMBER* a, const tagNUMBER* b) {
  NumValue x;
  NumValue y;
  kv::NumUnpackOperands(x, y, a, b);
  const int negative = x.negative ^ y.negative;
  if (x.count == 0) return kv::NumStoreZero(result);
  if (y.count == 0) {
    // Division by zero saturates: packing rounds 24 nines up into the largest exponent.
    const NumWide nines{{99 * kv::kByteOnes, 99 * kv::kByteOnes, 99 * kv::kByteOnes}};
    return kv::NumStore(result, nines, negative, kv::kNumMaxExponent);
  }

  // The dividend with its zero digit in front, and the divisor, in limbs.
  const int nu = (x.count + 4) >> 2;
  const int nv = (y.count + 3) >> 2;
  uint64_t u[kMaxLimbs] = {};
  uint64_t v[kMaxLimbs] = {};
  kv::numToLimbs(kv::numShiftRight(x.m, 1), u, nu);
  kv::numToLimbs(y.m, v, nv);
  uint64_t q[kQuotientLimbs];
  divideLimbs(u, nu, v, nv, q);
  return kv::NumStore(result, kv::numFromLimbs(q, kQuotientLimbs), negative,
                      x.exponent - y.exponent + 65);
}

}  // namespace

KV_API unsigned KV_CALL NumDivide(NUMBER* result, const NUMBER* a, const NUMBER* b) {
  if (!result) return 0;
  unsigned length;
  if (divideWords(result, a, b, length)) return length;
  return divideFull(result, a, b);
}
