// EnumPrintersA, OpenPrinterA, ClosePrinter, GetPrinterA.
#include "winspool/printer_handles.h"
#include "winspool/printer_info.h"

KW32_API BOOL WINAPI EnumPrintersA(DWORD flags, LPSTR, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed,
                                   LPDWORD returned) {
  if (needed == nullptr || returned == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *returned = 0;
  try {
    std::vector<kw::winspool::Printer> printers;
    if (flags & (PRINTER_ENUM_LOCAL | PRINTER_ENUM_DEFAULT)) printers = kw::winspool::listPrinters();
    if (!(flags & PRINTER_ENUM_LOCAL) && (flags & PRINTER_ENUM_DEFAULT)) {
      std::erase_if(printers, [](const kw::winspool::Printer& p) { return !p.isDefault; });
    }
    DWORD bytes = 0;
    const bool packed = kw::winspool::packPrinterInfo(printers, level, buffer, size, bytes);
    *needed = bytes;
    if (!packed) return FALSE;
    *returned = static_cast<DWORD>(printers.size());
    return TRUE;
  } catch (...) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return FALSE;
  }
}

KW32_API BOOL WINAPI OpenPrinterA(LPSTR name, HANDLE* printer, LPPRINTER_DEFAULTSA) {
  if (printer == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *printer = nullptr;
  try {
    auto found = kw::winspool::findPrinter(name);
    if (!found) {
      SetLastError(ERROR_INVALID_PRINTER_NAME);
      return FALSE;
    }
    *printer = kw::winspool::openHandle(std::move(*found));
    if (*printer == nullptr) {
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return FALSE;
    }
    return TRUE;
  } catch (...) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return FALSE;
  }
}

KW32_API BOOL WINAPI ClosePrinter(HANDLE printer) { return kw::winspool::closeHandle(printer) ? TRUE : FALSE; }

KW32_API BOOL WINAPI GetPrinterA(HANDLE printer, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed) {
  try {
    kw::winspool::Printer p;
    if (!kw::winspool::printerOf(printer, p)) return FALSE;
    if (needed == nullptr) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
    DWORD bytes = 0;
    const bool packed = kw::winspool::packPrinterInfo({p}, level, buffer, size, bytes);
    *needed = bytes;
    return packed ? TRUE : FALSE;
  } catch (...) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return FALSE;
  }
}
