/* Hooks: WH_CBT, through which programs and tests watch windows being created, activated
   and destroyed (and can refuse it). */
#ifndef KORVANE_WIN32_HOOK_H
#define KORVANE_WIN32_HOOK_H
#include "window.h"

DECLARE_HANDLE(HHOOK);
typedef LRESULT(CALLBACK *HOOKPROC)(int code, WPARAM wParam, LPARAM lParam);

#define WH_MSGFILTER (-1)
#define WH_KEYBOARD 2
#define WH_GETMESSAGE 3
#define WH_CALLWNDPROC 4
#define WH_CBT 5

/* WH_CBT codes; a non-zero answer refuses what is announced */
#define HCBT_MOVESIZE 0
#define HCBT_MINMAX 1
#define HCBT_QS 2
#define HCBT_CREATEWND 3
#define HCBT_DESTROYWND 4
#define HCBT_ACTIVATE 5
#define HCBT_CLICKSKIPPED 6
#define HCBT_KEYSKIPPED 7
#define HCBT_SYSCOMMAND 8
#define HCBT_SETFOCUS 9

typedef struct tagCBT_CREATEWNDA {
  LPCREATESTRUCTA lpcs;
  HWND hwndInsertAfter;
} CBT_CREATEWNDA, *LPCBT_CREATEWNDA;

typedef struct tagCBTACTIVATESTRUCT {
  BOOL fMouse;
  HWND hWndActive;
} CBTACTIVATESTRUCT, *LPCBTACTIVATESTRUCT;

/* Only WH_CBT is kept (others: ERROR_INVALID_HOOK_FILTER). Thread 0 hooks every thread;
   the newest hook is called first. A hook may unhook itself while it runs. */
KW32_API HHOOK WINAPI SetWindowsHookExA(int type, HOOKPROC proc, HINSTANCE module, DWORD threadId);
KW32_API BOOL WINAPI UnhookWindowsHookEx(HHOOK hook);
KW32_API LRESULT WINAPI CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);

#endif
