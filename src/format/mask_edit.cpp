// FMTValidateInput: the messages of a masked edit field that keep its text in the shape of
// its mask, each handed to its handler; everything else is left to the caller.
#include <korvane/format.h>
#include <korvane/masks.h>
#include <korvane/memory.h>

#include <cstring>

#include "format/mask.h"
#include "format/mask_edit.h"
#include "format/settings.h"

namespace kv {

namespace {

// Marks the thread busy for the length of one call.
class BusyScope {
 public:
  explicit BusyScope(FormatThreadRecord* record) : record_(record) { record_->validationBusy = 1; }
  ~BusyScope() { record_->validationBusy = 0; }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  FormatThreadRecord* record_;
};

// The messages the table takes, before anything of the window is looked at.
bool wanted(UINT message, WPARAM key, bool remask, bool notify) {
  switch (message) {
    case WM_CHAR:
    case WM_CLEAR:
    case WM_CUT:
      return true;
    case WM_SETTEXT:
    case EM_REPLACESEL:
    case WM_PASTE:
      return remask;
    case FMT_EM_SETMASKEDTEXT:
      return remask && notify;
    case WM_KEYDOWN:
      return key == VK_END || key == VK_HOME || key == VK_LEFT || key == VK_RIGHT || key == VK_DELETE;
    default:
      return false;
  }
}

// Takes a typed byte; false while a lead byte waits for its trail.
bool takeTyped(HWND window, WPARAM code, TypedChar* ch) {
  std::memset(ch, 0, sizeof *ch);
  const auto byte = static_cast<BYTE>(code & 0xFF);
  if (code > 0xFF) {  // both bytes in one message
    ch->bytes[0] = static_cast<CHAR>(code >> 8);
    ch->bytes[1] = static_cast<CHAR>(byte);
    ch->width = 2;
    return IsDBCSLeadByte(static_cast<BYTE>(code >> 8)) && byte >= 0x40;
  }
  // A lead byte typed alone waits in the thread's record for the field's next character.
  FormatThreadRecord* record = formatThreadRecord();
  if (!record) return false;
  const BYTE lead = record->pendingLead;
  const HWND leadWindow = record->pendingLeadWindow;
  record->pendingLead = 0;
  record->pendingLeadWindow = nullptr;
  if (lead && leadWindow == window && byte >= 0x40) {
    ch->bytes[0] = static_cast<CHAR>(lead);
    ch->bytes[1] = static_cast<CHAR>(byte);
    ch->width = 2;
    return true;
  }
  if (IsDBCSLeadByte(byte)) {
    record->pendingLead = byte;
    record->pendingLeadWindow = window;
    return false;
  }
  ch->bytes[0] = static_cast<CHAR>(byte);
  ch->width = 1;
  return true;
}

// Positions step byte by byte: a double-byte literal would be split, so a mask with one
// (under the code page in force) is not a field's mask.
bool singleByte(LPCSTR mask) {
  for (const char* p = mask; *p; ++p)
    if (IsDBCSLeadByte(static_cast<BYTE>(*p))) return false;
  return true;
}

// Returns 1 with *result set when the message was handled.
int typed(HWND window, const MaskEditContext& c, WPARAM code) {
  if (code == 0x08) {
    // A backspace from the keyboard has a repeat count; one with lParam 0 deletes forward.
    if (c.lParam)
      maskedBackspace(window, c);
    else
      maskedDelete(window, c);
    return 1;
  }
  if (code == 0x09) return 1;  // the tab is swallowed
  // Other control characters are the control's own (copy, paste, cut, select all): a
  // paste comes back here as WM_PASTE, a cut as WM_CUT.
  if (code < 0x20) return 0;
  TypedChar ch;
  if (takeTyped(window, code, &ch) && !FMTTypeChar(window, c, ch)) MessageBeep(0);
  return 1;
}

int setMaskedText(HWND window, const MaskEditContext& c, LRESULT* result) {
  const auto text = reinterpret_cast<LPCSTR>(c.lParam);
  const size_t size =
      (c.unlimited ? static_cast<size_t>(FMTMaskedLength(c.picture, text)) : c.length) + 1;
  MaskBuffer shown(size);
  if (!shown.get()) return 0;
  FMTMaskForDisplay(c, text, shown.get());
  const WORD id = LOWORD(GetWindowLongPtrA(window, GWLP_ID));
  *result = callField(window, c, FMT_EM_SETMASKEDTEXT, id, reinterpret_cast<LPARAM>(shown.get()));
  return 1;
}

int dispatch(HWND window, const MaskEditContext& c, UINT message, LRESULT* result) {
  *result = 0;
  switch (message) {
    case WM_CHAR:
      return typed(window, c, c.wParam);
    case WM_SETTEXT:
    case EM_REPLACESEL:
    case WM_PASTE:
      *result = callField(window, c, message, c.wParam, c.lParam);
      FMTRemaskWindowText(window, c);
      if (c.notify) reportChange(window);
      return 1;
    case WM_CUT: {
      size_t start = 0;
      size_t end = 0;
      fieldSelection(window, c, &start, &end);
      if (start != end) {
        callField(window, c, WM_COPY, 0, 0);
        maskedDelete(window, c);
      }
      return 1;
    }
    case WM_CLEAR:
      maskedDelete(window, c);
      return 1;
    case FMT_EM_SETMASKEDTEXT:
      return c.lParam ? setMaskedText(window, c, result) : 0;
    default:
      break;
  }
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  switch (c.wParam) {
    case VK_END:
      maskedEnd(window, c, shift);
      break;
    case VK_HOME:
      maskedHome(window, c, shift);
      break;
    case VK_LEFT:
      maskedLeft(window, c);
      break;
    case VK_RIGHT:
      maskedRight(window, c);
      break;
    default:
      maskedDelete(window, c);
      break;
  }
  return 1;
}

}  // namespace

}  // namespace kv

KV_API int KV_CALL FMTValidateInput(tagFMTCNTLBLOCK* block) {
  using namespace kv;
  if (!block) return 0;
  FormatThreadRecord* record = formatThreadRecord();
  if (!record || record->validationBusy) return 0;
  BusyScope busy(record);
  const UINT message = LOWORD(block->uMsg);
  MaskEditContext c{};
  c.remask = (block->wFlags & FMT_FLAG_REMASK) != 0;
  c.notify = (block->wFlags & FMT_FLAG_NOTIFY) != 0;
  c.wParam = LOWORD(block->wParam);
  c.lParam = block->lParam;
  if (!wanted(message, c.wParam, c.remask, c.notify)) return 0;
  HWND window = block->hWnd;
  c.picture = block->lpszPicture;
  c.mask = maskProper(c.picture);
  if (!window || !c.mask || !FMTIsValidMaskFormat(c.mask) || !IsWindow(window)) return 0;
  c.length = std::strlen(c.mask);
  if (c.length > 0xFFFE || !singleByte(c.mask)) return 0;  // positions are 16-bit bytes
  c.unlimited = c.mask[c.length - 1] == '*';
  c.proc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
  // Only a control that takes selections is a field: anything else keeps its messages.
  if (!c.proc || !(callField(window, c, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)) return 0;
  LRESULT result = 0;
  if (!dispatch(window, c, message, &result)) return 0;
  block->lResult = result;
  return 1;
}
