/* Print jobs on a printer DC: jobs, pages, the abort procedure and the printer
   escapes. On this platform each job becomes one PDF file, one page per
   StartPage/EndPage, which at EndDoc goes to the printer's file or CUPS queue. */
#ifndef KORVANE_WIN32_GDI32_PRINT_H
#define KORVANE_WIN32_GDI32_PRINT_H
#include "../base.h"
#include "dc.h"

typedef struct _DOCINFOA {
  int cbSize;
  LPCSTR lpszDocName;
  LPCSTR lpszOutput; /* a file to write the job to instead of the printer's port, or null */
  LPCSTR lpszDatatype;
  DWORD fwType;
} DOCINFOA, *LPDOCINFOA;

typedef BOOL(CALLBACK *ABORTPROC)(HDC, int);

typedef struct _BANDINFOSTRUCT {
  BOOL fGraphics;
  BOOL fText;
  RECT rcGraphics;
} BANDINFOSTRUCT, *PBANDINFOSTRUCT;

#define SP_ERROR (-1)
#define SP_APPABORT (-2)
#define SP_USERABORT (-3)
#define SP_OUTOFDISK (-4)
#define SP_OUTOFMEMORY (-5)
#define SP_NOTREPORTED 0x4000

#define DRAFTMODE 7
#define QUERYESCSUPPORT 8
#define SETABORTPROC 9
#define GETPHYSPAGESIZE 12
#define GETPRINTINGOFFSET 13
#define SETCOPYCOUNT 17
#define BANDINFO 24

/* Starts a job; its number (above 0), or an SP_ code. */
KW32_API int WINAPI StartDocA(HDC dc, const DOCINFOA *info);
KW32_API int WINAPI StartPage(HDC dc);
/* Ends the page; the abort procedure is asked then whether to go on. */
KW32_API int WINAPI EndPage(HDC dc);
/* Ends the job: its PDF goes to the printer's file or CUPS queue; an SP_ code when it cannot. */
KW32_API int WINAPI EndDoc(HDC dc);
/* Drops the job: nothing is written or sent. */
KW32_API int WINAPI AbortDoc(HDC dc);
KW32_API int WINAPI SetAbortProc(HDC dc, ABORTPROC proc);
/* QUERYESCSUPPORT, SETABORTPROC, GETPHYSPAGESIZE, GETPRINTINGOFFSET (POINTs, device
   units), DRAFTMODE, SETCOPYCOUNT (int in, the copies the device makes out) and BANDINFO
   (one band: the whole page). 0 for an escape not supported, an SP_ code on failure. */
KW32_API int WINAPI Escape(HDC dc, int escape, int inputSize, LPCSTR input, LPVOID output);

#endif
