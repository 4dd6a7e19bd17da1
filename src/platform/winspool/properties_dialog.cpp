// The printer's properties dialog that DocumentPropertiesA shows for DM_IN_PROMPT: the
// printer's papers, the orientation, copies, and for CUPS queues the two-sided printing
// and colour the server reports. OK writes the choices into the device mode.
#include "winspool/properties_dialog.h"

#include <string>

#include "winspool/platform_resources.h"

namespace kw::winspool {

namespace {

constexpr int kPaper = 101, kOrientation = 102, kCopies = 103, kDuplex = 104, kColour = 105;
constexpr UINT kPortrait = 1, kOneSided = 11, kMonochrome = 21;
constexpr UINT kMaxCopies = 9999;

struct Session {
  const Printer* printer;
  DEVMODEA* mode;
};

int CALLBACK entry(HINSTANCE, DWORD, LPVOID) { return TRUE; }

void addWord(HWND dialog, int id, UINT word) {
  char text[64] = "";
  LoadStringA(platformModule(), word, text, sizeof text);
  SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

LRESULT selectedOf(HWND dialog, int id) { return SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0); }

void fill(HWND dialog, const Session& s) {
  const DEVMODEA& m = *s.mode;
  const auto& papers = s.printer->papers;
  for (size_t i = 0; i < papers.size(); ++i) {
    SendDlgItemMessageA(dialog, kPaper, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(papers[i].name.c_str()));
    if (papers[i].code == static_cast<WORD>(m.dmPaperSize)) SendDlgItemMessageA(dialog, kPaper, CB_SETCURSEL, i, 0);
  }
  addWord(dialog, kOrientation, kPortrait);
  addWord(dialog, kOrientation, kPortrait + 1);
  SendDlgItemMessageA(dialog, kOrientation, CB_SETCURSEL, m.dmOrientation == DMORIENT_LANDSCAPE ? 1 : 0, 0);
  SetDlgItemInt(dialog, kCopies, m.dmCopies > 0 ? static_cast<UINT>(m.dmCopies) : 1, FALSE);
  const bool queue = s.printer->kind == Kind::Cups;
  for (UINT w = 0; w < 3; ++w) addWord(dialog, kDuplex, kOneSided + w);
  const int duplex = m.dmDuplex >= DMDUP_SIMPLEX && m.dmDuplex <= DMDUP_HORIZONTAL ? m.dmDuplex - 1 : 0;
  SendDlgItemMessageA(dialog, kDuplex, CB_SETCURSEL, duplex, 0);
  EnableWindow(GetDlgItem(dialog, kDuplex), queue && s.printer->duplex);
  addWord(dialog, kColour, kMonochrome);
  addWord(dialog, kColour, kMonochrome + 1);
  SendDlgItemMessageA(dialog, kColour, CB_SETCURSEL, m.dmColor == DMCOLOR_MONOCHROME ? 0 : 1, 0);
  EnableWindow(GetDlgItem(dialog, kColour), queue && s.printer->color);
}

void take(HWND dialog, const Session& s) {
  DEVMODEA& m = *s.mode;
  const LRESULT paper = selectedOf(dialog, kPaper);
  const auto& papers = s.printer->papers;
  if (paper >= 0 && static_cast<size_t>(paper) < papers.size()) {
    m.dmPaperSize = static_cast<short>(papers[paper].code);
    m.dmPaperWidth = static_cast<short>(papers[paper].width);
    m.dmPaperLength = static_cast<short>(papers[paper].length);
    m.dmFields |= DM_PAPERSIZE;
  }
  m.dmOrientation = selectedOf(dialog, kOrientation) == 1 ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
  m.dmFields |= DM_ORIENTATION;
  BOOL read = FALSE;
  UINT copies = GetDlgItemInt(dialog, kCopies, &read, FALSE);
  if (read && copies >= 1) {
    m.dmCopies = static_cast<short>(copies > kMaxCopies ? kMaxCopies : copies);
    m.dmFields |= DM_COPIES;
  }
  if (IsWindowEnabled(GetDlgItem(dialog, kDuplex))) {
    m.dmDuplex = static_cast<short>(selectedOf(dialog, kDuplex) + 1);
    m.dmFields |= DM_DUPLEX;
  }
  if (IsWindowEnabled(GetDlgItem(dialog, kColour))) {
    m.dmColor = selectedOf(dialog, kColour) == 0 ? DMCOLOR_MONOCHROME : DMCOLOR_COLOR;
    m.dmFields |= DM_COLOR;
  }
}

INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    auto* s = reinterpret_cast<Session*>(lParam);
    SetWindowTextA(dialog, (s->printer->name + " Properties").c_str());
    fill(dialog, *s);
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  auto* s = reinterpret_cast<Session*>(GetWindowLongPtrA(dialog, DWLP_USER));
  switch (LOWORD(wParam)) {
    case IDOK:
      if (s) take(dialog, *s);
      EndDialog(dialog, IDOK);
      return TRUE;
    case IDCANCEL:
      EndDialog(dialog, IDCANCEL);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

HINSTANCE platformModule() {
  static const HINSTANCE module = KwRegisterModule("korvane-win32", entry, &gResources);
  return module;
}

LONG promptDevMode(HWND owner, const Printer& printer, DEVMODEA& mode) {
  DEVMODEA edited = mode;  // Cancel leaves the caller's mode as it was
  Session session{&printer, &edited};
  const INT_PTR answer = DialogBoxParamA(platformModule(), "KWPRINTERPROPERTIES", owner, procedure,
                                         reinterpret_cast<LPARAM>(&session));
  if (answer == IDOK) mode = edited;
  return answer == IDOK ? IDOK : answer == -1 ? -1 : IDCANCEL;
}

}  // namespace kw::winspool
