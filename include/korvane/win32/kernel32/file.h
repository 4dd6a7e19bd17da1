/* Files: opening, reading and writing through handles, deleting, searching; the C
   run-time path functions; code-page conversion of names.

   Names on this platform. Backslash and slash both separate directories. A name is
   converted from the ANSI code page to UTF-8 before the host sees it, so that ANSI and
   wide names of one file agree. Drive letters ("C:\x", "C:x") and network names
   ("\\server\share") have no meaning on the host and are refused with
   ERROR_PATH_NOT_FOUND and ERROR_BAD_NETPATH. As on Windows, a full path must be shorter
   than MAX_PATH unless a wide name carries the long-path prefix "\\?\" (which is then
   taken off). Names are case-sensitive, as the host's are.

   Share modes are honoured between all opens of a file in this process, and between
   processes that use this platform layer, through open-file-description locks on bytes
   far past any real data; programs that do not use this layer are not held back. */
#ifndef KORVANE_WIN32_FILE_H
#define KORVANE_WIN32_FILE_H
#include "../base.h"

#define GENERIC_READ 0x80000000
#define GENERIC_WRITE 0x40000000
#define GENERIC_EXECUTE 0x20000000
#define GENERIC_ALL 0x10000000
#define FILE_READ_DATA 0x0001
#define FILE_WRITE_DATA 0x0002
#define FILE_APPEND_DATA 0x0004

#define FILE_SHARE_READ 0x00000001
#define FILE_SHARE_WRITE 0x00000002
#define FILE_SHARE_DELETE 0x00000004

#define CREATE_NEW 1
#define CREATE_ALWAYS 2
#define OPEN_EXISTING 3
#define OPEN_ALWAYS 4
#define TRUNCATE_EXISTING 5

#define FILE_ATTRIBUTE_READONLY 0x00000001
#define FILE_ATTRIBUTE_HIDDEN 0x00000002
#define FILE_ATTRIBUTE_SYSTEM 0x00000004
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010
#define FILE_ATTRIBUTE_ARCHIVE 0x00000020
#define FILE_ATTRIBUTE_NORMAL 0x00000080
#define FILE_ATTRIBUTE_TEMPORARY 0x00000100
#define FILE_FLAG_WRITE_THROUGH 0x80000000
#define FILE_FLAG_RANDOM_ACCESS 0x10000000
#define FILE_FLAG_SEQUENTIAL_SCAN 0x08000000
#define INVALID_FILE_ATTRIBUTES ((DWORD)-1)
#define INVALID_FILE_SIZE ((DWORD)0xFFFFFFFF)
#define INVALID_SET_FILE_POINTER ((DWORD)-1)

#define FILE_BEGIN 0
#define FILE_CURRENT 1
#define FILE_END 2

/* Overlapped input and output is not offered: calls that pass an OVERLAPPED fail with
   ERROR_INVALID_PARAMETER. */
typedef struct _OVERLAPPED OVERLAPPED, *LPOVERLAPPED;

/* CREATE_ALWAYS and OPEN_ALWAYS on an existing file succeed with last error
   ERROR_ALREADY_EXISTS; every other success leaves last error 0. A directory cannot be
   opened (ERROR_ACCESS_DENIED). Security attributes and template are ignored. */
KW32_API HANDLE WINAPI CreateFileA(LPCSTR name, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES security,
                                   DWORD disposition, DWORD flagsAndAttributes, HANDLE templateFile);
KW32_API HANDLE WINAPI CreateFileW(LPCWSTR name, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES security,
                                   DWORD disposition, DWORD flagsAndAttributes, HANDLE templateFile);
KW32_API BOOL WINAPI ReadFile(HANDLE file, LPVOID buffer, DWORD bytes, LPDWORD bytesRead, LPOVERLAPPED overlapped);
KW32_API BOOL WINAPI WriteFile(HANDLE file, LPCVOID buffer, DWORD bytes, LPDWORD bytesWritten,
                               LPOVERLAPPED overlapped);
KW32_API DWORD WINAPI SetFilePointer(HANDLE file, LONG distance, PLONG distanceHigh, DWORD method);
KW32_API DWORD WINAPI GetFileSize(HANDLE file, LPDWORD sizeHigh);
/* Refused with ERROR_SHARING_VIOLATION while an open of the file does not share deletion. */
KW32_API BOOL WINAPI DeleteFileA(LPCSTR name);
KW32_API DWORD WINAPI GetFileAttributesA(LPCSTR name);
/* With a null path the search runs through the directory of the platform library (where
   the library that uses it is installed too), the current directory, then each directory
   of PATH. The result is the full path in the ANSI code page; as on Windows a buffer that
   is too small gets nothing and the result is the size needed, terminator included. */
KW32_API DWORD WINAPI SearchPathA(LPCSTR path, LPCSTR fileName, LPCSTR extension, DWORD bufferLength, LPSTR buffer,
                                  LPSTR* filePart);

