// Ordering of records: null below every value, then by value.
#include "number/digits.h"

namespace {

// Records out of normal form, with bytes out of range, zero or null: by their values.
KV_NUM_NOINLINE int compareValues(const NUMBER* a, const NUMBER* b) {
  a = kv::NumOrNull(a);
  b = kv::NumOrNull(b);
  const int la = kv::NumArithLength(a);
  const int lb = kv::NumArithLength(b);
  if (la > kv::kNumMaxLength || lb > kv::kNumMaxLength) return 0;
  if (la == 0 || lb == 0) return (la != 0) - (lb != 0);

  kv::NumValue x;
  kv::NumValue y;
  kv::NumUnpack(x, a, la);
  kv::NumUnpack(y, b, lb);
  if (x.count == 0) return y.count == 0 ? 0 : (y.negative ? 1 : -1);
  if (y.count == 0) return x.negative ? -1 : 1;
  if (x.negative != y.negative) return x.negative ? -1 : 1;
  const int c = kv::NumCompareMagnitude(x, y);
  return x.negative ? -c : c;
}

// -1, 0 or 1 by the order keys: the exponent bytes, then the words in turn.
template <int Words>
KV_NUM_INLINE int compareKeys(int ea, const uint64_t* ka, int eb, const uint64_t* kb) {
  if (ea != eb) return ea < eb ? -1 : 1;
  for (int j = 0; j < Words; ++j) {
    if (ka[j] != kb[j]) return ka[j] < kb[j] ? -1 : 1;
  }
  return 0;
}

// Records of more than eight digits, or anything else the one-word keys refuse.
KV_NUM_NOINLINE int compareLong(const NUMBER* a, const NUMBER* b) {
  int ea;
  int eb;
  uint64_t ka[3];
  uint64_t kb[3];
  if (kv::NumOrderKeys<3>(a, b, ea, ka, eb, kb)) return compareKeys<3>(ea, ka, eb, kb);
  return compareValues(a, b);
}

}  // namespace

KV_API int KV_CALL NumCompare(const NUMBER* a, const NUMBER* b) {
  int ea;
  int eb;
  uint64_t ka;
  uint64_t kb;
  if (kv::NumOrderKeys<1>(a, b, ea, &ka, eb, &kb)) return compareKeys<1>(ea, &ka, eb, &kb);
  return compareLong(a, b);
}
