// Share modes. In this process a table keyed by device and inode counts, per file, the
// opens and what they do and share, as the Windows I/O manager does. Between processes
// each open holds shared open-file-description locks on marker bytes far past any real
// data: one marker per access it uses and one per access it denies. A new open tests the
// opposite markers for locks of other opens before it sets its own.
#include "file_share.h"

#include <korvane/win32/kernel32/file.h>

#include <fcntl.h>
#include <map>
#include <mutex>
#include <new>
#include <string>
#include <unistd.h>
#include <utility>

namespace kw {
namespace {

using FileKey = std::pair<dev_t, ino_t>;

struct Counts {
  int opens = 0, readers = 0, writers = 0, erasers = 0;
  int sharingRead = 0, sharingWrite = 0, sharingDelete = 0;
};

struct ShareTable {
  std::mutex mutex;
  std::map<FileKey, Counts> files;
};

ShareTable& table() {
  static ShareTable* t = new ShareTable;  // files may be closed during static clean-up
  return *t;
}

// Marker bytes: uses read, write, delete; denies read, write, delete.
constexpr off_t kMarkerBase = 0x7FFFFFFF00000000LL;
enum Marker { kUsesRead, kUsesWrite, kUsesDelete, kDeniesRead, kDeniesWrite, kDeniesDelete, kMarkers };

// 1 when another open holds a lock on the marker, 0 when none does, -1 when the host
// cannot tell (no lock support on this file system).
int markerHeld(int fd, Marker m) {
  struct flock probe {};
  probe.l_type = F_WRLCK;
  probe.l_whence = SEEK_SET;
  probe.l_start = kMarkerBase + m;
  probe.l_len = 1;
  if (fcntl(fd, F_OFD_GETLK, &probe) != 0) return -1;
  return probe.l_type != F_UNLCK;
}

bool setMarker(int fd, Marker m) {
  struct flock lock {};
  lock.l_type = F_RDLCK;
  lock.l_whence = SEEK_SET;
  lock.l_start = kMarkerBase + m;
  lock.l_len = 1;
  return fcntl(fd, F_OFD_SETLK, &lock) == 0;
}

// A descriptor on which shared locks can be taken: `fd` itself when it reads, otherwise
// a reading descriptor opened on the same file (-1 when the file may not be read).
int readableTwin(int fd) {
  std::string self = "/proc/self/fd/" + std::to_string(fd);
  return open(self.c_str(), O_RDONLY | O_CLOEXEC);
}

bool sharedBy(DWORD share, DWORD bit) { return (share & bit) != 0; }

class TableClaim : public ShareClaim {
 public:
  TableClaim(FileKey key, const ShareRequest& request, int ownFd) : key_(key), request_(request), ownFd_(ownFd) {}
  void registered() { registered_ = true; }
  ~TableClaim() override {
    if (ownFd_ >= 0) close(ownFd_);  // drops this open's markers
    if (!registered_) return;
    ShareTable& t = table();
    std::lock_guard<std::mutex> lock(t.mutex);
    auto it = t.files.find(key_);
    if (it == t.files.end()) return;
    Counts& c = it->second;
    --c.opens;
    c.readers -= request_.read;
    c.writers -= request_.write;
    c.erasers -= request_.erase;
    c.sharingRead -= sharedBy(request_.share, FILE_SHARE_READ);
    c.sharingWrite -= sharedBy(request_.share, FILE_SHARE_WRITE);
    c.sharingDelete -= sharedBy(request_.share, FILE_SHARE_DELETE);
    if (c.opens == 0) t.files.erase(it);
  }

