// Code-page conversions. Windows-1252 and UTF-8 are converted exactly by this file; the
// double-byte code pages 932, 936, 949 and 950 go through the host C library's iconv
// converters of the same names (Microsoft's tables), and fail where the host has none.
#include "host_path.h"

#include <korvane/win32/kernel32/file.h>

#include <bit>
#include <cerrno>
#include <iconv.h>
#include <new>

namespace kw {
namespace {

// Windows-1252 bytes 0x80-0x9F; the five bytes the code page leaves undefined map to the
// C1 controls of the same value, as Windows maps them.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t from1252(unsigned char b) { return (b >= 0x80 && b < 0xA0) ? kCp1252High[b - 0x80] : b; }

bool to1252(char16_t c, char& out) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
    out = static_cast<char>(c);
    return true;
  }
  for (int i = 0; i < 32; ++i) {
    if (kCp1252High[i] == c) {
      out = static_cast<char>(0x80 + i);
      return true;
    }
  }
  return false;
}

void utf8Decode(std::string_view s, std::u16string& out, bool& bad) {
  auto cont = [&](size_t i) { return i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80; };
  for (size_t i = 0; i < s.size();) {
    auto b = static_cast<unsigned char>(s[i]);
    char32_t c;
    size_t n;
    if (b < 0x80) { c = b; n = 1; }
    else if (b >= 0xC2 && b < 0xE0) { c = b & 0x1F; n = 2; }
    else if (b >= 0xE0 && b < 0xF0) { c = b & 0x0F; n = 3; }
    else if (b >= 0xF0 && b < 0xF5) { c = b & 0x07; n = 4; }
    else { c = 0; n = 0; }
    size_t k = 1;
    while (n && k < n && cont(i + k)) c = (c << 6) | (static_cast<unsigned char>(s[i + k++]) & 0x3F);
    bool ok = n && k == n && !(n == 3 && (c < 0x800 || (c >= 0xD800 && c < 0xE000))) &&
              !(n == 4 && (c < 0x10000 || c > 0x10FFFF));
    if (!ok) {
      bad = true;
      out.push_back(0xFFFD);
      i += k;
      continue;
    }
    if (c >= 0x10000) {
      c -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(c));
    }
    i += n;
  }
}

void utf8Encode(std::u16string_view s, std::string& out, bool& bad) {
  for (size_t i = 0; i < s.size(); ++i) {
    char32_t c = s[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (s[++i] - 0xDC00);
    } else if (c >= 0xD800 && c < 0xE000) {
      bad = true;  // an unpaired surrogate
      c = 0xFFFD;
    }
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
}

const char* iconvName(UINT codePage) {
  switch (codePage) {
    case 932: return "CP932";
    case 936: return "CP936";
    case 949: return "CP949";
    case 950: return "CP950";
    default: return nullptr;
  }
}

const char* utf16Name() { return std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE"; }

// Runs iconv over the whole input; an unconvertible unit is replaced by `replacement`
// (unless strict) after skipping `skip` input bytes.
template <class In, class Out>
bool runIconv(const char* to, const char* from, std::basic_string_view<In> in, std::basic_string<Out>& out,
              Out replacement, bool strict, bool* replaced) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  char* src = const_cast<char*>(reinterpret_cast<const char*>(in.data()));
  size_t srcLeft = in.size() * sizeof(In);
  Out buffer[256];
  bool ok = true;
  while (srcLeft > 0) {
    char* dst = reinterpret_cast<char*>(buffer);
    size_t dstLeft = sizeof buffer;
    size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(buffer, static_cast<size_t>(dst - reinterpret_cast<char*>(buffer)) / sizeof(Out));
    if (rc != static_cast<size_t>(-1) || errno == E2BIG) continue;
    if (strict) {
      ok = false;
      break;
    }
    if (replaced) *replaced = true;
    out.push_back(replacement);
    size_t skip = srcLeft < sizeof(In) ? srcLeft : sizeof(In);
    src += skip;
    srcLeft -= skip;
  }
  iconv_close(cd);
  return ok;
}

}  // namespace

