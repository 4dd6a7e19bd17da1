/* Common dialogs (comdlg32): the page setup's default printer, and the extended error of
   the last common dialog call. */
#ifndef KORVANE_WIN32_COMMDLG_H
#define KORVANE_WIN32_COMMDLG_H
#include "../base.h"
#include "../user32/window.h"

/* What a printer is called, as the block the dialogs hand back holds it: three offsets
   from the block's start to the driver, device and port names behind it. */
typedef struct tagDEVNAMES {
  WORD wDriverOffset;
  WORD wDeviceOffset;
  WORD wOutputOffset;
  WORD wDefault; /* DN_DEFAULTPRN when it names the default printer */
} DEVNAMES, *LPDEVNAMES;

#define DN_DEFAULTPRN 0x0001

typedef UINT_PTR(CALLBACK *LPPAGESETUPHOOK)(HWND, UINT, WPARAM, LPARAM);
typedef UINT_PTR(CALLBACK *LPPAGEPAINTHOOK)(HWND, UINT, WPARAM, LPARAM);

typedef struct tagPSDA {
  DWORD lStructSize;
  HWND hwndOwner;
  HGLOBAL hDevMode;
  HGLOBAL hDevNames;
  DWORD Flags;
  POINT ptPaperSize;
  RECT rtMinMargin;
  RECT rtMargin;
  HINSTANCE hInstance;
  LPARAM lCustData;
  LPPAGESETUPHOOK lpfnPageSetupHook;
  LPPAGEPAINTHOOK lpfnPagePaintHook;
  LPCSTR lpPageSetupTemplateName;
  HGLOBAL hPageSetupTemplate;
} PAGESETUPDLGA, *LPPAGESETUPDLGA;

#define PSD_RETURNDEFAULT 0x00000400

#define CDERR_DIALOGFAILURE 0xFFFF
#define CDERR_STRUCTSIZE 0x0001
#define CDERR_INITIALIZATION 0x0002
#define CDERR_MEMALLOCFAILURE 0x0009
#define PDERR_NODEFAULTPRN 0x1008
#define PDERR_RETDEFFAILURE 0x1009

/* With PSD_RETURNDEFAULT (and hDevMode and hDevNames null on entry): no dialog; fills
   hDevNames and hDevMode with new GHND blocks for the default printer (its first port).
   FALSE with PDERR_NODEFAULTPRN when there is no default printer. The dialog itself is
   not offered here: without PSD_RETURNDEFAULT the call fails with CDERR_DIALOGFAILURE. */
KW32_API BOOL WINAPI PageSetupDlgA(LPPAGESETUPDLGA setup);
/* The error of the calling thread's last common dialog call, 0 after a success. */
KW32_API DWORD WINAPI CommDlgExtendedError(void);

#endif
