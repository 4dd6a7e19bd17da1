// Untokenizing a number picture: the control bytes become the separators and currency
// affixes in force, and the currency moves to the side the settings ask for.
#include "format/number_pic.h"

#include <cstring>

namespace kv {

namespace {

// The first of the stop bytes (or the end) after p.
CHAR firstStop(LPCSTR p, CHAR a, CHAR b, CHAR c) {
  for (; *p; ++p) {
    if (*p == a || *p == b || *p == c) return *p;
  }
  return '\0';
}

class Untokenizer {
 public:
  Untokenizer(const FMTCNTLBLOCK* block, PictureWriter& out)
      : sep_(SeparatorsInForce(block)), dbcs_(IntlDBCSEnabled() != 0), out_(out) {
    AffixesInForce(block, &aff_);
  }

  void run(LPCSTR p) {
    const LPCSTR start = p;
    while (*p) {
      switch (*p) {
        case kTokThousand: putSeparator(sep_.thousand); break;
        case kTokDecimal: putSeparator(sep_.decimal); break;
        case kTokPosPrefix:
          out_.put(aff_.posPrefix);
          posPrefixWritten_ = true;
          break;
        case kTokPosSuffix: out_.put(aff_.posSuffix); break;
        case kTokNegPrefix:
          out_.put(aff_.negPrefix);
          negPrefixWritten_ = true;
          break;
        case kTokNegSuffix: out_.put(aff_.negSuffix); break;
        case kTokPair: p = pair(p + 1); continue;
        case kTokRunBegin: runBegin(p + 1); break;
        case kTokRunEnd: {
          // A run ending in its decimal point ("0.") is tokenized as 0x02 0x10 followed by
          // the point once more; writing that copy too would give "0.." and an invalid
          // picture, so the echo is dropped.
          LPCSTR next = p + 1;
          if (p > start && p[-1] == kTokDecimal && static_cast<BYTE>(*next) > kTokRunEnd && *next != ';') ++next;
          p = runEnd(next);
          continue;
        }
        case ';':
          out_.put(';');
          ++section_;
          posPrefixWritten_ = negPrefixWritten_ = false;
          break;
        default: {
          const int n = PictureCharBytes(p, dbcs_);
          out_.putBytes(p, n);
          p += n;
          continue;
        }
      }
      ++p;
    }
  }

 private:
  // A separator set to the zero character is left out rather than ending the picture.
  void putSeparator(CHAR c) {
    if (c) out_.put(c);
  }

  int charCount(LPCSTR s) const {
    int n = 0;
    for (; *s; s += PictureCharBytes(s, dbcs_)) ++n;
    return n;
  }

  // "_" and the width character: a one-character suffix of the settings in force, or the
  // character as written.
  LPCSTR pair(LPCSTR p) {
    if (*p == kTokPosSuffix || *p == kTokNegSuffix) {
      LPCSTR suffix = *p == kTokPosSuffix ? aff_.posSuffix : aff_.negSuffix;
      LPCSTR other = *p == kTokPosSuffix ? aff_.negSuffix : aff_.posSuffix;
      if (charCount(suffix) == 1 && !other[0]) {
        out_.put('_');
        out_.put(suffix);
      }
      return p + 1;
    }
    out_.put('_');
    const int n = PictureCharBytes(p, dbcs_);
    out_.putBytes(p, n);
    return p + n;
  }

  // Before the run: the prefix when the picture had the currency after the number but the
  // settings put it before.
  void runBegin(LPCSTR after) {
    if ((section_ == 0 || section_ == 2) && !posPrefixWritten_ && aff_.posPrefix[0] &&
        firstStop(after, ';', kTokPosSuffix, kTokPair) == kTokPosSuffix) {
      out_.put(aff_.posPrefix);
      return;
    }
    if (section_ != 0 && !negPrefixWritten_ && aff_.negPrefix[0] &&
        firstStop(after, ';', kTokNegSuffix, kTokPair) == kTokNegSuffix) {
      out_.put(aff_.negPrefix);
    }
  }

  // After the run: the suffix when the picture had the currency before the number but the
  // settings put it after.
  // Returns where the walk goes on: after a "%" that had to be written first.
  LPCSTR runEnd(LPCSTR after) {
    LPCSTR suffix = nullptr;
    if ((section_ == 0 || section_ == 2) && posPrefixWritten_ && aff_.posSuffix[0] &&
        firstStop(after, ';', kTokPosSuffix, kTokPair) != kTokPosSuffix) {
      suffix = aff_.posSuffix;
    } else if (section_ != 0 && negPrefixWritten_ && aff_.negSuffix[0] &&
               firstStop(after, ';', kTokNegSuffix, ';') != kTokNegSuffix) {
      suffix = aff_.negSuffix;
    }
    if (!suffix) return after;
    // A "%" must follow the run directly: the suffix moved here goes after it.
    if (*after == '%') {
      out_.put('%');
      ++after;
    }
    out_.put(suffix);
    return after;
  }

  PictureSeparators sep_;
  CurrencyAffixes aff_;
  bool dbcs_;
  PictureWriter& out_;
  int section_ = 0;
  bool posPrefixWritten_ = false;
  bool negPrefixWritten_ = false;
};

}  // namespace

bool UntokenizeToBuffer(const FMTCNTLBLOCK* block, LPCSTR picture, PictureBuffer& out) {
  PictureBuffer copy;
  if (!CopyPicture(picture, copy)) {
    out[0] = '\0';
    return false;
  }
  if (!FMTIsNumberPicTokenized(copy)) {
    std::memcpy(out, copy, sizeof copy);
    return true;
  }
  PictureWriter writer;
  Untokenizer(block, writer).run(copy);
  return writer.finish(out);
}

}  // namespace kv

using namespace kv;

KV_API int KV_CALL FMTUnTokenizeNumberPic(FMTCNTLBLOCK* block) { return ConvertPicture<Untokenizer>(block); }
