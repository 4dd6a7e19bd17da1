/* Printing: the default printer, device modes for a job, the papers of a printer and the
   saved printer setup. A printer is named by its device name, driver name and port name.
   Device modes and paper lists come back as movable global blocks (GHND), unlocked; the
   caller frees them with GlobalFree. */
#ifndef KORVANE_PRINT_H
#define KORVANE_PRINT_H

#include "api.h"
#include "win32.h"

/* Copies the default printer's device, driver and port names (each buffer may be null to
   skip it, and must hold the whole name): the page setup's default printer, else
   "device" of win.ini's section "windows" ("name,driver,port"). 1 when the default
   printer is known, else 0. */
KV_API int KV_CALL PrintGetDefaultPrinter(LPSTR device, LPSTR driver, LPSTR port);

/* Copies `pDriverName` and `pPortName` of the printer `device` into `driver` and `port`
   (either may be null to skip it; each must hold the whole name). 1 on success, 0 when
   the printer cannot be opened or read. */
KV_API int KV_CALL PrintGetDevice(LPCSTR device, LPSTR driver, LPSTR port);

/* A device mode for a job on the printer: the one saved by the printer setup for these
   three names when it fits `paper`, else the driver's default with the orientation
   (`landscape` non-zero: landscape) and, when the printer offers it, the paper code
   `paper` (a DMPAPER_ value; 0 keeps the paper, 256 a size of the caller's own). Null
   when the printer cannot be opened. Thread-safe. */
KV_API HGLOBAL KV_CALL PrintGetDevMode(WORD landscape, LPCSTR device, LPCSTR driver, LPCSTR port, WORD paper);

/* The papers of the printer, for `mode` (null: the driver's default): `papers` receives a
   block of n WORD paper codes and `sizes` a block of n pairs of LONG width and length in
   tenths of a millimetre. Returns n; 0 when the printer cannot be opened; -1 on any other
   failure. The out arguments are written only on success. `driver` is not used. */
KV_API int KV_CALL PrintGetPageSizes(LPCSTR device, LPCSTR driver, LPCSTR port, const DEVMODEA *mode,
                                     HGLOBAL *papers, HGLOBAL *sizes);

/* 1 when the printer can be opened and gives a device mode, else 0. `reserved` is not
   used. */
KV_API int KV_CALL PrintCanDoPrinterSetup(DWORD reserved, LPCSTR device);

/* --- The printer setup dialog ----------------------------------------------------------
   A modal "Printer Setup" dialog owned by `owner`: every printer on each of its ports, OK,
   Cancel and Setup (the printer's own properties). `devMode` holds the caller's device
   mode handle (or null: the saved setup's for these names serves); `device`, `driver`
   and `port` hold the current choice and must have room for 260 bytes each. On OK with a
   changed choice: the names and a new device mode come back (the old handle is freed),
   the setup is saved, a new printer becomes the default in win.ini ("device" of
   "windows") and WM_WININICHANGE is broadcast. Returns non-zero for that; 0 for Cancel,
   an unchanged choice, or when the dialog cannot run (nothing is written then). The
   sixth argument is kept and not read. */
KV_API int KV_CALL PrintPrinterSetup(HWND owner, HGLOBAL *devMode, LPSTR device, LPSTR driver, LPSTR port,
                                     LPCSTR reserved);
/* The same; with `hidePortless` printers on the port "None" are left out, and when the
   printer's properties change the device mode the string `messageId` of
   `messageInstance` (both non-zero) is shown. */
KV_API int KV_CALL PrintPrinterSetupExt(HWND owner, HGLOBAL *devMode, LPSTR device, LPSTR driver, LPSTR port,
                                        LPCSTR reserved, BOOL hidePortless, HINSTANCE messageInstance,
                                        UINT messageId);
/* The dialog's procedure over the template PRTSETUP; WM_INITDIALOG takes the record. */
KV_API INT_PTR KV_CALL PrintPrinterSetupDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

/* Drops the saved printer setup (the library does so itself when it unloads). */
KV_API void KV_CALL PrtClearSaved(void);

/* --- Page printing ---------------------------------------------------------------------
   PagePrint runs a whole job for a caller that paints one logical page at a time: it
   makes (or borrows) the printer DC, shows the modeless "printing" dialog with its Cancel
   button, lays each logical page out over as many sheets as it needs and calls the paint
   callback once per sheet, in thousandths of an inch (MM_HIENGLISH: x grows to the right,
   y upwards, so the logical page spans x 0 .. width and y 0 .. -height). Jobs run on the
   caller's thread; each thread keeps its own table of running jobs, keyed by DC. */

/* Callbacks of a job. The user value is the one in the record that names the callback. */
typedef int(KV_CALL *PRINTPAGENUMPROC)(DWORD user);            /* the page number to show */
typedef HLOCAL(KV_CALL *PRINTDISABLEPROC)(HINSTANCE instance, HWND except, BOOL enable, HLOCAL list);
typedef void(KV_CALL *PRINTDIALOGPROC)(HWND dialog);           /* opened / closing */
typedef BOOL(KV_CALL *PRINTIDLEPROC)(BOOL wait);               /* between pages; result unused */
/* Paints the current sheet's part of the logical page (code PRINT_CODE_PAINT; `band` the
   sheet's band in device units; the three band values: fGraphics and fText of the BANDINFO
   escape and 1 when the device gave them). Zero stops the job (result PRINT_STOPPED). */
typedef BOOL(KV_CALL *PRINTPAINTPROC)(HDC dc, int code, LPRECT band, DWORD user, int graphics, int text,
                                      int bandInfo);
/* Non-zero when another logical page follows the one just painted. */
typedef BOOL(KV_CALL *PRINTMOREPROC)(DWORD user);

