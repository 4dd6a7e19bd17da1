/* Configuration of the emulated Win32 system on POSIX hosts (libkorvane-win32).
   Not part of the Windows build: there the real system plays this part.

   By default the system is configured from the environment, read once on first use:
     KORVANE_WININI   path of win.ini (default $XDG_CONFIG_HOME/korvane/win.ini,
                      else ~/.config/korvane/win.ini; a missing file has no keys)
     KORVANE_LANGID   system default language id, "0x0411" or "1041"
     KORVANE_LCID     user default locale id
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

/* The dynamic-library entry point of a module. */
typedef BOOL(WINAPI *KW_DLLMAIN)(HINSTANCE module, DWORD reason, LPVOID reserved);

/* A module that wants the Win32 entry-point notifications registers itself once it has
   finished its static initialisation. Registration gives the module its handle and calls
   the entry point with DLL_PROCESS_ATTACH; every thread that has stored a thread-local
   storage value then gets DLL_THREAD_DETACH when it ends; unregistration calls
   DLL_PROCESS_DETACH. */
KW32_API HINSTANCE WINAPI KwRegisterModule(LPCSTR name, KW_DLLMAIN entry);
KW32_API void WINAPI KwUnregisterModule(HINSTANCE module);

#endif
#endif
