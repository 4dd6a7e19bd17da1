/* Modules: their file names, their string tables and their other resources by type and
   name. */
#ifndef KORVANE_WIN32_RESOURCE_H
#define KORVANE_WIN32_RESOURCE_H
#include "../base.h"

DECLARE_HANDLE(HRSRC);

/* A resource number where a name is expected. */
#define MAKEINTRESOURCEA(i) ((LPSTR)(ULONG_PTR)(WORD)(i))
#define IS_INTRESOURCE(r) ((((ULONG_PTR)(r)) >> 16) == 0)

#define RT_CURSOR MAKEINTRESOURCEA(1)
#define RT_BITMAP MAKEINTRESOURCEA(2)
#define RT_ICON MAKEINTRESOURCEA(3)
#define RT_MENU MAKEINTRESOURCEA(4)
#define RT_DIALOG MAKEINTRESOURCEA(5)
#define RT_STRING MAKEINTRESOURCEA(6)
#define RT_FONTDIR MAKEINTRESOURCEA(7)
#define RT_FONT MAKEINTRESOURCEA(8)
#define RT_ACCELERATOR MAKEINTRESOURCEA(9)
#define RT_RCDATA MAKEINTRESOURCEA(10)
#define RT_MESSAGETABLE MAKEINTRESOURCEA(11)
#define RT_GROUP_CURSOR MAKEINTRESOURCEA(12)
#define RT_GROUP_ICON MAKEINTRESOURCEA(14)
#define RT_VERSION MAKEINTRESOURCEA(16)

#define ERROR_RESOURCE_DATA_NOT_FOUND 1812L
#define ERROR_RESOURCE_TYPE_NOT_FOUND 1813L
#define ERROR_RESOURCE_NAME_NOT_FOUND 1814L

#define ERROR_MOD_NOT_FOUND 126L

/* The full path of the file that holds `module` (null: the program), cut to size - 1
   bytes and terminated when longer (the result is then `size`, with
   ERROR_INSUFFICIENT_BUFFER); the length copied otherwise. 0 for a module this process
   does not have, with ERROR_MOD_NOT_FOUND. */
KW32_API DWORD WINAPI GetModuleFileNameA(HMODULE module, LPSTR name, DWORD size);

#define GET_MODULE_HANDLE_EX_FLAG_PIN 0x00000001
#define GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT 0x00000002
#define GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS 0x00000004

/* The module that holds the address `name` (GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS), or the
   registered module of that name ("korvane" or "korvane.dll", case ignored); a null name
   without the flag gives the program (a null handle, as GetModuleFileNameA takes it).
   Modules stay loaded for the process's life, so the reference flags change nothing.
   FALSE, with a null *module and ERROR_MOD_NOT_FOUND, when no module matches;
   ERROR_INVALID_PARAMETER for a null `module` or an unknown flag. */
KW32_API BOOL WINAPI GetModuleHandleExA(DWORD flags, LPCSTR name, HMODULE *module);

/* Copies string `id` of the module's string table, cut to size - 1 bytes and terminated;
   returns the bytes copied, 0 when the string does not exist. */
KW32_API int WINAPI LoadStringA(HINSTANCE module, UINT id, LPSTR buffer, int size);

/* Finds a resource of the module; name and type are numbers (MAKEINTRESOURCEA, or a
   "#123" string) or names, compared without regard to case. Null when there is none. */
KW32_API HRSRC WINAPI FindResourceA(HMODULE module, LPCSTR name, LPCSTR type);
/* The resource's data, or null when `resource` is not one of the module's. */
KW32_API HGLOBAL WINAPI LoadResource(HMODULE module, HRSRC resource);
/* The address of loaded resource data (it stays where the module keeps it). */
KW32_API LPVOID WINAPI LockResource(HGLOBAL data);
/* The size of the resource's data in bytes, 0 when it is not one of the module's. */
KW32_API DWORD WINAPI SizeofResource(HMODULE module, HRSRC resource);
/* Nothing to free: resources live as long as their module. Returns FALSE, as Win32 does. */
KW32_API BOOL WINAPI FreeResource(HGLOBAL data);

#endif
