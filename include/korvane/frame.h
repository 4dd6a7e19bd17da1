/* The library frame's own services: the version strings of a module and the internal-error
   box. */
#ifndef KORVANE_FRAME_H
#define KORVANE_FRAME_H

#include "api.h"
#include "win32.h"

/* Copies the product version ("ProductVersion" of the module's version resource, US
   English in the Unicode or the Windows Latin-1 code page) into `dst`, which must have
   room for the whole text, and returns 1; returns 0 and leaves `dst` untouched when the
   module has no such value or `dst` is null. Thread-safe. */
KV_API int KV_CALL VERGetVersionString(HMODULE module, char *dst);

/* The same for the file version ("FileVersion"). */
KV_API int KV_CALL VERGetBuildString(HMODULE module, char *dst);

/* Shows "Internal Error: " with `file` less its last two characters (its ".c" or ".h")
   and `line` right behind it ("print.c", 120 gives "Internal Error: print120") in a
   system-modal box with the hand icon, caption "Korvane", owned by the active window.
   The text stays within 199 bytes: a long file name is cut (never inside a character)
   so that the line number still shows. A null `file` counts as empty. Returns what
   MessageBoxA returns. */
KV_API int KV_CALL AssertBox(const char *file, int line);

#endif