 private:
  FileKey key_;
  ShareRequest request_;
  int ownFd_;
  bool registered_ = false;
};

class NoClaim : public ShareClaim {};

bool conflictsInProcess(const Counts& c, const ShareRequest& r) {
  return (r.read && c.sharingRead < c.opens) || ((r.write || r.overwrite) && c.sharingWrite < c.opens) ||
         (r.erase && c.sharingDelete < c.opens) || (c.readers && !sharedBy(r.share, FILE_SHARE_READ)) ||
         (c.writers && !sharedBy(r.share, FILE_SHARE_WRITE)) ||
         (c.erasers && !sharedBy(r.share, FILE_SHARE_DELETE));
}

// The markers this request must find free, and those it then sets.
struct MarkerPlan {
  bool test[kMarkers] = {};
  bool set[kMarkers] = {};
};

MarkerPlan planFor(const ShareRequest& r) {
  MarkerPlan p;
  bool uses[3] = {r.read, r.write, r.erase};
  bool denies[3] = {!sharedBy(r.share, FILE_SHARE_READ), !sharedBy(r.share, FILE_SHARE_WRITE),
                    !sharedBy(r.share, FILE_SHARE_DELETE)};
  p.test[kDeniesWrite] = r.overwrite;
  for (int i = 0; i < 3; ++i) {
    p.test[kDeniesRead + i] = p.test[kDeniesRead + i] || uses[i];
    p.set[kUsesRead + i] = uses[i];
    p.test[kUsesRead + i] = denies[i];
    p.set[kDeniesRead + i] = denies[i];
  }
  return p;
}

bool conflictsAcrossProcesses(int lockFd, const MarkerPlan& plan) {
  for (int m = 0; m < kMarkers; ++m)
    if (plan.test[m] && markerHeld(lockFd, static_cast<Marker>(m)) == 1) return true;
  return false;
}

}  // namespace

std::unique_ptr<ShareClaim> claimShare(int fd, bool fdReadable, const struct stat& file, const ShareRequest& request) {
  if (!request.read && !request.write && !request.erase && !request.overwrite) return std::unique_ptr<ShareClaim>(new (std::nothrow) NoClaim);
  int ownFd = fdReadable ? -1 : readableTwin(fd);
  int lockFd = fdReadable ? fd : ownFd;
  MarkerPlan plan = planFor(request);
  FileKey key{file.st_dev, file.st_ino};
  ShareTable& t = table();
  std::lock_guard<std::mutex> lock(t.mutex);
  auto fail = [&](DWORD error) {
    if (ownFd >= 0) close(ownFd);
    SetLastError(error);
    return nullptr;
  };
  Counts current;
  if (auto it = t.files.find(key); it != t.files.end()) current = it->second;
  if (conflictsInProcess(current, request)) return fail(ERROR_SHARING_VIOLATION);
  if (lockFd >= 0) {
    if (conflictsAcrossProcesses(lockFd, plan)) return fail(ERROR_SHARING_VIOLATION);
    for (int m = 0; m < kMarkers; ++m)
      if (plan.set[m]) setMarker(lockFd, static_cast<Marker>(m));  // best effort: some file systems lack locks
  }
  std::unique_ptr<TableClaim> claim(new (std::nothrow) TableClaim(key, request, ownFd));
  if (!claim) return fail(ERROR_NOT_ENOUGH_MEMORY);
  try {
    Counts& c = t.files[key];
    ++c.opens;
    c.readers += request.read;
    c.writers += request.write;
    c.erasers += request.erase;
    c.sharingRead += sharedBy(request.share, FILE_SHARE_READ);
    c.sharingWrite += sharedBy(request.share, FILE_SHARE_WRITE);
    c.sharingDelete += sharedBy(request.share, FILE_SHARE_DELETE);
  } catch (const std::bad_alloc&) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;  // the unregistered claim only closes its descriptor
  }
  claim->registered();
  return claim;
}

bool deletionShared(const std::string& host, const struct stat& file) {
  ShareTable& t = table();
  {
    std::lock_guard<std::mutex> lock(t.mutex);
    auto it = t.files.find(FileKey{file.st_dev, file.st_ino});
    if (it != t.files.end() && it->second.sharingDelete < it->second.opens) return false;
  }
  int fd = open(host.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (fd < 0) return true;  // unreadable: nobody using this layer can hold markers we could see
  bool denied = markerHeld(fd, kDeniesDelete) == 1;
  close(fd);
  return !denied;
}

}  // namespace kw
