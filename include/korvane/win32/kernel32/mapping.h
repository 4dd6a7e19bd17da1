/* Memory shared between processes: file mappings backed by the paging file, named
   mutexes and the waits on them, closing handles, and the security descriptors that
   objects are created with. Named objects are visible to every process of the same user
   that uses the same name prefix (see platform.h). */
#ifndef KORVANE_WIN32_MAPPING_H
#define KORVANE_WIN32_MAPPING_H
#include "../base.h"

/* Security. Descriptors are checked and kept, but access to the emulated objects is
   always the creating user's alone: the user is the boundary that a Windows session
   draws around its named objects. */

typedef PVOID PSID;
typedef struct _ACL {
  BYTE AclRevision;
  BYTE Sbz1;
  WORD AclSize;
  WORD AceCount;
  WORD Sbz2;
} ACL, *PACL;
typedef WORD SECURITY_DESCRIPTOR_CONTROL;
/* The absolute form: 20 bytes on 32-bit Windows, larger where pointers are. */
typedef struct _SECURITY_DESCRIPTOR {
  BYTE Revision;
  BYTE Sbz1;
  SECURITY_DESCRIPTOR_CONTROL Control;
  PSID Owner;
  PSID Group;
  PACL Sacl;
  PACL Dacl;
} SECURITY_DESCRIPTOR, *PISECURITY_DESCRIPTOR;
typedef PVOID PSECURITY_DESCRIPTOR;

#define SECURITY_DESCRIPTOR_REVISION 1
#define SECURITY_DESCRIPTOR_MIN_LENGTH (sizeof(SECURITY_DESCRIPTOR))
#define SE_DACL_PRESENT 0x0004
#define SE_DACL_DEFAULTED 0x0008

KW32_API BOOL WINAPI InitializeSecurityDescriptor(PSECURITY_DESCRIPTOR descriptor, DWORD revision);
KW32_API BOOL WINAPI SetSecurityDescriptorDacl(PSECURITY_DESCRIPTOR descriptor, BOOL daclPresent,
                                               PACL dacl, BOOL daclDefaulted);

/* File mappings. Only mappings of the paging file (file INVALID_HANDLE_VALUE) exist. */
#define PAGE_READONLY 0x02
#define PAGE_READWRITE 0x04
#define FILE_MAP_COPY 0x0001
#define FILE_MAP_WRITE 0x0002
#define FILE_MAP_READ 0x0004
#define FILE_MAP_ALL_ACCESS 0xF001F

/* A named mapping that exists already is opened with its own size; the last error is then
   ERROR_ALREADY_EXISTS. A named mapping lives while any process holds a handle or a view
   of it. */
KW32_API HANDLE WINAPI CreateFileMappingA(HANDLE file, LPSECURITY_ATTRIBUTES attributes, DWORD protect,
                                          DWORD maximumSizeHigh, DWORD maximumSizeLow, LPCSTR name);
/* bytes 0 maps from the offset to the end of the mapping. */
KW32_API LPVOID WINAPI MapViewOfFile(HANDLE mapping, DWORD access, DWORD offsetHigh, DWORD offsetLow,
                                     SIZE_T bytes);
/* With a base address the view lands exactly there or not at all (last error
   ERROR_INVALID_ADDRESS): nothing already mapped is ever replaced. */
KW32_API LPVOID WINAPI MapViewOfFileEx(HANDLE mapping, DWORD access, DWORD offsetHigh, DWORD offsetLow,
                                       SIZE_T bytes, LPVOID baseAddress);
KW32_API BOOL WINAPI UnmapViewOfFile(LPCVOID baseAddress);

/* Mutexes: owned by a thread, recursive, and abandoned when their owner ends without
   releasing them; the next waiter then gets WAIT_ABANDONED and owns the mutex once. */
KW32_API HANDLE WINAPI CreateMutexA(LPSECURITY_ATTRIBUTES attributes, BOOL initialOwner, LPCSTR name);
KW32_API BOOL WINAPI ReleaseMutex(HANDLE mutex);

#define INFINITE 0xFFFFFFFF
#define WAIT_OBJECT_0 0x00000000L
#define WAIT_ABANDONED 0x00000080L
#define WAIT_TIMEOUT 0x00000102L
#define WAIT_FAILED ((DWORD)0xFFFFFFFF)
KW32_API DWORD WINAPI WaitForSingleObject(HANDLE handle, DWORD milliseconds);

#ifndef ERROR_INVALID_NAME
#define ERROR_INVALID_NAME 123L
#endif
#ifndef ERROR_NOT_OWNER
#define ERROR_NOT_OWNER 288L
#endif
#ifndef ERROR_INVALID_ADDRESS
#define ERROR_INVALID_ADDRESS 487L
#endif
#ifndef ERROR_MUTANT_LIMIT_EXCEEDED
#define ERROR_MUTANT_LIMIT_EXCEEDED 587L
#endif
#ifndef ERROR_MAPPED_ALIGNMENT
#define ERROR_MAPPED_ALIGNMENT 1132L
#endif
#ifndef ERROR_UNKNOWN_REVISION
#define ERROR_UNKNOWN_REVISION 1305L
#endif
#ifndef ERROR_INVALID_SECURITY_DESCR
#define ERROR_INVALID_SECURITY_DESCR 1338L
#endif

#endif
