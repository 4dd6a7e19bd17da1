// The standard shapes of typed dates and times. A date is recognised by one of four written
// forms, and its digit counts then decide which standard picture it is written in:
//   numeric       12/25/2001, 2001-12-25
//   month first   Dec 25, 2001, December 25 2001
//   day first     25 Dec, 2001, 25 December 2001
//   joined        25-Dec-2001, 25-Dec-01
// A time is digit groups joined by separators, optionally followed by a designator.
#include "format/date_shapes.h"

#include <korvane/intl.h>

namespace kv {

const char* const kDateShapePictures[kDateShapeCount] = {
    "MMM d, yyyy",  "MMM dd, yyyy",  "MMMM d, yyyy", "MMMM dd, yyyy", "yyyy-MM-dd", "d MMM, yyyy",
    "dd MMM, yyyy", "d MMMM, yyyy", "dd MMMM, yyyy", "M/d/yyyy",      "d-MMM-yyyy",
};
const char* const kTimeShapePictures[kTimeShapeCount] = {"hh.mm.ss.mmmmmm AMPM", "hhhh.mm.ss.mmmmmm"};

int wordLetterBytes(const char* p) {
  const auto b = static_cast<BYTE>(*p);
  if ((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z')) return 1;
  if (b < 0x81) return 0;
  // A trail byte may look like a separator or a digit; it belongs to its letter.
  return IntlIsDBChar(p) ? 2 : 1;
}

namespace {

// Cursor over the text that measures runs of one class.
struct Cursor {
  const char* p;

  size_t digits() {
    const char* s = p;
    while (isGrammarDigit(*p)) ++p;
    return static_cast<size_t>(p - s);
  }
  size_t word() {
    const char* s = p;
    for (int n; (n = wordLetterBytes(p)) > 0;) p += n;
    return static_cast<size_t>(p - s);
  }
  size_t blanks() {
    const char* s = p;
    while (isGrammarBlank(*p)) ++p;
    return static_cast<size_t>(p - s);
  }
  // Commas and blanks between the day and the year.
  size_t commasAndBlanks() {
    const char* s = p;
    while (*p == ',' || isGrammarBlank(*p)) ++p;
    return static_cast<size_t>(p - s);
  }
  // One of the separators that join the parts of a numeric or joined date; 0 if none.
  char dateJoiner() {
    const char c = *p;
    if (c != '-' && c != '/' && c != '.') return 0;
    ++p;
    return c;
  }
};

bool isDayOrMonth(size_t digits) { return digits == 1 || digits == 2; }

// --- The shape classifier: digit and letter counts of a matched form to a shape. -----

int classifyNumeric(size_t first, char joiner1, size_t second, char joiner2, size_t third) {
  if (first == 4) {  // year first, written only with '-'
    if (joiner1 != '-' || joiner2 != '-') return -1;
    return isDayOrMonth(second) && isDayOrMonth(third) ? 4 : -1;
  }
  return isDayOrMonth(first) && isDayOrMonth(second) && third == 4 ? kNumericDateShape : -1;
}

// Month first (first = 0) or day first (first = 5); a word of three bytes is the month's
// abbreviation, a longer one its full name.
int classifyNamed(int first, size_t word, size_t day, size_t year) {
  if (word < 3 || !isDayOrMonth(day) || year != 4) return -1;
  return first + (word == 3 ? 0 : 2) + (day == 2 ? 1 : 0);
}

int classifyJoined(size_t day, size_t word, size_t year) {
  return isDayOrMonth(day) && word == 3 && (year == 4 || year == 2) ? 10 : -1;
}

// --- The four written forms. Each returns the shape, or -1 when the form does not match
// or its counts fit no shape; *end is where the form ended. -------------------------

int numericForm(Cursor c, const char** end) {
  const size_t first = c.digits();
  const char j1 = c.dateJoiner();
  const size_t second = c.digits();
  const char j2 = c.dateJoiner();
  const size_t third = c.digits();
  if (!first || !j1 || !second || !j2 || !third) return -1;
  *end = c.p;
  return classifyNumeric(first, j1, second, j2, third);
}

int monthFirstForm(Cursor c, const char** end) {
  const size_t word = c.word();
  const size_t gap = c.blanks();
  const size_t day = c.digits();
  const size_t gap2 = c.commasAndBlanks();
  const size_t year = c.digits();
  if (!word || !gap || !day || !gap2 || !year) return -1;
  *end = c.p;
  return classifyNamed(0, word, day, year);
}

int dayFirstForm(Cursor c, const char** end) {
  const size_t day = c.digits();
  const size_t gap = c.blanks();
  const size_t word = c.word();
  const size_t gap2 = c.commasAndBlanks();
  const size_t year = c.digits();
  if (!day || !gap || !word || !gap2 || !year) return -1;
  *end = c.p;
  return classifyNamed(5, word, day, year);
}

int joinedForm(Cursor c, const char** end) {
  const size_t day = c.digits();
  const char j1 = c.dateJoiner();
  const size_t word = c.word();
  const char j2 = c.dateJoiner();
  const size_t year = c.digits();
  if (!day || !j1 || !word || !j2 || !year) return -1;
  *end = c.p;
  return classifyJoined(day, word, year);
}

}  // namespace

int matchDateShape(const char* text, size_t* length) {
  // The forms start differently (a word; or digits followed by a joiner and digits, by a
  // joiner and a word, or by a blank), so at most one of them matches.
  const char* end = text;
  int shape = -1;
  Cursor c{text};
  if (wordLetterBytes(text) > 0) {
    shape = monthFirstForm(c, &end);
  } else if (isGrammarDigit(*text)) {
    c.digits();
    if (c.dateJoiner()) {
      shape = isGrammarDigit(*c.p) ? numericForm(Cursor{text}, &end) : joinedForm(Cursor{text}, &end);
    } else {
      shape = dayFirstForm(Cursor{text}, &end);
    }
  }
  *length = static_cast<size_t>(end - text);
  return shape;
}

int matchTimeShape(const char* text) {
  Cursor c{text};
  if (!c.digits()) return -1;
  while (isGrammarSeparator(*c.p) && isGrammarDigit(c.p[1])) {
    ++c.p;
    c.digits();
  }
  int shape = 1;
  Cursor designator = c;
  designator.blanks();
  if (designator.word()) {
    c = designator;
    shape = 0;
  }
  return *c.p == '\0' ? shape : -1;
}

}  // namespace kv
