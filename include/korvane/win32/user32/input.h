/* Keyboard and mouse input and state, key translation, mouse capture, cursors and icons,
   the beep. */
#ifndef KORVANE_WIN32_INPUT_H
#define KORVANE_WIN32_INPUT_H
#include "message.h"

/* Virtual keys ('0'-'9' and 'A'-'Z' are their characters) */
#define VK_LBUTTON 0x01
#define VK_RBUTTON 0x02
#define VK_CANCEL 0x03
#define VK_MBUTTON 0x04
#define VK_BACK 0x08
#define VK_TAB 0x09
#define VK_CLEAR 0x0C
#define VK_RETURN 0x0D
#define VK_SHIFT 0x10
#define VK_CONTROL 0x11
#define VK_MENU 0x12
#define VK_PAUSE 0x13
#define VK_CAPITAL 0x14
#define VK_KANA 0x15
#define VK_KANJI 0x19
#define VK_ESCAPE 0x1B
#define VK_CONVERT 0x1C
#define VK_NONCONVERT 0x1D
#define VK_SPACE 0x20
#define VK_PRIOR 0x21
#define VK_NEXT 0x22
#define VK_END 0x23
#define VK_HOME 0x24
#define VK_LEFT 0x25
#define VK_UP 0x26
#define VK_RIGHT 0x27
#define VK_DOWN 0x28
#define VK_SELECT 0x29
#define VK_PRINT 0x2A
#define VK_EXECUTE 0x2B
#define VK_SNAPSHOT 0x2C
#define VK_INSERT 0x2D
#define VK_DELETE 0x2E
#define VK_HELP 0x2F
#define VK_LWIN 0x5B
#define VK_RWIN 0x5C
#define VK_APPS 0x5D
#define VK_NUMPAD0 0x60
#define VK_NUMPAD1 0x61
#define VK_NUMPAD2 0x62
#define VK_NUMPAD3 0x63
#define VK_NUMPAD4 0x64
#define VK_NUMPAD5 0x65
#define VK_NUMPAD6 0x66
#define VK_NUMPAD7 0x67
#define VK_NUMPAD8 0x68
#define VK_NUMPAD9 0x69
#define VK_MULTIPLY 0x6A
#define VK_ADD 0x6B
#define VK_SEPARATOR 0x6C
#define VK_SUBTRACT 0x6D
#define VK_DECIMAL 0x6E
#define VK_DIVIDE 0x6F
#define VK_F1 0x70
#define VK_F2 0x71
#define VK_F3 0x72
#define VK_F4 0x73
#define VK_F5 0x74
#define VK_F6 0x75
#define VK_F7 0x76
#define VK_F8 0x77
#define VK_F9 0x78
#define VK_F10 0x79
#define VK_F11 0x7A
#define VK_F12 0x7B
#define VK_NUMLOCK 0x90
#define VK_SCROLL 0x91
#define VK_LSHIFT 0xA0
#define VK_RSHIFT 0xA1
#define VK_LCONTROL 0xA2
#define VK_RCONTROL 0xA3
#define VK_LMENU 0xA4
#define VK_RMENU 0xA5
#define VK_OEM_1 0xBA
#define VK_OEM_PLUS 0xBB
#define VK_OEM_COMMA 0xBC
#define VK_OEM_MINUS 0xBD
#define VK_OEM_PERIOD 0xBE
#define VK_OEM_2 0xBF
#define VK_OEM_3 0xC0
#define VK_OEM_4 0xDB
#define VK_OEM_5 0xDC
#define VK_OEM_6 0xDD
#define VK_OEM_7 0xDE
#define VK_PACKET 0xE7

/* Mouse-key flags of mouse messages */
#define MK_LBUTTON 0x0001
#define MK_RBUTTON 0x0002
#define MK_SHIFT 0x0004
#define MK_CONTROL 0x0008
#define MK_MBUTTON 0x0010

/* SendInput */
#define INPUT_MOUSE 0
#define INPUT_KEYBOARD 1
#define INPUT_HARDWARE 2
#define KEYEVENTF_EXTENDEDKEY 0x0001
#define KEYEVENTF_KEYUP 0x0002
#define KEYEVENTF_UNICODE 0x0004
#define KEYEVENTF_SCANCODE 0x0008
#define MOUSEEVENTF_MOVE 0x0001
#define MOUSEEVENTF_LEFTDOWN 0x0002
#define MOUSEEVENTF_LEFTUP 0x0004
#define MOUSEEVENTF_RIGHTDOWN 0x0008
#define MOUSEEVENTF_RIGHTUP 0x0010
#define MOUSEEVENTF_MIDDLEDOWN 0x0020
#define MOUSEEVENTF_MIDDLEUP 0x0040
#define MOUSEEVENTF_ABSOLUTE 0x8000

typedef struct tagMOUSEINPUT {
  LONG dx;
  LONG dy;
  DWORD mouseData;
  DWORD dwFlags;
  DWORD time;
  ULONG_PTR dwExtraInfo;
} MOUSEINPUT;

typedef struct tagKEYBDINPUT {
  WORD wVk;
  WORD wScan;
  DWORD dwFlags;
  DWORD time;
  ULONG_PTR dwExtraInfo;
} KEYBDINPUT;

typedef struct tagHARDWAREINPUT {
  DWORD uMsg;
  WORD wParamL;
  WORD wParamH;
} HARDWAREINPUT;

typedef struct tagINPUT {
  DWORD type;
  union {
    MOUSEINPUT mi;
    KEYBDINPUT ki;
    HARDWAREINPUT hi;
  };
} INPUT, *PINPUT, *LPINPUT;

