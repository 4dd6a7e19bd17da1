// Ordering of records: null below every value, then by value.
#include "number/digits.h"

KV_API int KV_CALL NumCompare(const NUMBER* a, const NUMBER* b) {
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
