// Captions and clipboard text between the ANSI code page and X's UTF-8.
#include "x11/x11_state.h"

#include <vector>

namespace kw::x11 {
namespace {

// One character's worth of bytes at `p`: two for a lead byte followed by a trail byte.
size_t characterLength(const std::string& text, size_t p) {
  const auto lead = static_cast<BYTE>(text[p]);
  return IsDBCSLeadByte(lead) && p + 1 < text.size() ? 2 : 1;
}

}  // namespace

std::string toUtf8(const std::string& ansi) {
  std::string out;
  for (size_t p = 0; p < ansi.size();) {
    const size_t n = characterLength(ansi, p);
    WCHAR wide[2];
    int got = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansi.data() + p, static_cast<int>(n), wide, 2);
    char bytes[8];
    int made = got > 0 ? WideCharToMultiByte(CP_UTF8, 0, wide, got, bytes, sizeof bytes, nullptr, nullptr) : 0;
    if (made > 0)
      out.append(bytes, static_cast<size_t>(made));
    else
      out += '?';  // a broken double-byte sequence, or a byte the code page leaves undefined
    p += n;
  }
  return out;
}

std::string fromUtf8(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int wideLength = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  if (wideLength <= 0) return {};
  std::vector<WCHAR> wide(static_cast<size_t>(wideLength));
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), wideLength);
  const int length = WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, nullptr, 0, "?", nullptr);
  if (length <= 0) return {};
  std::string out(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, out.data(), length, "?", nullptr);
  return out;
}

}  // namespace kw::x11
