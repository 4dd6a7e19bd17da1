// The date-string grammar: a scanner with one start condition per mode and a parser that
// turns the scanner's tokens into a list. The mode is chosen by a three-byte prefix (0x02,
// code, 0x02) in front of a private copy of the text. Scanner and parser keep their state in
// one static record, so every entry holds the grammar lock from writing the prefix to
// freeing the copy.
#include "format/date_grammar.h"

#include "format/date_shapes.h"
#include "frame/statics.h"
#include "memory/cr_lock.h"

#include <korvane/intl.h>
#include <korvane/memory.h>

#include <cstdint>
#include <cstring>
#include <iterator>

namespace kv {

namespace {

constexpr char kPrefixMark = 0x02;
constexpr size_t kPrefixLength = 3;
// A token that reaches this many bytes while it could still grow ends the scan.
constexpr size_t kTokenBufferSize = 100;

// Start conditions; the codes of the mode prefixes.
enum Condition : int {
  kInitial = 0,  // before the prefix has been read
  kValueMode = 1,
  kPictureMode = 2,
  kDateShapeMode = 3,
  kTimeShapeMode = 4,
  kDateTimeShapeMode = 5,
};

// Scanner results besides token kinds.
enum ScanResult : int {
  kShapeToken = -1,  // a recognised shape; the shape numbers are in the token value
  kEndOfText = -2,
  kErrorCharacter = -3,
  kBufferOverflow = -4,
};

// The scanner and parser state.
struct GrammarState {
  int condition;
  const char* input;                // next byte of the private copy
  char token[kTokenBufferSize];     // text of the last word or quoted token
  LONG_PTR tokenValue;              // shapes: date shape in the low 16 bits, time in the high 16
  DateToken* tail;                  // the list built so far
  bool shapeRecognised;
  DateTokenArena* arena;            // where nodes go first; null: every node is allocated
};

GrammarState gGrammar;  // guarded by gGrammarLock

// --- Scanner ----------------------------------------------------------------------------

size_t runOf(const char* p, char c) {
  size_t n = 0;
  while (p[n] == c) ++n;
  return n;
}

size_t runOfBlanks(const char* p) {
  size_t n = 0;
  while (isGrammarBlank(p[n])) ++n;
  return n;
}

// Digits to their value, saturating at the largest 32-bit value; a four-digit run that
// starts with two zeros gets the four-digit marker.
LONG_PTR numberValue(const char* p, size_t n) {
  DWORD v = 0;
  for (size_t i = 0; i < n; ++i) {
    const DWORD d = static_cast<DWORD>(p[i] - '0');
    v = v > (0x7FFFFFFFu - d) / 10 ? 0x7FFFFFFFu : v * 10 + d;
  }
  if (n == 4 && p[0] == '0' && p[1] == '0') v |= kFourDigitMarker;
  return static_cast<LONG_PTR>(static_cast<LONG>(v));
}

// A quoted text at the input: kind 1 with its inside in the token buffer.
int scanQuoted(GrammarState& s) {
  const char* inside = s.input + 1;
  const char* close = std::strchr(inside, '\'');
  // The token counts both quotes: it may reach the buffer's size only with its closing quote.
  const size_t reach = close ? static_cast<size_t>(close - s.input) + 1 : std::strlen(s.input);
  if (reach > kTokenBufferSize) return kBufferOverflow;
  if (!close) return kErrorCharacter;
  const auto n = static_cast<size_t>(close - inside);
  std::memcpy(s.token, inside, n);
  s.token[n] = '\0';
  s.input = close + 1;
  return kTokText;
}

// A run of equal letters: its length, or 0 when the run could still grow past the buffer.
size_t letterRun(const char* p) {
  const size_t n = runOf(p, *p);
  return n >= kTokenBufferSize ? 0 : n;
}

// Separators, blanks and quoted texts read alike in value and picture mode.
int scanCommon(GrammarState& s) {
  const char c = *s.input;
  if (isGrammarBlank(c)) {
    const size_t n = runOfBlanks(s.input);
    if (n >= kTokenBufferSize) return kBufferOverflow;
    s.input += n;
    s.tokenValue = static_cast<LONG_PTR>(n);
    return kTokBlanks;
  }
  if (isGrammarSeparator(c)) {
    ++s.input;
    s.tokenValue = static_cast<BYTE>(c);
    return kTokChar;
  }
  if (c == '\'') return scanQuoted(s);
  return kErrorCharacter;
}

int scanValue(GrammarState& s) {
  const char* p = s.input;
  if (isGrammarDigit(*p)) {
    size_t n = 0;
    while (isGrammarDigit(p[n])) ++n;
    if (n >= kTokenBufferSize) return kBufferOverflow;
    s.tokenValue = numberValue(p, n);
    s.input += n;
    return kTokNumber;
  }
  if (wordLetterBytes(p) > 0) {
    size_t n = 0;
    for (int b; (b = wordLetterBytes(p + n)) > 0;) n += static_cast<size_t>(b);
    if (n >= kTokenBufferSize) return kBufferOverflow;
    std::memcpy(s.token, p, n);
    s.token[n] = '\0';
    s.input += n;
    return kTokText;
  }
  return scanCommon(s);
}

bool startsWith(const char* p, const char* word) { return std::strncmp(p, word, std::strlen(word)) == 0; }

// The picture element at the input, or an error; fixed elements are matched longest first.
int scanPicture(GrammarState& s) {
  static constexpr LONG kHourKinds[] = {kTokHour12Bare, kTokHour12, kTokHour24Bare, kTokHour24};
  const char* p = s.input;
  size_t n = 0;
  int kind = kErrorCharacter;
  switch (*p) {
    case 'd':
    case 'M':
    case 'h':
      n = letterRun(p);
      if (n == 0) return kBufferOverflow;
      if (n > 4) return kErrorCharacter;
      kind = *p == 'd' ? kTokDay - 1 + static_cast<int>(n)
           : *p == 'M' ? kTokMonth - 1 + static_cast<int>(n)
                       : kHourKinds[n - 1];
      break;
    case 'y':
      if (startsWith(p, "yyyy")) kind = kTokYear4, n = 4;
      else if (startsWith(p, "yy")) kind = kTokYear2, n = 2;
      break;
    case 'm':
      if (startsWith(p, "mmmmmm")) kind = kTokMicrosecond, n = 6;
      else if (startsWith(p, "mm")) kind = kTokMinute, n = 2;
      break;
    case 's':
      if (startsWith(p, "ss")) kind = kTokSecond, n = 2;
      break;
    case 'A':
      if (startsWith(p, "AMPM")) kind = kTokAmPm, n = 4;
      break;
    default:
      return scanCommon(s);
  }
  if (kind < 0) return kind;
  s.input += n;
  s.tokenValue = 0;
  return kind;
}

// The whole text as one shape token: a date, a time, or a date and then a time.
int scanShape(GrammarState& s) {
  const char* p = s.input;
  int date = 0;
  int time = 0;
  if (s.condition != kTimeShapeMode) {
    size_t n = 0;
    date = matchDateShape(p, &n);
    if (date < 0) return kErrorCharacter;
    if (n >= kTokenBufferSize) return kBufferOverflow;
    p += n;
  }
  // A date that covers the whole text is complete; anything after it must be a time.
  if (s.condition == kTimeShapeMode || (s.condition == kDateTimeShapeMode && *p)) {
    if (s.condition == kDateTimeShapeMode) {
      // The time follows after blanks or a joining separator ("2001-12-25-13.45.30").
      while (isGrammarBlank(*p) || isGrammarSeparator(*p)) ++p;
    }
    time = matchTimeShape(p);
    if (time < 0) return kErrorCharacter;
    const size_t n = std::strlen(p);
    if (n >= kTokenBufferSize) return kBufferOverflow;
    p += n;
  }
  if (*p) return kErrorCharacter;  // text left over
  s.input = p;
  s.tokenValue = static_cast<LONG_PTR>(date) | static_cast<LONG_PTR>(time) << 16;
  return kShapeToken;
}

int scan(GrammarState& s) {
  if (s.condition == kInitial) {
    const char* p = s.input;
    if (p[0] != kPrefixMark || p[1] < kValueMode || p[1] > kDateTimeShapeMode || p[2] != kPrefixMark) {
      return kErrorCharacter;
    }
    s.condition = p[1];
    s.input += kPrefixLength;
  }
  switch (s.condition) {
    case kValueMode:
      return *s.input ? scanValue(s) : kEndOfText;
    case kPictureMode:
      return *s.input ? scanPicture(s) : kEndOfText;
    default:
      if (s.shapeRecognised) return *s.input ? kErrorCharacter : kEndOfText;
      return scanShape(s);
  }
}

// --- Parser -----------------------------------------------------------------------------

DateToken* headOf(DateToken* tail) {
  DateToken* head = tail;
  while (head && head->prev) head = head->prev;
  return head;
}

DateToken* newNode(DateTokenArena* arena) {
  if (arena && arena->nodesUsed < std::size(arena->nodes)) return &arena->nodes[arena->nodesUsed++];
  return static_cast<DateToken*>(MemAlloc(sizeof(DateToken)));
}

char* newText(DateTokenArena* arena, size_t bytes) {
  if (arena && bytes <= sizeof arena->texts - arena->textUsed) {
    char* text = arena->texts + arena->textUsed;
    arena->textUsed += bytes;
    return text;
  }
  return static_cast<char*>(MemAlloc(static_cast<DWORD>(bytes)));
}

bool inArena(const DateTokenArena* arena, const void* p) {
  if (!arena) return false;
  const auto at = reinterpret_cast<uintptr_t>(p);
  const auto nodes = reinterpret_cast<uintptr_t>(arena->nodes);
  const auto texts = reinterpret_cast<uintptr_t>(arena->texts);
  return (at >= nodes && at < nodes + sizeof arena->nodes) || (at >= texts && at < texts + sizeof arena->texts);
}

void freeUnlessInArena(void* p, const DateTokenArena* arena) {
  if (!inArena(arena, p)) MemFree(p);
}

// Appends a node for the token just scanned; false when memory runs out.
bool append(GrammarState& s, int kind) {
  auto* node = newNode(s.arena);
  if (!node) return false;
  node->kind = kind;
  node->value = s.tokenValue;
  node->next = nullptr;
  if (kind == kTokText) {
    const size_t n = std::strlen(s.token);
    char* text = newText(s.arena, n + 1);
    if (!text) {
      freeUnlessInArena(node, s.arena);
      return false;
    }
    std::memcpy(text, s.token, n + 1);
    node->value = reinterpret_cast<LONG_PTR>(text);
  }
  node->prev = s.tail;
  if (s.tail) s.tail->next = node;
  s.tail = node;
  return true;
}

// Parses the prefixed copy: a list of one or more tokens, or exactly one shape. On success
// the state holds the tail of the list or the recognised shape; on failure nothing is kept.
bool parse(GrammarState& s, const char* copy) {
  s.condition = kInitial;
  s.input = copy;
  s.token[0] = '\0';
  s.tokenValue = 0;
  s.tail = nullptr;
  s.shapeRecognised = false;
  for (;;) {
    const int kind = scan(s);
    bool ok = true;
    if (kind == kEndOfText) {
      if (s.tail || s.shapeRecognised) return true;
      ok = false;  // nothing read
    } else if (kind == kShapeToken) {
      s.shapeRecognised = true;
    } else {
      ok = kind >= 0 && append(s, kind);
    }
    if (!ok) {
      freeDateTokens(headOf(s.tail), s.arena);
      s.tail = nullptr;
      s.shapeRecognised = false;
      return false;
    }
  }
}

// A copy of the text behind the mode prefix; text() is null when it cannot be allocated.
// Typed values and pictures are short: those are copied on the stack.
class PrefixedCopy {
 public:
  PrefixedCopy(const char* text, size_t length, int code) {
    if (length > 0x7FFF0000u) return;
    copy_ = length + 8 <= sizeof local_ ? local_ : static_cast<char*>(MemAlloc(static_cast<DWORD>(length + 8)));
    if (!copy_) return;
    copy_[0] = kPrefixMark;
    copy_[1] = static_cast<char>(code);
    copy_[2] = kPrefixMark;
    std::memcpy(copy_ + kPrefixLength, text, length + 1);
  }
  ~PrefixedCopy() {
    if (copy_ != local_) MemFree(copy_);
  }
  PrefixedCopy(const PrefixedCopy&) = delete;
  PrefixedCopy& operator=(const PrefixedCopy&) = delete;
  char* text() const { return copy_; }

