// wsprintfA and wvsprintfA: USER32's small printf, with its own rules. No floating point;
// "l" means 32 bits as on Windows; the output stops at 1024 bytes with its terminator.
#include <korvane/win32.h>

#include <cstring>

namespace {

constexpr int kOutputRoom = 1024;

// The output, cut at 1023 bytes and a terminator.
class Output {
 public:
  explicit Output(LPSTR buffer) : buffer_(buffer) {}
  void put(char c) {
    if (length_ < kOutputRoom - 1) buffer_[length_++] = c;
  }
  void put(const char* text, int n) {
    for (int i = 0; i < n; ++i) put(text[i]);
  }
  void pad(char c, int n) {
    for (int i = 0; i < n; ++i) put(c);
  }
  int finish() {
    buffer_[length_] = '\0';
    return length_;
  }

 private:
  LPSTR buffer_;
  int length_ = 0;
};

struct Directive {
  bool left = false, zero = false, prefix = false, wide = false;
  int width = 0, precision = -1;
};

// A field of `body` (n bytes) behind `sign` (a sign or "0x", may be empty), aligned and
// padded as the directive asks; zeros go between the sign and the digits.
void field(Output& out, const Directive& dir, const char* sign, const char* body, int n, bool numeric) {
  const int signLength = static_cast<int>(std::strlen(sign));
  const int digits = numeric && dir.precision > n ? dir.precision : n;
  const int fill = dir.width > signLength + digits ? dir.width - signLength - digits : 0;
  if (dir.left) {
    out.put(sign, signLength);
    out.pad('0', digits - n);
    out.put(body, n);
    out.pad(' ', fill);
    return;
  }
  if (dir.zero && numeric && dir.precision < 0) {
    out.put(sign, signLength);
    out.pad('0', fill + digits - n);
  } else {
    out.pad(' ', fill);
    out.put(sign, signLength);
    out.pad('0', digits - n);
  }
  out.put(body, n);
}

void number(Output& out, const Directive& dir, char type, unsigned value) {
  const bool negative = (type == 'd' || type == 'i') && static_cast<int>(value) < 0;
  unsigned magnitude = negative ? 0u - value : value;
  const unsigned base = type == 'x' || type == 'X' ? 16 : 10;
  const char* digitSet = type == 'X' ? "0123456789ABCDEF" : "0123456789abcdef";
  char digits[16];
  int n = 0;
  do {
    digits[sizeof digits - 1 - n++] = digitSet[magnitude % base];
    magnitude /= base;
  } while (magnitude != 0);
  // A precision of 0 writes nothing for 0, as in C.
  if (dir.precision == 0 && value == 0) n = 0;
  const char* sign = negative ? "-" : "";
  if (dir.prefix && base == 16) sign = type == 'X' ? "0X" : "0x";
  field(out, dir, sign, digits + sizeof digits - n, n, true);
}

void text(Output& out, const Directive& dir, const char* s, int available) {
  int n = available;
  if (dir.precision >= 0 && dir.precision < n) n = dir.precision;
  field(out, dir, "", s, n, false);
}

void wideText(Output& out, const Directive& dir, LPCWSTR s) {
  if (s == nullptr) return text(out, dir, "(null)", 6);
  // At most what fits in the output, at two bytes a character at worst.
  int units = 0;
  while (s[units] != 0 && units < kOutputRoom / 2) ++units;
  // The ANSI form in the current code page, cut to what the output can still hold.
  char converted[kOutputRoom];
  const int n = units == 0 ? 0 : WideCharToMultiByte(CP_ACP, 0, s, units, converted, sizeof converted, nullptr, nullptr);
  text(out, dir, converted, n > 0 ? n : 0);
}

}  // namespace

KW32_API int WINAPI wvsprintfA(LPSTR buffer, LPCSTR format, va_list arguments) {
  if (buffer == nullptr) return 0;
  Output out(buffer);
  if (format == nullptr) return out.finish();
  va_list args;
  va_copy(args, arguments);
  for (const char* p = format; *p != '\0'; ++p) {
    if (*p != '%') {
      out.put(*p);
      continue;
    }
    if (*++p == '\0') break;
    if (*p == '%') {
      out.put('%');
      continue;
    }
    Directive dir;
    for (;; ++p) {
      if (*p == '-')
        dir.left = true;
      else if (*p == '0')
        dir.zero = true;
      else if (*p == '#')
        dir.prefix = true;
      else
        break;
    }
    // Widths and precisions beyond the output are the output's size: nothing more shows.
    for (; *p >= '0' && *p <= '9'; ++p) dir.width = dir.width < kOutputRoom ? dir.width * 10 + (*p - '0') : kOutputRoom;
    if (*p == '.') {
      dir.precision = 0;
      for (++p; *p >= '0' && *p <= '9'; ++p)
        dir.precision = dir.precision < kOutputRoom ? dir.precision * 10 + (*p - '0') : kOutputRoom;
    }
    if (*p == 'l') {
      dir.wide = true;
      ++p;
    } else if (*p == 'h') {
      ++p;
    }
    switch (*p) {
      case 'd':
      case 'i':
      case 'u':
      case 'x':
      case 'X':
        number(out, dir, *p, va_arg(args, unsigned));
        break;
      case 'c':
      case 'C': {
        const int c = va_arg(args, int);
        if (dir.wide || *p == 'C') {
          const WCHAR w[2] = {static_cast<WCHAR>(c), 0};
          wideText(out, dir, w);
        } else {
          const char ch = static_cast<char>(c);
          text(out, dir, &ch, 1);
        }
        break;
      }
      case 's':
      case 'S':
        if (dir.wide || *p == 'S') {
          wideText(out, dir, va_arg(args, LPCWSTR));
        } else {
          const char* s = va_arg(args, const char*);
          if (s == nullptr) s = "(null)";
          text(out, dir, s, static_cast<int>(std::strlen(s)));
        }
        break;
      case '\0':
        --p;  // the format ends inside a field
        break;
      default:  // not a type: the character itself
        out.put(*p);
        break;
    }
  }
  va_end(args);
  return out.finish();
}

KW32_API int WINAPIV wsprintfA(LPSTR buffer, LPCSTR format, ...) {
  va_list arguments;
  va_start(arguments, format);
  const int written = wvsprintfA(buffer, format, arguments);
  va_end(arguments);
  return written;
}
