// Tab stops for tabbed text.
#include "text_layout.h"

namespace kw::gdi {

int TabStops::next(int x) const {
  for (int stop : stops)
    if (stop > x) return stop;
  int base = stops.empty() ? 0 : stops.back();
  if (every <= 0) return x;
  return base + ((x - base) / every + 1) * every;
}

TabStops tabStops(const DcState& s, const RealizedFont& font, int count, const INT* tabs) {
  TabStops t;
  int average = font.metrics().tmAveCharWidth;
  if (count <= 0 || !tabs) {
    t.every = 8 * average;
  } else if (count == 1) {
    t.every = tabs[0] > 0 ? static_cast<int>(deviceLengthX(s, tabs[0])) : 8 * average;
  } else {
    for (int i = 0; i < count; ++i) {
      int stop = static_cast<int>(deviceLengthX(s, tabs[i]));
      if (t.stops.empty() || stop > t.stops.back()) t.stops.push_back(stop);
    }
    t.every = t.stops.size() > 1 ? t.stops.back() - t.stops[t.stops.size() - 2] : t.stops.back();
  }
  if (t.every <= 0) t.every = average > 0 ? 8 * average : 1;
  return t;
}

int tabbedWidth(const RealizedFont& font, const std::u32string& text, const TabStops& stops) {
  int x = 0;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && text[i] != U'\t') continue;
    x += font.width(text.substr(start, i - start));
    if (i < text.size()) x = stops.next(x);
    start = i + 1;
  }
  return x;
}

}  // namespace kw::gdi
