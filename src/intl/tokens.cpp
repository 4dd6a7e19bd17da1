// Tokenizers: cut the next token off a text by a skip set and a delimiter set. Set members
// are single bytes; in DBCS mode they match one-byte characters only.
#include "intl/text.h"

using namespace kv;

namespace {

LPCSTR skipSet(LPCSTR p, LPCSTR skip, bool dbcs) {
  while (IsSetByte(p, skip, dbcs)) ++p;
  return p;
}

// True when the character at p is the one byte b.
bool isByte(LPCSTR p, CHAR b, bool dbcs) { return b && *p == b && CharBytes(p, dbcs) == 1; }

LPCSTR findDelimiter(LPCSTR p, LPCSTR delimiters, bool dbcs) {
  for (; *p; p = StepChar(p, dbcs)) {
    if (IsSetByte(p, delimiters, dbcs)) return p;
  }
  return nullptr;
}

LPCSTR findByte(LPCSTR p, CHAR b, bool dbcs) {
  for (; *p; p = StepChar(p, dbcs)) {
    if (isByte(p, b, dbcs)) return p;
  }
  return nullptr;
}

// Delimiters inside parentheses do not count; "(" counts before the test, ")" after it.
LPCSTR findDelimiterOutsideParens(LPCSTR p, LPCSTR delimiters, bool dbcs) {
  int depth = 0;
  for (; *p; p = StepChar(p, dbcs)) {
    if (isByte(p, '(', dbcs)) ++depth;
    if (depth <= 0 && IsSetByte(p, delimiters, dbcs)) return p;
    if (isByte(p, ')', dbcs)) --depth;
  }
  return nullptr;
}

// Delimiters between a pair of quote characters do not count.
LPCSTR findDelimiterOutsideQuotes(LPCSTR p, LPCSTR delimiters, CHAR quote, bool dbcs) {
  for (;;) {
    LPCSTR delimiter = findDelimiter(p, delimiters, dbcs);
    LPCSTR open = findByte(p, quote, dbcs);
    LPCSTR close = open ? findByte(StepChar(open, dbcs), quote, dbcs) : nullptr;
    if (!close || (delimiter && delimiter < open)) return delimiter;
    p = StepChar(close, dbcs);
  }
}

enum class Kind { kPlain, kNestedParens, kQuoted };

int getToken(Kind kind, LPSTR token, LPCSTR text, LPCSTR skip, LPCSTR delimiters, WORD required, CHAR quote,
             int maxSize) {
  if (!token || !text || !skip || !delimiters) return 0;
  const bool dbcs = DbcsMode();
  LPCSTR p = skipSet(text, skip, dbcs);
  if (required) {
    // A low byte 0 would be the terminator: nothing to step over.
    if (!isByte(p, static_cast<CHAR>(required & 0xFF), dbcs)) return 0;
    ++p;
  }
  LPCSTR delimiter = nullptr;
  switch (kind) {
    case Kind::kPlain: delimiter = findDelimiter(p, delimiters, dbcs); break;
    case Kind::kNestedParens: delimiter = findDelimiterOutsideParens(p, delimiters, dbcs); break;
    case Kind::kQuoted: delimiter = findDelimiterOutsideQuotes(p, delimiters, quote, dbcs); break;
  }
  LPCSTR end = delimiter ? delimiter : p + lstrlenA(p);
  const auto length = end - p;
  if (maxSize >= 1 && length + 1 > maxSize) return 0;
  *CopyPiece(token, text, p, end, dbcs) = '\0';
  return static_cast<int>(end - text);
}

}  // namespace

KV_API int KV_CALL IntlStrGetToken(LPSTR token, LPCSTR text, LPCSTR skip, LPCSTR delimiters, WORD required,
                                   int maxSize) {
  return getToken(Kind::kPlain, token, text, skip, delimiters, required, 0, maxSize);
}

KV_API int KV_CALL IntlStrGetTokenNestedParens(LPSTR token, LPCSTR text, LPCSTR skip, LPCSTR delimiters,
                                               WORD required, int maxSize) {
  return getToken(Kind::kNestedParens, token, text, skip, delimiters, required, 0, maxSize);
}

KV_API int KV_CALL IntlStrGetTokenQuoted(LPSTR token, LPCSTR text, LPCSTR skip, LPCSTR delimiters, WORD required,
                                         CHAR quote, int maxSize) {
  return getToken(Kind::kQuoted, token, text, skip, delimiters, required, quote, maxSize);
}

KV_CPP_API int KV_CALL IntlStrGetTokenPtr(LPSTR* token, LPCSTR text, LPCSTR skip, LPCSTR delimiters) {
  if (!token || !text || !skip || !delimiters) return 0;
  const bool dbcs = DbcsMode();
  // The skipped bytes stay part of the token: they only keep leading delimiters from
  // ending it at once.
  LPCSTR delimiter = findDelimiter(skipSet(text, skip, dbcs), delimiters, dbcs);
  *token = const_cast<LPSTR>(text);
  return static_cast<int>(delimiter ? delimiter - text : lstrlenA(text));
}