 private:
  char local_[128];
  char* copy_ = nullptr;
};

}  // namespace

DateToken* FMTParseDateString(const char* text, int mode) { return FMTParseDateString(text, mode, nullptr); }

DateToken* FMTParseDateString(const char* text, int mode, DateTokenArena* arena) {
  if (!text || mode < kParseDate || mode > kParsePicture) return nullptr;
  CrLock lock(&gGrammarLock);
  const size_t length = std::strlen(text);
  const int code = mode == kParsePicture ? kPictureMode : kValueMode;
  const PrefixedCopy prefixed(text, length, code);
  char* copy = prefixed.text();
  if (!copy) return nullptr;
  GrammarState& s = gGrammar;
  s.arena = arena;
  DateToken* head = parse(s, copy) ? headOf(s.tail) : nullptr;
  // Eight digits typed without separators are a date: read 20011225 as 2001 12 25.
  if (head && length == 8 && code == kValueMode && !head->next && head->kind == kTokNumber) {
    freeDateTokens(head, arena);
    char* p = copy + kPrefixLength;
    std::memcpy(p, text, 4);
    p[4] = ' ';
    std::memcpy(p + 5, text + 4, 2);
    p[7] = ' ';
    std::memcpy(p + 8, text + 6, 2);
    p[10] = '\0';
    head = parse(s, copy) ? headOf(s.tail) : nullptr;
  }
  s.arena = nullptr;
  return head;
}

bool guessDateShape(const char* text, int kind, char* picture, int allowNumeric) {
  picture[0] = '\0';
  if (!text || kind < kGuessDate || kind > kGuessDateTime) return false;
  CrLock lock(&gGrammarLock);
  const PrefixedCopy prefixed(text, std::strlen(text), kDateShapeMode + kind - kGuessDate);
  char* copy = prefixed.text();
  if (!copy) return false;
  IntlStrStripSpace(copy + kPrefixLength);
  GrammarState& s = gGrammar;
  s.arena = nullptr;
  const bool recognised = parse(s, copy);
  if (!recognised) return false;
  const auto shapes = static_cast<DWORD>(s.tokenValue);
  const DWORD date = shapes & 0xFFFF;
  const DWORD time = shapes >> 16;
  if (kind != kGuessTime && !allowNumeric && date == kNumericDateShape) return false;

  const char* datePicture = kDateShapePictures[date];
  const char* timePicture = kTimeShapePictures[time];
  if (kind == kGuessDate) {
    std::strcpy(picture, datePicture);
  } else if (kind == kGuessTime) {
    std::strcpy(picture, timePicture);
  } else {
    std::strcpy(picture, datePicture);
    std::strcat(picture, date == 4 ? "-" : " ");
    std::strcat(picture, timePicture);
  }
  return true;
}

DateToken* FMTGuessDatePicture(const char* text, int kind, char* picture, int allowNumeric) {
  char chosen[64];
  if (!guessDateShape(text, kind, chosen, allowNumeric)) {
    if (picture) *picture = '\0';
    return nullptr;
  }
  if (picture) std::strcpy(picture, chosen);
  return FMTParseDateString(chosen, kParsePicture);
}

void FMTFreeDateTokens(DateToken* head) { freeDateTokens(head, nullptr); }

void freeDateTokens(DateToken* head, const DateTokenArena* arena) {
  while (head) {
    DateToken* next = head->next;
    if (head->kind == kTokText) freeUnlessInArena(reinterpret_cast<void*>(head->value), arena);
    freeUnlessInArena(head, arena);
    head = next;
  }
}

}  // namespace kv
