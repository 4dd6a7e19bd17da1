/* Version information of modules and files (VERSION): the VS_VERSIONINFO block of a file
   and the values in it. */
#ifndef KORVANE_WIN32_VERSION_H
#define KORVANE_WIN32_VERSION_H
#include "../base.h"

typedef struct tagVS_FIXEDFILEINFO {
  DWORD dwSignature; /* VS_FFI_SIGNATURE */
  DWORD dwStrucVersion;
  DWORD dwFileVersionMS;
  DWORD dwFileVersionLS;
  DWORD dwProductVersionMS;
  DWORD dwProductVersionLS;
  DWORD dwFileFlagsMask;
  DWORD dwFileFlags;
  DWORD dwFileOS;
  DWORD dwFileType;
  DWORD dwFileSubtype;
  DWORD dwFileDateMS;
  DWORD dwFileDateLS;
} VS_FIXEDFILEINFO;

#define VS_FFI_SIGNATURE 0xFEEF04BDL

/* The size of the buffer GetFileVersionInfoA needs for `file` (the block and room for the
   ANSI copies of its texts); 0 when the file has no version block, with the last error
   saying why. `handle` (may be null) is set to 0. A module of this process is read from
   the resources it registered; other files are read as Windows executables. */
KW32_API DWORD WINAPI GetFileVersionInfoSizeA(LPCSTR file, LPDWORD handle);
/* Copies the version block of `file` into `data` (`size` bytes, as GetFileVersionInfoSizeA
   gave; a smaller buffer fails with ERROR_INSUFFICIENT_BUFFER). FALSE when there is none
   or `data` is null. */
KW32_API BOOL WINAPI GetFileVersionInfoA(LPCSTR file, DWORD handle, DWORD size, LPVOID data);
/* Finds a value in a block that GetFileVersionInfoA filled: "\" the VS_FIXEDFILEINFO,
   "\VarFileInfo\Translation" the language and code page pairs,
   "\StringFileInfo\<lang><codepage>\<name>" a text in the ANSI code page. Names are
   compared without regard to case. `value` points into `block`; `length` is in bytes for
   binary values and in characters, terminator included, for texts. FALSE when missing. */
KW32_API BOOL WINAPI VerQueryValueA(LPCVOID block, LPCSTR subBlock, LPVOID *value, PUINT length);

#endif
