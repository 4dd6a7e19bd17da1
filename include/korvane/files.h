/* The file open helper: the 16-bit file-open service's OF_ flags (declared with the
   Win32 names) on the 32-bit file services. */
#ifndef KORVANE_FILES_H
#define KORVANE_FILES_H

#include "api.h"
#include "win32.h"

/* Size of the path that CBOpenFile works with and writes back, terminator included. */
#define CB_MAX_PATH 2048

/* Opens (OF_READ, OF_WRITE, OF_READWRITE with an OF_SHARE_ mode), creates or truncates
   (OF_CREATE), deletes (OF_DELETE) or finds (OF_EXIST) the file `name`; OF_PARSE does
   nothing. A bare name is looked for along the search path; a name with a directory is
   taken as it is, except by OF_EXIST, which always searches.

   The result is the open file's handle, 0 for OF_PARSE, OF_EXIST and OF_DELETE that
   succeed, and -1 (INVALID_HANDLE_VALUE) on failure, with the system's last error telling
   why. Flags outside OF_WRITE | OF_READWRITE | OF_SHARE_DENY_NONE | OF_SHARE_DENY_READ |
   OF_PARSE | OF_DELETE | OF_CREATE | OF_EXIST, and two of OF_EXIST, OF_CREATE and
   OF_DELETE together, fail at once.

   `resolvedPath` (may be null; CB_MAX_PATH bytes) receives the path used: the full path
   with OF_CREATE, the found path after a search, else the name. A full path of MAX_PATH
   characters or more is opened through the long-path form "\\?\". */
KV_API INT_PTR KV_CALL CBOpenFile(LPCSTR name, LPSTR resolvedPath, UINT flags);

#endif
