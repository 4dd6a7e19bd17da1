// The "Printer Setup" dialog: one list line per printer and port, the choice taken from
// the selected line, and the Setup button that opens the printer's own properties.
#include <korvane/dialogs.h>
#include <korvane/intl.h>
#include <korvane/print.h>

#include <cstring>
#include <string>

#include "frame/state.h"
#include "print/device_modes.h"
#include "print/printer_setup.h"

namespace {

using kv::PrinterSetupRecord;

constexpr int kList = 900, kSetup = 4;
constexpr UINT kOnWord = 1964, kLineFormat = 1966, kNoPort = 1967;
constexpr UINT kCallback = 0x83FF;
// An enumeration that is still growing after this many tries is given up.
constexpr int kEnumerationTries = 8;

PrinterSetupRecord* recordOf(HWND dialog) { return static_cast<PrinterSetupRecord*>(GetPropA(dialog, kv::kSetupProperty)); }

std::string loadString(UINT id) {
  char text[128] = "";
  LoadStringA(kv::gpState->module, id, text, sizeof text);
  return text;
}

// The format's two "%s" replaced by `a` and `b`, in order.
std::string formatTwo(const std::string& format, const char* a, const char* b) {
  std::string out;
  const char* args[2] = {a, b};
  int next = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == 's' && next < 2) {
      out += args[next++];
      ++i;
    } else {
      out += format[i];
    }
  }
  return out;
}

void copyName(CHAR (&to)[260], LPCSTR from) { lstrcpynA(to, from ? from : "", sizeof to); }

// The printers in a zero-filled global block; -1 on failure.
int enumerate(PrinterSetupRecord& r) {
  const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
  DWORD needed = 0, count = 0;
  if (!EnumPrintersA(flags, nullptr, 2, nullptr, 0, &needed, &count) && GetLastError() != ERROR_INSUFFICIENT_BUFFER)
    return -1;
  if (!needed) return 0;
  for (int tries = 0; tries < kEnumerationTries; ++tries) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, needed);
    auto* bytes = block ? static_cast<LPBYTE>(GlobalLock(block)) : nullptr;
    if (!bytes) {
      if (block) GlobalFree(block);
      return -1;
    }
    if (EnumPrintersA(flags, nullptr, 2, bytes, needed, &needed, &count)) {
      r.printers = block;
      r.printerInfo = reinterpret_cast<const PRINTER_INFO_2A*>(bytes);
      r.printerCount = count;
      return static_cast<int>(count);
    }
    GlobalUnlock(block);
    GlobalFree(block);
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return -1;
  }
  return -1;
}

void dropEnumeration(PrinterSetupRecord& r) {
  if (!r.printers) return;
  GlobalUnlock(r.printers);  // the lock enumerate() kept
  GlobalFree(r.printers);
  r.printers = nullptr;
  r.printerInfo = nullptr;
  r.printerCount = 0;
}

