// Shared by the number formatting and unformatting tests: a US and a European profile, and
// a block that follows the regional settings.
#pragma once

#include "format/number_pic.h"
#include "frame/statics.h"
#include "test_support.h"

inline const char* kUS =
    "[intl]\nsCurrency=$\niCurrency=0\niNegCurr=0\nsThousand=,\nsDecimal=.\niDigits=2\niCurrDigits=2\niLzero=1\n";
inline const char* kEuro =
    "[intl]\nsCurrency=EUR\niCurrency=3\niNegCurr=8\nsThousand=.\nsDecimal=,\niDigits=2\niCurrDigits=2\niLzero=1\n";

// Regional settings for one test; the thread's affix cache starts afresh.
struct Regional {
  TempWinIni ini;
  explicit Regional(const char* contents) : ini(contents) { TLS_Free(kv::gTokenizerItem.value); }
  ~Regional() { TLS_Free(kv::gTokenizerItem.value); }
};

inline FMTCNTLBLOCK block(int kind) {
  FMTCNTLBLOCK b{};
  FMTInitCntlBlock(&b);
  b.nFormatType = kind;
  b.bUseIntl = 1;
  return b;
}
