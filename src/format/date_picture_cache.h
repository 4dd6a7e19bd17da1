// Parsed date pictures kept by each thread: the pictures a program formats and validates
// with are few, and parsing one again on every call was most of the cost of a call.
#pragma once

#include "format/date_grammar.h"

namespace kv {

// The tokens of a picture parsed in picture mode, or null when it does not parse. Pictures
// short enough come from the calling thread's cache and stay valid until this object goes;
// a longer one is parsed for this object alone and released with it.
class PictureTokens {
 public:
  explicit PictureTokens(const char* picture);
  ~PictureTokens();
  PictureTokens(const PictureTokens&) = delete;
  PictureTokens& operator=(const PictureTokens&) = delete;

  const DateToken* head() const { return head_; }

 private:
  const DateToken* head_ = nullptr;
  DateToken* owned_ = nullptr;  // a list parsed for this object alone
  struct CachedPicture* entry_ = nullptr;
};

// Frees a thread's cache (the destructor of its format thread record calls this).
void freePictureCache(void* cache);

}  // namespace kv
