// korvane printers / korvane print: the printers the library sees, and printing a text
// file through the library's page printing, a progress line per page.
#include <korvane/korvane.h>
#if !defined(_WIN32)
#include <korvane/platform.h>
#endif

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "commands.h"

namespace kvt {
namespace {

const char kPrintersHelp[] =
    "usage: korvane printers\n"
    "       korvane printers --setup [--choose LINE]\n"
    "Each printer: its name (\"(default)\" after the default one), driver, ports and papers.\n"
    "--setup opens the printer setup dialog and prints what was chosen (\"unchanged\" for OK\n"
    "without a change; \"cancelled\" and exit status 1 for Cancel); --choose picks the first\n"
    "line beginning with LINE (\"Name on port\") and presses OK (needed without a display).\n"
    "Printers come from the CUPS server and from win.ini's section [devices]\n"
    "(Name=driver,port; a port that is a path ending in .pdf writes PDF files).\n";

const char kPrintHelp[] =
    "usage: korvane print [--printer NAME] [--copies N] [--landscape] [--paper CODE] [--tile] FILE\n"
    "Prints a text file, one inch margins, 10 point monospaced, to the default printer or NAME.\n"
    "--paper takes a paper code (1 Letter, 5 Legal, 9 A4, ...); --tile keeps long lines whole,\n"
    "spreading each page over as many sheets as it needs. Prints \"page N\" as each sheet starts.\n";

constexpr LONG kMargin = 1000;     // thousandths of an inch
constexpr LONG kFontHeight = 139;  // 10 points

struct TextFile {
  std::vector<std::string> lines;
  size_t perPage = 0;  // known once the first page is measured
  size_t page = 0;
  LONG lineHeight = 0;
  int sheets = 0;
};
TextFile* gTextFile = nullptr;

std::string expandTabs(const std::string& line) {
  std::string out;
  for (char c : line) {
    if (c == '\t') out.append(8 - out.size() % 8, ' ');
    else if (c != '\r') out += c;
  }
  return out;
}

HFONT makeFont() {
  return CreateFontA(-kFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, "Courier New");
}

BOOL KV_CALL paintPage(HDC dc, int, LPRECT, DWORD, int, int, int) {
  TextFile& doc = *gTextFile;
  HFONT font = makeFont();
  HGDIOBJ old = SelectObject(dc, font);
  if (!doc.lineHeight) {
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    doc.lineHeight = tm.tmHeight + tm.tmExternalLeading > 0 ? tm.tmHeight + tm.tmExternalLeading : kFontHeight;
  }
  SetBkMode(dc, TRANSPARENT);
  for (size_t i = 0; i < doc.perPage; ++i) {
    const size_t at = doc.page * doc.perPage + i;
    if (at >= doc.lines.size()) break;
    const std::string& text = doc.lines[at];
    TextOutA(dc, kMargin, -(kMargin + static_cast<LONG>(i) * doc.lineHeight), text.c_str(),
             static_cast<int>(text.size()));
  }
  SelectObject(dc, old);
  DeleteObject(font);
  return TRUE;
}

BOOL KV_CALL morePages(DWORD) {
  TextFile& doc = *gTextFile;
  if ((doc.page + 1) * doc.perPage >= doc.lines.size()) return FALSE;
  ++doc.page;
  return TRUE;
}

int KV_CALL pageStarts(DWORD) {
  std::printf("page %d\n", ++gTextFile->sheets);
  std::fflush(stdout);
  return gTextFile->sheets;
}

const char* outcome(int code) {
  static const char* const words[] = {"printed",        "cancelled",          "no owner window",
                                      "cannot start the printer", "out of memory", "out of disk space",
                                      "stopped",        "printing error"};
  return code >= 0 && code <= 7 ? words[code] : "unknown result";
}

std::string gChoice;

// Picks the chosen line of the setup dialog and presses OK, as a person would.
void CALLBACK chooseLine(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  HWND dialog = GetActiveWindow();
  HWND list = GetDlgItem(dialog, 900);
  const LRESULT at =
      SendMessageA(list, LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(gChoice.c_str()));
  if (at < 0) {
    SendMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    return;
  }
  SendMessageA(list, LB_SETCURSEL, at, 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(900, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
}

// The setup dialog answers 0 for Cancel and for OK without a change alike; the button
// that ended it tells them apart. The first window activated is the dialog.
struct SetupWatch {
  HHOOK hook = nullptr;
  WNDPROC original = nullptr;
  bool cancelled = false;
};
SetupWatch gWatch;

LRESULT CALLBACK watchDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL))
    gWatch.cancelled = LOWORD(wParam) == IDCANCEL;
  return CallWindowProcA(gWatch.original, dialog, message, wParam, lParam);
}

LRESULT CALLBACK firstActivation(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && !gWatch.original) {
    gWatch.original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(reinterpret_cast<HWND>(wParam), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(watchDialog)));
    UnhookWindowsHookEx(gWatch.hook);
    gWatch.hook = nullptr;
    return 0;
  }
  return CallNextHookEx(gWatch.hook, code, wParam, lParam);
}

