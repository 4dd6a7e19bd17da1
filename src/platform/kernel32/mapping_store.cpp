// Named shared memory objects with the lifetime of Windows kernel objects.
//
// Every open, create and last close of a named object runs under the guard, an exclusive
// lock on one small object per name prefix, so that no process sees an object half made
// or loses one to a concurrent close. A holder keeps a shared flock on its object; the
// closer that can take an exclusive lock on the name is the last one and removes it.
#include "mapping_store.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kw {
namespace {

std::string namePrefix() {
  std::string prefix;
  if (const char* p = std::getenv("KORVANE_SHM_PREFIX"); p && *p) {
    prefix = p;
  } else {
    prefix = "/korvane-" + std::to_string(static_cast<unsigned long>(getuid())) + "-";
  }
  if (prefix[0] != '/') prefix.insert(prefix.begin(), '/');
  return prefix;
}

int lockRetrying(int fd, int operation) {
  int rc;
  do rc = flock(fd, operation);
  while (rc != 0 && errno == EINTR);
  return rc;
}

// Serialises the opening and the last closing of named objects between processes.
class Guard {
 public:
  Guard() {
    std::string name = namePrefix() + "lock";
    fd_ = shm_open(name.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ >= 0 && lockRetrying(fd_, LOCK_EX) != 0) {
      close(fd_);
      fd_ = -1;
    }
  }
  ~Guard() {
    if (fd_ >= 0) close(fd_);  // drops the lock
  }
  Guard(const Guard&) = delete;
  Guard& operator=(const Guard&) = delete;
  bool held() const { return fd_ >= 0; }

 private:
  int fd_;
};

bool reserve(int fd, uint64_t size) {
  if (size > static_cast<uint64_t>(LLONG_MAX)) return false;
  int rc = posix_fallocate(fd, 0, static_cast<off_t>(size));  // no SIGBUS later for want of room
  if (rc != 0) errno = rc;
  return rc == 0;
}

std::shared_ptr<SharedStore> fail(int error) {
  SetLastError(win32ErrorFromErrno(error));
  return nullptr;
}

}  // namespace

DWORD win32ErrorFromErrno(int error) {
  switch (error) {
    case EACCES:
    case EPERM: return ERROR_ACCESS_DENIED;
    case ENOMEM:
    case ENOSPC:
    case EFBIG:
    case EMFILE:
    case ENFILE: return ERROR_NOT_ENOUGH_MEMORY;
    case ENAMETOOLONG: return ERROR_INVALID_NAME;
    default: return ERROR_INVALID_PARAMETER;
  }
}

std::string posixObjectName(const char* kind, LPCSTR win32Name) {
  std::string name = namePrefix() + kind + "-";
  // The session's namespace is the one every name lives in anyway.
  if (std::strncmp(win32Name, "Local\\", 6) == 0) win32Name += 6;
  for (const char* p = win32Name; *p; ++p) {
    auto c = static_cast<unsigned char>(*p);
    if (c == '/' || c == '%' || c < 0x20 || c >= 0x7F) {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", c);
      name += escaped;
    } else {
      name += static_cast<char>(c);
    }
  }
  if (name.size() > NAME_MAX) {
    SetLastError(ERROR_INVALID_NAME);
    return {};
  }
  return name;
}

std::shared_ptr<SharedStore> SharedStore::open(const std::string& posixName, uint64_t size, bool& created,
                                               const std::function<bool(int)>& init) {
  Guard guard;
  if (!guard.held()) return fail(errno);
  const char* name = posixName.c_str();
  // A few rounds at most: a round repeats only when a left-behind object was removed.
  for (int round = 0; round < 4; ++round) {
    int fd = shm_open(name, O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
      if (!reserve(fd, size) || !init(fd) || lockRetrying(fd, LOCK_SH) != 0) {
        int error = errno;
        shm_unlink(name);
        close(fd);
        return fail(error);
      }
      created = true;
      try {
        return std::make_shared<SharedStore>(posixName, fd, size);
      } catch (...) {
        shm_unlink(name);
        close(fd);
        return fail(ENOMEM);
      }
    }
    if (errno != EEXIST) return fail(errno);

    fd = shm_open(name, O_RDWR | O_CLOEXEC, 0);
    if (fd < 0) {
      if (errno == ENOENT) continue;
      return fail(errno);
    }
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
      // Nobody holds it: its holders died without closing it.
      shm_unlink(name);
      close(fd);
      continue;
    }
    struct stat st {};
    if (lockRetrying(fd, LOCK_SH) != 0 || fstat(fd, &st) != 0) {
      int error = errno;
      close(fd);
      return fail(error);
    }
    created = false;
    try {
      return std::make_shared<SharedStore>(posixName, fd, static_cast<uint64_t>(st.st_size));
    } catch (...) {
      close(fd);
      return fail(ENOMEM);
    }
  }
  return fail(EAGAIN);
}

std::shared_ptr<SharedStore> SharedStore::anonymous(uint64_t size, const std::function<bool(int)>& init) {
  int fd = memfd_create("korvane", MFD_CLOEXEC);
  if (fd < 0) return fail(errno);
  if (!reserve(fd, size) || !init(fd)) {
    int error = errno;
    close(fd);
    return fail(error);
  }
  try {
    return std::make_shared<SharedStore>(std::string(), fd, size);
  } catch (...) {
    close(fd);
    return fail(ENOMEM);
  }
}

SharedStore::SharedStore(std::string posixName, int fd, uint64_t size)
    : name_(std::move(posixName)), fd_(fd), size_(size) {}

SharedStore::~SharedStore() {
  if (name_.empty()) {
    close(fd_);
    return;
  }
  Guard guard;
  close(fd_);  // our lock goes unless a child process shares this descriptor
  if (!guard.held()) return;  // left for the next opener to find unheld
  int probe = shm_open(name_.c_str(), O_RDWR | O_CLOEXEC, 0);
  if (probe < 0) return;
  if (flock(probe, LOCK_EX | LOCK_NB) == 0) shm_unlink(name_.c_str());
  close(probe);
}

}  // namespace kw
