/* Window classes and windows: creation and destruction, the window tree and z-order,
   window longs, text and properties. */
#ifndef KORVANE_WIN32_WINDOW_H
#define KORVANE_WIN32_WINDOW_H
#include "../base.h"

typedef WORD ATOM;
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;
DECLARE_HANDLE(HICON);
typedef HICON HCURSOR;
DECLARE_HANDLE(HMENU);
/* The graphics layer's handles that window classes and paint records carry; declared the
   same way there, so either header may come first. */
struct HBRUSH__;
typedef struct HBRUSH__ *HBRUSH;
struct HDC__;
typedef struct HDC__ *HDC;

typedef LRESULT(CALLBACK *WNDPROC)(HWND, UINT, WPARAM, LPARAM);

#define MAKEINTATOM(i) ((LPSTR)(ULONG_PTR)((WORD)(i)))
#define MAKELPARAM(l, h) ((LPARAM)(DWORD)MAKELONG(l, h))
#define MAKEWPARAM(l, h) ((WPARAM)(DWORD)MAKELONG(l, h))
#define MAKELRESULT(l, h) ((LRESULT)(DWORD)MAKELONG(l, h))

/* Class styles */
#define CS_VREDRAW 0x0001
#define CS_HREDRAW 0x0002
#define CS_DBLCLKS 0x0008
#define CS_OWNDC 0x0020
#define CS_CLASSDC 0x0040
#define CS_PARENTDC 0x0080
#define CS_NOCLOSE 0x0200
#define CS_SAVEBITS 0x0800
#define CS_GLOBALCLASS 0x4000

typedef struct tagWNDCLASSA {
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  LPCSTR lpszMenuName;
  LPCSTR lpszClassName;
} WNDCLASSA, *PWNDCLASSA, *LPWNDCLASSA;

typedef struct tagWNDCLASSEXA {
  UINT cbSize;
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  LPCSTR lpszMenuName;
  LPCSTR lpszClassName;
  HICON hIconSm;
} WNDCLASSEXA, *PWNDCLASSEXA, *LPWNDCLASSEXA;

typedef struct tagCREATESTRUCTA {
  LPVOID lpCreateParams;
  HINSTANCE hInstance;
  HMENU hMenu;
  HWND hwndParent;
  int cy;
  int cx;
  int y;
  int x;
  LONG style;
  LPCSTR lpszName;
  LPCSTR lpszClass;
  DWORD dwExStyle;
} CREATESTRUCTA, *LPCREATESTRUCTA;

/* Window styles */
#define WS_OVERLAPPED 0x00000000L
#define WS_POPUP 0x80000000L
#define WS_CHILD 0x40000000L
#define WS_MINIMIZE 0x20000000L
#define WS_VISIBLE 0x10000000L
#define WS_DISABLED 0x08000000L
#define WS_CLIPSIBLINGS 0x04000000L
#define WS_CLIPCHILDREN 0x02000000L
#define WS_MAXIMIZE 0x01000000L
#define WS_CAPTION 0x00C00000L
#define WS_BORDER 0x00800000L
#define WS_DLGFRAME 0x00400000L
#define WS_VSCROLL 0x00200000L
#define WS_HSCROLL 0x00100000L
#define WS_SYSMENU 0x00080000L
#define WS_THICKFRAME 0x00040000L
#define WS_GROUP 0x00020000L
#define WS_TABSTOP 0x00010000L
#define WS_MINIMIZEBOX 0x00020000L
#define WS_MAXIMIZEBOX 0x00010000L
#define WS_TILED WS_OVERLAPPED
#define WS_ICONIC WS_MINIMIZE
#define WS_SIZEBOX WS_THICKFRAME
#define WS_OVERLAPPEDWINDOW (WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)
#define WS_POPUPWINDOW (WS_POPUP | WS_BORDER | WS_SYSMENU)
#define WS_CHILDWINDOW WS_CHILD

/* Extended window styles */
#define WS_EX_DLGMODALFRAME 0x00000001L
#define WS_EX_NOPARENTNOTIFY 0x00000004L
#define WS_EX_TOPMOST 0x00000008L
#define WS_EX_ACCEPTFILES 0x00000010L
#define WS_EX_TRANSPARENT 0x00000020L
#define WS_EX_MDICHILD 0x00000040L
#define WS_EX_TOOLWINDOW 0x00000080L
#define WS_EX_WINDOWEDGE 0x00000100L
#define WS_EX_CLIENTEDGE 0x00000200L
#define WS_EX_CONTEXTHELP 0x00000400L
#define WS_EX_RIGHT 0x00001000L
#define WS_EX_LEFT 0x00000000L
#define WS_EX_CONTROLPARENT 0x00010000L
#define WS_EX_STATICEDGE 0x00020000L
#define WS_EX_APPWINDOW 0x00040000L
#define WS_EX_OVERLAPPEDWINDOW (WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE)

