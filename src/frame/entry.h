// The library's dynamic-library entry point.
#pragma once

#include <korvane/win32.h>
#if !defined(_WIN32)
#include <korvane/platform.h>
#endif

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved);
