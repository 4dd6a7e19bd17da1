// Text measuring and dialog fonts for the controls and dialogs, on GDI.
#include "user32/dialog_system.h"
#include "user32/driver.h"

#include <climits>
#include <mutex>

#include "user32/dialog_template.h"
#include "user32/queue.h"

namespace kw::user32 {

HFONT controlFont(HFONT font) { return font ? font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT)); }

int textWidthOn(HDC dc, std::string_view text) {
  SIZE size{};
  if (text.empty() || !GetTextExtentPoint32A(dc, text.data(), static_cast<int>(std::min<size_t>(text.size(), INT_MAX)), &size))
    return 0;
  return static_cast<int>(size.cx);
}

int lineHeightOn(HDC dc) {
  TEXTMETRICA tm{};
  return GetTextMetricsA(dc, &tm) ? static_cast<int>(tm.tmHeight) : 0;
}

TextMeasure::TextMeasure(HFONT font) : dc_(CreateCompatibleDC(nullptr)) {
  if (dc_) old_ = SelectObject(dc_, controlFont(font));
}

TextMeasure::~TextMeasure() {
  if (!dc_) return;
  SelectObject(dc_, old_);
  DeleteDC(dc_);
}

int textWidth(HFONT font, std::string_view text) { return TextMeasure(font).width(text); }

int lineHeight(HFONT font) { return TextMeasure(font).lineHeight(); }

bool fontBaseUnits(HFONT font, int* x, int* y) {
  static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  TextMeasure m(font);
  int width = m.width(kLetters), height = m.lineHeight();
  if (width <= 0 || height <= 0) return false;
  *x = baseUnitX(width);
  *y = height;
  return true;
}

HFONT createDialogFont(int points, int weight, bool italic, BYTE charSet, const std::string& face) {
  if (points <= 0 || face.empty()) return nullptr;
  HDC screen = GetDC(nullptr);
  int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return CreateFontA(-MulDiv(points, dpi, 72), 0, 0, 0, weight, italic, FALSE, FALSE, charSet, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.c_str());
}

bool inputCanArrive() {
  if (driver().interactive()) return true;  // a person at the screen
  QueuePtr q = currentQueue();
  std::lock_guard<std::mutex> hold(q->mutex);
  return !q->timers.empty();
}

}  // namespace kw::user32
