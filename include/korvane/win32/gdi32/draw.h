/* GDI32: colours, clipping and the drawing primitives. */
#ifndef KORVANE_WIN32_GDI32_DRAW_H
#define KORVANE_WIN32_GDI32_DRAW_H

#include "objects.h"

#define TRANSPARENT 1
#define OPAQUE 2

KW32_API int WINAPI SetBkMode(HDC dc, int mode);
KW32_API int WINAPI GetBkMode(HDC dc);
KW32_API COLORREF WINAPI SetTextColor(HDC dc, COLORREF color);
KW32_API COLORREF WINAPI GetTextColor(HDC dc);
KW32_API COLORREF WINAPI SetBkColor(HDC dc, COLORREF color);
KW32_API COLORREF WINAPI GetBkColor(HDC dc);
KW32_API COLORREF WINAPI GetPixel(HDC dc, int x, int y);
KW32_API COLORREF WINAPI SetPixel(HDC dc, int x, int y, COLORREF color);

KW32_API int WINAPI GetClipBox(HDC dc, LPRECT rect);
KW32_API int WINAPI IntersectClipRect(HDC dc, int left, int top, int right, int bottom);
KW32_API int WINAPI SelectClipRgn(HDC dc, HRGN region);

KW32_API BOOL WINAPI Rectangle(HDC dc, int left, int top, int right, int bottom);
KW32_API int WINAPI FillRect(HDC dc, const RECT *rect, HBRUSH brush);
KW32_API int WINAPI FrameRect(HDC dc, const RECT *rect, HBRUSH brush);
KW32_API BOOL WINAPI MoveToEx(HDC dc, int x, int y, LPPOINT old);
KW32_API BOOL WINAPI LineTo(HDC dc, int x, int y);

#endif
