/* Showing, placing and sizing windows; enabling them; focus and activation. */
#ifndef KORVANE_WIN32_POSITION_H
#define KORVANE_WIN32_POSITION_H
#include "window.h"

/* ShowWindow commands */
#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_NORMAL 1
#define SW_SHOWMINIMIZED 2
#define SW_SHOWMAXIMIZED 3
#define SW_MAXIMIZE 3
#define SW_SHOWNOACTIVATE 4
#define SW_SHOW 5
#define SW_MINIMIZE 6
#define SW_SHOWMINNOACTIVE 7
#define SW_SHOWNA 8
#define SW_RESTORE 9
#define SW_SHOWDEFAULT 10

/* SetWindowPos flags */
#define SWP_NOSIZE 0x0001
#define SWP_NOMOVE 0x0002
#define SWP_NOZORDER 0x0004
#define SWP_NOREDRAW 0x0008
#define SWP_NOACTIVATE 0x0010
#define SWP_FRAMECHANGED 0x0020
#define SWP_SHOWWINDOW 0x0040
#define SWP_HIDEWINDOW 0x0080
#define SWP_NOCOPYBITS 0x0100
#define SWP_NOOWNERZORDER 0x0200
#define SWP_NOSENDCHANGING 0x0400
#define SWP_DRAWFRAME SWP_FRAMECHANGED
#define SWP_NOREPOSITION SWP_NOOWNERZORDER

/* ShowWindow sends WM_SHOWWINDOW and then what SetWindowPos sends; showing a top-level
   window activates it unless the command says not to. The result: whether the window was
   visible before. */
KW32_API BOOL WINAPI ShowWindow(HWND window, int command);
KW32_API BOOL WINAPI IsWindowVisible(HWND window);
KW32_API BOOL WINAPI IsIconic(HWND window);
KW32_API BOOL WINAPI IsZoomed(HWND window);
/* WM_WINDOWPOSCHANGING (the procedure may alter the WINDOWPOS), WM_NCCALCSIZE when the size
   or frame changes, WM_WINDOWPOSCHANGED (DefWindowProcA turns it into WM_SIZE and
   WM_MOVE). Positions are in the parent's client coordinates. */
KW32_API BOOL WINAPI SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags);
KW32_API BOOL WINAPI MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);
KW32_API BOOL WINAPI BringWindowToTop(HWND window);
/* Screen coordinates; the client rectangle's origin is (0, 0). */
KW32_API BOOL WINAPI GetWindowRect(HWND window, LPRECT rect);
KW32_API BOOL WINAPI GetClientRect(HWND window, LPRECT rect);
KW32_API BOOL WINAPI ClientToScreen(HWND window, LPPOINT point);
KW32_API BOOL WINAPI ScreenToClient(HWND window, LPPOINT point);
/* From one window's client coordinates to another's (null: the screen); the result's low
   word is the horizontal shift, the high word the vertical one. */
KW32_API int WINAPI MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count);
/* The window rectangle for a client rectangle of windows of these styles. */
KW32_API BOOL WINAPI AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle);
KW32_API BOOL WINAPI AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu);

/* Enabling sets or clears WS_DISABLED and sends WM_ENABLE when that changes; a window
   being disabled loses the focus first. The result: whether it was disabled before. */
KW32_API BOOL WINAPI EnableWindow(HWND window, BOOL enable);
KW32_API BOOL WINAPI IsWindowEnabled(HWND window);

/* Focus and activation are the calling thread's. SetFocus activates the window's
   top-level window first, then sends WM_KILLFOCUS and WM_SETFOCUS; SetActiveWindow runs
   the HCBT_ACTIVATE hooks, then WM_NCACTIVATE and WM_ACTIVATE to the window losing
   activation and to the one gaining it (whose DefWindowProcA takes the focus). */
KW32_API HWND WINAPI SetFocus(HWND window);
KW32_API HWND WINAPI GetFocus(void);
KW32_API HWND WINAPI SetActiveWindow(HWND window);
KW32_API HWND WINAPI GetActiveWindow(void);
KW32_API BOOL WINAPI SetForegroundWindow(HWND window);
KW32_API HWND WINAPI GetForegroundWindow(void);

#endif
