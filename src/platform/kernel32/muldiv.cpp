// MulDiv: scaling without the overflow of a 32-bit product.
#include <korvane/win32.h>

#include <cstdint>

KW32_API int WINAPI MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  const int64_t product = static_cast<int64_t>(number) * numerator;
  const bool negative = (product < 0) != (denominator < 0);
  const uint64_t p = product < 0 ? -static_cast<uint64_t>(product) : static_cast<uint64_t>(product);
  const uint64_t d = denominator < 0 ? -static_cast<uint64_t>(static_cast<int64_t>(denominator))
                                     : static_cast<uint64_t>(denominator);
  const uint64_t q = (p + d / 2) / d;  // half away from zero
  if (q > (negative ? 0x80000000ull : 0x7FFFFFFFull)) return -1;
  return negative ? static_cast<int>(-static_cast<int64_t>(q)) : static_cast<int>(q);
}
