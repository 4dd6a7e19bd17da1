// SIGPIPE held back while Xlib writes to a server that may have gone.
#include "x11/x11_state.h"

#include <ctime>

namespace kw::x11 {

QuietPipe::QuietPipe() {
  sigset_t pipe;
  sigemptyset(&pipe);
  sigaddset(&pipe, SIGPIPE);
  sigset_t waiting;
  sigpending(&waiting);
  pending_ = sigismember(&waiting, SIGPIPE) == 1;
  pthread_sigmask(SIG_BLOCK, &pipe, &old_);
}

QuietPipe::~QuietPipe() {
  sigset_t waiting;
  sigpending(&waiting);
  if (!pending_ && sigismember(&waiting, SIGPIPE) == 1) {
    sigset_t pipe;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    const timespec now{0, 0};
    sigtimedwait(&pipe, nullptr, &now);  // ours: raised by the write that found no server
  }
  pthread_sigmask(SIG_SETMASK, &old_, nullptr);
}

}  // namespace kw::x11
