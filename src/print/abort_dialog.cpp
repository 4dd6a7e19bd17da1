// The "printing" dialog with its Cancel button, the abort procedure the spooler calls
// between pages, and the caller's way to cancel a job.
#include <korvane/dialogs.h>
#include <korvane/print.h>

#include <cstring>
#include <string>

#include "print/job_table.h"
#include "print/job_window.h"

namespace {

constexpr UINT kOnWord = 1964;
constexpr int kFirstLine = 800, kSecondLine = 801, kPrinterLine = 803;

void setItem(HWND dialog, int id, LPCSTR text) { SetDlgItemTextA(dialog, id, text ? text : ""); }

INT_PTR initDialog(HWND dialog, HDC dc) {
  kv::JobEntry* job = kv::findJobEntry(dc);
  if (!job) return TRUE;
  job->dialog = dialog;
  job->systemMenu = GetSystemMenu(dialog, FALSE);
  const PRINTDESC& desc = job->desc;
  if (desc.lpszTitle) SetWindowTextA(dialog, desc.lpszTitle);
  setItem(dialog, kFirstLine, desc.lpszLine1);
  setItem(dialog, kSecondLine, desc.lpszLine2);
  char on[32] = "";
  LoadStringA(job->instance, kOnWord, on, sizeof on);
  std::string printer(desc.szDevice, strnlen(desc.szDevice, sizeof desc.szDevice));
  printer.append(on).append(desc.szPort, strnlen(desc.szPort, sizeof desc.szPort));
  setItem(dialog, kPrinterLine, printer.c_str());
  kv::showPageLine(dc);
  UpdateWindow(GetDlgItem(dialog, kFirstLine));
  DlgCenterDialog(dialog);
  SetFocus(dialog);
  if ((job = kv::findJobEntry(dc)) != nullptr && job->desc.lpfnOpened) job->desc.lpfnOpened(dialog);
  return TRUE;
}

// Looks at the queue once, or with `wait` until a message is there.
BOOL KV_CALL defaultIdle(BOOL wait) {
  MSG msg;
  while (!PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
    if (!wait) return TRUE;
    WaitMessage();
  }
  return TRUE;
}

}  // namespace

namespace kv {
PRINTIDLEPROC defaultIdleProc() { return defaultIdle; }
}  // namespace kv

KV_API INT_PTR KV_CALL DlgFnAbort(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return initDialog(dialog, reinterpret_cast<HDC>(lParam));
    case WM_COMMAND: {
      if (kv::startingJob()) return TRUE;  // StartDocA is still running: the job cannot stop yet
      const kv::JobEntry* job = kv::findJobEntryByDialog(dialog);
      if (!job) return TRUE;
      const HDC dc = job->dc;
      kv::abortJob(dc, SP_USERABORT);
      kv::closeJobWindows(dc);
      return TRUE;
    }
    case WM_DESTROY: {
      const kv::JobEntry* job = kv::findJobEntryByDialog(dialog);
      if (job && job->desc.lpfnClosing) job->desc.lpfnClosing(dialog);
      return TRUE;
    }
    case WM_INITMENUPOPUP: {
      const kv::JobEntry* job = kv::findJobEntryByDialog(dialog);
      if (job && job->systemMenu) EnableMenuItem(job->systemMenu, SC_CLOSE, MF_GRAYED);
      return TRUE;
    }
    default:
      return FALSE;
  }
}

KV_API BOOL KV_CALL AbortTest(HDC dc, int code) {
  if (!kv::findJobEntry(dc)) return TRUE;
  if (!kv::jobAborted(dc)) kv::pumpJobMessages(dc);
  const kv::JobEntry* job = kv::findJobEntry(dc);
  if (!job) return TRUE;
  if (const PRINTIDLEPROC idle = job->desc.lpfnIdle) idle(FALSE);
  if (code < 0) kv::abortJob(dc, code);
  return kv::jobAborted(dc) ? FALSE : TRUE;
}

KV_API int KV_CALL PrintAbort(HDC dc) {
  const kv::JobEntry* job = kv::findJobEntry(dc);
  if (!job) return 0;
  if (HWND dialog = job->dialog) SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  return 1;
}