void fillList(PrinterSetupRecord& r) {
  enumerate(r);
  const std::string format = loadString(kLineFormat), none = loadString(kNoPort);
  if (const PRINTER_INFO_2A* p = r.printerInfo) {
    for (DWORD i = 0; i < r.printerCount; ++i) {
      LPCSTR at = p[i].pPortName ? p[i].pPortName : "";
      while (*at) {
        std::string portName;
        while (*at && *at != ',' && *at != ' ') {
          const int n = IntlIsDBChar(at) && at[1] ? 2 : 1;  // a double-byte character stays whole
          portName.append(at, n);
          at += n;
        }
        if (!portName.empty() && !(r.hidePortless && IntlIsStrEqual(portName.c_str(), none.c_str()))) {
          const std::string line = formatTwo(format, p[i].pPrinterName ? p[i].pPrinterName : "", portName.c_str());
          SendMessageA(r.list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
        }
        if (*at == ',') at = IntlStripStartSpace(at + 1);
        else if (*at) ++at;
      }
    }
  }
  if (r.callerDevice && *r.callerDevice) {
    const std::string prefix = std::string(r.callerDevice) + loadString(kOnWord);
    SendMessageA(r.list, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(prefix.c_str()));
    copyName(r.device, r.callerDevice);
    copyName(r.driver, r.callerDriver);
    copyName(r.port, r.callerPort);
  }
  EnableWindow(r.setupButton, *r.driver && PrintCanDoPrinterSetup(0, r.device) ? TRUE : FALSE);
  if (r.startMode) r.workMode = kv::copyModeBlock(r.startMode);
}

// The chosen printer from the selected line; false when it names none of the printers.
bool takeSelection(PrinterSetupRecord& r) {
  const LRESULT at = SendMessageA(r.list, LB_GETCURSEL, 0, 0);
  const LRESULT length = at < 0 ? LB_ERR : SendMessageA(r.list, LB_GETTEXTLEN, at, 0);
  if (length < 0) return false;
  std::string line(static_cast<size_t>(length) + 1, '\0');
  if (SendMessageA(r.list, LB_GETTEXT, at, reinterpret_cast<LPARAM>(line.data())) < 0) return false;
  line.resize(std::strlen(line.c_str()));
  const std::string on = loadString(kOnWord);
  const size_t cut = line.find(on);
  if (on.empty() || cut == std::string::npos) return false;
  const std::string device = line.substr(0, cut);
  const PRINTER_INFO_2A* p = r.printerInfo;
  for (DWORD i = 0; i < r.printerCount; ++i) {
    if (!p[i].pPrinterName || lstrcmpiA(p[i].pPrinterName, device.c_str()) != 0) continue;
    copyName(r.device, device.c_str());
    copyName(r.driver, p[i].pDriverName);
    // The port of the chosen line, not the printer's whole list of ports.
    copyName(r.port, line.c_str() + cut + on.size());
    return true;
  }
  return false;
}

void runPrinterProperties(PrinterSetupRecord& r) {
  HANDLE printer = nullptr;
  if (!OpenPrinterA(r.device, &printer, nullptr)) return;
  const DWORD size = kv::devModeSize(printer, r.device);
  HGLOBAL fresh = GlobalAlloc(GHND, size);
  auto* out = fresh ? static_cast<DEVMODEA*>(GlobalLock(fresh)) : nullptr;
  auto* in = r.workMode ? static_cast<DEVMODEA*>(GlobalLock(r.workMode)) : nullptr;
  LONG answer = -1;
  if (out) {
    const DWORD mode = in ? DM_IN_BUFFER | DM_IN_PROMPT | DM_OUT_BUFFER : DM_IN_PROMPT | DM_OUT_BUFFER;
    answer = DocumentPropertiesA(r.dialog, printer, r.device, out, in, mode);
  }
  if (out) GlobalUnlock(fresh);
  if (in) GlobalUnlock(r.workMode);
  if (answer == IDOK) {
    if (r.workMode && !kv::sameModeBytes(fresh, r.workMode) && r.messageInstance && r.messageId) {
      char text[256] = "", caption[41] = "";
      LoadStringA(r.messageInstance, r.messageId, text, sizeof text);
      GetWindowTextA(r.dialog, caption, sizeof caption);
      MessageBoxA(r.dialog, text, caption, MB_ICONINFORMATION);
    }
    if (r.workMode) GlobalFree(r.workMode);
    r.workMode = fresh;
  } else if (fresh) {
    GlobalFree(fresh);
  }
  ClosePrinter(printer);
}

INT_PTR command(HWND dialog, PrinterSetupRecord& r, WPARAM wParam) {
  switch (LOWORD(wParam)) {
    case kSetup:
      runPrinterProperties(r);
      return TRUE;
    case IDOK: {
      HCURSOR before = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
      EndDialog(dialog, 1);
      SetCursor(before);
      return TRUE;
    }
    case IDCANCEL:
      EndDialog(dialog, 0);
      return TRUE;
    case kList: {
      const WORD note = HIWORD(wParam);
      if (note != LBN_SELCHANGE && note != LBN_DBLCLK) return TRUE;
      if (takeSelection(r)) {
        if (r.workMode) GlobalFree(r.workMode);
        r.workMode = nullptr;
        EnableWindow(r.setupButton, PrintCanDoPrinterSetup(0, r.device) ? TRUE : FALSE);
      } else {
        EnableWindow(r.setupButton, FALSE);
      }
      if (note == LBN_DBLCLK) SendMessageA(dialog, WM_COMMAND, IDOK, 0);
      return TRUE;
    }
    default:
      return FALSE;
  }
}

}  // namespace

KV_API INT_PTR KV_CALL PrintPrinterSetupDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* r = reinterpret_cast<PrinterSetupRecord*>(lParam);
    if (!r) return FALSE;
    SetPropA(dialog, kv::kSetupProperty, r);
    r->dialog = dialog;
    r->list = GetDlgItem(dialog, kList);
    r->setupButton = GetDlgItem(dialog, kSetup);
    fillList(*r);
    SetFocus(r->list);
    DlgCenterDialog(dialog);
    return FALSE;
  }
  PrinterSetupRecord* r = recordOf(dialog);
  if (!r) return FALSE;
  switch (message) {
    case WM_COMMAND:
      return command(dialog, *r, wParam);
    case WM_DESTROY:
      dropEnumeration(*r);
      RemovePropA(dialog, kv::kSetupProperty);
      return TRUE;
    case kCallback:
      if (lParam) reinterpret_cast<void(KV_CALL*)(DWORD, DWORD)>(lParam)(1, 170);
      return TRUE;
    default:
      return FALSE;
  }
}
