// Date pictures and typed dates: picture queries, formatting, validation and unformatting,
// the Japanese forms under code page 932. Input (from the front): a picture, a second
// picture, a text, the designators and separator; (from the end) the system, the kind,
// the date type, flags and the seven DATDEF fields (out of range included). Properties:
// formatted text never exceeds FMTGetMaxFormattedDTLen (the output buffer has exactly
// that room); text that validates gives a date and time in range; every result is 0 or 1.
#include <fuzzer/FuzzedDataProvider.h>
#include <korvane/datetime.h>
#include <korvane/format.h>

#include <cstdint>
#include <string>

#include "fuzz_support.h"

namespace {

using kvfuzz::HeapText;
using kvfuzz::OutBuffer;

struct Texts {
  HeapText picture, second, input, am, pm, sep;
};

void Prepare(FMTCNTLBLOCK& b, FuzzedDataProvider& in, Texts& t, bool intl) {
  FUZZ_CHECK(FMTInitCntlBlock(&b) == 1);
  b.nFormatType = in.ConsumeIntegralInRange<LONG>(0, 4);
  b.bUseIntl = intl;
  b.lpszPicture = t.picture.get();
  b.iDateType = in.ConsumeIntegralInRange<INT>(-1, 4);
  b.wFlags ^= in.ConsumeIntegral<uint16_t>() & FMT_FLAGS_OWNED_BY_INIT;
  if (!intl) {
    b.lpszShortPic = t.picture.get();
    b.lpszLongPic = t.second.get();
    b.iTime = in.ConsumeIntegralInRange<INT>(0, 1);
    b.iTLZero = in.ConsumeIntegralInRange<INT>(0, 1);
    b.lpszTimeSep = t.sep.get();
    b.lpsz1159 = t.am.get();
    b.lpsz2359 = t.pm.get();
  }
  // Ranges a little beyond the valid ones: month 13, day 32, years 0 and 10000, minute 60.
  DATDEF& d = b.dtValue;
  d.month = in.ConsumeIntegralInRange<LONG>(-1, 13);
  d.day = in.ConsumeIntegralInRange<LONG>(-1, 32);
  d.year = in.ConsumeBool() ? in.ConsumeIntegralInRange<LONG>(-1, 10001) : in.ConsumeIntegral<LONG>();
  d.hour = in.ConsumeIntegralInRange<LONG>(-1, 25);
  d.minute = in.ConsumeIntegralInRange<LONG>(-1, 61);
  d.second = in.ConsumeIntegralInRange<LONG>(-1, 61);
  d.microsecond = in.ConsumeIntegralInRange<LONG>(-1, 1000000);
}

void CheckInRange(const FMTCNTLBLOCK& b) {
  const DATDEF& d = b.dtValue;
  if (b.wFlags & FMT_FLAG_HAD_DATE) {
    FUZZ_CHECK(d.month >= 1 && d.month <= 12 && d.day >= 1 && d.day <= 31 && d.year >= 1 && d.year <= 9999);
  }
  if (b.wFlags & FMT_FLAG_HAD_TIME) {
    FUZZ_CHECK(d.hour >= 0 && d.hour <= 23 && d.minute >= 0 && d.minute <= 59 && d.second >= 0 && d.second <= 59);
    FUZZ_CHECK(d.microsecond >= 0 && d.microsecond <= 999999);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  Texts t{HeapText(in.ConsumeRandomLengthString(70)), HeapText(in.ConsumeRandomLengthString(70)),
          HeapText(in.ConsumeRandomLengthString(80)), HeapText(in.ConsumeRandomLengthString(8)),
          HeapText(in.ConsumeRandomLengthString(8)),  HeapText(in.ConsumeRandomLengthString(3))};
  static LANGID current = 0;
  const LANGID system = in.ConsumeBool() ? 0x0411 : 0x0409;
  if (system != current) {
    kvfuzz::UseSystem(system);
    current = system;
  }
  const bool intl = in.ConsumeBool();

  const LPCSTR pic = t.picture.get();
  const int valid = FMTIsDatePicValid(pic);
  FUZZ_CHECK(valid == 0 || valid == 1);
  FUZZ_CHECK(FMTDatePicHasDate(pic) <= 1 && FMTDatePicHasTime(pic) <= 1);

  FMTCNTLBLOCK b;
  Prepare(b, in, t, intl);
  const int max = FMTGetMaxFormattedDTLen(&b, 0);
  FUZZ_CHECK(max >= -1);
  OutBuffer out(max >= 0 ? static_cast<size_t>(max) + 1 : 512);
  b.lpszOutput = out.get();
  const int formatted = FMTFormatDateTime(&b);
  FUZZ_CHECK(formatted == 0 || formatted == 1);
  // Another kind is refused before the output is touched.
  if (b.nFormatType < FMT_TYPE_DATE || b.nFormatType > FMT_TYPE_DATETIME) out.get()[0] = '\0';
  const size_t length = out.length();
  if (max >= 0) FUZZ_CHECK(length <= static_cast<size_t>(max));

  // What was written, and the text of the input, read back.
  const std::string shown(out.get(), length);
  HeapText back(shown);
  for (LPSTR text : {back.get(), t.input.get()}) {
    FMTCNTLBLOCK v = b;
    v.lpszInput = text;
    v.wFlags &= ~(FMT_FLAG_HAD_DATE | FMT_FLAG_HAD_TIME);
    FUZZ_CHECK(FMTValidateDateTime(&v) <= 1);
    if (v.lpszInput == text) CheckInRange(v);
    FMTCNTLBLOCK u = b;
    u.lpszInput = text;
    u.wFlags &= ~(FMT_FLAG_HAD_DATE | FMT_FLAG_HAD_TIME);
    FUZZ_CHECK(FMTUnformatDateTimeStr(&u) <= 1);
    CheckInRange(u);
    FMTCNTLBLOCK s = b;
    s.lpszInput = text;
    const int shape = FMTIsValidDateString(&s);
    FUZZ_CHECK(shape == 0 || shape == 1 || shape == 2 || shape == 4);
    DATDEF iso;
    FUZZ_CHECK(FMTIsoToDatDef(text, &iso) == 1);
  }

  // The default pictures into buffers of every small size.
  const int room = in.ConsumeIntegralInRange<int>(0, 80);
  using PicFn = int(KV_CALL*)(LPSTR, int);
  for (PicFn fn : {FMTGetDefaultShortDatePic, FMTGetDefaultLongDatePic, FMTGetDefaultDatePic}) {
    OutBuffer buffer(room);
    const int r = fn(buffer.get(), room);
    FUZZ_CHECK(r == (room >= 1 ? 1 : 0));
    if (r) buffer.length();
  }
  OutBuffer gee(room);
  if (FMTGetGeeLongDatePic(gee.get(), room, in.ConsumeBool()) == 1) gee.length();
  return 0;
}
