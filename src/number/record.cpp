// Creating and testing records: small integers, null, zero, and the null double.
#include <cstdint>
#include <cstring>

#include "number/digits.h"

KV_CPP_API void KV_CALL NumCreateSmall(tagNUMBER* number, int value) {
  if (!number) return;
  if (value == 0) {
    kv::NumStoreZero(number);
    return;
  }
  // Out of range the single digit is 0, so the record reads as zero.
  const int digit = value >= -99 && value <= 99 ? (value < 0 ? -value : value) : 0;
  BYTE* b = kv::NumBytes(number);
  if (value > 0) {
    b[0] = 2;
    b[1] = 0xC1;
    b[2] = static_cast<BYTE>(digit);
  } else {
    b[0] = 3;
    b[1] = 0x3E;
    b[2] = static_cast<BYTE>(100 - digit);
    b[3] = kv::kNumTerminator;
  }
}

KV_API int KV_CALL NumIsNull(const NUMBER* number) { return !number || number->bLength == 0; }

KV_API void KV_CALL NumMakeNull(NUMBER* number) {
  if (number) number->bLength = 0;
}

KV_API void KV_CALL NumNullToZero(NUMBER* number) {
  if (number && kv::NumPlainLength(number) == 0) kv::NumStoreZero(number);
}

KV_API int KV_CALL NumIsZero(const NUMBER* number) {
  if (!number) return 0;
  const int length = kv::NumPlainLength(number);
  if (length < 1 || length > kv::kNumMaxLength) return 0;
  kv::NumValue v;
  kv::NumUnpack(v, number, length);
  return v.count == 0;
}

namespace {
constexpr uint64_t kNullDoubleBits = 0x7FF8000000000000ull;
constexpr uint64_t kExponentBits = 0x7FF0000000000000ull;
}  // namespace

KV_API void KV_CALL NumNullDouble(double* value) {
  if (value) std::memcpy(value, &kNullDoubleBits, sizeof *value);
}

KV_API int KV_CALL NumIsNullDouble(double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return (bits & kExponentBits) == kExponentBits;
}
