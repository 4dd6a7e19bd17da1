/* GDI32: logical fonts, text metrics and text output. */
#ifndef KORVANE_WIN32_GDI32_FONT_H
#define KORVANE_WIN32_GDI32_FONT_H

#include "objects.h"

#define LF_FACESIZE 32

typedef struct tagLOGFONTA {
  LONG lfHeight;
  LONG lfWidth;
  LONG lfEscapement;
  LONG lfOrientation;
  LONG lfWeight;
  BYTE lfItalic;
  BYTE lfUnderline;
  BYTE lfStrikeOut;
  BYTE lfCharSet;
  BYTE lfOutPrecision;
  BYTE lfClipPrecision;
  BYTE lfQuality;
  BYTE lfPitchAndFamily;
  CHAR lfFaceName[LF_FACESIZE];
} LOGFONTA, *PLOGFONTA, *LPLOGFONTA;

typedef struct tagTEXTMETRICA {
  LONG tmHeight;
  LONG tmAscent;
  LONG tmDescent;
  LONG tmInternalLeading;
  LONG tmExternalLeading;
  LONG tmAveCharWidth;
  LONG tmMaxCharWidth;
  LONG tmWeight;
  LONG tmOverhang;
  LONG tmDigitizedAspectX;
  LONG tmDigitizedAspectY;
  BYTE tmFirstChar;
  BYTE tmLastChar;
  BYTE tmDefaultChar;
  BYTE tmBreakChar;
  BYTE tmItalic;
  BYTE tmUnderlined;
  BYTE tmStruckOut;
  BYTE tmPitchAndFamily;
  BYTE tmCharSet;
} TEXTMETRICA, *PTEXTMETRICA, *LPTEXTMETRICA;

#define FW_DONTCARE 0
#define FW_THIN 100
#define FW_LIGHT 300
#define FW_NORMAL 400
#define FW_MEDIUM 500
#define FW_SEMIBOLD 600
#define FW_BOLD 700
#define FW_HEAVY 900

#define ANSI_CHARSET 0
#define DEFAULT_CHARSET 1
#define SYMBOL_CHARSET 2
#define SHIFTJIS_CHARSET 128
#define HANGEUL_CHARSET 129
#define GB2312_CHARSET 134
#define CHINESEBIG5_CHARSET 136
#define OEM_CHARSET 255

#define OUT_DEFAULT_PRECIS 0
#define OUT_TT_PRECIS 4
#define CLIP_DEFAULT_PRECIS 0
#define DEFAULT_QUALITY 0
#define PROOF_QUALITY 2

#define DEFAULT_PITCH 0
#define FIXED_PITCH 1
#define VARIABLE_PITCH 2
#define FF_DONTCARE 0x00
#define FF_ROMAN 0x10
#define FF_SWISS 0x20
#define FF_MODERN 0x30
#define FF_SCRIPT 0x40
#define FF_DECORATIVE 0x50

/* tmPitchAndFamily bits: set TMPF_FIXED_PITCH means variable pitch, as in Win32. */
#define TMPF_FIXED_PITCH 0x01
#define TMPF_VECTOR 0x02
#define TMPF_TRUETYPE 0x04

#define TMPF_DEVICE 0x08

/* Font types reported to enumeration callbacks. */
#define RASTER_FONTTYPE 0x0001
#define DEVICE_FONTTYPE 0x0002
#define TRUETYPE_FONTTYPE 0x0004

/* Text alignment (SetTextAlign). */
#define TA_NOUPDATECP 0
#define TA_UPDATECP 1
#define TA_LEFT 0
#define TA_RIGHT 2
#define TA_CENTER 6
#define TA_TOP 0
#define TA_BOTTOM 8
#define TA_BASELINE 24

/* ExtTextOutA options. */
#define ETO_OPAQUE 0x0002
#define ETO_CLIPPED 0x0004

/* DrawTextA formats. */
#define DT_TOP 0x0000
#define DT_LEFT 0x0000
#define DT_CENTER 0x0001
#define DT_RIGHT 0x0002
#define DT_VCENTER 0x0004
#define DT_BOTTOM 0x0008
#define DT_WORDBREAK 0x0010
#define DT_SINGLELINE 0x0020
#define DT_EXPANDTABS 0x0040
#define DT_NOCLIP 0x0100
#define DT_CALCRECT 0x0400
#define DT_NOPREFIX 0x0800
#define DT_END_ELLIPSIS 0x8000

/* Enumeration callback: the font's LOGFONTA and TEXTMETRICA, its type bits, the caller's
   value; returning 0 stops the enumeration. */
typedef int(CALLBACK *FONTENUMPROCA)(const LOGFONTA *font, const TEXTMETRICA *metrics, DWORD fontType,
                                     LPARAM data);

KW32_API HFONT WINAPI CreateFontIndirectA(const LOGFONTA *font);
KW32_API HFONT WINAPI CreateFontA(int height, int width, int escapement, int orientation, int weight,
                                  DWORD italic, DWORD underline, DWORD strikeOut, DWORD charSet,
                                  DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                                  DWORD pitchAndFamily, LPCSTR face);

KW32_API BOOL WINAPI GetTextMetricsA(HDC dc, LPTEXTMETRICA metrics);
KW32_API int WINAPI GetTextFaceA(HDC dc, int size, LPSTR face);
KW32_API BOOL WINAPI GetTextExtentPoint32A(HDC dc, LPCSTR text, int count, LPSIZE size);
/* Width in the low word, height in the high word; tabs stop at `tabs` (or every 8 average
   characters when there are none), measured from `origin`. */
KW32_API DWORD WINAPI GetTabbedTextExtentA(HDC dc, LPCSTR text, int count, int tabCount, const INT *tabs);
KW32_API UINT WINAPI SetTextAlign(HDC dc, UINT align);
KW32_API UINT WINAPI GetTextAlign(HDC dc);
KW32_API BOOL WINAPI TextOutA(HDC dc, int x, int y, LPCSTR text, int count);
KW32_API BOOL WINAPI ExtTextOutA(HDC dc, int x, int y, UINT options, const RECT *rect, LPCSTR text, UINT count,
                                 const INT *dx);
/* A USER32 function in Win32; it lives with the text code it is made of. */
KW32_API int WINAPI DrawTextA(HDC dc, LPCSTR text, int count, LPRECT rect, UINT format);
KW32_API int WINAPI EnumFontsA(HDC dc, LPCSTR face, FONTENUMPROCA proc, LPARAM data);
KW32_API int WINAPI EnumFontFamiliesExA(HDC dc, LPLOGFONTA font, FONTENUMPROCA proc, LPARAM data, DWORD flags);

#endif
