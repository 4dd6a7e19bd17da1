// Records to and from the OLE currency integer (tagCY, unscaled) and DECIMAL.
#include <cstdint>

#include "number/digits.h"

namespace {

constexpr int kMaxDecimalScale = 28;
constexpr int kMaxDecimalPlace = 32;  // a last digit beyond 100^32 cannot fit 96 bits

// A 128-bit magnitude in 32-bit limbs, least significant first: wide enough for 96-bit
// decimals times 10, and portable to targets without a 128-bit integer.
struct Magnitude {
  uint32_t w[4];

  void timesHundredPlus(uint32_t digit) {
    uint64_t carry = digit;
    for (uint32_t& x : w) {
      const uint64_t v = uint64_t{x} * 100 + carry;
      x = static_cast<uint32_t>(v);
      carry = v >> 32;
    }
  }
  uint32_t divideByHundred() {
    uint64_t rest = 0;
    for (int i = 3; i >= 0; --i) {
      const uint64_t v = rest << 32 | w[i];
      w[i] = static_cast<uint32_t>(v / 100);
      rest = v % 100;
    }
    return static_cast<uint32_t>(rest);
  }
  bool isZero() const { return (w[0] | w[1] | w[2] | w[3]) == 0; }
  uint64_t low64() const { return uint64_t{w[1]} << 32 | w[0]; }
};

// Packs a magnitude right-aligned in 24 base-100 positions, the last at 100^-places.
void storeMagnitude(tagNUMBER* number, Magnitude magnitude, int negative, int places) {
  BYTE d[kv::kWideDigits] = {};
  for (int i = kv::kWideDigits - 1; !magnitude.isZero() && i >= 0; --i)
    d[i] = static_cast<BYTE>(magnitude.divideByHundred());
  BYTE* b = kv::NumBytes(number);
  b[0] = static_cast<BYTE>(
      kv::NumPackDigits(b + 1, d, kv::kWideDigits, negative, 64 + kv::kWideDigits - places, 1));
}

// The digits of a record down to the base-100 place 100^-places (further ones truncated)
// as an integer: its low 128 bits, and whether it ever needed more than `bits` bits.
struct Scaled {
  Magnitude magnitude;
  bool negative;
  bool over;
};

Scaled scaledInteger(const tagNUMBER* number, int places, int bits) {
  Scaled r{{{0, 0, 0, 0}}, false, false};
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
  const int used = k < -places ? count + k + places : count;
  const int zeros = k + places > 0 ? k + places : 0;
  const int top = bits / 32;
  for (int i = 0; i < used + zeros; ++i) {
    r.magnitude.timesHundredPlus(i < used ? digits[i] : 0);
    for (int j = top; j < 4; ++j) r.over = r.over || r.magnitude.w[j] != 0;
  }
  return r;
}

}  // namespace

KV_CPP_API void KV_CALL NumLLongToNumber(tagNUMBER* number, tagCY* value) {
  if (!number) return;
  const int64_t v = value ? value->int64 : 0;
  const uint64_t m = v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
  storeMagnitude(number, Magnitude{{static_cast<uint32_t>(m), static_cast<uint32_t>(m >> 32), 0, 0}}, v < 0, 0);
}

KV_CPP_API void KV_CALL NumToLLong(tagCY* value, tagNUMBER* number, LONG* error) {
  if (error) *error = 0;
  const Scaled s = scaledInteger(number, 0, 64);
  const uint64_t low = s.magnitude.low64();
  const uint64_t limit = (uint64_t{1} << 63) - (s.negative ? 0 : 1);
  if (error && (s.over || low > limit)) *error = 1;
  if (value) value->int64 = static_cast<int64_t>(s.negative ? 0 - low : low);
}

KV_CPP_API void KV_CALL NumDECIMALToNumber(tagNUMBER* number, tagDEC* value) {
  if (!number) return;
  if (!value) {
    kv::NumStoreZero(number);
    return;
  }
  Magnitude magnitude{{value->Lo32, value->Mid32, value->Hi32, 0}};
  int scale = value->scale;
  // An odd scale takes one more decimal place: magnitude x 10 at the next even scale.
  if (scale & 1) {
    uint64_t carry = 0;
    for (uint32_t& x : magnitude.w) {
      const uint64_t v = uint64_t{x} * 10 + carry;
      x = static_cast<uint32_t>(v);
      carry = v >> 32;
    }
    ++scale;
  }
  storeMagnitude(number, magnitude, value->sign != 0, scale / 2);
}

KV_CPP_API void KV_CALL NumToDECIMAL(tagDEC* value, tagNUMBER* number, LONG* error) {
  if (error) *error = 0;
  BYTE digits[kv::kWideDigits];
  int count = 0;
  int e = 0;
  kv::NumUnpackRecord(number, digits, count, e);
  int places = 0;  // base-100 places after the point
  if (count > 0) {
    const int k = e - 64 - count;
    if (k > kMaxDecimalPlace) {
      if (error) *error = 1;
      return;
    }
    places = k < 0 ? -k : 0;
    if (places > kMaxDecimalScale / 2) {
      places = kMaxDecimalScale / 2;
      if (e - 64 <= -places) {  // no digit is left within 28 places
        if (error) *error = 1;
        return;
      }
    }
  }
  const Scaled s = scaledInteger(number, places, 96);
  if (s.over && error) *error = 1;
  if (!value) return;
  value->scale = static_cast<BYTE>(2 * places);
  value->sign = s.negative ? DECIMAL_NEG : 0;
  value->Hi32 = s.magnitude.w[2];
  value->Mid32 = s.magnitude.w[1];
  value->Lo32 = s.magnitude.w[0];
}
