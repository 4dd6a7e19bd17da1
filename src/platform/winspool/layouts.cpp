// The records callers fill or read keep their Win32 layouts: DEVMODEA the same on every
// target, the PRINTER_INFO records with pointer-sized slots.
#include <korvane/win32.h>

#include <cstddef>

static_assert(sizeof(DEVMODEA) == 148);
static_assert(offsetof(DEVMODEA, dmSpecVersion) == 32 && offsetof(DEVMODEA, dmSize) == 36);
static_assert(offsetof(DEVMODEA, dmFields) == 40 && offsetof(DEVMODEA, dmOrientation) == 44);
static_assert(offsetof(DEVMODEA, dmPaperSize) == 46 && offsetof(DEVMODEA, dmPaperLength) == 48);
static_assert(offsetof(DEVMODEA, dmPaperWidth) == 50 && offsetof(DEVMODEA, dmCopies) == 54);
static_assert(offsetof(DEVMODEA, dmColor) == 60 && offsetof(DEVMODEA, dmCollate) == 68);
static_assert(offsetof(DEVMODEA, dmFormName) == 70 && offsetof(DEVMODEA, dmLogPixels) == 102);
static_assert(offsetof(DEVMODEA, dmBitsPerPel) == 104 && offsetof(DEVMODEA, dmReserved2) == 144);

constexpr size_t kPtr = sizeof(void*);
static_assert(kPtr == 4 || kPtr == 8);
static_assert(sizeof(PRINTER_INFO_1A) == (kPtr == 4 ? 16 : 32));
static_assert(offsetof(PRINTER_INFO_2A, pDevMode) == 7 * kPtr);
static_assert(offsetof(PRINTER_INFO_2A, Attributes) == 13 * kPtr);
static_assert(sizeof(PRINTER_INFO_2A) == (kPtr == 4 ? 84 : 136));
static_assert(sizeof(PRINTER_INFO_4A) == (kPtr == 4 ? 12 : 24));
static_assert(sizeof(PRINTER_DEFAULTSA) == (kPtr == 4 ? 12 : 24));
