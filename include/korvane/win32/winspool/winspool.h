/* Printers (WINSPOOL, and the device mode and capabilities that GDI shares with it):
   enumeration, printer handles, device modes, paper capabilities. On this platform the
   printers are those of the CUPS server the host uses and those declared in win.ini
   (section "devices", "Name=driver,port[,port...]"); a declared printer whose port is an
   absolute host path ending in ".pdf" writes each job to that file as PDF. */
#ifndef KORVANE_WIN32_WINSPOOL_H
#define KORVANE_WIN32_WINSPOOL_H
#include "../base.h"

#define CCHDEVICENAME 32
#define CCHFORMNAME 32

/* The device mode as Windows NT 4 laid it out: 148 bytes, then dmDriverExtra bytes of the
   driver's own. The same on every target. */
typedef struct _devicemodeA {
  BYTE dmDeviceName[CCHDEVICENAME];
  WORD dmSpecVersion;
  WORD dmDriverVersion;
  WORD dmSize;
  WORD dmDriverExtra;
  DWORD dmFields;
  short dmOrientation;
  short dmPaperSize;
  short dmPaperLength; /* tenths of a millimetre */
  short dmPaperWidth;
  short dmScale;
  short dmCopies;
  short dmDefaultSource;
  short dmPrintQuality;
  short dmColor;
  short dmDuplex;
  short dmYResolution;
  short dmTTOption;
  short dmCollate;
  BYTE dmFormName[CCHFORMNAME];
  WORD dmLogPixels;
  DWORD dmBitsPerPel;
  DWORD dmPelsWidth;
  DWORD dmPelsHeight;
  DWORD dmDisplayFlags;
  DWORD dmDisplayFrequency;
  DWORD dmICMMethod;
  DWORD dmICMIntent;
  DWORD dmMediaType;
  DWORD dmDitherType;
  DWORD dmReserved1;
  DWORD dmReserved2;
} DEVMODEA, *PDEVMODEA, *LPDEVMODEA;

#define DM_SPECVERSION 0x0401

#define DM_ORIENTATION 0x00000001L
#define DM_PAPERSIZE 0x00000002L
#define DM_PAPERLENGTH 0x00000004L
#define DM_PAPERWIDTH 0x00000008L
#define DM_SCALE 0x00000010L
#define DM_COPIES 0x00000100L
#define DM_DEFAULTSOURCE 0x00000200L
#define DM_PRINTQUALITY 0x00000400L
#define DM_COLOR 0x00000800L
#define DM_DUPLEX 0x00001000L
#define DM_YRESOLUTION 0x00002000L
#define DM_TTOPTION 0x00004000L
#define DM_COLLATE 0x00008000L
#define DM_FORMNAME 0x00010000L

#define DMORIENT_PORTRAIT 1
#define DMORIENT_LANDSCAPE 2
#define DMCOLOR_MONOCHROME 1
#define DMCOLOR_COLOR 2
#define DMDUP_SIMPLEX 1
#define DMDUP_VERTICAL 2
#define DMDUP_HORIZONTAL 3
#define DMCOLLATE_FALSE 0
#define DMCOLLATE_TRUE 1
#define DMBIN_AUTO 7

#define DMPAPER_LETTER 1
#define DMPAPER_LEGAL 5
#define DMPAPER_EXECUTIVE 7
#define DMPAPER_A3 8
#define DMPAPER_A4 9
#define DMPAPER_A5 11
#define DMPAPER_B5 13
#define DMPAPER_USER 256

/* DocumentPropertiesA modes. */
#define DM_OUT_BUFFER 2
#define DM_IN_PROMPT 4
#define DM_IN_BUFFER 8

/* DeviceCapabilitiesA questions. */
#define DC_FIELDS 1
#define DC_PAPERS 2
#define DC_PAPERSIZE 3
#define DC_SIZE 8
#define DC_EXTRA 9
#define DC_PAPERNAMES 16
#define DC_ORIENTATION 17
#define DC_COPIES 18

#define PRINTER_ENUM_DEFAULT 0x00000001
#define PRINTER_ENUM_LOCAL 0x00000002
#define PRINTER_ENUM_CONNECTIONS 0x00000004

#define PRINTER_ATTRIBUTE_DEFAULT 0x00000004
#define PRINTER_ATTRIBUTE_LOCAL 0x00000040
#define PRINTER_ATTRIBUTE_NETWORK 0x00000010

#define PRINTER_ENUM_ICON8 0x00800000

