// Each thread keeps its last few parsed pictures, keyed by the picture's bytes. Picture mode
// reads bytes alone (no code page, no setting), so equal bytes always give equal tokens and
// no change of settings can make an entry stale: a changed regional picture is a different
// key. The cache is the thread's own, so reading it takes no lock; an entry in use is pinned
// and never replaced under its user.
#include "format/date_picture_cache.h"

#include "format/settings.h"

#include <korvane/memory.h>

#include <cstring>

namespace kv {

namespace {

constexpr size_t kKeyBytes = 96;  // longer pictures are parsed per call
constexpr size_t kTokens = 40;
constexpr int kEntries = 8;

}  // namespace

struct CachedPicture {
  int pins;
  bool used;
  bool parsed;  // false: the picture does not parse
  size_t keyLength;
  char key[kKeyBytes];
  DateToken tokens[kTokens];
  char texts[kKeyBytes];  // the literal texts, each shorter than the picture
};

namespace {

struct PictureCache {
  CachedPicture entries[kEntries];
  int next;  // the entry to replace next
};

PictureCache* threadCache() {
  FormatThreadRecord* record = formatThreadRecord();
  if (!record) return nullptr;
  if (!record->pictureCache) record->pictureCache = MemAlloc(sizeof(PictureCache));
  return static_cast<PictureCache*>(record->pictureCache);
}

// Copies a parsed list into the entry; false when it does not fit.
bool store(CachedPicture& e, const DateToken* head) {
  size_t count = 0, textBytes = 0;
  for (const DateToken* t = head; t; t = t->next) {
    if (++count > kTokens) return false;
    if (t->kind == kTokText) textBytes += std::strlen(reinterpret_cast<const char*>(t->value)) + 1;
  }
  if (textBytes > sizeof e.texts) return false;
  char* text = e.texts;
  DateToken* previous = nullptr;
  size_t i = 0;
  for (const DateToken* t = head; t; t = t->next, ++i) {
    DateToken& copy = e.tokens[i];
    copy = DateToken{t->kind, t->value, nullptr, previous};
    if (t->kind == kTokText) {
      const size_t n = std::strlen(reinterpret_cast<const char*>(t->value)) + 1;
      std::memcpy(text, reinterpret_cast<const char*>(t->value), n);
      copy.value = reinterpret_cast<LONG_PTR>(text);
      text += n;
    }
    if (previous) previous->next = &copy;
    previous = &copy;
  }
  e.parsed = count > 0;
  return true;
}

CachedPicture* find(PictureCache& cache, const char* picture, size_t length) {
  for (CachedPicture& e : cache.entries) {
    if (e.used && e.keyLength == length && std::memcmp(e.key, picture, length) == 0) return &e;
  }
  return nullptr;
}

// An entry nobody uses, taken in turn; null when every entry is pinned.
CachedPicture* victim(PictureCache& cache) {
  for (int tries = 0; tries < kEntries; ++tries) {
    CachedPicture& e = cache.entries[cache.next];
    cache.next = (cache.next + 1) % kEntries;
    if (e.pins == 0) return &e;
  }
  return nullptr;
}

}  // namespace

PictureTokens::PictureTokens(const char* picture) {
  if (!picture) return;
  const size_t length = std::strlen(picture);
  PictureCache* cache = length <= kKeyBytes ? threadCache() : nullptr;
  if (cache) {
    if (CachedPicture* e = find(*cache, picture, length)) {
      ++e->pins;
      entry_ = e;
      head_ = e->parsed ? e->tokens : nullptr;
      return;
    }
  }
  DateToken* list = FMTParseDateString(picture, kParsePicture);
  CachedPicture* e = cache ? victim(*cache) : nullptr;
  if (e) {
    e->used = false;
    if (store(*e, list)) {
      std::memcpy(e->key, picture, length);
      e->keyLength = length;
      e->used = true;
      e->pins = 1;
      entry_ = e;
      head_ = e->parsed ? e->tokens : nullptr;
      FMTFreeDateTokens(list);
      return;
    }
  }
  owned_ = list;
  head_ = list;
}

PictureTokens::~PictureTokens() {
  if (entry_) --entry_->pins;
  FMTFreeDateTokens(owned_);
}

void freePictureCache(void* cache) { MemFree(cache); }

}  // namespace kv