/* Result codes, written to wResult of the print description. */
#define PRINT_DONE 0         /* printed to the end */
#define PRINT_CANCELLED 1    /* Cancel pressed, or PrintAbort */
#define PRINT_NO_OWNER 2
#define PRINT_NO_DC 3        /* no DC, or StartDocA refused the job */
#define PRINT_NO_MEMORY 4
#define PRINT_NO_DISK 5
#define PRINT_STOPPED 6      /* the application stopped it */
#define PRINT_FAILED 7       /* any other printing error */

/* dwFlags of the print description */
#define PRINT_FLAG_NO_DIALOG 0x1    /* no "printing" dialog, no windows disabled */
#define PRINT_FLAG_DISABLE_PROC 0x2 /* lpfnDisable disables and enables the windows */

/* Codes of the layout steps; the paint callback sees PRINT_CODE_PAINT. */
#define PRINT_CODE_NEXT 1
#define PRINT_CODE_PAINT 3
#define PRINT_CODE_START 10
#define PRINT_CODE_END 11

/* The records are packed to 2 bytes. On 32-bit Windows they have exactly these offsets
   (the print description 838 bytes, the job 966); on 64-bit targets pointers, callbacks
   and handles take 8 bytes each at the same places in the same order (882 and 1018
   bytes), so offsets after the first pointer differ: use the field names. */
#pragma pack(push, 2)
typedef struct tagPRINTDESC {
  DWORD dwUser;                     /*   0: passed to lpfnPageNumber */
  LPCSTR lpszTitle;                 /*   4: caption of the dialog and of error boxes */
  LPCSTR lpszDocName;               /*   8: the job's name, for StartDocA */
  LPCSTR lpszLine1;                 /*  12: first line of the dialog */
  LPCSTR lpszLine2;                 /*  16: second line */
  PRINTPAGENUMPROC lpfnPageNumber;  /*  20: null: the library counts sheets */
  PRINTDISABLEPROC lpfnDisable;     /*  24: with PRINT_FLAG_DISABLE_PROC */
  PRINTDIALOGPROC lpfnOpened;       /*  28 */
  PRINTDIALOGPROC lpfnClosing;      /*  32: on the dialog's WM_DESTROY */
  DWORD dwReserved;                 /*  36 */
  PRINTIDLEPROC lpfnIdle;           /*  40: null: look at the queue once */
  WORD wResult;                     /*  44: PRINT_ result code */
  HDC hDC;                          /*  46: the caller's printer DC, or null */
  DWORD dwFlags;                    /*  50: PRINT_FLAG_ */
  DEVMODEA *lpDevMode;              /*  54: for the DC PagePrint makes; may be null */
  CHAR szDevice[260];               /*  58 */
  CHAR szDriver[260];               /* 318 */
  CHAR szPort[260];                 /* 578 */
} PRINTDESC;

typedef struct tagPRINTJOB {
  BOOL bDraft;                      /*   0: DRAFTMODE */
  LONG nCopies;                     /*   4 */
  LONG xLeft;                       /*   8: the logical page on the sheet, from its edge */
  LONG yTop;                        /*  12 */
  LONG cxPage;                      /*  16: the logical page's size */
  LONG cyPage;                      /*  20 */
  BOOL bAllPages;                   /*  24: else nFirstPage .. nLastPage */
  LONG nFirstPage;                  /*  28 */
  LONG nLastPage;                   /*  32 */
  LONG nPageCount;                  /*  36: below 1 counts as 1 */
  BOOL bFrame;                      /*  40: a rectangle round each logical page */
  BOOL bSnap;                       /*  44: 0: the page size rounded to whole device units */
  BOOL bTile;                       /*  48: either tiling flag lets a page that is more than */
  BOOL bTileToo;                    /*  52:   20 units larger than the sheet span sheets */
  BYTE abReserved[60];              /*  56 */
  PRINTDESC desc;                   /* 116 */
  PRINTPAINTPROC lpfnPaint;         /* 954 */
  PRINTMOREPROC lpfnMorePages;      /* 958: null: one logical page */
  DWORD dwUser;                     /* 962: passed to both */
} PRINTJOB;
#pragma pack(pop)

/* Runs the job (see above); always 1, the outcome in job->desc.wResult. A job with no
   owner window gets PRINT_NO_OWNER and prints nothing. Error boxes (out of disk space,
   out of memory, printing error) are shown owned by `owner`. Output that was cancelled
   or failed is not delivered. */
KV_API int KV_CALL PagePrint(HWND owner, PRINTJOB *job);

/* The abort procedure of a job's DC: takes the thread's messages (so Cancel can be
   pressed), calls the idle callback; a negative spooler code stops the job. Non-zero to
   go on, 0 when the job is stopped. 1 for a DC without a running job. */
KV_API BOOL KV_CALL AbortTest(HDC dc, int code);

/* The procedure of the "printing" dialog (template PRINTABORTDIALOG). */
KV_API INT_PTR KV_CALL DlgFnAbort(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

/* Cancels the job running on `dc` in the calling thread as Cancel does (when it shows its
   dialog). 1 when there is such a job, else 0. */
KV_API int KV_CALL PrintAbort(HDC dc);

/* Without printing: the paper code of `mode` (or of the printer's default device mode
   when null), the paper's size and the printable rectangle, in tenths of a millimetre,
   landscape turned. `paper` is written only when the mode names a paper. 1 on success, 0
   when the printer cannot be opened, has no information context or no paper size. */
KV_API int KV_CALL PageGetPageInfo(LPCSTR driver, LPCSTR device, LPCSTR port, const DEVMODEA *mode, WORD *paper,
                                   POINT *size, RECT *printable);

#endif