#define ERROR_INVALID_PRINTER_NAME 1801L
#define ERROR_INVALID_LEVEL 124L
#define ERROR_INVALID_HANDLE 6L

typedef DWORD ACCESS_MASK;
typedef PVOID PSECURITY_DESCRIPTOR;

typedef struct _PRINTER_INFO_1A {
  DWORD Flags;
  LPSTR pDescription; /* "name,driver,location" */
  LPSTR pName;
  LPSTR pComment;
} PRINTER_INFO_1A, *PPRINTER_INFO_1A, *LPPRINTER_INFO_1A;

typedef struct _PRINTER_INFO_2A {
  LPSTR pServerName;
  LPSTR pPrinterName;
  LPSTR pShareName;
  LPSTR pPortName; /* ports separated by commas */
  LPSTR pDriverName;
  LPSTR pComment;
  LPSTR pLocation;
  LPDEVMODEA pDevMode;
  LPSTR pSepFile;
  LPSTR pPrintProcessor;
  LPSTR pDatatype;
  LPSTR pParameters;
  PSECURITY_DESCRIPTOR pSecurityDescriptor;
  DWORD Attributes;
  DWORD Priority;
  DWORD DefaultPriority;
  DWORD StartTime;
  DWORD UntilTime;
  DWORD Status;
  DWORD cJobs;
  DWORD AveragePPM;
} PRINTER_INFO_2A, *PPRINTER_INFO_2A, *LPPRINTER_INFO_2A;

typedef struct _PRINTER_INFO_4A {
  LPSTR pPrinterName;
  LPSTR pServerName;
  DWORD Attributes;
} PRINTER_INFO_4A, *PPRINTER_INFO_4A, *LPPRINTER_INFO_4A;

typedef struct _PRINTER_DEFAULTSA {
  LPSTR pDatatype;
  LPDEVMODEA pDevMode;
  ACCESS_MASK DesiredAccess;
} PRINTER_DEFAULTSA, *PPRINTER_DEFAULTSA, *LPPRINTER_DEFAULTSA;

/* Lists the printers at `level` 1, 2 or 4 into `buffer`: the records first, their texts
   (and, at level 2, device modes) behind them. A buffer too small (or null) fails with
   ERROR_INSUFFICIENT_BUFFER and `needed` says how many bytes it takes. PRINTER_ENUM_LOCAL
   and PRINTER_ENUM_DEFAULT list printers; PRINTER_ENUM_CONNECTIONS alone lists none (no
   printer here is a connection of another machine's). */
KW32_API BOOL WINAPI EnumPrintersA(DWORD flags, LPSTR name, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed,
                                   LPDWORD returned);
/* Opens a printer by name (not case-sensitive); FALSE with ERROR_INVALID_PRINTER_NAME when
   there is none. The handle keeps what the printer was when opened. */
KW32_API BOOL WINAPI OpenPrinterA(LPSTR name, HANDLE *printer, LPPRINTER_DEFAULTSA defaults);
KW32_API BOOL WINAPI ClosePrinter(HANDLE printer);
/* PRINTER_INFO_1A, 2A (with its device mode behind it) or 4A of an open printer, with the
   same size protocol as EnumPrintersA. */
KW32_API BOOL WINAPI GetPrinterA(HANDLE printer, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed);
/* mode 0: the size of the printer's device mode. DM_OUT_BUFFER: writes the printer's
   default device mode to `output`, with DM_IN_BUFFER the fields that `input` names in
   dmFields merged in (values the printer cannot take are left at the default). Returns
   IDOK (1), or a negative value for a bad printer, a bad input device mode or no output. */
KW32_API LONG WINAPI DocumentPropertiesA(HWND window, HANDLE printer, LPSTR device, PDEVMODEA output,
                                         PDEVMODEA input, DWORD mode);
/* What a printer can do. DC_PAPERS: paper codes (WORD each); DC_PAPERSIZE: their sizes
   (two LONGs each, tenths of a millimetre, portrait); DC_PAPERNAMES: their names (64 bytes
   each); the result is the count, and `output` may be null to ask for it. DC_COPIES: the
   most copies the device makes itself; DC_ORIENTATION: 90 (landscape turns the page
   counter-clockwise); DC_SIZE and DC_EXTRA: dmSize and dmDriverExtra; DC_FIELDS: the
   dmFields it supports. -1 for an unknown printer or question. */
KW32_API int WINAPI DeviceCapabilitiesA(LPCSTR device, LPCSTR port, WORD capability, LPSTR output,
                                        const DEVMODEA *mode);

#endif