#define CW_USEDEFAULT ((int)0x80000000)

/* Special window handles */
#define HWND_DESKTOP ((HWND)0)
#define HWND_TOP ((HWND)0)
#define HWND_BOTTOM ((HWND)1)
#define HWND_TOPMOST ((HWND)-1)
#define HWND_NOTOPMOST ((HWND)-2)
#define HWND_MESSAGE ((HWND)-3)

/* Window longs; the DWLP_ slots are the dialog class's window extra bytes. */
#define GWL_WNDPROC (-4)
#define GWL_HINSTANCE (-6)
#define GWL_HWNDPARENT (-8)
#define GWL_STYLE (-16)
#define GWL_EXSTYLE (-20)
#define GWL_USERDATA (-21)
#define GWL_ID (-12)
#define GWLP_WNDPROC (-4)
#define GWLP_HINSTANCE (-6)
#define GWLP_HWNDPARENT (-8)
#define GWLP_USERDATA (-21)
#define GWLP_ID (-12)
#define DWLP_MSGRESULT 0
#define DWLP_DLGPROC (DWLP_MSGRESULT + sizeof(LRESULT))
#define DWLP_USER (DWLP_DLGPROC + sizeof(void *))
#define DWL_MSGRESULT 0
#define DWL_DLGPROC 4
#define DWL_USER 8
#if UINTPTR_MAX > 0xFFFFFFFFu
#define DLGWINDOWEXTRA 48
#else
#define DLGWINDOWEXTRA 30
#endif

/* Class longs */
#define GCL_MENUNAME (-8)
#define GCL_HBRBACKGROUND (-10)
#define GCL_HCURSOR (-12)
#define GCL_HICON (-14)
#define GCL_HMODULE (-16)
#define GCL_CBWNDEXTRA (-18)
#define GCL_CBCLSEXTRA (-20)
#define GCL_WNDPROC (-24)
#define GCL_STYLE (-26)
#define GCW_ATOM (-32)
#define GCLP_MENUNAME (-8)
#define GCLP_HBRBACKGROUND (-10)
#define GCLP_HCURSOR (-12)
#define GCLP_HICON (-14)
#define GCLP_HMODULE (-16)
#define GCLP_WNDPROC (-24)

/* GetWindow relations */
#define GW_HWNDFIRST 0
#define GW_HWNDLAST 1
#define GW_HWNDNEXT 2
#define GW_HWNDPREV 3
#define GW_OWNER 4
#define GW_CHILD 5
#define GW_ENABLEDPOPUP 6

/* GetAncestor */
#define GA_PARENT 1
#define GA_ROOT 2
#define GA_ROOTOWNER 3

/* Errors of the window manager */
#define ERROR_INVALID_INDEX 1413L
#define ERROR_INVALID_WINDOW_HANDLE 1400L
#define ERROR_INVALID_MENU_HANDLE 1401L
#define ERROR_CANNOT_FIND_WND_CLASS 1407L
#define ERROR_WINDOW_OF_OTHER_THREAD 1408L
#define ERROR_CLASS_ALREADY_EXISTS 1410L
#define ERROR_CLASS_DOES_NOT_EXIST 1411L
#define ERROR_CLASS_HAS_WINDOWS 1412L
#define ERROR_TLW_WITH_WSCHILD 1406L
#define ERROR_INVALID_THREAD_ID 1444L
#define ERROR_NON_MDICHILD_WINDOW 1445L
#define ERROR_HOOK_NOT_INSTALLED 1431L
#define ERROR_INVALID_HOOK_HANDLE 1404L
#define ERROR_INVALID_HOOK_FILTER 1426L
#define ERROR_TIMEOUT 1460L

/* Classes. Names compare without regard to case; "#number" and MAKEINTATOM(number) name
   the same class. The system classes (Edit, ListBox, ComboBox, Button, Static and the
   dialog class "#32770") are there without registration. */
