// The system colours: the classic scheme of Windows 2000, fixed (no one changes them
// here), and a brush of each made on first use.
#include "gdi32/surface_dc.h"

#include <korvane/win32.h>

#include <atomic>
#include <iterator>

namespace {

constexpr COLORREF kColours[] = {
    RGB(212, 208, 200),  // COLOR_SCROLLBAR
    RGB(58, 110, 165),   // COLOR_BACKGROUND
    RGB(10, 36, 106),    // COLOR_ACTIVECAPTION
    RGB(128, 128, 128),  // COLOR_INACTIVECAPTION
    RGB(212, 208, 200),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(0, 0, 0),        // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(255, 255, 255),  // COLOR_CAPTIONTEXT
    RGB(212, 208, 200),  // COLOR_ACTIVEBORDER
    RGB(212, 208, 200),  // COLOR_INACTIVEBORDER
    RGB(128, 128, 128),  // COLOR_APPWORKSPACE
    RGB(10, 36, 106),    // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(212, 208, 200),  // COLOR_BTNFACE
    RGB(128, 128, 128),  // COLOR_BTNSHADOW
    RGB(128, 128, 128),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
    RGB(212, 208, 200),  // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
    RGB(64, 64, 64),     // COLOR_3DDKSHADOW
    RGB(212, 208, 200),  // COLOR_3DLIGHT
    RGB(0, 0, 0),        // COLOR_INFOTEXT
    RGB(255, 255, 225),  // COLOR_INFOBK
    RGB(181, 181, 181),  // 25: unused, as on Windows
    RGB(0, 0, 128),      // COLOR_HOTLIGHT
    RGB(166, 202, 240),  // COLOR_GRADIENTACTIVECAPTION
    RGB(192, 192, 192),  // COLOR_GRADIENTINACTIVECAPTION
};
constexpr int kCount = static_cast<int>(std::size(kColours));

constinit std::atomic<HBRUSH> gBrushes[kCount] = {};

bool known(int index) { return index >= 0 && index < kCount && index != 25; }

}  // namespace

KW32_API DWORD WINAPI GetSysColor(int index) { return known(index) ? kColours[index] : 0; }

KW32_API HBRUSH WINAPI GetSysColorBrush(int index) {
  if (!known(index)) return nullptr;
  HBRUSH brush = gBrushes[index].load();
  if (brush) return brush;
  HBRUSH made = kw::gdi::createPermanentBrush(kColours[index]);
  // Two threads may race to make it; the loser's brush is simply never used.
  if (!gBrushes[index].compare_exchange_strong(brush, made)) return brush;
  return made;
}
