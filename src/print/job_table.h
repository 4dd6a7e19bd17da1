// The calling thread's running print jobs: a movable local block of entries, each keyed
// by its DC. The block may move when it grows, so nobody keeps an entry's address across
// a call that might start or end another job (a callback, a message): find it again.
#pragma once

#include <korvane/print.h>

namespace kv {

struct JobEntry {
  HDC dc;               // 0: the entry is free
  HINSTANCE instance;   // the library's
  BOOL aborted;
  SHORT spoolerCode;    // why it was aborted (SP_ code)
  HWND owner;
  HWND dialog;          // the "printing" dialog while it is up
  HMENU systemMenu;
  HLOCAL disabled;      // windows disabled for the job
  PRINTDESC desc;       // the caller's description, copied
  BOOL abortProc;       // AbortTest installed with SetAbortProc
  int bandState;        // 1 while the device gives band information
  int pageCounter;      // page lines shown
  HWND created;         // what creating the dialog returned
};

// A new zeroed entry for `dc` (the table made or grown as needed), or null.
JobEntry* takeJobEntry(HDC dc);
// The entry of `dc` / of the dialog window, or null.
JobEntry* findJobEntry(HDC dc);
JobEntry* findJobEntryByDialog(HWND dialog);
// Frees the entry of `dc`; the table goes when no entry is left.
void freeJobEntry(HDC dc);
// Whether the thread is inside StartDocA (Cancel waits meanwhile).
bool startingJob();
void setStartingJob(bool starting);

}  // namespace kv
