// Centring a dialog over its parent, its owner or the screen, kept on the screen.
#include <korvane/dialogs.h>

namespace {

SIZE screenSize() {
  SIZE size{0, 0};
  if (HDC display = CreateICA("DISPLAY", nullptr, nullptr, nullptr)) {
    size.cx = GetDeviceCaps(display, HORZRES);
    size.cy = GetDeviceCaps(display, VERTRES);
    DeleteDC(display);
  }
  return size;
}

// The centre moved so that a span of `extent` around it stays within 0..screen.
LONG keptOnScreen(LONG centre, LONG extent, LONG screen) {
  if (centre + extent / 2 > screen) centre = screen - extent / 2;
  if (centre - extent / 2 < 0) centre = extent / 2;
  return centre;
}

}  // namespace

extern "C" {

KV_API BOOL KV_CALL DlgCenterDialog(HWND dialog) {
  RECT own{};
  if (!IsWindow(dialog) || !GetWindowRect(dialog, &own)) return FALSE;
  HWND reference = GetParent(dialog);
  if (reference == nullptr) reference = GetWindow(dialog, GW_OWNER);
  if (reference == nullptr) reference = GetDesktopWindow();

  const SIZE screen = screenSize();
  const LONG width = own.right - own.left;
  const LONG height = own.bottom - own.top;
  POINT centre{screen.cx / 2, screen.cy / 2};
  RECT around{};
  if (!IsIconic(reference) && GetWindowRect(reference, &around))
    centre = {(around.left + around.right) / 2, (around.top + around.bottom) / 2};
  centre.x = keptOnScreen(centre.x, width, screen.cx);
  centre.y = keptOnScreen(centre.y, height, screen.cy);
  POINT topLeft{centre.x - width / 2, centre.y - height / 2};
  if ((GetWindowLongA(dialog, GWL_STYLE) & WS_CHILD) != 0) ScreenToClient(reference, &topLeft);
  return MoveWindow(dialog, topLeft.x, topLeft.y, width, height, TRUE);
}

}  // extern "C"
