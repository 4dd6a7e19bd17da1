// System metrics: the screen from the shared setting, the frame parts of the classic look
// (the sizes the window frames here are drawn and measured with).
#include "user32/driver.h"

#include <korvane/win32.h>

KW32_API int WINAPI GetSystemMetrics(int index) {
  const kw::ScreenSize screen = kw::user32::driver().screen();
  constexpr int kCaption = 19, kFrame = 4, kDialogFrame = 3, kScroll = 16, kMenu = 19;
  switch (index) {
    case SM_CXSCREEN:
    case SM_CXFULLSCREEN:
    case SM_CXVIRTUALSCREEN: return screen.width;
    case SM_CYSCREEN:
    case SM_CYVIRTUALSCREEN: return screen.height;
    case SM_CYFULLSCREEN: return screen.height - kCaption;
    case SM_CXMAXIMIZED: return screen.width + 2 * kFrame;
    case SM_CYMAXIMIZED: return screen.height + 2 * kFrame;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CXSMICON:
    case SM_CYSMICON: return kScroll;
    case SM_CYCAPTION: return kCaption;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return kDialogFrame;
    case SM_CXFRAME:
    case SM_CYFRAME: return kFrame;
    case SM_CXEDGE:
    case SM_CYEDGE: return 2;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK: return 4;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR: return 32;
    case SM_CYMENU: return kMenu;
    case SM_CXSIZE:
    case SM_CYSIZE: return kCaption - 1;
    case SM_CYSMCAPTION: return 16;
    case SM_CXMIN: return 112;
    case SM_CYMIN: return 27;
    case SM_CXMINTRACK: return 112;
    case SM_CYMINTRACK: return 27;
    case SM_CXICONSPACING:
    case SM_CYICONSPACING: return 75;
    case SM_MOUSEPRESENT:
    case SM_CMONITORS: return 1;
    case SM_CMOUSEBUTTONS: return 3;
    case SM_DBCSENABLED: return IsDBCSLeadByte(0x81) ? 1 : 0;  // a double-byte code page
    case SM_CXMENUCHECK:
    case SM_CYMENUCHECK: return 13;
    default: return 0;
  }
}

KW32_API BOOL WINAPI SystemParametersInfoA(UINT action, UINT, PVOID pParam, UINT) {
  if (action != SPI_GETWORKAREA || !pParam) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const kw::ScreenSize screen = kw::user32::driver().screen();
  *static_cast<RECT*>(pParam) = {0, 0, screen.width, screen.height};
  return TRUE;
}