int setup(Reporter& report, const std::string& choice) {
  char device[260] = "", driver[260] = "", port[260] = "";
  PrintGetDefaultPrinter(device, driver, port);
  HGLOBAL mode = device[0] ? PrintGetDevMode(0, device, driver, port, 0) : nullptr;
  gChoice = choice;
  if (!choice.empty()) SetTimer(nullptr, 0, 1, chooseLine);
  gWatch = SetupWatch{};
  gWatch.hook = SetWindowsHookExA(WH_CBT, firstActivation, nullptr, GetCurrentThreadId());
  const int changed = PrintPrinterSetup(nullptr, &mode, device, driver, port, nullptr);
  if (gWatch.hook) UnhookWindowsHookEx(gWatch.hook);
  int status = report.status();
  if (!changed && gWatch.cancelled) {
    report.result("cancelled");
    status = 1;
  } else if (!changed) {
    report.result("unchanged");
  } else {
    report.result(std::string("device: ") + device);
    report.result(std::string("driver: ") + driver);
    report.result(std::string("port: ") + port);
    const auto* m = mode ? static_cast<const DEVMODEA*>(GlobalLock(mode)) : nullptr;
    if (!m) report.result("device mode: the printer's default");
    if (m) {
      report.result("paper: " + std::to_string(m->dmPaperSize));
      report.result(std::string("orientation: ") + (m->dmOrientation == DMORIENT_LANDSCAPE ? "landscape" : "portrait"));
      report.result("copies: " + std::to_string(m->dmCopies));
      GlobalUnlock(mode);
    }
  }
  if (mode) GlobalFree(mode);
  return status;
}

int printers(Args args) {
  Reporter report("printers");
  if (wantsHelp(args)) return showHelp(kPrintersHelp);
  std::string choice;
  if (takeOption(args, "choose", choice) < 0) return report.usage("--choose needs a line");
  const auto wantsSetup = std::find(args.begin(), args.end(), "--setup");
  if (wantsSetup != args.end()) {
    args.erase(wantsSetup);
    if (!checkNoOptions(args, report)) return report.status();
    if (!args.empty()) return report.usage("no arguments expected");
#if !defined(_WIN32)
    // Headless, nobody could answer a dialog left open.
    if (choice.empty() && !KwDisplayInteractive())
      return report.usage("without a display, --setup needs --choose LINE");
#endif
    return setup(report, choice);
  }
  if (!checkNoOptions(args, report)) return report.status();
  if (!args.empty()) return report.usage("no arguments expected");
  DWORD needed = 0, count = 0;
  const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
  EnumPrintersA(flags, nullptr, 2, nullptr, 0, &needed, &count);
  std::vector<BYTE> buffer(needed ? needed : 1);
  if (!EnumPrintersA(flags, nullptr, 2, buffer.data(), needed, &needed, &count)) count = 0;
  char defaultName[260] = "";
  PrintGetDefaultPrinter(defaultName, nullptr, nullptr);
  if (!count) report.result("no printers");
  const auto* info = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
  for (DWORD i = 0; i < count; ++i) {
    const PRINTER_INFO_2A& p = info[i];
    const std::string name = p.pPrinterName ? p.pPrinterName : "";
    report.result(name + (name == defaultName ? " (default)" : ""));
    report.result("  driver: " + std::string(p.pDriverName ? p.pDriverName : ""));
    report.result("  ports: " + std::string(p.pPortName ? p.pPortName : ""));
    const int papers = DeviceCapabilitiesA(name.c_str(), p.pPortName, DC_PAPERNAMES, nullptr, nullptr);
    std::string list;
    if (papers > 0) {
      std::vector<char> names(static_cast<size_t>(papers) * 64);
      DeviceCapabilitiesA(name.c_str(), p.pPortName, DC_PAPERNAMES, names.data(), nullptr);
      for (int k = 0; k < papers; ++k) {
        if (k) list += ", ";
        list += std::string(names.data() + k * 64, strnlen(names.data() + k * 64, 64));
      }
    }
    report.result("  papers: " + (list.empty() ? std::string("-") : list));
  }
  return report.status();
}

