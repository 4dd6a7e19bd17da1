// Masked edit fields: random masks and message sequences sent to a real Edit control whose
// procedure hands every message to FMTValidateInput. Input: the system, the flags, the
// mask, then messages (kind, parameters, text). Properties: every call returns 0 or 1; a
// masked field never ends in a lead byte without its trail byte, and with re-masking on a
// limited mask's field never holds more than the mask's length.
#include <fuzzer/FuzzedDataProvider.h>
#include <korvane/format.h>
#include <korvane/masks.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "format/settings.h"
#include "fuzz_support.h"

namespace {

std::string gMask;
DWORD gFlags = 0;
WNDPROC gOriginal = nullptr;

LRESULT CALLBACK maskedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  FMTCNTLBLOCK block;
  std::memset(&block, 0, sizeof block);
  FMTInitCntlBlock(&block);
  block.lpszPicture = gMask.data();
  block.wFlags |= gFlags;
  block.hWnd = window;
  block.uMsg = message;
  block.wParam = static_cast<UINT>(wParam);
  block.lParam = lParam;
  const int handled = FMTValidateInput(&block);
  FUZZ_CHECK(handled == 0 || handled == 1);
  if (handled) return block.lResult;
  if (message == FMT_EM_SETMASKEDTEXT) return CallWindowProcA(gOriginal, window, WM_SETTEXT, 0, lParam);
  return CallWindowProcA(gOriginal, window, message, wParam, lParam);
}

// The windows of one input, destroyed with it: a window left alive would lose its
// control's state without WM_NCDESTROY when the thread ends, and each input starts alike.
class Windows {
 public:
  Windows() {
    parent = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 300, 100, nullptr, nullptr, nullptr, nullptr);
    field = CreateWindowExA(0, "Edit", "", WS_CHILD, 0, 0, 200, 24, parent, nullptr, nullptr, nullptr);
    source = CreateWindowExA(0, "Edit", "", WS_CHILD, 0, 30, 200, 24, parent, nullptr, nullptr, nullptr);
    FUZZ_CHECK(parent && field && source);
    SendMessageA(field, EM_LIMITTEXT, 0, 0);
    gOriginal = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(maskedProc)));
  }
  ~Windows() { DestroyWindow(parent); }  // its children go with it
  Windows(const Windows&) = delete;
  Windows& operator=(const Windows&) = delete;

  HWND parent;
  HWND field;
  HWND source;  // a plain edit the clipboard is filled from
};

std::string fieldText(HWND field) {
  char buffer[512] = {};
  const LRESULT n = CallWindowProcA(gOriginal, field, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
  return std::string(buffer, n > 0 ? static_cast<size_t>(n) : 0);
}

// A lead byte counts as a character only with a trail byte of 0x40 or above.
bool endsInLoneLead(const std::string& text) {
  bool lone = false;
  for (size_t p = 0; p < text.size();) {
    const bool lead = IsDBCSLeadByte(static_cast<BYTE>(text[p]));
    const bool pair = lead && p + 1 < text.size() && static_cast<BYTE>(text[p + 1]) >= 0x40;
    lone = lead && !pair;
    p += pair ? 2 : 1;
  }
  return lone;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  kvfuzz::UseJapaneseOrEnglish(in.ConsumeBool());
  // A lead byte typed by the last input must not wait for this one's trail byte.
  if (kv::FormatThreadRecord* record = kv::formatThreadRecord()) record->pendingLead = 0;
  const Windows w;
  gFlags = in.ConsumeBool() ? FMT_FLAG_REMASK | FMT_FLAG_NOTIFY : 0;
  gMask = in.ConsumeRandomLengthString(40);
  const char* proper = gMask.c_str() + (gMask.c_str()[0] == '^' ? 1 : 0);
  // An invalid mask, or one with a double-byte literal, leaves every message to the
  // control: its text is not ours to check.
  bool masked = FMTIsValidMaskFormat(proper) != 0;
  for (const char* p = proper; *p; ++p) masked = masked && !IsDBCSLeadByte(static_cast<BYTE>(*p));
  const bool limited = masked && !FMTIsPicUnlimited(proper);
  SetWindowTextA(w.source, "0");  // each input starts from the same clipboard
  SendMessageA(w.source, EM_SETSEL, 0, -1);
  SendMessageA(w.source, WM_COPY, 0, 0);
  static const WPARAM keys[] = {VK_LEFT, VK_RIGHT, VK_HOME, VK_END, VK_DELETE};
  for (int step = 0; step < 64 && in.remaining_bytes() > 0; ++step) {
    const int kind = in.ConsumeIntegralInRange(0, 9);
    const auto a = in.ConsumeIntegral<uint8_t>();
    const auto b = in.ConsumeIntegralInRange<int>(-1, 70);
    switch (kind) {
      case 0:
      case 1:
      case 2:  // typing is the common case
        SendMessageA(w.field, WM_CHAR, a, kind == 2 ? 0 : 1);
        break;
      case 3:
        SendMessageA(w.field, WM_KEYDOWN, keys[a % 5], 1);
        break;
      case 4:
        SendMessageA(w.field, EM_SETSEL, a % 72, b);
        break;
      case 5:
        SendMessageA(w.field, a % 2 ? WM_CUT : WM_CLEAR, 0, 0);
        break;
      default: {
        // Text arrives only through the mask when re-masking is on: without it the field
        // is the application's to fill.
        std::string text = in.ConsumeRandomLengthString(60);
        // The clipboard may be pasted unmasked (Ctrl+V without re-masking): only its first
        // line is, and it is given whole characters.
        text = text.substr(0, text.find_first_of("\r\n"));
        if (endsInLoneLead(text)) text.pop_back();
        if (!gFlags) break;
        const UINT set[] = {WM_SETTEXT, EM_REPLACESEL, FMT_EM_SETMASKEDTEXT, WM_PASTE};
        const UINT message = set[a % 4];
        if (message == WM_PASTE) {
          SetWindowTextA(w.source, text.c_str());
          SendMessageA(w.source, EM_SETSEL, 0, -1);
          SendMessageA(w.source, WM_COPY, 0, 0);
        }
        SendMessageA(w.field, message, 0, reinterpret_cast<LPARAM>(text.c_str()));
        break;
      }
    }
    const std::string now = fieldText(w.field);
    if (masked) FUZZ_CHECK(!endsInLoneLead(now));
    if (limited && gFlags) FUZZ_CHECK(now.size() <= std::strlen(proper));
  }
  return 0;
}