KW32_API ATOM WINAPI RegisterClassA(const WNDCLASSA *wc);
KW32_API ATOM WINAPI RegisterClassExA(const WNDCLASSEXA *wc);
/* Refused while windows of the class exist (ERROR_CLASS_HAS_WINDOWS). */
KW32_API BOOL WINAPI UnregisterClassA(LPCSTR className, HINSTANCE instance);
KW32_API BOOL WINAPI GetClassInfoA(HINSTANCE instance, LPCSTR className, LPWNDCLASSA wc);
KW32_API BOOL WINAPI GetClassInfoExA(HINSTANCE instance, LPCSTR className, LPWNDCLASSEXA wc);
KW32_API int WINAPI GetClassNameA(HWND window, LPSTR buffer, int size);
KW32_API ULONG_PTR WINAPI GetClassLongPtrA(HWND window, int index);
KW32_API DWORD WINAPI GetClassLongA(HWND window, int index);

/* Windows. Creation sends HCBT_CREATEWND to CBT hooks, then WM_GETMINMAXINFO (top-level
   windows), WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE, WM_PARENTNOTIFY
   (children) and, for WS_VISIBLE, what ShowWindow sends. Destruction sends WM_DESTROY to
   the window and then its children, WM_NCDESTROY to the children and the window last.
   A destroyed window's handle is not handed out again for a long while. */
KW32_API HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                                     LPVOID param);
#define CreateWindowA(c, n, s, x, y, w, h, p, m, i, a) CreateWindowExA(0, c, n, s, x, y, w, h, p, m, i, a)
/* Only on the window's own thread (else ERROR_ACCESS_DENIED). */
KW32_API BOOL WINAPI DestroyWindow(HWND window);
KW32_API BOOL WINAPI IsWindow(HWND window);
KW32_API HWND WINAPI GetDesktopWindow(void);
/* A child's parent, a top-level window's owner, else null. */
KW32_API HWND WINAPI GetParent(HWND window);
KW32_API HWND WINAPI SetParent(HWND child, HWND newParent);
KW32_API HWND WINAPI GetAncestor(HWND window, UINT flags);
KW32_API BOOL WINAPI IsChild(HWND parent, HWND window);
KW32_API HWND WINAPI GetWindow(HWND window, UINT relation);
KW32_API HWND WINAPI GetTopWindow(HWND window);
/* A top-level window by class and title (null matches any), in z-order. */
KW32_API HWND WINAPI FindWindowA(LPCSTR className, LPCSTR windowName);
KW32_API HWND WINAPI FindWindowExA(HWND parent, HWND after, LPCSTR className, LPCSTR windowName);
typedef BOOL(CALLBACK *WNDENUMPROC)(HWND, LPARAM);
KW32_API BOOL WINAPI EnumWindows(WNDENUMPROC proc, LPARAM param);
KW32_API BOOL WINAPI EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM param);
KW32_API DWORD WINAPI GetWindowThreadProcessId(HWND window, LPDWORD processId);

/* Window longs: the GWL_ and GWLP_ indexes, or a byte offset into the window extra bytes
   (ERROR_INVALID_INDEX beyond them). Setting GWL_WNDPROC subclasses the window. */
KW32_API LONG WINAPI GetWindowLongA(HWND window, int index);
KW32_API LONG WINAPI SetWindowLongA(HWND window, int index, LONG value);
KW32_API LONG_PTR WINAPI GetWindowLongPtrA(HWND window, int index);
KW32_API LONG_PTR WINAPI SetWindowLongPtrA(HWND window, int index, LONG_PTR value);
KW32_API WORD WINAPI GetWindowWord(HWND window, int index);
KW32_API WORD WINAPI SetWindowWord(HWND window, int index, WORD value);

/* Window text goes through WM_SETTEXT, WM_GETTEXT and WM_GETTEXTLENGTH; a window of
   another thread gives the text DefWindowProcA keeps, without a message. */
KW32_API BOOL WINAPI SetWindowTextA(HWND window, LPCSTR text);
KW32_API int WINAPI GetWindowTextA(HWND window, LPSTR buffer, int size);
KW32_API int WINAPI GetWindowTextLengthA(HWND window);

/* Window properties, by name (without regard to case) or atom. */
KW32_API BOOL WINAPI SetPropA(HWND window, LPCSTR name, HANDLE data);
KW32_API HANDLE WINAPI GetPropA(HWND window, LPCSTR name);
KW32_API HANDLE WINAPI RemovePropA(HWND window, LPCSTR name);

#endif
