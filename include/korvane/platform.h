/* Configuration of the emulated Win32 system on POSIX hosts (libkorvane-win32).
   Not part of the Windows build: there the real system plays this part.

   By default the system is configured from the environment, read once on first use:
     KORVANE_WININI   path of win.ini (default $XDG_CONFIG_HOME/korvane/win.ini,
                      else ~/.config/korvane/win.ini; a missing file has no keys)
     KORVANE_LANGID   system default language id, "0x0411" or "1041"
     KORVANE_LCID     user default locale id
     KORVANE_SHM_PREFIX  prefix of the POSIX shared memory names behind named mappings
                      and mutexes, read whenever one is opened (default "/korvane-<uid>-");
                      processes share a named object only when their prefixes agree, so
                      parallel test runs pick one each
   Unset language values follow the POSIX locale (LC_ALL, LC_CTYPE, LANG). */
#ifndef KORVANE_PLATFORM_H
#define KORVANE_PLATFORM_H

#include "win32.h"

#if !defined(_WIN32)

/* Overrides the system language and user locale (0 keeps the current value). The ANSI
   code page follows the new system language. Meant for hosts and tests that pick the
   emulated system themselves; call it before the library decides its character set. */
KW32_API void WINAPI KwConfigureSystem(LANGID systemLangId, LCID userLcid);
/* Points the profile functions at another win.ini (null: back to the environment's). */
KW32_API void WINAPI KwConfigureWinIni(LPCSTR path);
/* The win.ini path in force, for diagnostics. */
KW32_API LPCSTR WINAPI KwWinIniPath(void);

/* Receives every MessageBeep (the sound type) while set; null: beeps are silent again. */
typedef void (*KwBeepHook)(UINT type);
KW32_API void WINAPI KwSetBeepHook(KwBeepHook hook);

/* TRUE when windows go to a display a person can answer (KORVANE_DISPLAY, DISPLAY);
   FALSE headless, where a modal dialog with no one to drive it would wait for ever. */
KW32_API BOOL WINAPI KwDisplayInteractive(void);

/* The dynamic-library entry point of a module. */
typedef BOOL(WINAPI *KW_DLLMAIN)(HINSTANCE module, DWORD reason, LPVOID reserved);

/* A module's resources, as its resource script describes them: the string table sorted
   by id, and the other resources (dialog templates, ...) in the binary form the Windows
   resource compiler gives them. */
typedef struct KW_STRING_RESOURCE {
  UINT id;
  LPCSTR text;
} KW_STRING_RESOURCE;

/* Type and name are each a number (typeName or name null) or an upper-case name. */
typedef struct KW_DATA_RESOURCE {
  LPCSTR typeName;
  LPCSTR name;
  WORD typeId;
  WORD id;
  DWORD size;
  const void *data; /* DWORD-aligned */
} KW_DATA_RESOURCE;

typedef struct KW_RESOURCES {
  const KW_STRING_RESOURCE *strings;
  UINT stringCount;
  const KW_DATA_RESOURCE *data;
  UINT dataCount;
} KW_RESOURCES;

/* A module that wants the Win32 entry-point notifications registers itself once it has
   finished its static initialisation. Registration gives the module its handle and calls
   the entry point with DLL_PROCESS_ATTACH; every thread that has stored a thread-local
   storage value then gets DLL_THREAD_DETACH when it ends; unregistration calls
   DLL_PROCESS_DETACH. The resources (may be null) are served to LoadStringA and
   FindResourceA for the module's handle and must outlive the registration. */
KW32_API HINSTANCE WINAPI KwRegisterModule(LPCSTR name, KW_DLLMAIN entry, const KW_RESOURCES *resources);
KW32_API void WINAPI KwUnregisterModule(HINSTANCE module);

/* Writes what a device context shows (its surface, or a memory DC's bitmap) to a PNG
   file. FALSE for an information context, a bad handle or a file that cannot be written. */
KW32_API BOOL WINAPI KwSaveDCAsPng(HDC dc, LPCSTR path);

/* Answers every message box with a button id instead of showing it (null: back to the
   default, which runs the box as a modal dialog). A process without a display and without
   a hook gets the default button's id, and the box's caption and text on standard error. */
typedef int (*KwMessageBoxHook)(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
KW32_API void WINAPI KwSetMessageBoxHook(KwMessageBoxHook hook);

#endif
#endif
