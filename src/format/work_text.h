// Room for a writable copy of a caller's text: on the stack for text of ordinary length,
// allocated beyond it. Number and date calls copy their input on every call, and the
// allocation was a large part of a short call.
#pragma once

#include <korvane/memory.h>

#include <cstddef>

namespace kv {

class WorkText {
 public:
  explicit WorkText(size_t bytes)
      : text_(bytes <= sizeof local_ ? local_
              : bytes > 0x7FFF0000u ? nullptr
                                    : static_cast<char*>(MemAlloc(static_cast<DWORD>(bytes)))) {}
  ~WorkText() {
    if (text_ != local_) MemFree(text_);
  }
  WorkText(const WorkText&) = delete;
  WorkText& operator=(const WorkText&) = delete;

  // Null when the room could not be allocated.
  char* get() const { return text_; }

 private:
  char local_[256];
  char* text_;
};

}  // namespace kv
