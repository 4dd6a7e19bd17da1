/* GDI32: drawing objects (pens, brushes, bitmaps, regions) and the stock objects. */
#ifndef KORVANE_WIN32_GDI32_OBJECTS_H
#define KORVANE_WIN32_GDI32_OBJECTS_H

#include "dc.h"

typedef struct tagLOGPEN {
  UINT lopnStyle;
  POINT lopnWidth;
  COLORREF lopnColor;
} LOGPEN, *LPLOGPEN;

typedef struct tagLOGBRUSH {
  UINT lbStyle;
  COLORREF lbColor;
  ULONG_PTR lbHatch;
} LOGBRUSH, *LPLOGBRUSH;

typedef struct tagBITMAP {
  LONG bmType;
  LONG bmWidth;
  LONG bmHeight;
  LONG bmWidthBytes;
  WORD bmPlanes;
  WORD bmBitsPixel;
  LPVOID bmBits;
} BITMAP, *LPBITMAP;

#define PS_SOLID 0
#define PS_DASH 1
#define PS_DOT 2
#define PS_DASHDOT 3
#define PS_DASHDOTDOT 4
#define PS_NULL 5
#define PS_INSIDEFRAME 6

#define BS_SOLID 0
#define BS_NULL 1
#define BS_HOLLOW BS_NULL

#define WHITE_BRUSH 0
#define LTGRAY_BRUSH 1
#define GRAY_BRUSH 2
#define DKGRAY_BRUSH 3
#define BLACK_BRUSH 4
#define NULL_BRUSH 5
#define HOLLOW_BRUSH NULL_BRUSH
#define WHITE_PEN 6
#define BLACK_PEN 7
#define NULL_PEN 8
#define OEM_FIXED_FONT 10
#define ANSI_FIXED_FONT 11
#define ANSI_VAR_FONT 12
#define SYSTEM_FONT 13
#define DEVICE_DEFAULT_FONT 14
#define SYSTEM_FIXED_FONT 16
#define DEFAULT_GUI_FONT 17
#define DC_BRUSH 18
#define DC_PEN 19

/* Object types of GetObjectType. */
#define OBJ_PEN 1
#define OBJ_BRUSH 2
#define OBJ_DC 3
#define OBJ_FONT 6
#define OBJ_BITMAP 7
#define OBJ_REGION 8
#define OBJ_MEMDC 10

KW32_API HGDIOBJ WINAPI GetStockObject(int index);
KW32_API HPEN WINAPI CreatePen(int style, int width, COLORREF color);
KW32_API HPEN WINAPI CreatePenIndirect(const LOGPEN *pen);
KW32_API HBRUSH WINAPI CreateSolidBrush(COLORREF color);
KW32_API HBRUSH WINAPI CreateBrushIndirect(const LOGBRUSH *brush);
KW32_API HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object);
KW32_API BOOL WINAPI DeleteObject(HGDIOBJ object);
KW32_API int WINAPI GetObjectA(HGDIOBJ object, int size, LPVOID buffer);
KW32_API DWORD WINAPI GetObjectType(HGDIOBJ object);
KW32_API HGDIOBJ WINAPI GetCurrentObject(HDC dc, UINT type);

/* Regions: rectangles only. */
#define ERROR 0
#define NULLREGION 1
#define SIMPLEREGION 2
#define COMPLEXREGION 3
#define RGN_ERROR ERROR

KW32_API HRGN WINAPI CreateRectRgn(int left, int top, int right, int bottom);
KW32_API HRGN WINAPI CreateRectRgnIndirect(const RECT *rect);
KW32_API int WINAPI GetRgnBox(HRGN region, LPRECT rect);

#endif
