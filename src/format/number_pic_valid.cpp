// The validity test of a number picture under the separators, currency affixes and
// negative form in force.
#include "format/number_pic.h"

#include <cstring>
#include <initializer_list>

namespace kv {

namespace {

enum class SectionKind { kPositive = 1, kNegative = 2, kZero = 3 };

bool isPlaceholder(CHAR c) { return c == '#' || c == '0'; }

class SectionCheck {
 public:
  SectionCheck(const PictureSeparators& sep, const CurrencyAffixes& aff, LONG negForm, bool dbcs, bool& currency)
      : sep_(sep), aff_(aff), parenForm_(negForm == 0 || negForm == 4), dbcs_(dbcs), currency_(currency) {}

  bool valid(LPCSTR section, SectionKind kind) {
    kind_ = kind;
    LPCSTR p = section;
    const size_t length = std::strlen(section);
    while (*p) {
      const CHAR c = *p;
      if (c == '\'' || c == '"') {
        if (!(p = skipQuoted(p))) return false;
      } else if (isPlaceholder(c)) {
        if (runSeen_ || !(p = digitRun(p))) return false;
      } else if (c == '_') {
        return static_cast<size_t>(p - section) + 2 == length;
      } else if (kind_ == SectionKind::kNegative && open_ && runSeen_ && parenForm_ && c == ')') {
        if (close_) return false;
        close_ = true;
        ++p;
      } else if (size_t n = currencyAt(p); n && !minus_ && !open_) {
        currency_ = true;
        p += n;
      } else if (kind_ == SectionKind::kNegative && parenForm_ && c == '(') {
        if (currency_ || runSeen_ || minus_ || open_) return false;
        open_ = true;
        ++p;
      } else if (kind_ == SectionKind::kNegative && c == '-') {
        if (currency_ || open_ || close_ || minus_) return false;
        minus_ = true;
        ++p;
      } else if (c == ' ') {
        ++p;
      } else {
        return false;
      }
    }
    return !open_ || close_;
  }

 private:
  // Past the closing quote; null when the literal is not closed.
  LPCSTR skipQuoted(LPCSTR p) const {
    const CHAR quote = *p++;
    while (*p) {
      if ((*p == quote || *p == '\\') && p[1] == quote) {
        p += 2;
      } else if (*p == quote) {
        return p + 1;
      } else {
        p += PictureCharBytes(p, dbcs_);
      }
    }
    return nullptr;
  }

  // Past the run (and a "%" after it); null when the run breaks a rule.
  LPCSTR digitRun(LPCSTR p) {
    runSeen_ = true;
    bool zero = false;      // a "0" in the integer part
    bool point = false;     // the decimal separator
    bool fracHash = false;  // a "#" in the fraction
    LPCSTR lastGroup = nullptr;
    for (;; ++p) {
      const CHAR c = *p;
      if (c == '#') {
        if (zero && !point) return nullptr;
        fracHash = point;
      } else if (c == '0') {
        if (fracHash) return nullptr;
        zero = zero || !point;
      } else if (sep_.thousand && c == sep_.thousand && isPlaceholder(p[1])) {
        if (lastGroup && p - lastGroup != 4) return nullptr;  // three digits per group
        lastGroup = p;
      } else if (sep_.decimal && c == sep_.decimal) {
        if (point || (lastGroup && p - lastGroup != 4)) return nullptr;
        point = true;
      } else if (sep_.thousand && c == sep_.thousand) {
        // A separator after the run is text only when it reads as text anyway.
        if (c != ' ' && c != '\'') return nullptr;
        break;
      } else {
        break;
      }
    }
    if (*p == '%') ++p;
    return p;
  }

  // Length of the currency affix that the text begins with here, or 0.
  size_t currencyAt(LPCSTR p) const {
    if (kind_ != SectionKind::kNegative) {
      LPCSTR affix = runSeen_ ? aff_.posSuffix : aff_.posPrefix;
      if (StartsWithAffix(p, affix)) return std::strlen(affix);
    }
    if (kind_ != SectionKind::kPositive) {
      for (LPCSTR affix : {aff_.negPrefix, aff_.negSuffix}) {
        if (StartsWithAffix(p, affix)) return std::strlen(affix);
      }
    }
    return 0;
  }

  const PictureSeparators& sep_;
  const CurrencyAffixes& aff_;
  bool parenForm_;
  bool dbcs_;
  bool& currency_;  // shared by the sections of one picture
  SectionKind kind_ = SectionKind::kPositive;
  bool runSeen_ = false;
  bool minus_ = false;
  bool open_ = false;
  bool close_ = false;
};

}  // namespace
}  // namespace kv

using namespace kv;

KV_API int KV_CALL FMTIsNumberPicValid(FMTCNTLBLOCK* block) {
  if (!block) return 0;
  PictureBuffer picture;
  if (!CopyPicture(block->lpszPicture, picture)) return 0;
  if (!picture[0] || (picture[0] == '$' && !picture[1])) return 1;
  if (IsScientificPicture(picture)) return IsScientificPictureValid(picture) ? 1 : 0;
  if (FMTIsNumberPicTokenized(picture) && !UntokenizeToBuffer(block, picture, picture)) return 0;

  // Sections split at the first two ";", quotes or not.
  PictureBuffer sections[3] = {};
  int count = 0;
  for (LPCSTR p = picture;; ++count) {
    LPCSTR end = std::strchr(p, ';');
    if (count == 2 && end) return 0;
    const size_t n = end ? static_cast<size_t>(end - p) : std::strlen(p);
    std::memcpy(sections[count], p, n);
    sections[count][n] = '\0';
    if (!end) break;
    p = end + 1;
  }

  const PictureSeparators sep = SeparatorsInForce(block);
  CurrencyAffixes aff;
  AffixesInForce(block, &aff);
  const LONG negForm = NegativeFormInForce(block);
  const bool dbcs = IntlDBCSEnabled() != 0;
  bool currency = false;
  for (int i = 0; i <= count; ++i) {
    if (!sections[i][0]) continue;
    SectionCheck check(sep, aff, negForm, dbcs, currency);
    if (!check.valid(sections[i], static_cast<SectionKind>(i + 1))) return 0;
  }
  return 1;
}
