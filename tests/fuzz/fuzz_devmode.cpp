// Device modes as callers store them and hand them back, possibly damaged: the papers and
// page information of a printer for an arbitrary DEVMODEA, and a device mode made for an
// arbitrary paper and orientation. Input: the record, then a paper code and a selector
// byte at its end.
// Properties: the record is read only within the room its own dmSize and dmDriverExtra
// claim (its buffer has exactly that); a page's printable rectangle lies within its paper;
// the paper blocks hold the count returned; a device mode made is well formed and reads
// back.
#include <fuzzer/FuzzedDataProvider.h>
#include <korvane/platform.h>
#include <korvane/print.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

#include "fuzz_support.h"

namespace {

constexpr const char* kPrinter = "Fuzz PDF";
constexpr const char* kDriver = "PDF Writer";

const std::string& Port() {
  static const std::string port = "/tmp/korvane-fuzz-" + std::to_string(getpid()) + ".pdf";
  return port;
}

// The record in a heap buffer of exactly the size its fields claim (at least enough to
// hold dmSize and dmDriverExtra themselves), padded with zeros.
class HeapMode {
 public:
  explicit HeapMode(std::string bytes) {
    constexpr size_t kFields = offsetof(DEVMODEA, dmDriverExtra) + sizeof(WORD);
    if (bytes.size() < kFields) bytes.resize(kFields, '\0');
    WORD dmSize, extra;
    std::memcpy(&dmSize, bytes.data() + offsetof(DEVMODEA, dmSize), sizeof dmSize);
    std::memcpy(&extra, bytes.data() + offsetof(DEVMODEA, dmDriverExtra), sizeof extra);
    const size_t size = std::max(kFields, static_cast<size_t>(dmSize) + extra);
    bytes.resize(size, '\0');
    p_.reset(new char[size]);
    std::memcpy(p_.get(), bytes.data(), size);
  }
  const DEVMODEA* get() const { return reinterpret_cast<const DEVMODEA*>(p_.get()); }

 private:
  std::unique_ptr<char[]> p_;
};

void CheckPageInfo(const DEVMODEA* mode) {
  WORD paper = 0;
  POINT size{-1, -1};
  RECT printable{-1, -1, -1, -1};
  if (PageGetPageInfo(kDriver, kPrinter, Port().c_str(), mode, &paper, &size, &printable) != 1) return;
  // The size is the device mode's own for a paper of the caller's size, whatever its sign;
  // never zero.
  FUZZ_CHECK(size.x != 0 && size.y != 0);
  FUZZ_CHECK(printable.left >= 0 && printable.top >= 0);
  FUZZ_CHECK(printable.left <= printable.right && printable.top <= printable.bottom);
  // MM_LOMETRIC scales by the device's size in whole millimetres, as Win32 does, so the
  // rectangle may pass the paper by the half millimetre that rounding gives.
  DEVMODEA fields{};  // as far as the record's dmSize reaches
  if (mode) std::memcpy(&fields, mode, std::min<size_t>(mode->dmSize, sizeof fields));
  const bool ownSize = (fields.dmFields & DM_PAPERSIZE) && fields.dmPaperSize;
  if (!ownSize) FUZZ_CHECK(printable.right <= size.x + 6 && printable.bottom <= size.y + 6);
}

void CheckPageSizes(const DEVMODEA* mode) {
  HGLOBAL papers = nullptr, sizes = nullptr;
  const int n = PrintGetPageSizes(kPrinter, kDriver, Port().c_str(), mode, &papers, &sizes);
  FUZZ_CHECK(n >= -1);
  if (n <= 0) {
    FUZZ_CHECK(papers == nullptr && sizes == nullptr);  // written only on success
    return;
  }
  FUZZ_CHECK(GlobalSize(papers) >= static_cast<SIZE_T>(n) * sizeof(WORD));
  FUZZ_CHECK(GlobalSize(sizes) >= static_cast<SIZE_T>(n) * 2 * sizeof(LONG));
  const LONG* dims = static_cast<const LONG*>(GlobalLock(sizes));
  for (int i = 0; i < 2 * n; ++i) FUZZ_CHECK(dims[i] > 0);
  GlobalUnlock(sizes);
  GlobalFree(papers);
  GlobalFree(sizes);
}

void CheckMadeMode(WORD landscape, WORD paper) {
  HGLOBAL made = PrintGetDevMode(landscape, kPrinter, kDriver, Port().c_str(), paper);
  if (!made) return;
  const DEVMODEA* mode = static_cast<const DEVMODEA*>(GlobalLock(made));
  FUZZ_CHECK(mode != nullptr);
  FUZZ_CHECK(GlobalSize(made) >= static_cast<SIZE_T>(mode->dmSize) + mode->dmDriverExtra);
  FUZZ_CHECK(std::memchr(mode->dmDeviceName, 0, sizeof mode->dmDeviceName) != nullptr);
  CheckPageInfo(mode);
  CheckPageSizes(mode);
  GlobalUnlock(made);
  GlobalFree(made);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  const std::string ini = "fuzz-devmode-" + std::to_string(getpid()) + ".ini";
  std::ofstream(ini) << "[devices]\n" << kPrinter << "=" << kDriver << "," << Port() << "\n";
  KwConfigureWinIni(ini.c_str());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const uint8_t selector = in.ConsumeIntegral<uint8_t>();
  const WORD paper = in.ConsumeIntegral<WORD>();
  HeapMode mode(in.ConsumeRemainingBytesAsString());
  switch (selector % 3) {
    case 0: CheckPageInfo(mode.get()); break;
    case 1: CheckPageSizes(mode.get()); break;
    default: CheckMadeMode(selector & 0x80 ? 1 : 0, paper); break;
  }
  return 0;
}