/* The calling thread's key state: the high bit while down, bit 0 toggled by each press. */
KW32_API SHORT WINAPI GetKeyState(int key);
/* The state of the keyboard as input made it, for any thread: the high bit while down. */
KW32_API SHORT WINAPI GetAsyncKeyState(int key);
KW32_API BOOL WINAPI GetKeyboardState(BYTE *state);
KW32_API BOOL WINAPI SetKeyboardState(const BYTE *state);
/* Keyboard input goes to the focus window of the foreground thread (its active window
   when nothing has the focus) as WM_KEYDOWN and WM_KEYUP, or WM_SYSKEYDOWN and
   WM_SYSKEYUP while Alt is down without Ctrl, and updates the key state at once.
   KEYEVENTF_UNICODE sends wScan as VK_PACKET, the character in the high word of lParam.
   Mouse input moves the pointer (MOUSEEVENTF_MOVE: by dx, dy pixels, or with
   MOUSEEVENTF_ABSOLUTE to dx, dy in 0..65535 across the screen), then presses and
   releases the buttons its flags name; each goes to the capture window, else to the
   visible, enabled window under the pointer, in client coordinates. A press activates the
   window's top-level window. A move merges with a move for the same window still last in
   that thread's input.
   The result: the events taken (INPUT_HARDWARE is not). */
KW32_API UINT WINAPI SendInput(UINT count, LPINPUT inputs, int size);
KW32_API void WINAPI keybd_event(BYTE key, BYTE scan, DWORD flags, ULONG_PTR extraInfo);

/* Mouse capture: the calling thread's window that takes all mouse input, wherever the
   pointer is. Setting or releasing it sends WM_CAPTURECHANGED to the window that loses it
   (posted when that window is another thread's). SetCapture: only a window of the calling
   thread; the thread's previous capture window. */
KW32_API HWND WINAPI SetCapture(HWND window);
KW32_API BOOL WINAPI ReleaseCapture(void);
KW32_API HWND WINAPI GetCapture(void);
/* The deepest visible window at a screen point: top-level windows by z-order, then their
   children within client areas; a disabled child gives its parent. A disabled top-level
   window is returned (it takes no mouse input). */
KW32_API HWND WINAPI WindowFromPoint(POINT point);
/* The first child (hidden and disabled ones too) at a point of the parent's client area,
   else the parent itself; null outside the client area. */
KW32_API HWND WINAPI ChildWindowFromPoint(HWND parent, POINT point);
/* Milliseconds within which a second press makes a double click (500). */
KW32_API UINT WINAPI GetDoubleClickTime(void);
/* WM_KEYDOWN (WM_SYSKEYDOWN) of a key with a character posts WM_CHAR (WM_SYSCHAR) with it,
   by the US layout and the Shift, Ctrl and Caps Lock state; a VK_PACKET character goes
   in the ANSI code page, a double-byte one as two WM_CHAR, lead byte first. */
KW32_API BOOL WINAPI TranslateMessage(const MSG *msg);

/* Cursors and icons: the system ones (module null), by their IDC_ and IDI_ numbers. */
#define IDC_ARROW MAKEINTRESOURCEA(32512)
#define IDC_IBEAM MAKEINTRESOURCEA(32513)
#define IDC_WAIT MAKEINTRESOURCEA(32514)
#define IDC_CROSS MAKEINTRESOURCEA(32515)
#define IDC_UPARROW MAKEINTRESOURCEA(32516)
#define IDC_SIZENWSE MAKEINTRESOURCEA(32642)
#define IDC_SIZENESW MAKEINTRESOURCEA(32643)
#define IDC_SIZEWE MAKEINTRESOURCEA(32644)
#define IDC_SIZENS MAKEINTRESOURCEA(32645)
#define IDC_SIZEALL MAKEINTRESOURCEA(32646)
#define IDC_NO MAKEINTRESOURCEA(32648)
#define IDC_HAND MAKEINTRESOURCEA(32649)
#define IDC_APPSTARTING MAKEINTRESOURCEA(32650)
#define IDC_HELP MAKEINTRESOURCEA(32651)
#define IDI_APPLICATION MAKEINTRESOURCEA(32512)
#define IDI_HAND MAKEINTRESOURCEA(32513)
#define IDI_QUESTION MAKEINTRESOURCEA(32514)
#define IDI_EXCLAMATION MAKEINTRESOURCEA(32515)
#define IDI_ASTERISK MAKEINTRESOURCEA(32516)
#define IDI_WINLOGO MAKEINTRESOURCEA(32517)
#define IDI_WARNING IDI_EXCLAMATION
#define IDI_ERROR IDI_HAND
#define IDI_INFORMATION IDI_ASTERISK
#define ERROR_RESOURCE_NAME_NOT_FOUND 1814L

KW32_API HCURSOR WINAPI LoadCursorA(HINSTANCE module, LPCSTR name);
KW32_API HICON WINAPI LoadIconA(HINSTANCE module, LPCSTR name);
/* The cursor in force; the previous one. */
KW32_API HCURSOR WINAPI SetCursor(HCURSOR cursor);
KW32_API HCURSOR WINAPI GetCursor(void);
KW32_API BOOL WINAPI DestroyCursor(HCURSOR cursor);
KW32_API BOOL WINAPI DestroyIcon(HICON icon);
KW32_API int WINAPI ShowCursor(BOOL show);
KW32_API BOOL WINAPI GetCursorPos(LPPOINT point);
KW32_API BOOL WINAPI SetCursorPos(int x, int y);

/* Goes to the hook set with KwSetBeepHook (<korvane/platform.h>); silent without one. */
KW32_API BOOL WINAPI MessageBeep(UINT type);

#endif
