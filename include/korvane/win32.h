/* The Win32 services the library calls. On Windows this is the system's own header;
   elsewhere it is the subset that the platform layer (libkorvane-win32) implements. */
#ifndef KORVANE_WIN32_H
#define KORVANE_WIN32_H

#if defined(_WIN32)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <winspool.h>
#include <commdlg.h>
#include <winver.h>
#include <wtypes.h> /* CY and DECIMAL, left out by WIN32_LEAN_AND_MEAN */
#else
#include "win32/base.h"
#include "win32/kernel32/heap.h"
#include "win32/kernel32/global.h"
#include "win32/kernel32/file.h"
#include "win32/kernel32/sync.h"
#include "win32/kernel32/system.h"
#include "win32/kernel32/text.h"
#include "win32/user32/window.h"
#include "win32/user32/message.h"
#include "win32/user32/position.h"
#include "win32/user32/rect.h"
#include "win32/user32/hook.h"
#include "win32/user32/input.h"
#include "win32/user32/clipboard.h"
#include "win32/user32/metrics.h"
#include "win32/user32/colors.h"
#include "win32/user32/paint.h"
#include "win32/user32/controls.h"
#include "win32/user32/dialog.h"
#include "win32/user32/menu.h"
#include "win32/kernel32/profile.h"
#include "win32/kernel32/ole.h"
#include "win32/kernel32/mapping.h"
#include "win32/kernel32/resource.h"
#include "win32/kernel32/crt.h"
#include "win32/gdi32/dc.h"
#include "win32/gdi32/objects.h"
#include "win32/gdi32/draw.h"
#include "win32/gdi32/font.h"
#include "win32/gdi32/print.h"
#include "win32/version/version.h"
#include "win32/winspool/winspool.h"
#include "win32/comdlg32/commdlg.h"
#endif

#endif
