// Tab stops and line breaking shared by the tabbed measurements and DrawTextA.
#pragma once

#include "realized_font.h"

#include <vector>

namespace kw::gdi {

// Tab positions in device pixels from the start of a line: the listed ones, then every
// `every` pixels past the last.
struct TabStops {
  std::vector<int> stops;
  int every = 0;
  int next(int x) const;
};
// Win32's rules: no stops, every 8 average characters; one, every that many logical units;
// several, those (logical units) and then every the last one's spacing.
TabStops tabStops(const DcState& s, const RealizedFont& font, int count, const INT* tabs);

// Width in device pixels of text whose tabs jump to the stops.
int tabbedWidth(const RealizedFont& font, const std::u32string& text, const TabStops& stops);

}  // namespace kw::gdi

namespace kw::gdi {

// ExtTextOutA on UTF-32 text: `x`, `y` logical (or the current position under
// TA_UPDATECP), `rect` logical, `dx` per character in logical units (or null).
bool textOut(DeviceContext& dc, int x, int y, UINT options, const RECT* rect, const std::u32string& text,
             const std::vector<int>* dx);

}  // namespace kw::gdi
