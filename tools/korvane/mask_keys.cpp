#include "mask_keys.h"

namespace kvt {
namespace {

constexpr unsigned char kEsc = 0x1B;
// No key a terminal sends is longer; anything longer is noise and is dropped.
constexpr std::size_t kLongestSequence = 12;

}  // namespace

Key KeyDecoder::feed(unsigned char c, unsigned char& byte) {
  if (sequence_.empty()) {
    if (c == kEsc) {
      sequence_ = static_cast<char>(c);
      return Key::kNone;
    }
    if (c == '\r' || c == '\n') return Key::kEnter;
    if (c == 0x03) return Key::kCancel;
    if (c == 0x7F || c == 0x08) return Key::kBackspace;
    if (c < 0x20) return Key::kNone;
    byte = c;
    return Key::kChar;
  }
  if (sequence_.size() == 1) {
    if (c != '[' && c != 'O') {
      sequence_.clear();
      return Key::kCancel;  // ESC followed by something else: the Escape key was pressed
    }
    sequence_ += static_cast<char>(c);
    return Key::kNone;
  }
  sequence_ += static_cast<char>(c);
  // SS3 sequences are one byte long; CSI ones run through parameter bytes to a final byte.
  if (sequence_[1] == 'O' || (c >= 0x40 && c <= 0x7E)) return finish();
  if (c < 0x30 || c > 0x3F || sequence_.size() > kLongestSequence) sequence_.clear();
  return Key::kNone;
}

Key KeyDecoder::finish() {
  const std::string s = sequence_.substr(1);
  sequence_.clear();
  if (s == "[D" || s == "OD") return Key::kLeft;
  if (s == "[C" || s == "OC") return Key::kRight;
  if (s == "[H" || s == "OH" || s == "[1~" || s == "[7~") return Key::kHome;
  if (s == "[F" || s == "OF" || s == "[4~" || s == "[8~") return Key::kEnd;
  if (s == "[3~") return Key::kDelete;
  if (s == "[1;2H") return Key::kShiftHome;
  if (s == "[1;2F") return Key::kShiftEnd;
  return Key::kNone;
}

Key KeyDecoder::flush() {
  const bool lone = sequence_.size() == 1;
  sequence_.clear();
  return lone ? Key::kCancel : Key::kNone;
}

}  // namespace kvt
