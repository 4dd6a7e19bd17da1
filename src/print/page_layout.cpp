#include "print/page_layout.h"

#include <cstdint>

#include "print/dc_queries.h"

namespace kv {

namespace {

// Tiling starts only when the page exceeds the sheet by more than this.
constexpr LONG kTileSlack = 20;

}  // namespace

PageLayout::PageLayout(HDC dc, const PRINTJOB& job) : dc_(dc), job_(job) {}

void PageLayout::setUnits() const { SetMapMode(dc_, MM_HIENGLISH); }

void PageLayout::applyDevice() {
  if (escapeSupported(dc_, DRAFTMODE)) {
    int draft = job_.bDraft ? 1 : 0;
    Escape(dc_, DRAFTMODE, sizeof draft, reinterpret_cast<LPCSTR>(&draft), nullptr);
  }
  const int copies = job_.nCopies < 1 ? 1 : static_cast<int>(job_.nCopies);
  bool deviceCopies = false;
  if (copies > 1 && escapeSupported(dc_, SETCOPYCOUNT)) {
    int made = 0;
    if (Escape(dc_, SETCOPYCOUNT, sizeof copies, reinterpret_cast<LPCSTR>(&copies), &made) > 0 && made >= copies) {
      deviceCopies = true;
    } else {
      // The device cannot make them all: it makes one and the library repeats the sheets.
      int one = 1;
      Escape(dc_, SETCOPYCOUNT, sizeof one, reinterpret_cast<LPCSTR>(&one), nullptr);
    }
  }
  const DEVMODEA* mode = job_.desc.lpDevMode;
  const bool modeCopies = mode && (mode->dmFields & DM_COPIES) && mode->dmCopies >= 2;
  repeat_ = deviceCopies || modeCopies ? 1 : copies;
}

void PageLayout::fit() {
  // Lengths go through the DC's own MM_HIENGLISH scale (from the device's size in
  // millimetres, as GDI derives it), so that tiles meet exactly where the device says.
  SetViewportOrgEx(dc_, 0, 0, nullptr);
  SetWindowOrgEx(dc_, 0, 0, nullptr);
  const POINT sheet = logicalSize(dc_, GetDeviceCaps(dc_, PHYSICALWIDTH), GetDeviceCaps(dc_, PHYSICALHEIGHT));
  offsetDevX_ = GetDeviceCaps(dc_, PHYSICALOFFSETX);
  offsetDevY_ = GetDeviceCaps(dc_, PHYSICALOFFSETY);
  const POINT offset = logicalSize(dc_, offsetDevX_, offsetDevY_);
  offsetX_ = offset.x;
  offsetY_ = offset.y;
  const POINT printable = logicalSize(dc_, GetDeviceCaps(dc_, HORZRES), GetDeviceCaps(dc_, VERTRES));
  printableX_ = printable.x < 1 ? 1 : printable.x;
  printableY_ = printable.y < 1 ? 1 : printable.y;
  const LONG sheetX = sheet.x, sheetY = sheet.y;

  const bool tiling = job_.bTile || job_.bTileToo;
  width_ = job_.cxPage > 0 ? job_.cxPage : 0;
  height_ = job_.cyPage > 0 ? job_.cyPage : 0;
  if (!job_.bSnap) {
    POINT size{width_, -height_};
    LPtoDP(dc_, &size, 1);
    const POINT snapped = logicalSize(dc_, size.x, size.y);
    width_ = snapped.x, height_ = snapped.y;
  }
  const bool tileX = tiling && width_ > sheetX + kTileSlack;
  const bool tileY = tiling && height_ > sheetY + kTileSlack;
  if (!tileX && width_ > sheetX) width_ = sheetX;
  if (!tileY && height_ > sheetY) height_ = sheetY;

  // The page cannot begin in the margin the device cannot print: it would lose its edge.
  originX_ = (job_.xLeft > offsetX_ ? job_.xLeft : offsetX_) - offsetX_;
  originY_ = (job_.yTop > offsetY_ ? job_.yTop : offsetY_) - offsetY_;
  // A page that is not tiled stays on one sheet, cut where the sheet ends.
  across_ = tileX ? static_cast<int>((originX_ + width_ - 1) / printableX_ + 1) : 1;
  down_ = tileY ? static_cast<int>((originY_ + height_ - 1) / printableY_ + 1) : 1;
  if (across_ < 1) across_ = 1;
  if (down_ < 1) down_ = 1;
}

bool PageLayout::start() {
  setUnits();
  applyDevice();
  fit();
  const LONG count = job_.nPageCount < 1 ? 1 : job_.nPageCount;
  if (job_.bAllPages) {
    first_ = 1;
    last_ = INT32_MAX;
  } else {
    first_ = job_.nFirstPage < 1 ? 1 : job_.nFirstPage > count ? count : job_.nFirstPage;
    last_ = job_.nLastPage > count ? count : job_.nLastPage;
    if (last_ < first_) last_ = first_;
  }
  page_ = 1;
  tile_ = copy_ = 1;
  while (page_ < first_) {
    if (!passOver() || !morePages()) return false;
    ++page_;
  }
  return true;
}

bool PageLayout::morePages() { return job_.lpfnMorePages && job_.lpfnMorePages(job_.dwUser); }

BOOL PageLayout::passOver() {
  setUnits();
  const int saved = SaveDC(dc_);
  IntersectClipRect(dc_, 0, 0, 0, 0);  // an empty clip: the page is painted into nothing
  RECT band{0, 0, 0, 0};
  const BOOL go = job_.lpfnPaint ? job_.lpfnPaint(dc_, PRINT_CODE_PAINT, &band, job_.dwUser, 0, 0, 0) : TRUE;
  RestoreDC(dc_, saved);
  return go;
}

bool PageLayout::next() {
  setUnits();
  if (copy_ < repeat_) {
    ++copy_;
    return true;
  }
  if (tile_ < across_ * down_) {
    ++tile_;
    copy_ = 1;
    return true;
  }
  if (page_ >= last_ || !morePages()) return false;
  ++page_;
  tile_ = copy_ = 1;
  return true;
}

BOOL PageLayout::paint(RECT band, int graphics, int text, int bandInfo) {
  if (band.right <= band.left || band.bottom <= band.top) return TRUE;
  const int saved = SaveDC(dc_);
  setUnits();
  // Tile (column, row) shows the page from where the tile before it ended; the first
  // column and row reach out to the sheet's edge, the rest start at the printable corner.
  const int column = (tile_ - 1) % across_, row = (tile_ - 1) / across_;
  SetViewportOrgEx(dc_, column == 0 ? -offsetDevX_ : 0, row == 0 ? -offsetDevY_ : 0, nullptr);
  const LONG showX = column == 0 ? -(originX_ + offsetX_) : column * printableX_ - originX_;
  const LONG showY = row == 0 ? -(originY_ + offsetY_) : row * printableY_ - originY_;
  SetWindowOrgEx(dc_, showX, -showY, nullptr);
  IntersectClipRect(dc_, 0, 0, width_, -height_);
  RECT clip;
  BOOL go = TRUE;
  if (GetClipBox(dc_, &clip) != NULLREGION && clip.left != clip.right && clip.top != clip.bottom) {
    if (job_.bFrame) {
      SetBkMode(dc_, TRANSPARENT);
      HGDIOBJ brush = SelectObject(dc_, GetStockObject(NULL_BRUSH));
      Rectangle(dc_, 0, 0, width_, -height_);
      SelectObject(dc_, brush);
    }
    if (job_.lpfnPaint) go = job_.lpfnPaint(dc_, PRINT_CODE_PAINT, &band, job_.dwUser, graphics, text, bandInfo);
  }
  RestoreDC(dc_, saved);
  return go;
}

void PageLayout::end() { setUnits(); }

}  // namespace kv
