/* The clipboard: data in global memory blocks, by format; one opener at a time. */
#ifndef KORVANE_WIN32_CLIPBOARD_H
#define KORVANE_WIN32_CLIPBOARD_H
#include "window.h"

#define CF_TEXT 1
#define CF_BITMAP 2
#define CF_OEMTEXT 7
#define CF_DIB 8
#define CF_UNICODETEXT 13
#define CF_LOCALE 16
#define ERROR_CLIPBOARD_NOT_OPEN 1418L

/* FALSE (ERROR_ACCESS_DENIED) while another thread has it open. */
KW32_API BOOL WINAPI OpenClipboard(HWND owner);
KW32_API BOOL WINAPI CloseClipboard(void);
/* Frees all data; the opener's window becomes the owner. */
KW32_API BOOL WINAPI EmptyClipboard(void);
/* The clipboard takes the block (it frees it when replaced or emptied); the caller must
   not use it afterwards. Only while the caller has the clipboard open. */
KW32_API HANDLE WINAPI SetClipboardData(UINT format, HANDLE data);
/* The block, which stays the clipboard's; only while the caller has it open. */
KW32_API HANDLE WINAPI GetClipboardData(UINT format);
KW32_API BOOL WINAPI IsClipboardFormatAvailable(UINT format);
KW32_API int WINAPI CountClipboardFormats(void);
KW32_API UINT WINAPI EnumClipboardFormats(UINT format);
KW32_API HWND WINAPI GetClipboardOwner(void);
KW32_API HWND WINAPI GetOpenClipboardWindow(void);

#endif
