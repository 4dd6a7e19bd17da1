// The literal frame of a picture section around its digits, and its removal from typed
// text.
#include "format/number_format.h"
#include "format/number_unformat_plan.h"

#include <cstring>

namespace kv {

namespace {

bool isPlaceholder(CHAR c) { return c == '#' || c == '0'; }

// Literals of [begin, end) with their quotes resolved, and their length.
BYTE writeLiterals(LPCSTR begin, LPCSTR end, LPSTR out) {
  return static_cast<BYTE>(WriteSectionLiterals(begin, end, out, false) - out);
}

}  // namespace

void FrameSection(LPCSTR section, CHAR thousand, CHAR decimal, bool dbcs, SectionFrame* out) {
  out->present = section[0] != '\0';
  out->percent = out->pair = false;
  out->suffix[0] = '\0';
  out->suffixLength = 0;
  LPCSTR run = section;
  while (*run && !isPlaceholder(*run)) ++run;
  out->digits = *run != '\0';
  out->prefixLength = writeLiterals(section, run, out->prefix);
  if (!out->digits) return;
  LPCSTR p = run;
  while (*p && (isPlaceholder(*p) || (decimal && *p == decimal) ||
                (thousand && *p == thousand && isPlaceholder(p[1])))) {
    ++p;
  }
  out->percent = *p == '%';
  // A "_x" pair (outside quotes) stands for blanks at the end and is not part of the text.
  LPCSTR end = p + std::strlen(p);
  for (LPCSTR q = p; *q;) {
    if (*q == '\'' || *q == '"') {
      const CHAR quote = *q++;
      while (*q) {
        if ((*q == quote || *q == '\\') && q[1] == quote) {
          q += 2;
        } else if (*q == quote) {
          ++q;
          break;
        } else {
          q += PictureCharBytes(q, dbcs);
        }
      }
    } else if (*q == '_' && q[1]) {
      out->pair = true;
      end = q;
      break;
    } else {
      q += PictureCharBytes(q, dbcs);
    }
  }
  out->suffixLength = writeLiterals(p, end, out->suffix);
}

bool StripFrame(LPSTR text, const SectionFrame& frame, bool keepMinus) {
  LPSTR work = text;
  if (keepMinus && work[0] == '-') ++work;
  const size_t prefix = frame.prefixLength;
  if (prefix && std::strncmp(work, frame.prefix, prefix) == 0) {
    std::memmove(work, work + prefix, std::strlen(work + prefix) + 1);
  }
  const bool percent = frame.percent && std::strchr(work, '%');
  size_t length = std::strlen(work);
  if (frame.pair) {
    while (length > 0 && work[length - 1] == ' ') work[--length] = '\0';
  }
  const size_t s = frame.suffixLength;
  if (s && s <= length && std::memcmp(work + length - s, frame.suffix, s) == 0) work[length - s] = '\0';
  return percent;
}

}  // namespace kv
