/* Resources of a module. */
#ifndef KORVANE_WIN32_RESOURCE_H
#define KORVANE_WIN32_RESOURCE_H
#include "../base.h"

/* Copies string `id` of the module's string table, cut to size - 1 bytes and terminated;
   returns the bytes copied, 0 when the string does not exist. */
KW32_API int WINAPI LoadStringA(HINSTANCE module, UINT id, LPSTR buffer, int size);

#endif
