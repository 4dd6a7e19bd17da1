// The separators, negative form and currency affixes in force for a format control block,
// with the per-thread cache of the regional affixes.
#include "format/number_pic.h"
#include "format/settings.h"
#include "frame/statics.h"
#include "memory/thread_block.h"

#include <korvane/memory.h>

#include <cstring>

namespace kv {

namespace {

// A thread-local item: built once per thread from the settings in force at the time.
struct AffixCache {
  CurrencyAffixes affixes;
  LONG built;
};

void KV_CALL freeCache(DWORD_PTR cache) { MemFree(reinterpret_cast<void*>(cache)); }

void buildRegional(CurrencyAffixes* a) {
  FMTBuildCurrencyAffixes(FMTGetIntlValue(kCurrencyPosition), FMTGetIntlValue(kNegCurr), a->posPrefix,
                          a->posSuffix, a->negPrefix, a->negSuffix, FMTGetIntlString(kCurrencySymbol));
}

// The calling thread's cache, created (zero-filled, not built) on first use; null when it
// cannot be had.
AffixCache* threadCache() {
  return static_cast<AffixCache*>(threadBlock(gTokenizerItem.value, sizeof(AffixCache), freeCache));
}

}  // namespace

PictureSeparators SeparatorsInForce(const FMTCNTLBLOCK* block) {
  if (!block->bUseIntl) return {block->cThousand, block->cDecimal};
  PictureSeparators sep;
  regionalSeparators(&sep.thousand, &sep.decimal);
  return sep;
}

LONG NegativeFormInForce(const FMTCNTLBLOCK* block) {
  return block->bUseIntl ? FMTGetIntlValue(kNegCurr) : block->iNegCurr;
}

void AffixesInForce(const FMTCNTLBLOCK* block, CurrencyAffixes* out) {
  std::memset(out, 0, sizeof *out);
  if (!block->bUseIntl) {
    FMTBuildCurrencyAffixes(block->iCurrency, block->iNegCurr, out->posPrefix, out->posSuffix, out->negPrefix,
                            out->negSuffix, block->lpszCurrency);
    return;
  }
  AffixCache* cache = threadCache();
  if (!cache) {
    buildRegional(out);  // no item to keep them in: still give the right affixes
    return;
  }
  if (!cache->built) {
    buildRegional(&cache->affixes);
    cache->built = 1;
  }
  *out = cache->affixes;
}

}  // namespace kv
