// What the last message box would have shown, caught through the message-box hook.
#pragma once

#include <korvane/platform.h>

#include <string>

namespace kvtest {

struct ShownBox {
  HWND owner = nullptr;
  std::string text, caption;
  UINT type = 0;
};
inline ShownBox gShown;

// The hook: records the box and answers IDNO to a yes/no question, IDOK to any other.
inline int recordBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  gShown = {owner, text ? text : "", caption ? caption : "", type};
  return (type & MB_TYPEMASK) == MB_YESNO ? IDNO : IDOK;
}

}  // namespace kvtest
