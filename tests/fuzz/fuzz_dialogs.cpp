// The dialog helpers' text forms of measurements and their wildcard test, on arbitrary
// values and texts. Input: a value, decimals and a selector from the end, text from the
// front.
// Properties: a measurement's text fits the room the callers give (16 bytes for inches,
// 24 for centimetres: each sits in a buffer of exactly that size) and reads back as the
// value, exactly in inches and within the quarter millimetre the centimetres are rounded
// to; a typed text is read only within its own bytes and never gives a value with a
// failure or a failure with a value.
#include <fuzzer/FuzzedDataProvider.h>
#include <korvane/dialogs.h>

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz_support.h"
#include "ui/measurements.h"

namespace {

void Inches(UINT value, int decimals) {
  kvfuzz::OutBuffer text(16);
  DlgSetStrRealUnits(value, 0, text.get(), decimals);
  text.length();
  // Whole parts beyond 31 bits show as "%d" always showed them; only the others read back.
  const int clamped = decimals < 0 ? 0 : decimals > 3 ? 3 : decimals;
  if (value > INT_MAX) return;
  LONG back = -1;
  FUZZ_CHECK(kv::ui::parseMeasurement(text.get(), false, clamped, back));
  FUZZ_CHECK(back == static_cast<LONG>(value));
}

void Centimetres(LONG value) {
  kvfuzz::OutBuffer text(24);
  DlgSetStrRealMetricUnits(value, 0, text.get());
  text.length();
  if (value < 0 || value > 1000000000) return;
  LONG back = -1;
  FUZZ_CHECK(kv::ui::parseMeasurement(text.get(), true, 0, back));
  // A quarter millimetre is 9.84 thousandths of an inch; the text is at most half of one
  // (plus the half the reading adds) away.
  FUZZ_CHECK(std::labs(static_cast<long>(back) - value) <= 6);
}

void Typed(const std::string& typed, bool metric, int decimals) {
  const kvfuzz::HeapText text(typed);
  LONG value = -1;
  const bool ok = kv::ui::parseMeasurement(text.get(), metric, decimals, value);
  FUZZ_CHECK(ok ? value >= 0 : value == 0);
  const int wild = DlgSearchSpec(text.get());
  FUZZ_CHECK(wild == 0 || wild == 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const uint8_t selector = in.ConsumeIntegral<uint8_t>();
  const int decimals = in.ConsumeIntegralInRange<int>(-2, 6);
  switch (selector % 3) {
    case 0:
      Inches(in.ConsumeIntegral<UINT>(), decimals);
      break;
    case 1:
      Centimetres(in.ConsumeIntegral<LONG>());
      break;
    default:
      kvfuzz::UseJapaneseOrEnglish((selector & 0x80) != 0);
      Typed(in.ConsumeRemainingBytesAsString(), (selector & 0x40) != 0, decimals);
      break;
  }
  return 0;
}
