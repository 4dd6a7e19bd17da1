// Tokenizing a number picture: separators and currency affixes become control bytes, so
// that the stored picture can be shown again under other regional settings.
#include "format/number_pic.h"

#include <cstring>

namespace kv {

namespace {

bool isPlaceholder(CHAR c) { return c == '#' || c == '0'; }

class Tokenizer {
 public:
  Tokenizer(const FMTCNTLBLOCK* block, PictureWriter& out)
      : sep_(SeparatorsInForce(block)), negForm_(NegativeFormInForce(block)), dbcs_(IntlDBCSEnabled() != 0), out_(out) {
    AffixesInForce(block, &aff_);
  }

  void run(LPCSTR p) {
    bool reread = false;  // a decimal point that closed a run is read again as text
    while (*p) {
      if (!reread) {
        const CHAR c = *p;
        if (c == ';') {
          out_.put(c);
          ++p;
          ++section_;
          inRun_ = false;
          continue;
        }
        if (c == '\'' || c == '"') {
          p = copyQuoted(p);
          continue;
        }
        if (isPlaceholder(c)) {
          p = digitRun(p, &reread);
          continue;
        }
        if (c == '_') {
          p = pair(p + 1);
          continue;
        }
        if (section_ == 0 || section_ == 2) {
          LPCSTR affix = inRun_ ? aff_.posSuffix : aff_.posPrefix;
          if (StartsWithAffix(p, affix)) {
            out_.put(inRun_ ? kTokPosSuffix : kTokPosPrefix);
            p += std::strlen(affix);
            continue;
          }
        }
      }
      reread = false;
      p = other(p);
    }
    // A lone minus that is the whole negative affix stays a literal unless the section
    // also has the other half of the currency form.
    if (minusAt_ >= 0 && sawNegSuffix_ != sawNegPrefix_) out_.replace(minusAt_, '-');
  }

 private:
  LPCSTR copyChar(LPCSTR p) {
    const int n = PictureCharBytes(p, dbcs_);
    out_.putBytes(p, n);
    return p + n;
  }

  // A quoted literal up to and including its closing quote, escapes kept as written.
  LPCSTR copyQuoted(LPCSTR p) {
    const CHAR quote = *p;
    out_.put(*p++);
    while (*p) {
      if (*p == quote && p[1] != quote) {
        out_.put(*p);
        return p + 1;
      }
      if ((*p == quote || *p == '\\') && p[1] == quote) {
        out_.putBytes(p, 2);
        p += 2;
        continue;
      }
      p = copyChar(p);
    }
    return p;  // unterminated: copied to the end
  }

  LPCSTR digitRun(LPCSTR p, bool* reread) {
    out_.put(kTokRunBegin);
    inRun_ = true;
    for (;;) {
      const CHAR c = *p;
      if (isPlaceholder(c)) {
        out_.put(c);
      } else if (sep_.thousand && c == sep_.thousand && isPlaceholder(p[1])) {
        out_.put(kTokThousand);
      } else if (sep_.decimal && c == sep_.decimal) {
        out_.put(kTokDecimal);
        if (!isPlaceholder(p[1])) {
          *reread = true;  // the point ends the run and is read again as text
          break;
        }
      } else {
        break;
      }
      ++p;
    }
    out_.put(kTokRunEnd);
    return p;
  }

  // After "_": the width character, as a currency suffix token when it is one.
  LPCSTR pair(LPCSTR p) {
    out_.put(kTokPair);
    const bool positiveSection = section_ == 0 || section_ == 2;
    if (positiveSection && StartsWithAffix(p, aff_.negSuffix)) {
      out_.put(kTokNegSuffix);
      return p + std::strlen(aff_.negSuffix);
    }
    if (section_ != 0 && StartsWithAffix(p, aff_.posSuffix)) {
      out_.put(kTokPosSuffix);
      return p + std::strlen(aff_.posSuffix);
    }
    return copyChar(p);
  }

  // Text that is not a separator, run, quote or positive affix.
  LPCSTR other(LPCSTR p) {
    LPCSTR affix = inRun_ ? aff_.negSuffix : aff_.negPrefix;
    if (StartsWithAffix(p, affix)) {
      // After a literal "(" the closing part is literal as well.
      if (section_ == 1 && inRun_ && paren_) return copyChar(p);
      if (section_ == 1 && affix[0] == '-' && !affix[1]) minusAt_ = out_.length();
      out_.put(inRun_ ? kTokNegSuffix : kTokNegPrefix);
      if (section_ == 1) (inRun_ ? sawNegSuffix_ : sawNegPrefix_) = true;
      return p + std::strlen(affix);
    }
    if (section_ == 1 && (negForm_ == 0 || negForm_ == 4) && *p == '(') {
      out_.put('(');
      paren_ = true;
      return p + 1;
    }
    return copyChar(p);
  }

  PictureSeparators sep_;
  CurrencyAffixes aff_;
  LONG negForm_;
  bool dbcs_;
  PictureWriter& out_;
  int section_ = 0;
  bool inRun_ = false;
  bool paren_ = false;
  int minusAt_ = -1;
  bool sawNegSuffix_ = false;
  bool sawNegPrefix_ = false;
};

}  // namespace
}  // namespace kv

using namespace kv;

KV_API int KV_CALL FMTIsNumberPicTokenized(LPCSTR picture) {
  return picture && std::strchr(picture, kTokRunBegin) ? 1 : 0;
}

KV_API int KV_CALL FMTTokenizeNumberPic(FMTCNTLBLOCK* block) {
  if (!ConvertPicture<Tokenizer>(block)) return 0;
  // Only a digit run marks a picture as tokenized: without one, the affix bytes would be
  // read back as literal control characters, so such a picture stays as it was written.
  if (!FMTIsNumberPicTokenized(block->lpszOutput)) {
    std::memmove(block->lpszOutput, block->lpszPicture, std::strlen(block->lpszPicture) + 1);
  }
  return 1;
}
