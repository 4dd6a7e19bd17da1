// Internals of the number pictures shared by the converters, the validity test and the
// number formatting and unformatting code: the settings in force for a block, the
// currency affixes, and a bounded writer for the 64-byte picture buffers.
#pragma once

#include <korvane/format.h>
#include <korvane/intl.h>

namespace kv {

// Working buffers for pictures: FMT_MAX_PICTURE bytes and the terminating zero.
constexpr int kPictureBuffer = FMT_MAX_PICTURE + 1;
using PictureBuffer = CHAR[kPictureBuffer];

// Control bytes of the tokenized form.
enum PictureToken : CHAR {
  kTokThousand = 0x01,
  kTokDecimal = 0x02,
  kTokPosPrefix = 0x03,
  kTokPosSuffix = 0x04,
  kTokNegPrefix = 0x05,
  kTokNegSuffix = 0x06,
  kTokPair = 0x0E,
  kTokRunBegin = 0x0F,
  kTokRunEnd = 0x10,
};

// Each affix holds at most 9 bytes and its terminating zero.
constexpr int kAffixBuffer = 10;

// The four currency affixes of a set of settings.
struct CurrencyAffixes {
  CHAR posPrefix[kAffixBuffer];
  CHAR posSuffix[kAffixBuffer];
  CHAR negPrefix[kAffixBuffer];
  CHAR negSuffix[kAffixBuffer];
};

// Builds the affixes of a positive form (0..3) and a negative form (0..10) around a
// symbol; a form out of range leaves its two strings as they were. Every out buffer has
// kAffixBuffer bytes; a symbol too long for them is cut at a character boundary. A null
// symbol counts as empty.
void FMTBuildCurrencyAffixes(LONG posForm, LONG negForm, LPSTR posPrefix, LPSTR posSuffix, LPSTR negPrefix,
                             LPSTR negSuffix, LPCSTR symbol);

// The thousands (T) and decimal (D) separators in force: the regional ones with bUseIntl,
// else cThousand and cDecimal. Zero means "none".
struct PictureSeparators {
  CHAR thousand;
  CHAR decimal;
};
PictureSeparators SeparatorsInForce(const FMTCNTLBLOCK* block);

// The negative currency form in force.
LONG NegativeFormInForce(const FMTCNTLBLOCK* block);

// The affixes in force: with bUseIntl the calling thread's cache, built from the regional
// settings the first time a thread needs it and kept for the life of the thread's items;
// else built afresh from lpszCurrency, iCurrency and iNegCurr.
void AffixesInForce(const FMTCNTLBLOCK* block, CurrencyAffixes* out);

// True for the pictures that are taken whole and never converted or split: empty, "$",
// and scientific ones (beginning "0." and matching "0.%E_0%" without regard to case).
bool IsScientificPicture(LPCSTR picture);
bool IsWholePicture(LPCSTR picture);
// True when a scientific picture has the valid form "0." 0..# "E|e" "+|-" 0..#.
bool IsScientificPictureValid(LPCSTR picture);

// Copies a picture of at most FMT_MAX_PICTURE bytes; false (and an empty copy) for null
// or longer.
bool CopyPicture(LPCSTR picture, PictureBuffer& out);

// Untokenizes a tokenized picture for the block's settings into a working buffer (a plain
// picture is copied). False, with an empty buffer, for a null or over-long picture or a
// result that would not fit.
bool UntokenizeToBuffer(const FMTCNTLBLOCK* block, LPCSTR picture, PictureBuffer& out);

// True when the byte begins a double-byte character in this call's mode.
inline bool IsLeadByte(CHAR c, bool dbcs) { return dbcs && IntlIsKanji(static_cast<BYTE>(c)); }

// Bytes of the character at p: 2 for a lead byte with its trail, else 1 (0 at the end).
inline int PictureCharBytes(LPCSTR p, bool dbcs) {
  if (!*p) return 0;
  return IsLeadByte(*p, dbcs) && p[1] ? 2 : 1;
}

// True when text begins with a non-empty affix.
bool StartsWithAffix(LPCSTR text, LPCSTR affix);

// Writes at most FMT_MAX_PICTURE bytes; anything more marks the result as too long, and
// a too-long result is never handed out.
class PictureWriter {
 public:
  void put(CHAR c) {
    if (length_ >= FMT_MAX_PICTURE) {
      overflow_ = true;
      return;
    }
    buffer_[length_++] = c;
  }
  void put(LPCSTR s) {
    while (s && *s) put(*s++);
  }
  void putBytes(LPCSTR s, int n) {
    for (int i = 0; i < n; ++i) put(s[i]);
  }
  int length() const { return length_; }
  // Replaces a byte already written.
  void replace(int at, CHAR c) {
    if (at >= 0 && at < length_) buffer_[at] = c;
  }
  bool overflowed() const { return overflow_; }
  // The result into out (kPictureBuffer bytes at least): true when it fits, else an empty
  // string and false.
  bool finish(LPSTR out) const;

 private:
  PictureBuffer buffer_{};
  int length_ = 0;
  bool overflow_ = false;
};

// The first step shared by the three converters: copies the picture, empties the output
// and copies a whole picture (empty, "$", scientific) to it unchanged.
enum class ConvertStart { kRefused, kDone, kConvert };
ConvertStart BeginPictureConversion(const FMTCNTLBLOCK* block, PictureBuffer& picture);

// Runs one converter (constructed from the block and a writer, with run(picture)) over the
// block's picture: the whole body of each exported converter.
template <class Converter>
int ConvertPicture(FMTCNTLBLOCK* block) {
  PictureBuffer picture;
  switch (BeginPictureConversion(block, picture)) {
    case ConvertStart::kRefused: return 0;
    case ConvertStart::kDone: return 1;
    case ConvertStart::kConvert: break;
  }
  PictureWriter out;
  Converter(block, out).run(picture);
  return out.finish(block->lpszOutput) ? 1 : 0;
}

}  // namespace kv
