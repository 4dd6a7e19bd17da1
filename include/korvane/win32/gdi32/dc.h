/* GDI32: device contexts, device capabilities and coordinate spaces. */
#ifndef KORVANE_WIN32_GDI32_DC_H
#define KORVANE_WIN32_GDI32_DC_H

#include "../base.h"

DECLARE_HANDLE(HDC);
typedef void *HGDIOBJ;
DECLARE_HANDLE(HBITMAP);
DECLARE_HANDLE(HPEN);
DECLARE_HANDLE(HBRUSH);
DECLARE_HANDLE(HFONT);
DECLARE_HANDLE(HRGN);

/* The device mode a printer DC is created with; only its head is read here. */
typedef struct _devicemodeA DEVMODEA, *LPDEVMODEA;

#define GDI_ERROR 0xFFFFFFFFL
#define CLR_INVALID 0xFFFFFFFF

KW32_API HDC WINAPI CreateDCA(LPCSTR driver, LPCSTR device, LPCSTR port, const DEVMODEA *mode);
KW32_API HDC WINAPI CreateICA(LPCSTR driver, LPCSTR device, LPCSTR port, const DEVMODEA *mode);
KW32_API HDC WINAPI CreateCompatibleDC(HDC dc);
KW32_API HBITMAP WINAPI CreateCompatibleBitmap(HDC dc, int width, int height);
KW32_API BOOL WINAPI DeleteDC(HDC dc);
KW32_API int WINAPI SaveDC(HDC dc);
KW32_API BOOL WINAPI RestoreDC(HDC dc, int savedDC);

/* GetDeviceCaps indexes. */
#define DRIVERVERSION 0
#define TECHNOLOGY 2
#define HORZSIZE 4
#define VERTSIZE 6
#define HORZRES 8
#define VERTRES 10
#define BITSPIXEL 12
#define PLANES 14
#define NUMBRUSHES 16
#define NUMPENS 18
#define NUMFONTS 22
#define NUMCOLORS 24
#define ASPECTX 40
#define ASPECTY 42
#define ASPECTXY 44
#define RASTERCAPS 38
#define LOGPIXELSX 88
#define LOGPIXELSY 90
#define SIZEPALETTE 104
#define PHYSICALWIDTH 110
#define PHYSICALHEIGHT 111
#define PHYSICALOFFSETX 112
#define PHYSICALOFFSETY 113
#define SCALINGFACTORX 114
#define SCALINGFACTORY 115

#define DT_PLOTTER 0
#define DT_RASDISPLAY 1
#define DT_RASPRINTER 2

#define RC_BITBLT 1
#define RC_BANDING 2
#define RC_SCALING 4
#define RC_BITMAP64 8
#define RC_DI_BITMAP 0x0080
#define RC_DIBTODEV 0x0200
#define RC_BIGFONT 0x0400
#define RC_STRETCHBLT 0x0800
#define RC_STRETCHDIB 0x2000

KW32_API int WINAPI GetDeviceCaps(HDC dc, int index);

/* Mapping modes. */
#define MM_TEXT 1
#define MM_LOMETRIC 2
#define MM_HIMETRIC 3
#define MM_LOENGLISH 4
#define MM_HIENGLISH 5
#define MM_TWIPS 6
#define MM_ISOTROPIC 7
#define MM_ANISOTROPIC 8

KW32_API int WINAPI SetMapMode(HDC dc, int mode);
KW32_API int WINAPI GetMapMode(HDC dc);
KW32_API BOOL WINAPI SetWindowOrgEx(HDC dc, int x, int y, LPPOINT old);
KW32_API BOOL WINAPI GetWindowOrgEx(HDC dc, LPPOINT org);
KW32_API BOOL WINAPI SetViewportOrgEx(HDC dc, int x, int y, LPPOINT old);
KW32_API BOOL WINAPI GetViewportOrgEx(HDC dc, LPPOINT org);
KW32_API BOOL WINAPI OffsetViewportOrgEx(HDC dc, int dx, int dy, LPPOINT old);
KW32_API BOOL WINAPI OffsetWindowOrgEx(HDC dc, int dx, int dy, LPPOINT old);
KW32_API BOOL WINAPI SetWindowExtEx(HDC dc, int x, int y, LPSIZE old);
KW32_API BOOL WINAPI GetWindowExtEx(HDC dc, LPSIZE ext);
KW32_API BOOL WINAPI SetViewportExtEx(HDC dc, int x, int y, LPSIZE old);
KW32_API BOOL WINAPI GetViewportExtEx(HDC dc, LPSIZE ext);
KW32_API BOOL WINAPI DPtoLP(HDC dc, LPPOINT points, int count);
KW32_API BOOL WINAPI LPtoDP(HDC dc, LPPOINT points, int count);

#endif
