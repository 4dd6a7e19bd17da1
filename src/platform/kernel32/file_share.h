// Share modes of open files: whether a new open may coexist with the opens of the same
// file that exist already, in this process and in other processes that use this layer.
#pragma once

#include "internal.h"

#include <memory>
#include <sys/stat.h>

namespace kw {

// What an open does with the file and what it lets other opens do (FILE_SHARE_* bits).
struct ShareRequest {
  bool read;
  bool write;
  bool erase;
  DWORD share;
  bool overwrite;  // empties an existing file: checked as a write, not kept as one
};

// An open's standing claim; released when destroyed.
class ShareClaim {
 public:
  virtual ~ShareClaim() = default;
};

// Checks the request against every open of the file that `fd` is open on and records it.
// Null, with last error ERROR_SHARING_VIOLATION, when they conflict (or ERROR_NOT_ENOUGH_
// MEMORY). An open that neither reads, writes nor deletes takes no part, as on Windows.
// In this process the check and the recording are one step; between processes a race of
// two opens at the same instant can let both through.
std::unique_ptr<ShareClaim> claimShare(int fd, bool fdReadable, const struct stat& file, const ShareRequest& request);

// Whether the file may be deleted now: no open of it lacks FILE_SHARE_DELETE.
bool deletionShared(const std::string& host, const struct stat& file);

}  // namespace kw
