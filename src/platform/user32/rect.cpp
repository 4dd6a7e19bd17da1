// Rectangle arithmetic.
#include <korvane/win32.h>

#include <algorithm>

namespace {

bool empty(const RECT& r) { return r.left >= r.right || r.top >= r.bottom; }

}  // namespace

KW32_API BOOL WINAPI SetRect(LPRECT rect, int left, int top, int right, int bottom) {
  if (!rect) return FALSE;
  *rect = {left, top, right, bottom};
  return TRUE;
}

KW32_API BOOL WINAPI SetRectEmpty(LPRECT rect) { return SetRect(rect, 0, 0, 0, 0); }

KW32_API BOOL WINAPI CopyRect(LPRECT to, const RECT* from) {
  if (!to || !from) return FALSE;
  *to = *from;
  return TRUE;
}

KW32_API BOOL WINAPI IsRectEmpty(const RECT* rect) { return !rect || empty(*rect); }

KW32_API BOOL WINAPI EqualRect(const RECT* a, const RECT* b) {
  return a && b && a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom;
}

KW32_API BOOL WINAPI PtInRect(const RECT* rect, POINT p) {
  return rect && p.x >= rect->left && p.x < rect->right && p.y >= rect->top && p.y < rect->bottom;
}

KW32_API BOOL WINAPI OffsetRect(LPRECT rect, int dx, int dy) {
  if (!rect) return FALSE;
  rect->left += dx;
  rect->right += dx;
  rect->top += dy;
  rect->bottom += dy;
  return TRUE;
}

KW32_API BOOL WINAPI InflateRect(LPRECT rect, int dx, int dy) {
  if (!rect) return FALSE;
  rect->left -= dx;
  rect->right += dx;
  rect->top -= dy;
  rect->bottom += dy;
  return TRUE;
}

KW32_API BOOL WINAPI IntersectRect(LPRECT out, const RECT* a, const RECT* b) {
  if (!out) return FALSE;
  if (!a || !b || empty(*a) || empty(*b) || a->left >= b->right || b->left >= a->right || a->top >= b->bottom ||
      b->top >= a->bottom) {
    *out = {0, 0, 0, 0};
    return FALSE;
  }
  *out = {std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
          std::min(a->bottom, b->bottom)};
  return TRUE;
}

KW32_API BOOL WINAPI UnionRect(LPRECT out, const RECT* a, const RECT* b) {
  if (!out || !a || !b) return FALSE;
  if (empty(*a)) {
    *out = empty(*b) ? RECT{0, 0, 0, 0} : *b;
  } else if (empty(*b)) {
    *out = *a;
  } else {
    *out = {std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
            std::max(a->bottom, b->bottom)};
  }
  return !empty(*out);
}

// What is left of `a` after taking `b` away, when that is still one rectangle: `b` must
// cover a whole side of it.
KW32_API BOOL WINAPI SubtractRect(LPRECT out, const RECT* a, const RECT* b) {
  if (!out || !a || !b) return FALSE;
  RECT r = *a;
  RECT cut;
  if (IntersectRect(&cut, a, b)) {
    if (EqualRect(&cut, a)) {
      *out = {0, 0, 0, 0};
      return FALSE;
    }
    if (cut.top == r.top && cut.bottom == r.bottom) {
      if (cut.left == r.left) r.left = cut.right;
      else if (cut.right == r.right) r.right = cut.left;
    } else if (cut.left == r.left && cut.right == r.right) {
      if (cut.top == r.top) r.top = cut.bottom;
      else if (cut.bottom == r.bottom) r.bottom = cut.top;
    }
  }
  *out = r;
  return !empty(r);
}
