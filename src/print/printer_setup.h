// The printer setup dialog's record, attached to the dialog as a window property while it
// runs, and the steps of the dialog that work on it.
#pragma once

#include <korvane/print.h>

namespace kv {

struct PrinterSetupRecord {
  HWND dialog;
  HWND owner;
  HGLOBAL* callerMode;  // the caller's device-mode handle
  HGLOBAL startMode;    // the caller's, or a copy of the saved setup's
  LPSTR callerDevice, callerDriver, callerPort;
  HGLOBAL workMode;     // a copy the Setup button replaces
  BOOL hidePortless;    // printers on the port "None" are not listed
  CHAR device[260], driver[260], port[260];  // chosen
  LPCSTR sixth;         // the caller's sixth argument, kept
  HWND list, setupButton;
  HINSTANCE messageInstance;
  UINT messageId;       // shown when the driver's dialog changed the device mode
  // Each dialog has its own enumeration, so that one closing cannot free another's.
  HGLOBAL printers;     // PRINTER_INFO_2A records, locked while the dialog is up
  const PRINTER_INFO_2A* printerInfo;  // that lock
  DWORD printerCount;
};

// The window property that holds the record.
constexpr char kSetupProperty[] = "DlgPrinterSetupData";

// A new GHND block with the bytes of `mode` (null for null or on failure).
HGLOBAL copyModeBlock(HGLOBAL mode);
// Whether two device-mode blocks hold the same bytes.
bool sameModeBytes(HGLOBAL a, HGLOBAL b);

}  // namespace kv
