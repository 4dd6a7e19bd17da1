// Tab and group order of dialog controls.
#include "user32/dialog_navigation.h"

#include <cstddef>

namespace kw::user32 {

namespace {

// Steps from `from` through the indices [first, end) round their end, returning the first
// index that `wanted` accepts, or -1 when a whole round meets none.
template <typename Accept>
int step(int from, int first, int end, bool backward, Accept wanted) {
  int n = end - first;
  if (n <= 0) return -1;
  for (int k = 1; k <= n; ++k) {
    int offset = ((from - first) + (backward ? -k : k)) % n;
    if (offset < 0) offset += n;
    if (wanted(first + offset)) return first + offset;
  }
  return -1;
}

}  // namespace

int nextTabItem(const std::vector<NavigationItem>& items, int current, bool backward) {
  int n = static_cast<int>(items.size());
  if (current < -1 || current >= n) current = -1;
  int from = current >= 0 ? current : (backward ? 0 : n - 1);
  int found = step(from, 0, n, backward, [&](int i) {
    const NavigationItem& item = items[static_cast<size_t>(i)];
    return item.tabStop && item.usable;
  });
  return found >= 0 ? found : current;
}

int nextGroupItem(const std::vector<NavigationItem>& items, int current, bool backward) {
  int n = static_cast<int>(items.size());
  if (current < 0 || current >= n) return -1;
  int first = current;
  while (first > 0 && !items[static_cast<size_t>(first)].group) --first;
  int end = current + 1;
  while (end < n && !items[static_cast<size_t>(end)].group) ++end;
  int found = step(current, first, end, backward, [&](int i) { return items[static_cast<size_t>(i)].usable; });
  return found >= 0 ? found : current;
}

}  // namespace kw::user32
