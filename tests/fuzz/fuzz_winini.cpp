// win.ini parsing and the regional settings read from it. The input is the file (its
// first byte, when 0x01, asks for the first line stretched to 64 KiB). Properties: every
// string of the settings record ends inside its field; the profile functions honour the
// buffer size; formatting under the settings read stays within the announced maximum
// lengths (exact-size buffers).
#include <korvane/datetime.h>
#include <korvane/format.h>
#include <korvane/settings.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>

#include "format/settings.h"
#include "fuzz_support.h"

namespace {

using kvfuzz::OutBuffer;

template <size_t N>
void CheckField(const CHAR (&field)[N]) {
  FUZZ_CHECK(std::memchr(field, 0, N) != nullptr);
}

const std::string& IniPath() {
  static const std::string path = "fuzz-" + std::to_string(getpid()) + ".ini";
  return path;
}

void FormatNumber(LPCSTR picture, LONG value) {
  FMTCNTLBLOCK b;
  FMTInitCntlBlock(&b);
  b.nFormatType = FMT_TYPE_PICTURE;
  b.bUseIntl = TRUE;
  b.lpszPicture = const_cast<LPSTR>(picture);
  NumLongToNumber(&b.number, value);
  if (!FMTIsNumberPicValid(&b)) return;
  OutBuffer out(static_cast<size_t>(FMTGetMaxFormattedNumLen(picture, 10, 0)) + 1);
  b.lpszOutput = out.get();
  FUZZ_CHECK(FMTFormatNumber(&b) <= 1);
  out.length();
}

void FormatDate(LONG kind) {
  FMTCNTLBLOCK b;
  FMTInitCntlBlock(&b);
  b.nFormatType = kind;
  b.bUseIntl = TRUE;
  char empty[] = "";
  b.lpszPicture = empty;
  b.dtValue = DATDEF{12, 31, 1999, 23, 59, 58, 999999};
  const int max = FMTGetMaxFormattedDTLen(&b, 0);
  OutBuffer out(max >= 0 ? static_cast<size_t>(max) + 1 : 512);
  b.lpszOutput = out.get();
  if (FMTFormatDateTime(&b) == 1 && max >= 0) FUZZ_CHECK(out.length() <= static_cast<size_t>(max));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string ini(reinterpret_cast<const char*>(data), size);
  if (!ini.empty() && ini[0] == '\x01') {
    const size_t end = ini.find('\n');
    const std::string line = ini.substr(1, end == std::string::npos ? std::string::npos : end - 1);
    std::string stretched;
    while (!line.empty() && stretched.size() < 65536) stretched += line;
    ini = stretched + (end == std::string::npos ? "" : ini.substr(end));
  }
  {
    std::ofstream f(IniPath(), std::ios::binary | std::ios::trunc);
    f.write(ini.data(), static_cast<std::streamsize>(ini.size()));
  }
  static bool configured = false;
  if (!configured) {
    KwConfigureWinIni(IniPath().c_str());
    configured = true;
  }
  FMTWinIniChanged();

  INTLPROFILE p;
  std::memset(&p, 0x7E, sizeof p);
  FMTGetProfileIntl(&p);
  CheckField(p.sCurrency);
  CheckField(p.s1159);
  CheckField(p.s2359);
  CheckField(p.sTime);
  CheckField(p.sShortDate);
  CheckField(p.sLongDate);
  CheckField(p.sCountry);
  CheckField(p.sLanguage);
  for (UINT i = 0; i < 8; ++i) FUZZ_CHECK(kv::FMTGetIntlString(i) != nullptr);
  for (UINT i = 0; i < 12; ++i) (void)kv::FMTGetIntlValue(i);

  // The profile functions on the same file, with tight buffers.
  for (DWORD room : {1u, 2u, 5u, 40u}) {
    OutBuffer out(room);
    const DWORD n = GetProfileStringA("intl", "sShortDate", "d", out.get(), room);
    // (A value may hold a zero byte of the file: the count is of the bytes copied.)
    FUZZ_CHECK(n < room && out.get()[n] == 0);
    OutBuffer keys(room);
    const DWORD k = GetProfileStringA("intl", nullptr, "", keys.get(), room);
    FUZZ_CHECK(k <= room);
  }
  (void)GetProfileIntA("intl", "iCountry", 7);

  FormatNumber("", -1234567);
  FormatNumber("$", -1234567);
  FormatNumber("#,##0.00;(#,##0.00)", -1234567);
  FormatDate(FMT_TYPE_DATE);
  FormatDate(FMT_TYPE_DATETIME);
  return 0;
}
