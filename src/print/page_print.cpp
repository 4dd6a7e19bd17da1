// A whole print job: the DC, the dialog, StartDocA to EndDoc, one paint call per sheet, the
// messages taken between sheets, and the outcome as a result code.
#include <korvane/print.h>

#include "frame/state.h"
#include "print/dc_queries.h"
#include "print/job_table.h"
#include "print/job_window.h"
#include "print/page_layout.h"

namespace {

// What the BANDINFO escape writes (BANDINFOSTRUCT, which not every Windows SDK declares).
struct BandInfo {
  BOOL fGraphics;
  BOOL fText;
  RECT rcGraphics;
};

WORD resultOf(const kv::JobEntry& job) {
  if (!job.aborted) return PRINT_DONE;
  switch (job.spoolerCode) {
    case SP_USERABORT: return PRINT_CANCELLED;
    case SP_OUTOFMEMORY: return PRINT_NO_MEMORY;
    case SP_OUTOFDISK: return PRINT_NO_DISK;
    case SP_APPABORT: return PRINT_STOPPED;
    default: return PRINT_FAILED;
  }
}

RECT sheetOf(HDC dc) {
  POINT size{0, 0};
  if (!kv::escapePoint(dc, GETPHYSPAGESIZE, &size)) {
    size = POINT{GetDeviceCaps(dc, PHYSICALWIDTH), GetDeviceCaps(dc, PHYSICALHEIGHT)};
  }
  return RECT{0, 0, size.x, size.y < 0 ? -size.y : size.y};
}

// The sheets of a started job, until the layout has no more or the job is aborted.
void printSheets(HDC dc, kv::PageLayout& layout, RECT sheet) {
  RECT band = sheet;
  BOOL painted = TRUE;
  bool open = true;
  while (!kv::jobAborted(dc)) {
    if (IsRectEmpty(&band)) {
      if (!painted) {
        kv::abortJob(dc, SP_APPABORT);  // the caller's paint said stop
        break;
      }
      band = sheet;
      const kv::JobEntry* job = kv::findJobEntry(dc);
      if (job && !job->abortProc) kv::pumpJobMessages(dc);
      if (kv::jobAborted(dc) || !layout.next()) break;
      kv::showPageLine(dc);
      const int started = StartPage(dc);
      if (started <= 0) {
        kv::reportJobError(dc, started);
        break;
      }
      open = true;
    }
    int graphics = 0, text = 0, bandInfo = 0;
    if (kv::JobEntry* job = kv::findJobEntry(dc); job && job->bandState) {
      BandInfo info{};
      if (Escape(dc, BANDINFO, 0, nullptr, &info) > 0) {
        graphics = info.fGraphics, text = info.fText, bandInfo = 1;
      }
    }
    if (!IsRectEmpty(&band)) painted = layout.paint(band, graphics, text, bandInfo);
    const int ended = EndPage(dc);
    open = false;
    SetRectEmpty(&band);
    if (ended < 1) {
      kv::reportJobError(dc, ended);
      break;
    }
  }
  if (open) EndPage(dc);
}

// False when StartDocA refused the job.
bool runJob(HDC dc, const PRINTJOB& work) {
  kv::openJobWindows(dc);
  if (kv::escapeSupported(dc, SETABORTPROC) && SetAbortProc(dc, AbortTest) > 0) {
    if (kv::JobEntry* job = kv::findJobEntry(dc)) job->abortProc = TRUE;
  }
  if (kv::JobEntry* job = kv::findJobEntry(dc)) job->bandState = kv::escapeSupported(dc, BANDINFO) ? 1 : 0;

  DOCINFOA doc{};
  doc.cbSize = sizeof doc;
  doc.lpszDocName = work.desc.lpszDocName;
  kv::setStartingJob(true);
  const int started = StartDocA(dc, &doc);
  kv::setStartingJob(false);
  if (started <= 0) {
    kv::reportJobError(dc, started);
    kv::closeJobWindows(dc);
    return false;
  }
  const kv::JobEntry* job = kv::findJobEntry(dc);
  if (job && !job->dialog) kv::showPageLine(dc);  // the dialog shows the first page line itself

  kv::PageLayout layout(dc, work);
  const RECT sheet = sheetOf(dc);
  if (layout.start()) {
    const int page = StartPage(dc);
    if (page <= 0) kv::reportJobError(dc, page);
    else printSheets(dc, layout, sheet);
  }
  if (!kv::jobAborted(dc)) {
    layout.end();
    const int ended = EndDoc(dc);
    if (ended <= 0) kv::reportJobError(dc, ended);  // nothing reached the printer
  } else {
    AbortDoc(dc);  // what was cancelled or failed is not delivered
  }
  kv::closeJobWindows(dc);
  return true;
}

}  // namespace

KV_API int KV_CALL PagePrint(HWND owner, PRINTJOB* job) {
  if (!job) return 1;
  if (!owner || !IsWindow(owner)) {
    job->desc.wResult = PRINT_NO_OWNER;
    return 1;
  }
  HDC dc = job->desc.hDC;
  int saved = 0;
  if (dc) {
    saved = SaveDC(dc);
    if (!saved) dc = nullptr;
  } else {
    job->desc.szDevice[sizeof job->desc.szDevice - 1] = '\0';
    job->desc.szDriver[sizeof job->desc.szDriver - 1] = '\0';
    job->desc.szPort[sizeof job->desc.szPort - 1] = '\0';
    dc = CreateDCA(job->desc.szDriver, job->desc.szDevice, job->desc.szPort, job->desc.lpDevMode);
  }
  auto release = [&] {
    if (saved) RestoreDC(dc, saved);
    else if (dc) DeleteDC(dc);
  };
  if (!dc) {
    job->desc.wResult = PRINT_NO_DC;
    return 1;
  }
  kv::JobEntry* entry = kv::takeJobEntry(dc);
  if (!entry) {
    job->desc.wResult = PRINT_NO_MEMORY;
    release();
    return 1;
  }
  entry->desc = job->desc;
  if (!entry->desc.lpfnIdle) entry->desc.lpfnIdle = kv::defaultIdleProc();
  entry->owner = owner;
  entry->instance = kv::gpState->module;

  if (job->nPageCount < 1) job->nPageCount = 1;
  const bool started = runJob(dc, *job);

  entry = kv::findJobEntry(dc);
  WORD result = !started ? static_cast<WORD>(PRINT_NO_DC) : entry ? resultOf(*entry) : static_cast<WORD>(PRINT_FAILED);
  kv::freeJobEntry(dc);
  release();
  job->desc.wResult = result;
  return 1;
}
