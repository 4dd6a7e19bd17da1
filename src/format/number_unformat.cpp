// FMTUnformatNumberStr: reading text typed in the shape of a picture back into a number.
#include "format/number_format.h"
#include "format/number_pic.h"
#include "format/number_unformat_plan.h"
#include "format/work_text.h"

#include <korvane/memory.h>

#include <cstring>

namespace kv {

namespace {

// A block for the currency form, carrying the caller's settings.
FMTCNTLBLOCK freshBlock(const FMTCNTLBLOCK* caller, LONG kind, LPSTR input) {
  FMTCNTLBLOCK b{};
  FMTInitCntlBlock(&b);
  b.nFormatType = kind;
  b.lpszInput = input;
  b.bUseIntl = caller->bUseIntl;
  b.wFlags = (b.wFlags & ~FMT_FLAG_INITIALIZED) | (caller->wFlags & FMT_FLAG_INITIALIZED);
  if (!caller->bUseIntl) {
    b.cThousand = caller->cThousand;
    b.cDecimal = caller->cDecimal;
    b.lpszCurrency = caller->lpszCurrency;
    b.iCurrency = caller->iCurrency;
    b.iNegCurr = caller->iNegCurr;
  }
  return b;
}

// One call: the caller's text, the separators in force, and a working copy of the text.
struct Reading {
  LPCSTR input;
  size_t length;
  PictureSeparators sep;
  LPSTR work;

  LPSTR freshCopy() const {
    std::memcpy(work, input, length + 1);
    return work;
  }
  bool readNumber(LPSTR text, NUMBER* value) const {
    return text[0] && ReadNumberText(text, sep.thousand, sep.decimal, value);
  }
};

// One section's try: its literals off a fresh copy of the input, then the regional number
// form. -1 when the section has no placeholder, 0 when the text does not fit it.
int trySection(const Reading& r, const SectionFrame& frame, bool keepMinus, NUMBER* value) {
  if (!frame.digits) return -1;
  LPSTR text = r.freshCopy();
  const bool percent = StripFrame(text, frame, keepMinus);
  if (!r.readNumber(text, value)) return 0;
  if (percent) NumPower10(value, value, -2);
  return 1;
}

// A zero section of literals only ("'none'"): its text, and the digits the formatter
// writes after it, read back as zero.
bool literalZeroSection(const Reading& r, const SectionFrame& frame) {
  if (frame.digits) return false;
  LPSTR text = r.freshCopy();
  if (std::strncmp(text, frame.prefix, frame.prefixLength) != 0) return false;
  LPSTR rest = text + frame.prefixLength;
  IntlStrStripSpace(rest);
  if (!*rest) return true;
  NUMBER zero;
  return r.readNumber(rest, &zero) && NumIsZero(&zero);
}

int unformatSections(const Reading& r, const UnformatPlan& plan, NUMBER* value) {
  const SectionFrame* f = plan.frames;
  if (f[0].present) {
    const int n = trySection(r, f[0], false, value);
    if (n < 0) return 0;
    if (n > 0) return 1;
  }
  if (f[1].present) {
    const int n = trySection(r, f[1], false, value);
    if (n < 0) return 0;
    if (n > 0) {
      NumNegate(value);
      return 1;
    }
  }
  if (plan.sections == 3 && f[2].present) {
    if (trySection(r, f[2], false, value) > 0 || literalZeroSection(r, f[2])) {
      NumLongToNumber(value, 0);
      return 1;
    }
  }
  return 0;
}

}  // namespace
}  // namespace kv

KV_API int KV_CALL FMTUnformatNumberStr(FMTCNTLBLOCK* block) {
  if (!block || !(block->wFlags & FMT_FLAG_INITIALIZED)) return 0;
  LPSTR output = block->lpszOutput;
  LPCSTR input = block->lpszInput;
  LPCSTR picture = block->lpszPicture;
  if (!output) return 0;
  output[0] = '\0';
  if (!input || !input[0] || !picture || !picture[0]) return 0;
  kv::PictureBuffer plain;
  if (FMTIsNumberPicTokenized(picture)) {
    if (!kv::UntokenizeToBuffer(block, picture, plain)) return 0;
    picture = plain;
  } else if (std::strlen(picture) > FMT_MAX_PICTURE) {
    return 0;
  }
  const size_t length = std::strlen(input);
  const kv::WorkText room(length + 2);
  if (!room.get()) return 0;
  const kv::Reading reading{input, length, kv::SeparatorsInForce(block), room.get()};
  NUMBER value;
  int ok = 0;
  if (picture[0] == '$' && !picture[1]) {
    FMTCNTLBLOCK b = kv::freshBlock(block, FMT_TYPE_CURRENCY, reading.freshCopy());
    ok = FMTValidateNumber(&b);
    value = b.number;
  } else {
    kv::UnformatPlan own;
    const kv::UnformatPlan& plan = kv::FindUnformatPlan(picture, reading.sep, IntlDBCSEnabled() != 0, own);
    if (plan.sectioned) {
      ok = kv::unformatSections(reading, plan, &value);
    } else if (plan.scientific && kv::FMTUnformatScientific(block)) {
      value = block->number;
      ok = 1;
    } else {
      ok = kv::trySection(reading, plan.frames[0], true, &value) > 0;
    }
  }
  if (!ok) {
    output[0] = '\0';
    return 0;
  }
  block->number = value;
  NumToAscii(&value, output, 108);
  return 1;
}
