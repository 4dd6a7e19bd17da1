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

/* Drops the saved printer setup (the library does so itself when it unloads). */
KV_API void KV_CALL PrtClearSaved(void);

#endif
