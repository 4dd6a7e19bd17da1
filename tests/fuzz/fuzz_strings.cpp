// The string functions, tokenizers and width conversion on arbitrary text, mostly under
// code page 932. Input: the text, then (from the end) the system, an insertion text and
// counts. Every output buffer is exactly as large as the library's contract asks, so ASan
// sees an overrun; no output may end in a lone lead byte when the inputs do not; results
// agree with the text written.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz_support.h"

namespace {

using kvfuzz::HeapText;
using kvfuzz::OutBuffer;

// True when the text's last character is a lead byte with no trail byte.
bool EndsInLoneLead(const char* s) {
  if (!IntlDBCSEnabled()) return false;
  const BYTE* p = reinterpret_cast<const BYTE*>(s);
  while (*p) {
    if (IsDBCSLeadByte(*p)) {
      if (!p[1]) return true;
      p += 2;
    } else {
      ++p;
    }
  }
  return false;
}

struct Context {
  const char* src;
  int srcLen;  // bytes
  bool clean;  // no input ends in a lone lead byte
};

void CheckText(const Context& c, const OutBuffer& out) {
  out.length();
  if (c.clean) FUZZ_CHECK(!EndsInLoneLead(out.get()));
}

void Cutting(const Context& c, int a, int b) {
  const size_t room = static_cast<size_t>(c.srcLen) + 1;
  {
    OutBuffer out(room);
    const UINT n = IntlStrLeft(out.get(), c.src, a);
    CheckText(c, out);
    if (c.clean) FUZZ_CHECK(static_cast<int>(n) == IntlStrLen(out.get()));
  }
  {
    OutBuffer out(room);
    const UINT n = IntlStrRight(out.get(), c.src, a);
    CheckText(c, out);
    if (c.clean) FUZZ_CHECK(static_cast<int>(n) == IntlStrLen(out.get()));
  }
  {
    OutBuffer out(room);
    const UINT n = IntlStrMid(out.get(), c.src, a, b);
    CheckText(c, out);
    if (c.clean) FUZZ_CHECK(static_cast<int>(n) == IntlStrLen(out.get()));
  }
  {
    OutBuffer out(room);
    const UINT n = IntlStrLeftB(out.get(), c.src, a);
    CheckText(c, out);
    FUZZ_CHECK(n == out.length());
  }
  {
    OutBuffer out(room);
    const UINT n = IntlStrRightB(out.get(), c.src, a);
    CheckText(c, out);
    FUZZ_CHECK(n == out.length());
  }
  {
    OutBuffer out(room);
    const int n = IntlStrMidB(out.get(), c.src, a, b);
    CheckText(c, out);
    FUZZ_CHECK(n == static_cast<int>(out.length()));
  }
}

void Replacing(const Context& c, const char* ins, int a, int b) {
  const size_t room = static_cast<size_t>(c.srcLen) + std::strlen(ins) + 1;
  {
    OutBuffer out(room);
    const int n = IntlStrReplace(out.get(), c.src, ins, a, b);
    CheckText(c, out);
    if (c.clean) FUZZ_CHECK(n == IntlStrLen(out.get()));
  }
  {
    OutBuffer out(room);
    const int n = IntlStrReplaceB(out.get(), c.src, ins, a, b);
    CheckText(c, out);
    FUZZ_CHECK(n == static_cast<int>(out.length()));
  }
}

void Cleaning(const Context& c, int a) {
  const size_t room = static_cast<size_t>(c.srcLen) + 1;
  {
    OutBuffer out(room);
    const int n = IntlStrTrim(out.get(), c.src);
    CheckText(c, out);
    if (c.clean) FUZZ_CHECK(n == IntlStrLen(out.get()));
  }
  {
    OutBuffer out(room);
    const int n = IntlStrProper(out.get(), c.src);
    CheckText(c, out);
    if (c.clean) FUZZ_CHECK(n == IntlStrLen(out.get()));
  }
  {
    OutBuffer out(room);
    FUZZ_CHECK(IntlStripEndSpace(out.get(), c.src) == out.get());
    CheckText(c, out);
  }
  {
    // In place: a copy of exactly the source's size.
    HeapText s(std::string(c.src, c.srcLen));
    FUZZ_CHECK(IntlStrStripSpace(s.get()) == s.get());
    HeapText t(std::string(c.src, c.srcLen));
    const int n = IntlStrTrimTrailing(t.get());
    if (c.clean) FUZZ_CHECK(n == IntlStrLen(t.get()));
    HeapText u(std::string(c.src, c.srcLen));
    FUZZ_CHECK(IntlStrUpper(u.get()) == u.get() && std::strlen(u.get()) == static_cast<size_t>(c.srcLen));
    FUZZ_CHECK(IntlStrLower(u.get()) == u.get() && std::strlen(u.get()) == static_cast<size_t>(c.srcLen));
  }
  {
    // Up to count characters, zero-filled: two bytes a character at most.
    const WORD count = static_cast<WORD>(a < 0 ? 0 : a);
    OutBuffer out(2u * count + 1);
    FUZZ_CHECK(IntlStrnCpy(out.get(), c.src, count) == out.get());
  }
  const char* start = IntlStripStartSpace(c.src);
  FUZZ_CHECK(start >= c.src && start <= c.src + c.srcLen);
  start = IntlStripStartBlank(c.src);
  FUZZ_CHECK(start >= c.src && start <= c.src + c.srcLen);
}

void Finding(const Context& c, const char* set, int a) {
  const int len = IntlStrLen(c.src);
  FUZZ_CHECK(len >= 0 && len <= c.srcLen && IntlStrLenB(c.src) == c.srcLen);
  const char* nth = IntlStrNthChar(c.src, a);
  if (a < 0 || a > len) {
    FUZZ_CHECK(nth == nullptr);
  } else {
    FUZZ_CHECK(nth >= c.src && nth <= c.src + c.srcLen);
  }
  const int db = IntlIsNthCharDB(c.src, a);
  FUZZ_CHECK(db == 0 || db == 1);
  const int byteDb = IntlIsNthByteDB(c.src, a);
  FUZZ_CHECK(byteDb >= 0 && byteDb <= 2);
  (void)IntlStrFirstChar(c.src);
  (void)IntlStrLastChar(c.src);
  const WORD ch = IntlStrFirstChar(set);
  const char* found = IntlStrChr(c.src, ch);
  FUZZ_CHECK(!found || (found >= c.src && found <= c.src + c.srcLen));
  found = IntlStrSearch(c.src, set);
  FUZZ_CHECK(!found || (found >= c.src && found < c.src + c.srcLen));
  const int at = IntlStrScan(c.src, set);
  FUZZ_CHECK(at >= -1 && at <= len);
  FUZZ_CHECK(IntlIsStrEqual(c.src, c.src) == 1);
  (void)IntlIsStrnEqual(c.src, set, static_cast<WORD>(a));
  (void)IntlStrIsNextChSpace(c.src);
  (void)IntlBytesInNextChar(c.src);
  (void)IntlNextDBCInStr(c.src);
}

void Tokens(const Context& c, const char* set, int a, WORD required) {
  const char* delimiters = set[0] ? set : ",";
  const char skip[] = " \t";
  const int maxSize = a % (c.srcLen + 2);
  const size_t room = maxSize >= 1 ? static_cast<size_t>(maxSize) : static_cast<size_t>(c.srcLen) + 1;
  for (int kind = 0; kind < 3; ++kind) {
    OutBuffer token(room);
    int n = 0;
    if (kind == 0) n = IntlStrGetToken(token.get(), c.src, skip, delimiters, required, maxSize);
    if (kind == 1) n = IntlStrGetTokenNestedParens(token.get(), c.src, skip, delimiters, required, maxSize);
    if (kind == 2) n = IntlStrGetTokenQuoted(token.get(), c.src, skip, delimiters, required, '\'', maxSize);
    FUZZ_CHECK(n >= 0 && n <= c.srcLen);
  }
  LPSTR token = nullptr;
  const int n = IntlStrGetTokenPtr(&token, c.src, skip, delimiters);
  FUZZ_CHECK(n >= 0 && n <= c.srcLen);
  LONG l = 0;
  FUZZ_CHECK(IntlFetchNextNumLong(&l, c.src) <= c.srcLen);
  double d = 0;
  FUZZ_CHECK(IntlFetchNextNumDouble(&d, c.src) <= c.srcLen);
}

void Width(const Context& c) {
  OutBuffer full(2u * static_cast<size_t>(c.srcLen) + 1);
  const int nf = IntlStrJapanFull(full.get(), c.src);
  CheckText(c, full);
  if (c.clean) FUZZ_CHECK(nf == IntlStrLen(full.get()));
  OutBuffer half(static_cast<size_t>(c.srcLen) + 1);
  const int nh = IntlStrJapanHalf(half.get(), c.src);
  CheckText(c, half);
  if (c.clean) FUZZ_CHECK(nh == IntlStrLen(half.get()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const LANGID kSystems[] = {0x0411, 0x0409, 0x0412, 0x0411};
  FuzzedDataProvider in(data, size);
  const LANGID system = kSystems[in.ConsumeIntegral<uint8_t>() & 3];
  const int a = in.ConsumeIntegralInRange<int>(-3, 300);
  const int b = in.ConsumeIntegralInRange<int>(-3, 300);
  const WORD required = in.ConsumeIntegral<WORD>();
  const std::string set = in.ConsumeRandomLengthString(12);
  const std::string text = in.ConsumeRemainingBytesAsString();
  static LANGID current = 0;
  if (system != current) {
    kvfuzz::UseSystem(system);
    current = system;
  }
  HeapText src(text), ins(set);
  Context c{src.get(), static_cast<int>(std::strlen(src.get())), false};
  c.clean = !EndsInLoneLead(src.get()) && !EndsInLoneLead(ins.get());
  Cutting(c, a, b);
  Replacing(c, ins.get(), a, b);
  Cleaning(c, a);
  Finding(c, ins.get(), a);
  Tokens(c, ins.get(), a, required);
  Width(c);
  return 0;
}
