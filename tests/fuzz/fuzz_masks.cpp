// Input masks: the picture queries, masking, unmasking and the position helpers on
// arbitrary masks and text. Input: the mask, then the text, then a position. Properties:
// masked text fits FMTMaskedLength (the buffer has exactly that room) and unmasks back to
// characters of the input; counts and positions stay inside the mask.
#include <fuzzer/FuzzedDataProvider.h>
#include <korvane/format.h>
#include <korvane/masks.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "format/mask.h"
#include "fuzz_support.h"

namespace {

using kvfuzz::HeapText;
using kvfuzz::OutBuffer;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  kvfuzz::UseJapaneseOrEnglish(in.ConsumeBool());
  const WORD position = in.ConsumeIntegral<WORD>() % 128;
  HeapText mask(in.ConsumeRandomLengthString(80));
  HeapText text(in.ConsumeRemainingBytesAsString());
  const int maskLen = static_cast<int>(std::strlen(mask.get()));

  const int valid = FMTIsValidMaskFormat(mask.get());
  FUZZ_CHECK(valid == 0 || valid == 1);
  FUZZ_CHECK(FMTIsPicNoUnmaskOnGets(mask.get()) <= 1 && FMTIsPicUnlimited(mask.get()) <= 1);
  const int maskChars = FMTCntMaskChars(mask.get());
  const int literals = FMTCntNonMaskChars(mask.get());
  FUZZ_CHECK(maskChars >= 0 && literals >= 0 && maskChars + literals <= maskLen);

  WORD at = 0xFFFF;
  if (kv::FMTFindNextLiteral(mask.get(), position, &at)) FUZZ_CHECK(at >= position && at < maskLen);
  at = 0xFFFF;
  if (kv::FMTFindNextMaskChar(mask.get(), position, &at)) FUZZ_CHECK(at >= position && at < maskLen);
  // 0xFFFF: no mask character at or before the position.
  const WORD dataPos = kv::FMTMaskPosToDataPos(mask.get(), position);
  FUZZ_CHECK(dataPos == 0xFFFF || dataPos <= position);

  const int room = kv::FMTMaskedLength(mask.get(), text.get());
  FUZZ_CHECK(room >= 0);
  for (BOOL consume : {TRUE, FALSE}) {
    OutBuffer out(static_cast<size_t>(room) + 1);
    const int r = consume ? FMTMaskText(text.get(), out.get(), mask.get())
                          : kv::FMTMaskTextEx(text.get(), out.get(), mask.get(), FALSE);
    FUZZ_CHECK(r == 0 || r == 1);
    if (r == 0) continue;
    const size_t masked = out.length();
    // Unmasking the masked text gives at most the typed characters.
    FMTCNTLBLOCK b;
    FMTInitCntlBlock(&b);
    HeapText copy(std::string(out.get(), masked));
    b.lpszInput = copy.get();
    b.lpszPicture = mask.get();
    OutBuffer typed(masked + 1);
    b.lpszOutput = typed.get();
    const int u = FMTUnmaskInput(&b);
    FUZZ_CHECK(u == 0 || u == 1);
    if (u == 0) FUZZ_CHECK(typed.length() == 0);
  }
  // Unmasking arbitrary text.
  FMTCNTLBLOCK b;
  FMTInitCntlBlock(&b);
  b.lpszInput = text.get();
  b.lpszPicture = mask.get();
  OutBuffer typed(std::strlen(text.get()) + 1);
  b.lpszOutput = typed.get();
  FUZZ_CHECK(FMTUnmaskInput(&b) <= 1);
  typed.length();
  return 0;
}
