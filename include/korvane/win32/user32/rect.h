/* Rectangle arithmetic. A rectangle holds the points with left <= x < right and
   top <= y < bottom; it is empty when it holds none. */
#ifndef KORVANE_WIN32_RECT_H
#define KORVANE_WIN32_RECT_H
#include "../base.h"

KW32_API BOOL WINAPI SetRect(LPRECT rect, int left, int top, int right, int bottom);
KW32_API BOOL WINAPI SetRectEmpty(LPRECT rect);
KW32_API BOOL WINAPI CopyRect(LPRECT to, const RECT *from);
KW32_API BOOL WINAPI IsRectEmpty(const RECT *rect);
KW32_API BOOL WINAPI EqualRect(const RECT *a, const RECT *b);
KW32_API BOOL WINAPI PtInRect(const RECT *rect, POINT point);
KW32_API BOOL WINAPI OffsetRect(LPRECT rect, int dx, int dy);
KW32_API BOOL WINAPI InflateRect(LPRECT rect, int dx, int dy);
/* FALSE, with an empty result, when the two do not meet. */
KW32_API BOOL WINAPI IntersectRect(LPRECT out, const RECT *a, const RECT *b);
/* The smallest rectangle holding both; empty ones do not count. */
KW32_API BOOL WINAPI UnionRect(LPRECT out, const RECT *a, const RECT *b);
KW32_API BOOL WINAPI SubtractRect(LPRECT out, const RECT *a, const RECT *b);

#endif
