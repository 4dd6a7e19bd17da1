// Starting values of the format control block. Fields that the caller always sets before
// use (pictures, buffers, the currency fields) are left as they are.
#include "format/number_pic.h"

#include <cstring>

KV_API int KV_CALL FMTInitCntlBlock(FMTCNTLBLOCK* block) {
  if (!block) return 0;
  block->nFormatType = -1;
  block->cThousand = '\0';
  block->cDecimal = '\0';
  std::memset(&block->dValue, 0, sizeof block->dValue);
  block->iLzero = 0;
  block->iDigits = 0;
  block->iCountry = 1;
  block->iEmpDateBoundryCheck = 0;
  block->wFlags = (block->wFlags & ~static_cast<DWORD>(FMT_FLAGS_OWNED_BY_INIT)) | FMT_FLAGS_SET_BY_INIT;
  std::memset(&block->number, 0, sizeof block->number);
  NumNullToZero(&block->number);
  block->hWnd = nullptr;
  block->uMsg = 0;
  block->wParam = 0;
  block->lParam = 0;
  return 1;
}
