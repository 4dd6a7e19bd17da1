/* What needs painting: each window's update rectangle, WM_PAINT, and the DCs windows
   paint with. */
#ifndef KORVANE_WIN32_PAINT_H
#define KORVANE_WIN32_PAINT_H
#include "window.h"

typedef struct tagPAINTSTRUCT {
  HDC hdc;
  BOOL fErase;
  RECT rcPaint;
  BOOL fRestore;
  BOOL fIncUpdate;
  BYTE rgbReserved[32];
} PAINTSTRUCT, *PPAINTSTRUCT, *LPPAINTSTRUCT;

/* Adds to the window's update rectangle (client coordinates; null: the whole client
   area), kept as the smallest rectangle holding all that was added. A visible window with
   one gets WM_PAINT when its thread's queue has nothing else. Null window: every
   top-level window. */
KW32_API BOOL WINAPI InvalidateRect(HWND window, const RECT *rect, BOOL erase);
/* Takes `rect` (null: all) off the update rectangle where what is left is a rectangle. */
KW32_API BOOL WINAPI ValidateRect(HWND window, const RECT *rect);
/* Whether the window has something to paint; the update rectangle when asked. */
KW32_API BOOL WINAPI GetUpdateRect(HWND window, LPRECT rect, BOOL erase);
/* Sends WM_PAINT at once to the window and to each of its descendants that has something
   to paint, parents first. */
KW32_API BOOL WINAPI UpdateWindow(HWND window);

/* A DC over the window's update rectangle: WM_ERASEBKGND first when the rectangle was
   added with erasing (fErase then says whether the background is still to be erased),
   the window validated, drawing clipped to rcPaint. EndPaint lets it go. */
KW32_API HDC WINAPI BeginPaint(HWND window, LPPAINTSTRUCT paint);
KW32_API BOOL WINAPI EndPaint(HWND window, const PAINTSTRUCT *paint);
/* A DC over the window's client area (GetWindowDC: its whole window rectangle), drawing
   clipped to it and to its parents' client areas; null window: the screen. Each DC stays
   until ReleaseDC, which answers 1, or 0 for a DC it did not hand out; a window that
   goes takes its DCs with it. */
KW32_API HDC WINAPI GetDC(HWND window);
KW32_API HDC WINAPI GetWindowDC(HWND window);
KW32_API int WINAPI ReleaseDC(HWND window, HDC dc);

#endif
