#include "print/job_window.h"

#include <korvane/dialogs.h>
#include <korvane/print.h>

#include <cstdio>

#include "print/job_table.h"
#include "ui/window_disabling.h"

namespace kv {

namespace {

constexpr UINT kPageWord = 1965;
constexpr UINT kNoDisk = 1961, kNoMemory = 1962, kPrintError = 1963;
constexpr int kPageLine = 802;

HLOCAL switchWindows(const JobEntry& job, BOOL enable, HLOCAL list) {
  if (job.desc.dwFlags & PRINT_FLAG_DISABLE_PROC) {
    if (!job.desc.lpfnDisable) return nullptr;
    auto* instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(job.owner, GWLP_HINSTANCE));
    return job.desc.lpfnDisable(instance, nullptr, enable, list);
  }
  return enableWindowChain(job.owner, enable, list);
}

}  // namespace

void openJobWindows(HDC dc) {
  JobEntry* job = findJobEntry(dc);
  if (!job || (job->desc.dwFlags & PRINT_FLAG_NO_DIALOG)) return;
  HLOCAL list = switchWindows(*job, FALSE, nullptr);
  if ((job = findJobEntry(dc)) == nullptr) return;
  job->disabled = list;
  // The DC, not the entry, goes to the dialog: the table may move before it looks.
  HWND dialog = CreateDialogParamA(job->instance, "PrintAbortDialog", job->owner, DlgFnAbort,
                                   reinterpret_cast<LPARAM>(dc));
  if ((job = findJobEntry(dc)) != nullptr) job->created = dialog;
}

void closeJobWindows(HDC dc) {
  JobEntry* job = findJobEntry(dc);
  if (!job) return;
  if (HLOCAL list = job->disabled) {
    job->disabled = nullptr;
    switchWindows(*job, TRUE, list);
  }
  if ((job = findJobEntry(dc)) == nullptr) return;
  if (HWND dialog = job->dialog) {
    DestroyWindow(dialog);
    if ((job = findJobEntry(dc)) != nullptr) job->dialog = nullptr;
  }
}

void showPageLine(HDC dc) {
  JobEntry* job = findJobEntry(dc);
  if (!job) return;
  const int counted = ++job->pageCounter;
  const PRINTPAGENUMPROC number = job->desc.lpfnPageNumber;
  const int page = number ? number(job->desc.dwUser) : counted;
  if ((job = findJobEntry(dc)) == nullptr || !job->dialog) return;
  char word[64] = "", line[96];
  LoadStringA(job->instance, kPageWord, word, sizeof word);
  std::snprintf(line, sizeof line, "%s%d", word, page);
  SetDlgItemTextA(job->dialog, kPageLine, line);
}

void pumpJobMessages(HDC dc) {
  MSG msg;
  while (!jobAborted(dc) && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // the application's loop must still see it
      return;
    }
    const JobEntry* job = findJobEntry(dc);
    if (job && job->dialog && IsDialogMessageA(job->dialog, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

bool jobAborted(HDC dc) {
  const JobEntry* job = findJobEntry(dc);
  return job && job->aborted;
}

void abortJob(HDC dc, int code) {
  JobEntry* job = findJobEntry(dc);
  if (!job || job->aborted) return;
  job->aborted = TRUE;
  job->spoolerCode = static_cast<SHORT>(code);
}

void reportJobError(HDC dc, int code) {
  closeJobWindows(dc);
  JobEntry* job = findJobEntry(dc);
  if (!job) return;
  if (job->aborted && job->spoolerCode == SP_USERABORT) code = SP_USERABORT;
  UINT text = 0;
  if (code & SP_NOTREPORTED) {
    if (code == SP_OUTOFMEMORY) text = kNoMemory;
    else if (code == SP_OUTOFDISK) text = kNoDisk;
    else if (code != SP_USERABORT && code != SP_APPABORT) text = kPrintError;
  }
  abortJob(dc, code);
  if (!text) return;
  char message[128] = "";
  LoadStringA(job->instance, text, message, sizeof message);
  const HWND owner = job->owner;
  const LPCSTR title = job->desc.lpszTitle;
  MessageBoxA(owner, message, title, MB_ICONEXCLAMATION);
}

}  // namespace kv
