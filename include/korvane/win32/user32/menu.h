/* Window menus: only the system menu, whose items' states dialogs may change. */
#ifndef KORVANE_WIN32_MENU_H
#define KORVANE_WIN32_MENU_H
#include "window.h"

/* System menu commands */
#define SC_SIZE 0xF000
#define SC_MOVE 0xF010
#define SC_MINIMIZE 0xF020
#define SC_MAXIMIZE 0xF030
#define SC_CLOSE 0xF060
#define SC_RESTORE 0xF120

/* Item states and how an item is named */
#define MF_ENABLED 0x0000
#define MF_GRAYED 0x0001
#define MF_DISABLED 0x0002
#define MF_BYCOMMAND 0x0000
#define MF_BYPOSITION 0x0400

/* The window's system menu (null for a window without WS_SYSMENU); revert TRUE puts its
   items back to their first states and returns null. */
KW32_API HMENU WINAPI GetSystemMenu(HWND window, BOOL revert);
/* Sets an item's state; the state before, or -1 when the menu has no such item. */
KW32_API BOOL WINAPI EnableMenuItem(HMENU menu, UINT item, UINT enable);
/* An item's state flags, or -1 when the menu has no such item. */
KW32_API UINT WINAPI GetMenuState(HMENU menu, UINT item, UINT flags);

#endif
