// The font helpers on names and records callers make: face look-ups with arbitrary bytes
// (unterminated, 32 bytes and more, double-byte), LOGFONTA records completed in place, and
// the enumeration callbacks fed arbitrary font records. Input: a selector byte, then the
// face or the records.
// Properties: a face or record is read only within its own bytes (each sits in a heap
// buffer of exactly its size); a result block holds the count it claims, each face record
// zero-terminated within its 32 bytes; FonFixLogfont changes only lfCharSet and
// lfPitchAndFamily; a callback that says "go on" has added exactly one record.
#include <fuzzer/FuzzedDataProvider.h>
#include <korvane/fonts.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "fuzz_support.h"

namespace {

HDC ScreenDc() {
  static const HDC dc = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
  return dc;
}

// A record in a heap buffer of exactly its size, filled from the input and zero-padded.
template <typename T>
std::unique_ptr<T> HeapRecordOf(const std::string& bytes) {
  auto p = std::make_unique<T>();
  std::memcpy(p.get(), bytes.data(), bytes.size() < sizeof(T) ? bytes.size() : sizeof(T));
  return p;
}

// The count of a result block, checked against the block's size.
WORD CheckBlock(HGLOBAL block, size_t record) {
  if (block == nullptr) return 0;
  const auto* p = static_cast<const BYTE*>(GlobalLock(block));
  FUZZ_CHECK(p != nullptr);
  WORD count;
  std::memcpy(&count, p, sizeof count);
  FUZZ_CHECK(GlobalSize(block) >= 2 + static_cast<size_t>(count) * record);
  if (record == FON_FACE_RECORD) {
    for (WORD i = 0; i < count; ++i) FUZZ_CHECK(std::memchr(p + 2 + i * record, 0, record) != nullptr);
  }
  GlobalUnlock(block);
  GlobalFree(block);
  return count;
}

void LookUpFace(const std::string& face) {
  const kvfuzz::HeapText name(face);
  CheckBlock(FonGetFontSizes(ScreenDc(), name.get()), FON_SIZE_RECORD);
  BYTE charSet = 0xA5, pitch = 0xA5;
  FUZZ_CHECK(FonGetFontCharSet(ScreenDc(), name.get(), &charSet) == 1);
  FUZZ_CHECK(FonGetFontPitchAndFamily(ScreenDc(), name.get(), &pitch) == 1);
}

void FixLogfont(const std::string& bytes) {
  auto font = HeapRecordOf<LOGFONTA>(bytes);
  const LOGFONTA before = *font;
  FUZZ_CHECK(FonFixLogfont(ScreenDc(), font.get()) == 1);
  LOGFONTA masked = *font;
  masked.lfCharSet = before.lfCharSet;
  masked.lfPitchAndFamily = before.lfPitchAndFamily;
  FUZZ_CHECK(std::memcmp(&masked, &before, sizeof before) == 0);
}

// Feeds the callbacks one font record after another, as EnumFontsA would.
void Callbacks(FuzzedDataProvider& in, bool faces) {
  FONENUMSTATE state{0, nullptr};
  WORD added = 0;
  while (in.remaining_bytes() > 0 && added < 64) {
    auto font = HeapRecordOf<LOGFONTA>(in.ConsumeBytesAsString(sizeof(LOGFONTA)));
    auto metrics = HeapRecordOf<TEXTMETRICA>(in.ConsumeBytesAsString(sizeof(TEXTMETRICA)));
    const DWORD type = in.ConsumeIntegral<DWORD>();
    const LPARAM at = reinterpret_cast<LPARAM>(&state);
    const int more = faces ? FontEnumFaces(font.get(), metrics.get(), type, at)
                           : FontEnumSizes(font.get(), metrics.get(), type, at);
    if (!more) break;
    ++added;
    FUZZ_CHECK(state.count == added);
  }
  FUZZ_CHECK(CheckBlock(state.block, faces ? FON_FACE_RECORD : FON_SIZE_RECORD) == added);
}

}  // namespace

// fontconfig keeps caches for the life of the process, which LeakSanitizer reports.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  switch (in.ConsumeIntegral<uint8_t>() % 5) {
    case 0: {
      const bool japanese = in.ConsumeBool();
      kvfuzz::UseJapaneseOrEnglish(japanese);
      LookUpFace(in.ConsumeRemainingBytesAsString());
      break;
    }
    case 1:
      FixLogfont(in.ConsumeRemainingBytesAsString());
      break;
    case 2:
      Callbacks(in, true);
      break;
    case 3:
      Callbacks(in, false);
      break;
    default:
      FUZZ_CHECK(CheckBlock(FonGetFontFaces(ScreenDc()), FON_FACE_RECORD) > 0);
      break;
  }
  return 0;
}
