// Byte layouts of the records that callers fill or keep in their own storage. They are
// fixed by what callers compiled for 32-bit Windows expect, so a change in a declaration
// must fail the build here rather than corrupt a caller's data. Records made only of
// fixed-width fields are checked in every build; those holding pointers, handles or
// system structures can be checked only by the 32-bit Windows build.
//
// When you add a record that crosses the library's boundary, add its size and the
// offsets callers rely on to the matching section below (marked "Add ... here").
#include <korvane/datetime.h>
#include <korvane/dialogs.h>
#include <korvane/memory.h>
#include <korvane/number.h>
#include <korvane/print.h>
#include <korvane/settings.h>

#include <cstddef>
#include <cstdint>

namespace {

// --- Every build: fixed-width records -------------------------------------------------

// NUMBER: length byte, exponent byte, 23 mantissa bytes.
static_assert(sizeof(tagNUMBER) == 25);
static_assert(offsetof(tagNUMBER, bExponent) == 1);
static_assert(offsetof(tagNUMBER, abMantissa) == 2);

// OLE DECIMAL and CURRENCY, converted to and from NUMBER.
static_assert(sizeof(DECIMAL) == 16);
static_assert(offsetof(DECIMAL, scale) == 2);
static_assert(offsetof(DECIMAL, sign) == 3);
static_assert(offsetof(DECIMAL, Hi32) == 4);
static_assert(offsetof(DECIMAL, Lo32) == 8);
static_assert(offsetof(DECIMAL, Mid32) == 12);
static_assert(sizeof(CY) == 8);
static_assert(offsetof(CY, Lo) == 0);
static_assert(offsetof(CY, Hi) == 4);

// Regional settings record: packed, 26 fields.
static_assert(sizeof(tagINTLPROFILE) == 157);
static_assert(offsetof(tagINTLPROFILE, sList) == 4);
static_assert(offsetof(tagINTLPROFILE, sCurrency) == 5);
static_assert(offsetof(tagINTLPROFILE, iCurrSeparated) == 10);
static_assert(offsetof(tagINTLPROFILE, sThousand) == 22);
static_assert(offsetof(tagINTLPROFILE, iLzero) == 24);
static_assert(offsetof(tagINTLPROFILE, sDate) == 32);
static_assert(offsetof(tagINTLPROFILE, s1159) == 37);
static_assert(offsetof(tagINTLPROFILE, sTime) == 47);
static_assert(offsetof(tagINTLPROFILE, iTLZero) == 50);
static_assert(offsetof(tagINTLPROFILE, sShortDate) == 66);
static_assert(offsetof(tagINTLPROFILE, sLongDate) == 86);
static_assert(offsetof(tagINTLPROFILE, sCountry) == 126);
static_assert(offsetof(tagINTLPROFILE, sLanguage) == 141);
static_assert(offsetof(tagINTLPROFILE, iDateType) == 145);
static_assert(offsetof(tagINTLPROFILE, iEmpDateBoundryCheck) == 153);

// DATDEF: month, day, year, hour, minute, second, microsecond.
static_assert(sizeof(DATDEF) == 28);
static_assert(offsetof(DATDEF, year) == 8);
static_assert(offsetof(DATDEF, microsecond) == 24);

// Add fixed-width records here.

// --- 32-bit Windows only: records with pointers, handles or system structures ---------
#if defined(_WIN32) && !defined(_WIN64)

static_assert(sizeof(void*) == 4 && sizeof(HANDLE) == 4 && sizeof(LONG) == 4);

// Counted critical section: the system's 24-byte section, then the count.
static_assert(sizeof(CRITICAL_SECTION) == 24);
static_assert(offsetof(CR_SECT, lCount) == 24);
static_assert(sizeof(CR_SECT) == 28);
static_assert(sizeof(CRSect) == sizeof(CR_SECT));

// The version record handed to GetVersionExA at process attach.
static_assert(sizeof(OSVERSIONINFOA) == 148);

// The format control block (184 bytes) is checked field by field where it is declared,
// in include/korvane/format.h.

// Print description and print job: packed to 2 bytes.
static_assert(sizeof(PRINTDESC) == 838);
static_assert(offsetof(PRINTDESC, lpszTitle) == 4);
static_assert(offsetof(PRINTDESC, lpfnPageNumber) == 20);
static_assert(offsetof(PRINTDESC, lpfnIdle) == 40);
static_assert(offsetof(PRINTDESC, wResult) == 44);
static_assert(offsetof(PRINTDESC, hDC) == 46);
static_assert(offsetof(PRINTDESC, dwFlags) == 50);
static_assert(offsetof(PRINTDESC, lpDevMode) == 54);
static_assert(offsetof(PRINTDESC, szDevice) == 58);
static_assert(offsetof(PRINTDESC, szDriver) == 318);
static_assert(offsetof(PRINTDESC, szPort) == 578);
static_assert(sizeof(PRINTJOB) == 966);
static_assert(offsetof(PRINTJOB, nPageCount) == 36);
static_assert(offsetof(PRINTJOB, bTileToo) == 52);
static_assert(offsetof(PRINTJOB, desc) == 116);
static_assert(offsetof(PRINTJOB, lpfnPaint) == 954);
static_assert(offsetof(PRINTJOB, lpfnMorePages) == 958);
static_assert(offsetof(PRINTJOB, dwUser) == 962);

// Wizard record: owner, reserved, instance, names, procedures, three ints.
static_assert(sizeof(DLGWIZARD) == 32);
static_assert(offsetof(DLGWIZARD, lpfnProcs) == 16);
static_assert(offsetof(DLGWIZARD, nNext) == 28);

// Add records with pointers or handles here.

#endif

// --- 64-bit targets: the same records with 8-byte pointer, callback and handle slots ---
#if UINTPTR_MAX == 0xFFFFFFFFFFFFFFFFu

static_assert(sizeof(void*) == 8 && sizeof(HDC) == 8);
static_assert(sizeof(PRINTDESC) == 882);
static_assert(offsetof(PRINTDESC, lpszTitle) == 4);
static_assert(offsetof(PRINTDESC, lpfnPageNumber) == 36);
static_assert(offsetof(PRINTDESC, dwReserved) == 68);
static_assert(offsetof(PRINTDESC, lpfnIdle) == 72);
static_assert(offsetof(PRINTDESC, wResult) == 80);
static_assert(offsetof(PRINTDESC, hDC) == 82);
static_assert(offsetof(PRINTDESC, dwFlags) == 90);
static_assert(offsetof(PRINTDESC, lpDevMode) == 94);
static_assert(offsetof(PRINTDESC, szDevice) == 102);
static_assert(offsetof(PRINTDESC, szPort) == 622);
static_assert(sizeof(PRINTJOB) == 1018);
static_assert(offsetof(PRINTJOB, desc) == 116);
static_assert(offsetof(PRINTJOB, lpfnPaint) == 998);
static_assert(offsetof(PRINTJOB, lpfnMorePages) == 1006);
static_assert(offsetof(PRINTJOB, dwUser) == 1014);
static_assert(sizeof(DLGWIZARD) == 56);
static_assert(offsetof(DLGWIZARD, lpfnProcs) == 32);
static_assert(offsetof(DLGWIZARD, nSteps) == 40);
static_assert(offsetof(DLGWIZARD, nNext) == 48);

#endif

}  // namespace
