// The regional long date picture as the control panel writes it ("dddd', 'MMMM d', 'yyyy")
// quotes separators together with text; the date picture grammar wants separators outside
// quotes. This rewrite moves them out.
#include "format/long_date.h"

#include <korvane/intl.h>

#include <cstring>

namespace kv {

namespace {

bool isSeparator(char c) {
  return c == '.' || c == '-' || c == '/' || c == ':' || c == '\\' || c == ',';
}

// Output bounded by its buffer: what does not fit is dropped, never written past.
class Out {
 public:
  Out(char* buf, size_t size) : buf_(buf), size_(size) {}
  void put(char c) {
    if (len_ + 1 < size_) buf_[len_++] = c;
  }
  void put(const char* from, const char* to) {
    for (; from < to; ++from) put(*from);
  }
  size_t length() const { return len_; }
  void finish() { buf_[len_] = '\0'; }

 private:
  char* buf_;
  size_t size_;
  size_t len_ = 0;
};

// One character's bytes starting at p (1, or 2 for a double-byte character).
const char* next(const char* p) { return CharNextA(p); }

void requote(const char* inner, const char* close, Out& out) {
  bool hasText = false;
  bool hasSeparator = false;
  for (const char* p = inner; p < close; p = next(p)) {
    if (isSeparator(*p)) hasSeparator = true;
    else if (*p != ' ') hasText = true;
  }
  if (!hasText) {  // only separators and blanks: they need no quotes
    out.put(inner, close);
    return;
  }
  if (!hasSeparator) {
    out.put(inner - 1, close + 1);
    return;
  }
  if (!isSeparator(*inner)) out.put('\'');
  char previous = '\'';
  const char* last = inner;
  for (const char* p = inner; p < close; p = next(p)) {
    last = p;
    const char* after = next(p);
    if (isSeparator(*p)) {
      if (previous != '\'' && !isSeparator(previous)) out.put('\'');
      out.put(*p);
      const char following = after < close ? *after : '\'';
      if (following != '\'' && !isSeparator(following)) out.put('\'');
    } else {
      out.put(p, after);  // a double-byte character goes whole
    }
    previous = *p;
  }
  if (!isSeparator(*last)) out.put('\'');
}

// Finland: a "t" right after the month run is a literal ("MMMMta" -> "MMMM'ta'").
void quoteFinnishSuffix(char* work, size_t size) {
  char* p = work;
  while (*p && *p != 'M') p = CharNextA(p);
  if (!*p) return;
  while (*p == 'M') ++p;
  if (*p != 't') return;
  const size_t enclosed = p[1] ? 2 : 1;  // nothing past the end is enclosed
  const size_t tail = std::strlen(p + enclosed);
  const size_t start = static_cast<size_t>(p - work);
  if (start + enclosed + tail + 2 >= size) return;  // would not fit: leave it
  std::memmove(p + enclosed + 2, p + enclosed, tail + 1);
  std::memmove(p + 1, p, enclosed);
  p[0] = '\'';
  p[enclosed + 1] = '\'';
}

// Cuts at the last character boundary that leaves room for the terminator.
void copyBack(const char* work, char* field, size_t fieldSize) {
  const char* p = work;
  const char* fits = work;
  while (*p) {
    const char* n = CharNextA(p);
    if (static_cast<size_t>(n - work) >= fieldSize) break;
    fits = p = n;
  }
  const size_t len = static_cast<size_t>(fits - work);
  std::memcpy(field, work, len);
  field[len] = '\0';
}

}  // namespace

void rewriteLongDatePicture(char* field, size_t fieldSize, UINT country) {
  if (!field || fieldSize == 0) return;
  field[fieldSize - 1] = '\0';
  char work[64];
  Out out(work, sizeof work);
  const char* p = field;
  for (;;) {
    const char* open = std::strchr(p, '\'');  // a quote is never a trail byte
    const char* close = open ? std::strchr(open + 1, '\'') : nullptr;
    if (!close) break;
    out.put(p, open);
    requote(open + 1, close, out);
    p = close + 1;
  }
  out.put(p, p + std::strlen(p));
  out.finish();
  if (country == 358) quoteFinnishSuffix(work, sizeof work);
  copyBack(work, field, fieldSize);
}

}  // namespace kv
