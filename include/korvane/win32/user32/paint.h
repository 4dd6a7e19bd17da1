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
/* Sends WM_PAINT at once when the window has something to paint. */
KW32_API BOOL WINAPI UpdateWindow(HWND window);

#endif
