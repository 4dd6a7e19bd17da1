// Text to NUMBER and back. The input is the text; its last two bytes also give a field
// width and its first 25 bytes a raw record. Properties: every reading leaves a null record
// or one in normal form and never consumes more than the text; the canonical text of a
// record (width 108) reads back as the same record unless its exponent saturates; no
// width writes past its width plus the sign and the terminator.
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz_support.h"

namespace {

using kvfuzz::HeapRecord;
using kvfuzz::HeapText;
using kvfuzz::OutBuffer;

// The exponent form saturates beyond E+99 / E-99: such text does not read back exactly.
bool Saturated(const char* text) {
  const char* e = std::strchr(text, 'E');
  return e && (std::strcmp(e + 2, "99") == 0);
}

void CheckRoundTrip(const NUMBER& n) {
  OutBuffer text(108 + 2);
  const unsigned len = NumToAscii(&n, text.get(), 108);
  FUZZ_CHECK(len == text.length());
  FUZZ_CHECK(len <= 109);
  if (len == 0) return;
  HeapText again(std::string(text.get(), len));
  NUMBER back;
  std::memset(&back, 0xEE, sizeof back);
  FUZZ_CHECK(NumAsciiToNumber(&back, again.get()) == static_cast<int>(len));
  FUZZ_CHECK(kvfuzz::IsWellFormed(back));
  if (!Saturated(text.get())) FUZZ_CHECK(NumCompare(&back, &n) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  HeapText text(input);
  const int textLen = static_cast<int>(std::strlen(text.get()));

  NUMBER n;
  std::memset(&n, 0xEE, sizeof n);
  const int r = NumAsciiToNumber(&n, text.get());
  FUZZ_CHECK(r >= -2 && r <= textLen);
  if (r <= 0) {
    FUZZ_CHECK(n.bLength == 0);
  } else {
    FUZZ_CHECK(kvfuzz::IsWellFormed(n));
    CheckRoundTrip(n);
  }

  NUMBER h;
  std::memset(&h, 0xEE, sizeof h);
  const int hr = NumHexAsciiToNumber(&h, text.get());
  FUZZ_CHECK(hr >= 0 && hr <= textLen);
  FUZZ_CHECK(kvfuzz::IsWellFormed(h));
  CheckRoundTrip(h);

  // Any width, with garbage above the 16 bits that count, into a buffer of just the
  // width plus sign and terminator.
  const unsigned width = size >= 2 ? (data[size - 2] << 8 | data[size - 1]) : 108;
  NUMBER raw;
  std::memset(&raw, 0, sizeof raw);
  std::memcpy(&raw, data, size < sizeof raw ? size : sizeof raw);
  HeapRecord exact(raw);
  for (const NUMBER* record : {static_cast<const NUMBER*>(&n), exact.get()}) {
    OutBuffer out(width + 2);
    const unsigned len = NumToAscii(record, out.get(), width | 0x5A0000u);
    FUZZ_CHECK(len == out.length());
    FUZZ_CHECK(len <= width + 1);
  }
  // A damaged record's text still reads back as its value (with bit 7 of the length byte
  // set, NumCompare reads another length than NumToAscii).
  if (raw.bLength >= 1 && raw.bLength <= 24) CheckRoundTrip(raw);
  return 0;
}
