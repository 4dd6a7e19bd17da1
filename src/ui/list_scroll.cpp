// A list box's horizontal scroll range fitted to its widest item.
#include <korvane/dialogs.h>
#include <korvane/memory.h>

namespace {

// The message a "CBCtrlComboBox" answers with its list box.
constexpr UINT kComboListMessage = 0x0FE0;
// The room an owner-drawn item's drawing takes before its text.
constexpr int kOwnerDrawRoom = 15;

// The widest item in the list box's font: one tab stop of "LBTABSIZE" when the list has
// that property, else the default tabs.
int widestItem(HWND list) {
  const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
  HDC dc = GetDC(list);
  if (dc == nullptr) return 0;
  HGDIOBJ previous = nullptr;
  if (auto font = reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0))) previous = SelectObject(dc, font);
  const HANDLE tabProperty = GetPropA(list, "LBTABSIZE");
  const INT tab = static_cast<INT>(reinterpret_cast<INT_PTR>(tabProperty));
  int widest = 0;
  for (int index = 0; index < count; ++index) {
    const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length <= 0) continue;
    auto* text = static_cast<char*>(MemAlloc(static_cast<DWORD>(length) + 1));
    if (text == nullptr) break;
    const LRESULT got = SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    if (got > 0) {
      const DWORD extent = tabProperty != nullptr ? GetTabbedTextExtentA(dc, text, static_cast<int>(got), 1, &tab)
                                                  : GetTabbedTextExtentA(dc, text, static_cast<int>(got), 0, nullptr);
      if (static_cast<int>(LOWORD(extent)) > widest) widest = LOWORD(extent);
    }
    MemFree(text);
  }
  if (previous != nullptr) SelectObject(dc, previous);
  ReleaseDC(list, dc);
  return widest;
}

}  // namespace

extern "C" {

KV_API void KV_CALL DlgSetListHScroll(HWND list) {
  if (!IsWindow(list)) return;
  char className[32] = "";
  GetClassNameA(list, className, sizeof className);
  if (lstrcmpiA(className, "CBCtrlComboBox") == 0) {
    auto inner = reinterpret_cast<HWND>(SendMessageA(list, kComboListMessage, 0, 0));
    if (IsWindow(inner)) list = inner;
  }
  RECT client{};
  GetClientRect(list, &client);
  const int clientWidth = static_cast<int>(client.right - client.left);
  const int current = static_cast<int>(SendMessageA(list, LB_GETHORIZONTALEXTENT, 0, 0));
  int width = widestItem(list);
  if ((GetWindowLongA(list, GWL_STYLE) & LBS_OWNERDRAWFIXED) != 0) width += kOwnerDrawRoom;
  int extent = -1;
  if (width > clientWidth && width > current)
    extent = width;
  else if (width < clientWidth && current > clientWidth)
    extent = clientWidth;
  if (extent < 0) return;
  SendMessageA(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(extent), 0);
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
}

}  // extern "C"
