/* Dialog boxes from templates, their keyboard interface, and message boxes. */
#ifndef KORVANE_WIN32_DIALOG_H
#define KORVANE_WIN32_DIALOG_H
#include "message.h"

/* Dialog styles */
#define DS_ABSALIGN 0x01L
#define DS_SYSMODAL 0x02L
#define DS_3DLOOK 0x04L
#define DS_FIXEDSYS 0x08L
#define DS_NOFAILCREATE 0x10L
#define DS_LOCALEDIT 0x20L
#define DS_SETFONT 0x40L
#define DS_MODALFRAME 0x80L
#define DS_NOIDLEMSG 0x100L
#define DS_SETFOREGROUND 0x200L
#define DS_CONTROL 0x0400L
#define DS_CENTER 0x0800L
#define DS_CENTERMOUSE 0x1000L
#define DS_CONTEXTHELP 0x2000L
#define DS_SHELLFONT (DS_SETFONT | DS_FIXEDSYS)

/* Command ids of the standard buttons */
#define IDOK 1
#define IDCANCEL 2
#define IDABORT 3
#define IDRETRY 4
#define IDIGNORE 5
#define IDYES 6
#define IDNO 7
#define IDCLOSE 8
#define IDHELP 9
#define IDTRYAGAIN 10
#define IDCONTINUE 11

/* Dialog messages; the default button */
#define DM_GETDEFID 0x0400
#define DM_SETDEFID 0x0401
#define DM_REPOSITION 0x0402
#define DC_HASDEFID 0x534B

/* WM_GETDLGCODE results */
#define DLGC_WANTARROWS 0x0001
#define DLGC_WANTTAB 0x0002
#define DLGC_WANTALLKEYS 0x0004
#define DLGC_WANTMESSAGE 0x0004
#define DLGC_HASSETSEL 0x0008
#define DLGC_DEFPUSHBUTTON 0x0010
#define DLGC_UNDEFPUSHBUTTON 0x0020
#define DLGC_RADIOBUTTON 0x0040
#define DLGC_WANTCHARS 0x0080
#define DLGC_STATIC 0x0100
#define DLGC_BUTTON 0x2000

/* Message box styles */
#define MB_OK 0x00000000L
#define MB_OKCANCEL 0x00000001L
#define MB_ABORTRETRYIGNORE 0x00000002L
#define MB_YESNOCANCEL 0x00000003L
#define MB_YESNO 0x00000004L
#define MB_RETRYCANCEL 0x00000005L
#define MB_CANCELTRYCONTINUE 0x00000006L
#define MB_TYPEMASK 0x0000000FL
#define MB_ICONHAND 0x00000010L
#define MB_ICONQUESTION 0x00000020L
#define MB_ICONEXCLAMATION 0x00000030L
#define MB_ICONASTERISK 0x00000040L
#define MB_ICONMASK 0x000000F0L
#define MB_ICONERROR MB_ICONHAND
#define MB_ICONSTOP MB_ICONHAND
#define MB_ICONWARNING MB_ICONEXCLAMATION
#define MB_ICONINFORMATION MB_ICONASTERISK
#define MB_DEFBUTTON1 0x00000000L
#define MB_DEFBUTTON2 0x00000100L
#define MB_DEFBUTTON3 0x00000200L
#define MB_DEFBUTTON4 0x00000300L
#define MB_DEFMASK 0x00000F00L
#define MB_APPLMODAL 0x00000000L
#define MB_SYSTEMMODAL 0x00001000L
#define MB_TASKMODAL 0x00002000L
#define MB_SETFOREGROUND 0x00010000L
#define MB_TOPMOST 0x00040000L

/* The message filter code of a dialog's modal loop (WM_ENTERIDLE's wParam). */
#ifndef MSGF_DIALOGBOX
#define MSGF_DIALOGBOX 0
#endif
#define ERROR_CONTROL_ID_NOT_FOUND 1421L
#define ERROR_INVALID_MSGBOX_STYLE 1438L

typedef INT_PTR(CALLBACK *DLGPROC)(HWND, UINT, WPARAM, LPARAM);

/* The fixed part of a plain dialog template; the extended form starts with version 1
   and signature 0xFFFF instead. */
#pragma pack(push, 2)
typedef struct {
  DWORD style;
  DWORD dwExtendedStyle;
  WORD cdit;
  short x;
  short y;
  short cx;
  short cy;
} DLGTEMPLATE, *LPDLGTEMPLATEA;
typedef const DLGTEMPLATE *LPCDLGTEMPLATEA;

typedef struct {
  DWORD style;
  DWORD dwExtendedStyle;
  short x;
  short y;
  short cx;
  short cy;
  WORD id;
} DLGITEMTEMPLATE;
#pragma pack(pop)

/* Dialogs: modeless ones return their window; modal ones run until EndDialog and return
   its value, -1 when the dialog cannot be created. */
KW32_API HWND WINAPI CreateDialogParamA(HINSTANCE instance, LPCSTR name, HWND owner, DLGPROC proc, LPARAM param);
KW32_API HWND WINAPI CreateDialogIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA dialogTemplate, HWND owner,
                                                DLGPROC proc, LPARAM param);
KW32_API INT_PTR WINAPI DialogBoxParamA(HINSTANCE instance, LPCSTR name, HWND owner, DLGPROC proc, LPARAM param);
KW32_API INT_PTR WINAPI DialogBoxIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA dialogTemplate, HWND owner,
                                                DLGPROC proc, LPARAM param);
#define CreateDialogA(i, n, o, p) CreateDialogParamA(i, n, o, p, 0)
#define CreateDialogIndirectA(i, t, o, p) CreateDialogIndirectParamA(i, t, o, p, 0)
#define DialogBoxA(i, n, o, p) DialogBoxParamA(i, n, o, p, 0)
#define DialogBoxIndirectA(i, t, o, p) DialogBoxIndirectParamA(i, t, o, p, 0)
KW32_API BOOL WINAPI EndDialog(HWND dialog, INT_PTR result);
KW32_API LRESULT WINAPI DefDlgProcA(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
KW32_API BOOL WINAPI IsDialogMessageA(HWND dialog, LPMSG msg);

/* A dialog's controls. */
KW32_API HWND WINAPI GetDlgItem(HWND dialog, int id);
KW32_API int WINAPI GetDlgCtrlID(HWND control);
KW32_API UINT WINAPI GetDlgItemTextA(HWND dialog, int id, LPSTR buffer, int size);
KW32_API BOOL WINAPI SetDlgItemTextA(HWND dialog, int id, LPCSTR text);
KW32_API UINT WINAPI GetDlgItemInt(HWND dialog, int id, BOOL *translated, BOOL isSigned);
KW32_API BOOL WINAPI SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned);
KW32_API LRESULT WINAPI SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam);
KW32_API BOOL WINAPI CheckDlgButton(HWND dialog, int id, UINT check);
KW32_API UINT WINAPI IsDlgButtonChecked(HWND dialog, int id);
KW32_API BOOL WINAPI CheckRadioButton(HWND dialog, int first, int last, int check);
KW32_API HWND WINAPI GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);
KW32_API HWND WINAPI GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous);

/* Dialog units: MapDialogRect by the dialog's font; GetDialogBaseUnits by the system
   font (x in the low word, y in the high word). */
KW32_API BOOL WINAPI MapDialogRect(HWND dialog, LPRECT rect);
KW32_API LONG WINAPI GetDialogBaseUnits(void);

/* A message box of the style's buttons and icon: the id of the button chosen, 0 when
   it cannot be shown. */
KW32_API int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

#endif
