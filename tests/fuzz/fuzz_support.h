// What the fuzz targets share: a check that aborts with a message (so libFuzzer keeps the
// input), heap text of exactly its own size (so ASan sees a read past its end), the NUMBER
// record checks, and switching the emulated system.
#pragma once

#include <korvane/intl.h>
#include <korvane/number.h>
#include <korvane/platform.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#define FUZZ_CHECK(cond)                                                             \
  do {                                                                               \
    if (!(cond)) {                                                                   \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
      std::abort();                                                                  \
    }                                                                                \
  } while (0)

namespace kvfuzz {

// A zero-terminated copy on the heap with no byte to spare after the terminator.
class HeapText {
 public:
  explicit HeapText(std::string_view text) : size_(text.size() + 1), p_(new char[size_]) {
    std::memcpy(p_.get(), text.data(), text.size());
    p_[text.size()] = '\0';
  }
  char* get() const { return p_.get(); }
  size_t size() const { return size_; }

 private:
  size_t size_;
  std::unique_ptr<char[]> p_;
};

// An output buffer of exactly size bytes, filled with a marker so that unwritten bytes
// are told from written ones.
class OutBuffer {
 public:
  explicit OutBuffer(size_t size) : size_(size), p_(new char[size ? size : 1]) {
    std::memset(p_.get(), 0x7E, size ? size : 1);
  }
  char* get() const { return p_.get(); }
  size_t size() const { return size_; }
  // Length of the zero-terminated text; the terminator must lie inside the buffer.
  size_t length() const {
    const void* z = std::memchr(p_.get(), 0, size_);
    FUZZ_CHECK(z != nullptr);
    return static_cast<size_t>(static_cast<const char*>(z) - p_.get());
  }

 private:
  size_t size_;
  std::unique_ptr<char[]> p_;
};

// The length byte as the readers other than the four operations and NumCompare take it.
inline int RecordLength(const NUMBER& n) { return n.bLength & 0x3F; }

// A record as the library writes it: valid length, zero exactly 1 0xC0, otherwise an
// exponent of 4 to 124, a non-zero first digit, digits in their sign's encoding and, for
// a negative number, the terminator. strict adds no trailing zero digit (every result
// but a product that NumMultiply stores one byte short is in this form).
inline bool IsWellFormed(const NUMBER& n, bool strict = true) {
  const int len = n.bLength;
  if (len < 1 || len > 24) return false;
  const BYTE* m = n.abMantissa;
  if (len == 1) return n.bExponent == 0xC0;
  // The padded form of zero: zero digits after its exponent byte.
  if (!strict && n.bExponent == 0xC0 && m[0] == 0) {
    for (int i = 0; i < len - 1; ++i) {
      if (m[i] != 0) return false;
    }
    return true;
  }
  const bool negative = (n.bExponent & 0x80) == 0;
  const int e = negative ? (~n.bExponent & 0x7F) : (n.bExponent & 0x7F);
  if (e < 4 || e > 124) return false;
  int digits = len - 1;
  if (negative) {
    if (strict) {
      if (m[len - 2] != 101) return false;
      --digits;
    } else if (m[len - 2] == 101) {
      --digits;
    }
    if (digits < 1 || digits > 22) return false;
  }
  for (int i = 0; i < digits; ++i) {
    const int d = negative ? 100 - m[i] : m[i];
    if (d < 0 || d > 99) return false;
    if (i == 0 && d == 0) return false;
    if (strict && i == digits - 1 && d == 0) return false;
  }
  return true;
}

inline bool SameRecord(const NUMBER& a, const NUMBER& b) {
  return a.bLength == b.bLength && (a.bLength == 0 || std::memcmp(&a, &b, 1 + (a.bLength & 0x3F)) == 0);
}

// The length as the four operations and NumCompare take it: only the low four bits when
// bit 7 is set.
inline int ArithLength(const NUMBER& n) { return (n.bLength & 0x80) ? (n.bLength & 0x0F) : RecordLength(n); }

// A record copied to the heap in exactly the bytes its length byte claims under either
// reading (at least the length byte itself), so that ASan catches a read past it.
class HeapRecord {
 public:
  explicit HeapRecord(const NUMBER& n) {
    const int plain = RecordLength(n) <= 24 ? RecordLength(n) : 0;
    const int arith = ArithLength(n) <= 24 ? ArithLength(n) : 0;
    size_ = 1 + static_cast<size_t>(plain > arith ? plain : arith);
    p_.reset(new BYTE[size_]);
    std::memcpy(p_.get(), &n, size_);
  }
  const NUMBER* get() const { return reinterpret_cast<const NUMBER*>(p_.get()); }

 private:
  size_t size_;
  std::unique_ptr<BYTE[]> p_;
};

// Runs the rest of the process on another emulated system (language and user locale).
inline void UseSystem(LANGID language) {
  KwConfigureSystem(language, language);
  IntlInit();
}

// Japanese or English for this input, switched only when it changes.
inline void UseJapaneseOrEnglish(bool japanese) {
  static LANGID current = 0;
  const LANGID system = japanese ? 0x0411 : 0x0409;
  if (system != current) {
    UseSystem(system);
    current = system;
  }
}

}  // namespace kvfuzz
