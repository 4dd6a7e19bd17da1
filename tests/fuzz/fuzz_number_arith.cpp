// NUMBER arithmetic and machine-type conversions on arbitrary records. Input: two 25-byte
// records, then the operands of the scalar arguments (places, precision, scale, power, a
// double, a currency and a decimal). Each record is copied to the heap in exactly the bytes
// its length byte claims, so ASan sees any read past it. Properties: every result is a
// well-formed record, addition and multiplication commute, comparison is antisymmetric,
// a result may be an operand, and the conversions stay in their defined ranges.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstring>

#include <korvane/datetime.h>

#include "fuzz_support.h"

namespace {

using kvfuzz::HeapRecord;
using kvfuzz::IsWellFormed;
using kvfuzz::SameRecord;

using BinaryOp = unsigned(KV_CALL*)(NUMBER*, const NUMBER*, const NUMBER*);

NUMBER Fresh() {
  NUMBER n;
  std::memset(&n, 0xEE, sizeof n);
  return n;
}

NUMBER Apply(BinaryOp op, const NUMBER* a, const NUMBER* b, unsigned* length) {
  NUMBER r = Fresh();
  *length = op(&r, a, b);
  return r;
}

void CheckBinary(BinaryOp op, bool shortLength, const NUMBER& a, const NUMBER& b, const HeapRecord& ha,
                 const HeapRecord& hb) {
  unsigned len = 0;
  const NUMBER r = Apply(op, ha.get(), hb.get(), &len);
  // A product packed into 24 bytes is stored with the length byte 23.
  FUZZ_CHECK(r.bLength == len || (shortLength && len == 24 && r.bLength == 23));
  FUZZ_CHECK(IsWellFormed(r, !shortLength || len < 24));
  // The result may be either operand.
  NUMBER x = a;
  op(&x, &x, hb.get());
  FUZZ_CHECK(SameRecord(x, r));
  NUMBER y = b;
  op(&y, ha.get(), &y);
  FUZZ_CHECK(SameRecord(y, r));
}

void CheckConversions(const HeapRecord& h) {
  NUMBER* n = const_cast<NUMBER*>(h.get());
  double d = 1.0;
  NumToDouble(n, &d);
  FUZZ_CHECK(std::isfinite(d));
  NumToDoubleNotNull(n, &d);
  LONG error = 7;
  (void)NumToLongReply(n, &error);
  FUZZ_CHECK(error == 0 || error == 1);
  error = 7;
  (void)NumToDWordReply(n, &error);
  FUZZ_CHECK(error == 0 || error == 1);
  error = 7;
  (void)NumToWordReply(n, &error);
  FUZZ_CHECK(error == 0 || error == 1);
  (void)NumToLong(n);
  (void)NumToDWord(n);
  (void)NumToWord(n);
  CY cy{};
  error = 7;
  NumToLLong(&cy, n, &error);
  FUZZ_CHECK(error == 0 || error == 1);
  DECIMAL dec{};
  error = 7;
  NumToDECIMAL(&dec, n, &error);
  FUZZ_CHECK(error == 0 || error == 1);
  if (!error) {
    FUZZ_CHECK(dec.scale <= 28);
    NUMBER back = Fresh();
    NumDECIMALToNumber(&back, &dec);
    FUZZ_CHECK(IsWellFormed(back, false));
  }
  (void)NumIsZero(n);
  (void)NumIsNull(n);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  NUMBER a{}, b{};
  in.ConsumeData(&a, sizeof a);
  in.ConsumeData(&b, sizeof b);
  const HeapRecord ha(a), hb(b);

  CheckBinary(NumAddition, false, a, b, ha, hb);
  CheckBinary(NumSubtract, false, a, b, ha, hb);
  CheckBinary(NumMultiply, true, a, b, ha, hb);
  CheckBinary(NumDivide, false, a, b, ha, hb);
  unsigned l1 = 0, l2 = 0;
  FUZZ_CHECK(SameRecord(Apply(NumAddition, ha.get(), hb.get(), &l1), Apply(NumAddition, hb.get(), ha.get(), &l2)));
  FUZZ_CHECK(SameRecord(Apply(NumMultiply, ha.get(), hb.get(), &l1), Apply(NumMultiply, hb.get(), ha.get(), &l2)));

  const int ab = NumCompare(ha.get(), hb.get());
  FUZZ_CHECK(ab >= -1 && ab <= 1);
  FUZZ_CHECK(NumCompare(hb.get(), ha.get()) == -ab);
  FUZZ_CHECK(NumCompare(ha.get(), ha.get()) == 0);
  const int dab = DateCompare(const_cast<NUMBER*>(ha.get()), const_cast<NUMBER*>(hb.get()));
  FUZZ_CHECK(dab >= -1 && dab <= 1);
  FUZZ_CHECK(DateCompare(const_cast<NUMBER*>(hb.get()), const_cast<NUMBER*>(ha.get())) == -dab);

  const int places = in.ConsumeIntegralInRange<int>(-140, 140);
  NUMBER r = Fresh();
  const int rl = NumRound(&r, ha.get(), places);
  FUZZ_CHECK(rl == r.bLength && IsWellFormed(r));

  const unsigned precision = in.ConsumeIntegral<uint8_t>();
  const unsigned scale = in.ConsumeIntegral<uint8_t>();
  NUMBER t = a;
  const unsigned tl = NumTruncate(&t, precision, scale);
  if (kvfuzz::RecordLength(a) == 0 || kvfuzz::RecordLength(a) > 24) {
    FUZZ_CHECK(tl == 0 && std::memcmp(&t, &a, sizeof a) == 0);
  } else {
    FUZZ_CHECK(tl == 1 && IsWellFormed(t));
  }

  NUMBER g = a;
  const unsigned gl = NumNegate(&g);
  if (gl == 0) {
    FUZZ_CHECK(std::memcmp(&g, &a, sizeof a) == 0);
  } else {
    FUZZ_CHECK(gl == g.bLength && IsWellFormed(g));
  }

  const int power = in.ConsumeIntegralInRange<int>(-70, 70);
  NUMBER p = Fresh();
  const unsigned pl = NumPower10(&p, ha.get(), power);
  if (power < -60 || power > 60) {
    FUZZ_CHECK(pl == 0 && p.bLength == 0);
  } else {
    FUZZ_CHECK(IsWellFormed(p, pl < 24));
  }

  CheckConversions(ha);
  CheckConversions(hb);

  // Doubles of every bit pattern: DBL_MAX, NaN, infinities, denormals.
  double value = 0;
  const uint64_t bits = in.ConsumeIntegral<uint64_t>();
  std::memcpy(&value, &bits, sizeof value);
  NUMBER fromDouble = Fresh();
  const int ok = NumDoubleToNumber(&fromDouble, value);
  if (!std::isfinite(value)) {
    FUZZ_CHECK(ok == 1 && fromDouble.bLength == 0);
  } else if (ok) {
    FUZZ_CHECK(IsWellFormed(fromDouble));
  } else {
    FUZZ_CHECK(fromDouble.bLength == 0);
  }
  char gcvt[24];
  std::memset(gcvt, 0x7E, sizeof gcvt);
  FUZZ_CHECK(FMTgcvt(value, gcvt) == gcvt);
  FUZZ_CHECK(std::memchr(gcvt, 0, sizeof gcvt) != nullptr);

  CY cy;
  cy.int64 = in.ConsumeIntegral<int64_t>();
  NUMBER fromCy = Fresh();
  NumLLongToNumber(&fromCy, &cy);
  FUZZ_CHECK(IsWellFormed(fromCy, false));
  CY cyBack{};
  LONG error = 7;
  NumToLLong(&cyBack, &fromCy, &error);
  FUZZ_CHECK(error == 0 && cyBack.int64 == cy.int64);

  DECIMAL dec{};
  dec.scale = in.ConsumeIntegral<uint8_t>();
  dec.sign = in.ConsumeIntegral<uint8_t>();
  dec.Hi32 = in.ConsumeIntegral<uint32_t>();
  dec.Lo64 = in.ConsumeIntegral<uint64_t>();
  NUMBER fromDec = Fresh();
  NumDECIMALToNumber(&fromDec, &dec);
  FUZZ_CHECK(IsWellFormed(fromDec, false));
  return 0;
}