/* Code pages: the ANSI code page (1252, 932, 936, 949 or 950) and UTF-8. 1252 and UTF-8
   are exact; the double-byte code pages use the host C library's converters of the same
   names, and fail with ERROR_NO_UNICODE_TRANSLATION where the host has none. */
#define CP_ACP 0
#define CP_OEMCP 1
#define CP_THREAD_ACP 3
#define CP_UTF8 65001
#define MB_PRECOMPOSED 0x00000001
#define MB_ERR_INVALID_CHARS 0x00000008
#define WC_NO_BEST_FIT_CHARS 0x00000400
KW32_API int WINAPI MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int bytes, LPWSTR out, int chars);
KW32_API int WINAPI WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR text, int chars, LPSTR out, int bytes,
                                        LPCSTR defaultChar, LPBOOL usedDefaultChar);

/* The 16-bit file-open service's flags and record, for callers that still speak them. */
#define OFS_MAXPATHNAME 128
typedef struct _OFSTRUCT {
  BYTE cBytes;
  BYTE fFixedDisk;
  WORD nErrCode;
  WORD Reserved1;
  WORD Reserved2;
  CHAR szPathName[OFS_MAXPATHNAME];
} OFSTRUCT, *LPOFSTRUCT, *POFSTRUCT;
typedef int HFILE;
#define HFILE_ERROR ((HFILE)-1)
#define OF_READ 0x00000000
#define OF_WRITE 0x00000001
#define OF_READWRITE 0x00000002
#define OF_SHARE_COMPAT 0x00000000
#define OF_SHARE_EXCLUSIVE 0x00000010
#define OF_SHARE_DENY_WRITE 0x00000020
#define OF_SHARE_DENY_READ 0x00000030
#define OF_SHARE_DENY_NONE 0x00000040
#define OF_PARSE 0x00000100
#define OF_DELETE 0x00000200
#define OF_VERIFY 0x00000400
#define OF_CANCEL 0x00000800
#define OF_CREATE 0x00001000
#define OF_PROMPT 0x00002000
#define OF_EXIST 0x00004000
#define OF_REOPEN 0x00008000

/* The C run-time path functions (in <stdlib.h> on Windows). */
#define _MAX_PATH 260
#define _MAX_DRIVE 3
#define _MAX_DIR 256
#define _MAX_FNAME 256
#define _MAX_EXT 256
/* The full path of `relative` (host form, '/' separated, "." and ".." resolved) in
   `buffer` of `size` bytes, or in a new malloc block when `buffer` is null; null (errno
   ERANGE) when it does not fit, and for a name this platform refuses (see above). */
KW32_API char* _fullpath(char* buffer, const char* relative, size_t size);
/* Splits a path into drive ("X:" when it starts with one), directory (with its trailing
   separator), file name and extension (with its dot). Null outputs are skipped;
   each part is cut to its _MAX_ size, terminator included. Trail bytes of double-byte
   characters are never taken for separators or dots. */
KW32_API void _splitpath(const char* path, char* drive, char* dir, char* fname, char* ext);
/* The same with the size of each output (0 with a null output). Returns 0, or EINVAL for
   a null path or an output that does not match its size, or ERANGE when a part does not
   fit, every output then being emptied. */
KW32_API int _splitpath_s(const char* path, char* drive, size_t driveSize, char* dir, size_t dirSize, char* fname,
                          size_t fnameSize, char* ext, size_t extSize);

#ifndef ERROR_TOO_MANY_OPEN_FILES
#define ERROR_TOO_MANY_OPEN_FILES 4L
#endif
#ifndef ERROR_SHARING_VIOLATION
#define ERROR_SHARING_VIOLATION 32L
#endif
#ifndef ERROR_GEN_FAILURE
#define ERROR_GEN_FAILURE 31L
#endif
#ifndef ERROR_HANDLE_EOF
#define ERROR_HANDLE_EOF 38L
#endif
#ifndef ERROR_BAD_NETPATH
#define ERROR_BAD_NETPATH 53L
#endif
#ifndef ERROR_FILE_EXISTS
#define ERROR_FILE_EXISTS 80L
#endif
#ifndef ERROR_DISK_FULL
#define ERROR_DISK_FULL 112L
#endif
#ifndef ERROR_INVALID_NAME
#define ERROR_INVALID_NAME 123L
#endif
#ifndef ERROR_NEGATIVE_SEEK
#define ERROR_NEGATIVE_SEEK 131L
#endif
#ifndef ERROR_FILENAME_EXCED_RANGE
#define ERROR_FILENAME_EXCED_RANGE 206L
#endif
#ifndef ERROR_INVALID_FLAGS
#define ERROR_INVALID_FLAGS 1004L
#endif
#ifndef ERROR_NO_UNICODE_TRANSLATION
#define ERROR_NO_UNICODE_TRANSLATION 1113L
#endif

#endif
