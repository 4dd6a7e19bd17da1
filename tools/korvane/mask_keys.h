// The keys of a terminal as a masked field takes them: bytes and escape sequences in,
// whole keys out.
#ifndef KORVANE_TOOL_MASK_KEYS_H
#define KORVANE_TOOL_MASK_KEYS_H

#include <string>

namespace kvt {

enum class Key {
  kNone,  // nothing complete yet, or a byte or sequence the field has no use for
  kChar,  // a byte to type (double-byte characters arrive as two)
  kLeft,
  kRight,
  kHome,
  kEnd,
  kShiftHome,
  kShiftEnd,
  kDelete,
  kBackspace,
  kEnter,
  kCancel,  // Ctrl-C, or ESC alone
};

class KeyDecoder {
 public:
  // Takes the next byte of input; the key it completes (kChar with the byte in `byte`).
  Key feed(unsigned char c, unsigned char& byte);
  // The input paused or ended: an ESC still waiting for the rest of a sequence was the
  // Escape key itself; a sequence cut short is dropped.
  Key flush();
  // True while a sequence has begun and not ended.
  bool pending() const { return !sequence_.empty(); }

 private:
  Key finish();
  std::string sequence_;
};

}  // namespace kvt

#endif
