// The stock objects: made once, never deleted.
#include "objects.h"

#include <cstring>

namespace kw::gdi {
namespace {

constexpr int kStockCount = 20;

LOGFONTA stockFont(LONG height, LONG weight, BYTE pitchAndFamily, const char* face) {
  LOGFONTA f{};
  f.lfHeight = height;
  f.lfWeight = weight;
  f.lfCharSet = DEFAULT_CHARSET;
  f.lfPitchAndFamily = pitchAndFamily;
  std::strncpy(f.lfFaceName, face, LF_FACESIZE - 1);
  return f;
}

struct StockTable {
  HGDIOBJ handles[kStockCount] = {};
  HGDIOBJ defaultBitmap = nullptr;
};

std::shared_ptr<GdiObject> makeStock(int index) {
  auto brush = [](UINT style, COLORREF c) { return std::make_shared<Brush>(LOGBRUSH{style, c, 0}); };
  auto pen = [](UINT style, COLORREF c) { return std::make_shared<Pen>(LOGPEN{style, {0, 0}, c}); };
  switch (index) {
    case WHITE_BRUSH: return brush(BS_SOLID, RGB(255, 255, 255));
    case LTGRAY_BRUSH: return brush(BS_SOLID, RGB(192, 192, 192));
    case GRAY_BRUSH: return brush(BS_SOLID, RGB(128, 128, 128));
    case DKGRAY_BRUSH: return brush(BS_SOLID, RGB(64, 64, 64));
    case BLACK_BRUSH: return brush(BS_SOLID, RGB(0, 0, 0));
    case NULL_BRUSH: return brush(BS_NULL, 0);
    case DC_BRUSH: return brush(BS_SOLID, RGB(255, 255, 255));
    case WHITE_PEN: return pen(PS_SOLID, RGB(255, 255, 255));
    case BLACK_PEN: return pen(PS_SOLID, RGB(0, 0, 0));
    case NULL_PEN: return pen(PS_NULL, 0);
    case DC_PEN: return pen(PS_SOLID, RGB(0, 0, 0));
    case OEM_FIXED_FONT:
    case ANSI_FIXED_FONT:
    case SYSTEM_FIXED_FONT:
      return std::make_shared<Font>(stockFont(12, FW_NORMAL, FIXED_PITCH | FF_MODERN, "Courier"));
    case ANSI_VAR_FONT:
      return std::make_shared<Font>(stockFont(12, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, "MS Sans Serif"));
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT:
      return std::make_shared<Font>(stockFont(16, FW_BOLD, VARIABLE_PITCH | FF_SWISS, "System"));
    case DEFAULT_GUI_FONT:
      return std::make_shared<Font>(stockFont(-11, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, "MS Shell Dlg"));
    default: return nullptr;
  }
}

StockTable& stock() {
  static StockTable* t = [] {
    auto* table = new StockTable;
    for (int i = 0; i < kStockCount; ++i) {
      if (auto object = makeStock(i)) table->handles[i] = insertObject(std::move(object));
    }
    cairo_surface_t* one = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1);
    table->defaultBitmap = insertObject(std::make_shared<Bitmap>(one, 1));
    return table;
  }();
  return *t;
}

}  // namespace

HGDIOBJ stockHandle(int index) {
  if (index < 0 || index >= kStockCount) return nullptr;
  return stock().handles[index];
}

std::shared_ptr<GdiObject> stockObject(int index) { return lookupObject(stockHandle(index)); }

bool isStockHandle(HGDIOBJ handle) {
  if (!handle) return false;
  const StockTable& t = stock();
  for (HGDIOBJ h : t.handles) {
    if (h == handle) return true;
  }
  return handle == t.defaultBitmap;
}

HGDIOBJ defaultBitmapHandle() { return stock().defaultBitmap; }

void setSourceColor(cairo_t* cr, COLORREF color) {
  cairo_set_source_rgb(cr, GetRValue(color) / 255.0, GetGValue(color) / 255.0, GetBValue(color) / 255.0);
}

}  // namespace kw::gdi

KW32_API HGDIOBJ WINAPI GetStockObject(int index) { return kw::gdi::stockHandle(index); }