int print(Args args) {
  Reporter report("print");
  if (wantsHelp(args)) return showHelp(kPrintHelp);
  std::string device, copiesText, paperText;
  if (takeOption(args, "printer", device) < 0 || takeOption(args, "copies", copiesText) < 0 ||
      takeOption(args, "paper", paperText) < 0)
    return report.usage("--printer, --copies and --paper need a value");
  bool landscape = false, tile = false;
  for (auto it = args.begin(); it != args.end();) {
    if (*it == "--landscape" || *it == "--tile") {
      (*it == "--tile" ? tile : landscape) = true;
      it = args.erase(it);
    } else {
      ++it;
    }
  }
  if (!checkNoOptions(args, report)) return report.status();
  if (args.size() != 1) return report.usage("print takes one FILE");
  long copies = 1, paper = 0;
  if (!copiesText.empty() && !parseInt(copiesText, 1, 999, copies)) return report.usage("--copies takes 1 to 999");
  if (!paperText.empty() && !parseInt(paperText, 1, 256, paper)) return report.usage("--paper takes a paper code");

  std::ifstream in(args[0], std::ios::binary);
  if (!in) {
    report.problem("cannot read " + quoted(args[0]));
    return report.status();
  }
  TextFile doc;
  std::string line;
  while (std::getline(in, line)) doc.lines.push_back(expandTabs(line));
  if (doc.lines.empty()) doc.lines.emplace_back();

  char name[260] = "", driver[260] = "", port[260] = "";
  if (device.empty()) {
    if (!PrintGetDefaultPrinter(name, driver, port)) {
      report.problem("no default printer; name one with --printer");
      return report.status();
    }
  } else {
    std::snprintf(name, sizeof name, "%s", device.c_str());
    if (!PrintGetDevice(name, driver, port)) {
      report.problem("no printer " + quoted(device));
      return report.status();
    }
  }
  HGLOBAL modeBlock = PrintGetDevMode(landscape ? 1 : 0, name, driver, port, static_cast<WORD>(paper));
  auto* mode = modeBlock ? static_cast<DEVMODEA*>(GlobalLock(modeBlock)) : nullptr;
  WORD paperCode = 0;
  POINT size{};
  RECT printable{};
  if (!PageGetPageInfo(driver, name, port, mode, &paperCode, &size, &printable)) {
    report.problem("cannot read the paper of " + quoted(name));
    if (modeBlock) GlobalUnlock(modeBlock), GlobalFree(modeBlock);
    return report.status();
  }
  // Tenths of a millimetre to thousandths of an inch.
  const LONG sheetX = MulDiv(size.x, 1000, 254), sheetY = MulDiv(size.y, 1000, 254);

  PRINTJOB job{};
  job.nCopies = copies;
  job.cxPage = sheetX;
  job.cyPage = sheetY;
  job.bAllPages = TRUE;
  job.bSnap = TRUE;
  job.lpfnPaint = paintPage;
  job.lpfnMorePages = morePages;
  doc.lineHeight = kFontHeight + kFontHeight / 5;
  doc.perPage = static_cast<size_t>((sheetY - 2 * kMargin) / doc.lineHeight);
  if (doc.perPage < 1) doc.perPage = 1;
  doc.lineHeight = 0;  // measured with the printer's font on the first page
  if (tile) {
    size_t longest = 0;
    for (const auto& l : doc.lines) longest = l.size() > longest ? l.size() : longest;
    const LONG width = 2 * kMargin + static_cast<LONG>(longest) * kFontHeight * 6 / 10;  // a cell is 0.6 em
    if (width > sheetX) job.cxPage = width;
    job.bTile = TRUE;
  }
  PRINTDESC& desc = job.desc;
  desc.lpszTitle = "korvane print";
  desc.lpszDocName = args[0].c_str();
  desc.lpszLine1 = "Printing";
  desc.lpszLine2 = args[0].c_str();
  desc.lpfnPageNumber = pageStarts;
  desc.lpDevMode = mode;
  std::snprintf(desc.szDevice, sizeof desc.szDevice, "%s", name);
  std::snprintf(desc.szDriver, sizeof desc.szDriver, "%s", driver);
  std::snprintf(desc.szPort, sizeof desc.szPort, "%s", port);

  HWND owner = CreateWindowExA(0, "Static", "korvane print", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                               nullptr, nullptr);
  gTextFile = &doc;
  PagePrint(owner, &job);
  gTextFile = nullptr;
  DestroyWindow(owner);
  if (modeBlock) GlobalUnlock(modeBlock), GlobalFree(modeBlock);
  const int code = job.desc.wResult;
  if (code != PRINT_DONE) {
    report.problem(std::string(outcome(code)) + " (result " + std::to_string(code) + ")");
    return report.status();
  }
  report.result(std::to_string(doc.sheets) + " sheets to " + name + " on " + port);
  return report.status();
}

}  // namespace

int printersCommand(Args args) { return printers(std::move(args)); }
int printCommand(Args args) { return print(std::move(args)); }

}  // namespace kvt