UINT resolveCodePage(UINT codePage) {
  if (codePage == CP_ACP || codePage == CP_THREAD_ACP) codePage = currentCodePage();
  switch (codePage) {
    case 1252: case CP_UTF8: case 932: case 936: case 949: case 950: return codePage;
    default: return 0;
  }
}

bool toWide(UINT codePage, std::string_view text, std::u16string& out, bool strict) {
  out.clear();
  try {
    switch (codePage = resolveCodePage(codePage)) {
      case 0: return false;
      case 1252:
        for (char c : text) out.push_back(from1252(static_cast<unsigned char>(c)));
        return true;
      case CP_UTF8: {
        bool bad = false;
        utf8Decode(text, out, bad);
        return !(strict && bad);
      }
      default:
        return runIconv<char, char16_t>(utf16Name(), iconvName(codePage), text, out, u'?', strict, nullptr);
    }
  } catch (const std::bad_alloc&) {
    return false;
  }
}

bool fromWide(UINT codePage, std::u16string_view text, std::string& out, char defaultChar, bool* usedDefault) {
  out.clear();
  try {
    switch (codePage = resolveCodePage(codePage)) {
      case 0: return false;
      case 1252:
        for (char16_t c : text) {
          char b;
          if (!to1252(c, b)) {
            b = defaultChar;
            if (usedDefault) *usedDefault = true;
          }
          out.push_back(b);
        }
        return true;
      case CP_UTF8: {
        bool bad = false;
        utf8Encode(text, out, bad);
        return true;
      }
      default:
        return runIconv<char16_t, char>(iconvName(codePage), utf16Name(), text, out, defaultChar, false,
                                        usedDefault);
    }
  } catch (const std::bad_alloc&) {
    return false;
  }
}

}  // namespace kw

KW32_API int WINAPI MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int bytes, LPWSTR out,
                                        int chars) {
  if (!text || bytes == 0 || bytes < -1 || chars < 0 || (chars > 0 && !out)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  UINT cp = kw::resolveCodePage(codePage);
  if (!cp) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  DWORD allowed = cp == CP_UTF8 ? MB_ERR_INVALID_CHARS : (MB_PRECOMPOSED | MB_ERR_INVALID_CHARS);
  if (flags & ~allowed) {
    SetLastError(ERROR_INVALID_FLAGS);
    return 0;
  }
  size_t length = bytes == -1 ? std::char_traits<char>::length(text) + 1 : static_cast<size_t>(bytes);
  std::u16string wide;
  if (!kw::toWide(cp, std::string_view(text, length), wide, (flags & MB_ERR_INVALID_CHARS) != 0)) {
    SetLastError(ERROR_NO_UNICODE_TRANSLATION);
    return 0;
  }
  if (chars == 0) return static_cast<int>(wide.size());
  if (wide.size() > static_cast<size_t>(chars)) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  wide.copy(out, wide.size());
  return static_cast<int>(wide.size());
}

KW32_API int WINAPI WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR text, int chars, LPSTR out,
                                        int bytes, LPCSTR defaultChar, LPBOOL usedDefaultChar) {
  if (!text || chars == 0 || chars < -1 || bytes < 0 || (bytes > 0 && !out)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  UINT cp = kw::resolveCodePage(codePage);
  if (!cp || (cp == CP_UTF8 && (defaultChar || usedDefaultChar))) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (flags & ~static_cast<DWORD>(WC_NO_BEST_FIT_CHARS)) {
    SetLastError(ERROR_INVALID_FLAGS);
    return 0;
  }
  size_t length = chars == -1 ? std::char_traits<char16_t>::length(text) + 1 : static_cast<size_t>(chars);
  std::string narrow;
  bool used = false;
  if (!kw::fromWide(cp, std::u16string_view(text, length), narrow, defaultChar ? *defaultChar : '?', &used)) {
    SetLastError(ERROR_NO_UNICODE_TRANSLATION);
    return 0;
  }
  if (usedDefaultChar) *usedDefaultChar = used;
  if (bytes == 0) return static_cast<int>(narrow.size());
  if (narrow.size() > static_cast<size_t>(bytes)) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  narrow.copy(out, narrow.size());
  return static_cast<int>(narrow.size());
}
