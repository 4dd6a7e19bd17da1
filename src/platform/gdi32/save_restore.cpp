// SaveDC/RestoreDC: a stack of whole DC states.
#include "device_context.h"

#include <new>

KW32_API int WINAPI SaveDC(HDC dc) {
  auto d = kw::gdi::lookupDC(dc);
  if (!d) return 0;
  try {
    d->saved.push_back(d->state);
  } catch (const std::bad_alloc&) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
  }
  return static_cast<int>(d->saved.size());
}

// A positive level restores the state SaveDC numbered so; a negative one counts back from
// the most recent save (-1). The restored state and every later one leave the stack.
KW32_API BOOL WINAPI RestoreDC(HDC dc, int savedDC) {
  auto d = kw::gdi::lookupDC(dc);
  if (!d || savedDC == 0) return FALSE;
  auto depth = static_cast<long long>(d->saved.size());
  long long level = savedDC > 0 ? savedDC : depth + 1 + savedDC;
  if (level < 1 || level > depth) return FALSE;
  kw::gdi::DcState restored = std::move(d->saved[static_cast<size_t>(level - 1)]);
  d->saved.resize(static_cast<size_t>(level - 1));
  if (d->surfaceKind == kw::gdi::SurfaceKind::Memory && restored.bitmap != d->state.bitmap) {
    // The bitmap goes back into this DC unless another DC took it meanwhile.
    if (!kw::gdi::selectBitmap(*d, restored.bitmap, restored.bitmapHandle)) {
      restored.bitmap = d->state.bitmap;
      restored.bitmapHandle = d->state.bitmapHandle;
    }
  }
  d->state = std::move(restored);
  return TRUE;
}
