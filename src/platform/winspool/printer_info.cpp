// PRINTER_INFO_1, 2 and 4 records, packed into one caller buffer.
#include "winspool/printer_info.h"

#include "winspool/devmode.h"

#include <cstring>

namespace kw::winspool {

namespace {

size_t align8(size_t n) { return (n + 7) & ~size_t{7}; }

size_t recordSize(DWORD level) {
  switch (level) {
    case 1: return sizeof(PRINTER_INFO_1A);
    case 2: return sizeof(PRINTER_INFO_2A);
    case 4: return sizeof(PRINTER_INFO_4A);
    default: return 0;
  }
}

// Hands out room from both ends: device modes forward from `front`, texts back from the
// end. With a null buffer it only counts.
class Packer {
 public:
  Packer(LPBYTE buffer, size_t front) : buffer_(buffer), front_(front) {}
  LPSTR text(const std::string& s) {
    back_ += s.size() + 1;
    if (!buffer_) return nullptr;
    char* at = reinterpret_cast<char*>(end_ - back_);
    std::memcpy(at, s.c_str(), s.size() + 1);
    return at;
  }
  LPDEVMODEA devMode(const DEVMODEA& mode) {
    const size_t at = front_;
    front_ += align8(sizeof mode);
    if (!buffer_) return nullptr;
    std::memcpy(buffer_ + at, &mode, sizeof mode);
    return reinterpret_cast<LPDEVMODEA>(buffer_ + at);
  }
  size_t total() const { return front_ + back_; }
  void place(size_t size) { end_ = buffer_ + size; }

 private:
  LPBYTE buffer_;
  LPBYTE end_ = nullptr;
  size_t front_;
  size_t back_ = 0;
};

DWORD attributesOf(const Printer& p) {
  return PRINTER_ATTRIBUTE_LOCAL | (p.isDefault ? PRINTER_ATTRIBUTE_DEFAULT : 0);
}

void packOne(const Printer& p, DWORD level, LPBYTE record, Packer& pack) {
  if (level == 1) {
    PRINTER_INFO_1A info{};
    info.Flags = PRINTER_ENUM_ICON8;
    info.pDescription = pack.text(p.name + "," + p.driver + "," + p.location);
    info.pName = pack.text(p.name);
    info.pComment = pack.text(p.comment);
    if (record) std::memcpy(record, &info, sizeof info);
  } else if (level == 2) {
    PRINTER_INFO_2A info{};
    info.pPrinterName = pack.text(p.name);
    info.pShareName = pack.text("");
    info.pPortName = pack.text(p.ports);
    info.pDriverName = pack.text(p.driver);
    info.pComment = pack.text(p.comment);
    info.pLocation = pack.text(p.location);
    info.pDevMode = pack.devMode(defaultDevMode(p));
    info.pSepFile = pack.text("");
    info.pPrintProcessor = pack.text("winprint");
    info.pDatatype = pack.text("RAW");
    info.pParameters = pack.text("");
    info.Attributes = attributesOf(p);
    info.Priority = 1;
    if (record) std::memcpy(record, &info, sizeof info);
  } else {
    PRINTER_INFO_4A info{};
    info.pPrinterName = pack.text(p.name);
    info.Attributes = attributesOf(p);
    if (record) std::memcpy(record, &info, sizeof info);
  }
}

}  // namespace

bool packPrinterInfo(const std::vector<Printer>& printers, DWORD level, LPBYTE buffer, DWORD size, DWORD& needed) {
  const size_t record = recordSize(level);
  if (record == 0) {
    SetLastError(ERROR_INVALID_LEVEL);
    return false;
  }
  const size_t records = align8(record * printers.size());
  Packer counter(nullptr, records);
  for (const Printer& p : printers) packOne(p, level, nullptr, counter);
  needed = static_cast<DWORD>(counter.total());
  if (needed == 0) return true;
  if (buffer == nullptr || size < needed) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return false;
  }
  std::memset(buffer, 0, needed);
  Packer pack(buffer, records);
  pack.place(needed);
  for (size_t i = 0; i < printers.size(); ++i) packOne(printers[i], level, buffer + i * record, pack);
  return true;
}

}  // namespace kw::winspool
