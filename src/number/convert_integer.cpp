// Records to and from the 32-bit and 16-bit integers.
#include <cstdint>

#include "number/digits.h"

namespace {

constexpr uint64_t kSaturated = uint64_t{1} << 40;  // above every magnitude we tell apart

struct IntegerPart {
  uint32_t low;       // the low 32 bits of the signed integer part
  uint64_t magnitude;  // its magnitude, held at kSaturated once it is larger
  bool negative;
};

// The integer part, truncated toward zero.
IntegerPart integerPart(const tagNUMBER* number) {
  IntegerPart r{0, 0, false};
  if (!number) return r;
  BYTE digits[kv::kWideDigits];
  int count = 0;
  int e = 0;
  r.negative = kv::NumUnpackRecord(number, digits, count, e) != 0;
  if (count == 0) {
    r.negative = false;
    return r;
  }
  const int k = e - 64 - count;  // base-100 place of the last digit
  const int used = k < 0 ? count + k : count;
  uint32_t low = 0;
  uint64_t m = 0;
  auto step = [&](int digit) {
    low = low * 100u + static_cast<uint32_t>(digit);
    m = m >= kSaturated ? kSaturated : m * 100 + static_cast<uint64_t>(digit);
  };
  for (int i = 0; i < used; ++i) step(digits[i]);
  // 16 places are enough: 100^16 is a multiple of 2^32 and above kSaturated.
  for (int i = 0; i < k && i < 16; ++i) step(0);
  r.low = r.negative ? 0u - low : low;
  r.magnitude = m;
  return r;
}

// One function serves the signed and the unsigned name, so the range is their union.
LONG replyError(const IntegerPart& v) {
  return v.negative ? v.magnitude > (uint64_t{1} << 31) : v.magnitude > UINT32_MAX;
}

unsigned storeInteger(tagNUMBER* number, uint32_t magnitude, int negative) {
  if (!number) return 0;
  BYTE d[kv::kWideDigits] = {};
  for (int i = kv::kWideDigits - 1; magnitude; --i, magnitude /= 100) d[i] = static_cast<BYTE>(magnitude % 100);
  BYTE* b = kv::NumBytes(number);
  b[0] = static_cast<BYTE>(kv::NumPackDigits(b + 1, d, kv::kWideDigits, negative, 64 + kv::kWideDigits, 0));
  return b[0];
}

}  // namespace

KV_API LONG KV_CALL NumToLong(const NUMBER* number) { return static_cast<LONG>(integerPart(number).low); }

KV_API DWORD KV_CALL NumToDWord(const NUMBER* number) { return integerPart(number).low; }

KV_API WORD KV_CALL NumToWord(const NUMBER* number) { return static_cast<WORD>(integerPart(number).low); }

KV_CPP_API LONG KV_CALL NumToLongReply(tagNUMBER* number, LONG* error) {
  const IntegerPart v = integerPart(number);
  if (error) *error = replyError(v);
  return static_cast<LONG>(v.low);
}

KV_CPP_API DWORD KV_CALL NumToDWordReply(tagNUMBER* number, LONG* error) {
  const IntegerPart v = integerPart(number);
  if (error) *error = replyError(v);
  return v.low;
}

KV_CPP_API WORD KV_CALL NumToWordReply(tagNUMBER* number, LONG* error) {
  const IntegerPart v = integerPart(number);
  if (error) *error = replyError(v);
  return static_cast<WORD>(v.low);
}

KV_API unsigned KV_CALL NumLongToNumber(NUMBER* number, LONG value) {
  const uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
  return storeInteger(number, magnitude, value < 0);
}

KV_API unsigned KV_CALL NumDWordToNumber(NUMBER* number, DWORD value) { return storeInteger(number, value, 0); }

KV_API unsigned KV_CALL NumWordToNumber(NUMBER* number, WORD value) { return storeInteger(number, value, 0); }

KV_API NUMBER* KV_CALL NumGet(WORD value, NUMBER* number) {
  NumWordToNumber(number, value);
  return number;
}
