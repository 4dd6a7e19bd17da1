// Converting a picture of the old syntax, in which "," and "." were the fixed thousands
// and decimal marks and literal text needed no quotes, to the current syntax.
#include "format/number_pic.h"

#include <cstring>

namespace kv {

namespace {

// Characters that end an unquoted literal of the old syntax.
bool endsLiteral(CHAR c) { return c == ';' || c == '#' || c == '0' || c == '_' || c == '\'' || c == '"'; }

class OldPictureConverter {
 public:
  OldPictureConverter(const FMTCNTLBLOCK* block, PictureWriter& out)
      : sep_(SeparatorsInForce(block)), dbcs_(IntlDBCSEnabled() != 0), out_(out) {
    AffixesInForce(block, &aff_);
  }

  void run(LPCSTR p) {
    while (*p) {
      const CHAR c = *p;
      if (c == '\'' || c == '"') {
        p = copyQuoted(p);
      } else if (c == '#' || c == '0') {
        p = digitRun(p);
      } else if (c == ';') {
        out_.put(*p++);
        ++section_;
        inRun_ = false;
      } else if (c == '_') {
        out_.put(*p++);
        p = copyChar(p);
      } else if (StartsWithAffix(p, affixHere())) {
        out_.put(affixHere());
        p += std::strlen(affixHere());
      } else if (c == ' ') {
        out_.put(*p++);
      } else {
        p = literal(p);
      }
    }
  }

 private:
  LPCSTR copyChar(LPCSTR p) {
    const int n = PictureCharBytes(p, dbcs_);
    out_.putBytes(p, n);
    return p + n;
  }

  LPCSTR affixHere() const {
    if (section_ == 0 || section_ == 2) return inRun_ ? aff_.posSuffix : aff_.posPrefix;
    return inRun_ ? aff_.negSuffix : aff_.negPrefix;
  }

  void putSeparator(CHAR c) {
    if (c) out_.put(c);
  }

  // Up to the closing quote of the same kind; the old syntax has no escapes.
  LPCSTR copyQuoted(LPCSTR p) {
    const CHAR quote = *p;
    out_.put(*p++);
    while (*p) {
      if (*p == quote) {
        out_.put(*p);
        return p + 1;
      }
      p = copyChar(p);
    }
    return p;
  }

  LPCSTR digitRun(LPCSTR p) {
    for (;; ++p) {
      if (*p == ',') {
        putSeparator(sep_.thousand);
      } else if (*p == '.') {
        putSeparator(sep_.decimal);
      } else if (*p == '#' || *p == '0') {
        out_.put(*p);
      } else {
        break;
      }
    }
    inRun_ = true;
    if (*p == '%') out_.put(*p++);
    return p;
  }

  // Unquoted literal text gets single quotes, closed before the next thing the picture
  // language reads.
  LPCSTR literal(LPCSTR p) {
    out_.put('\'');
    p = copyChar(p);
    while (*p && !StartsWithAffix(p, affixHere()) && !endsLiteral(*p) && !(*p == ' ' && endsLiteral(p[1]))) {
      p = copyChar(p);
    }
    out_.put('\'');
    return p;
  }

  PictureSeparators sep_;
  CurrencyAffixes aff_;
  bool dbcs_;
  PictureWriter& out_;
  int section_ = 0;
  bool inRun_ = false;
};

}  // namespace
}  // namespace kv

using namespace kv;

KV_API int KV_CALL FMTCnvOldNumberPic(FMTCNTLBLOCK* block) { return ConvertPicture<OldPictureConverter>(block); }
