// IntlStrScan: where a wildcard pattern first matches in a text, without regard to case.
// "%" matches any run of characters, "_" exactly one, "\" makes the next character a
// literal.
#include "intl/text.h"

using namespace kv;

namespace {

class Scanner {
 public:
  Scanner(LPCSTR text, LPCSTR pattern, bool dbcs) : text_(text), pattern_(pattern), dbcs_(dbcs) {}

  // The byte offset of the match, or -1.
  int run() {
    LPCSTR attempt = text_;
    for (;;) {
      switch (tryAt(attempt)) {
        case Outcome::kMatch: return static_cast<int>(start_ - text_);
        case Outcome::kNever: return -1;
        case Outcome::kRetry: break;
      }
      // Without a "%" the pattern is anchored to its start: try one character further on.
      LPCSTR from = start_ ? start_ : attempt;
      if (!*from) return -1;
      attempt = StepChar(from, dbcs_);
      if (!*attempt) return -1;
    }
  }

 private:
  enum class Outcome { kMatch, kNever, kRetry };

  Outcome tryAt(LPCSTR t) {
    start_ = nullptr;
    LPCSTR p = pattern_;
    LPCSTR resumePattern = nullptr;  // just after the last "%"
    LPCSTR resumeText = nullptr;     // where the text after that "%" was last tried
    bool searching = true;
    while (*p) {
      if (*p == '%') {
        ++p;
        if (!start_ && *t) start_ = t;
        resumePattern = p;
        resumeText = t;
        searching = true;
        continue;
      }
      if (*p == '_') {
        if (*t) {
          if (!start_) start_ = t;
          t = StepChar(t, dbcs_);
          ++p;
          searching = false;
          continue;
        }
      } else {
        LPCSTR literal = (*p == '\\' && p[1]) ? p + 1 : p;
        LPCSTR after = StepChar(literal, dbcs_);
        const WORD want = UpperCharValue(literal, dbcs_);
        if (searching) {
          LPCSTR hit = find(t, want);
          if (!hit) return Outcome::kNever;  // nor anywhere further on
          if (!start_) start_ = hit;
          if (p == resumePattern) resumeText = hit;
          t = StepChar(hit, dbcs_);
          p = after;
          searching = false;
          continue;
        }
        if (*t && UpperCharValue(t, dbcs_) == want) {
          t = StepChar(t, dbcs_);
          p = after;
          continue;
        }
      }
      // A mismatch. After a "%" the run it matched grows by one character; otherwise
      // the attempt has failed.
      if (!resumePattern) return Outcome::kRetry;
      if (!*resumeText) return Outcome::kNever;
      resumeText = StepChar(resumeText, dbcs_);
      t = resumeText;
      p = resumePattern;
      searching = true;
    }
    if (!start_) start_ = t;
    return Outcome::kMatch;
  }

  LPCSTR find(LPCSTR t, WORD want) const {
    for (; *t; t = StepChar(t, dbcs_)) {
      if (UpperCharValue(t, dbcs_) == want) return t;
    }
    return nullptr;
  }

  LPCSTR text_;
  LPCSTR pattern_;
  bool dbcs_;
  LPCSTR start_ = nullptr;
};

}  // namespace

KV_API int KV_CALL IntlStrScan(LPCSTR text, LPCSTR pattern) {
  if (!text || !pattern) return -1;
  if (!*text) return *pattern ? -1 : 0;
  if (!*pattern) return -1;
  const bool dbcs = DbcsMode();
  const int offset = Scanner(text, pattern, dbcs).run();
  if (offset < 0) return -1;
  return CharsBetween(text, text + offset, dbcs);
}
