// How a job's logical pages fall on the printer's sheets: copies, tiles of a page larger
// than a sheet, the page range, and placing each tile before the caller paints it. All
// lengths are thousandths of an inch (MM_HIENGLISH), set afresh before every step.
#pragma once

#include <korvane/print.h>

namespace kv {

class PageLayout {
 public:
  PageLayout(HDC dc, const PRINTJOB& job);

  // Draft mode and copies on the device, the page fitted to the sheet, the tiles counted,
  // pages before the range passed over. False when no page of the range is left.
  bool start();
  // Moves to the next sheet (next copy, next tile, or the next logical page); false when
  // the job has no more.
  bool next();
  // Paints the current sheet's tile: the frame, then the caller's paint callback (whose
  // result it returns; TRUE when there was nothing to paint).
  BOOL paint(RECT band, int graphics, int text, int bandInfo);
  void end();

  int sheetsPerPage() const { return across_ * down_; }
  int copiesPerSheet() const { return repeat_; }

 private:
  void setUnits() const;
  void applyDevice();
  void fit();
  // Lets the caller go over a page outside the range without anything reaching paper.
  BOOL passOver();
  bool morePages();

  HDC dc_;
  const PRINTJOB& job_;
  LONG width_ = 0, height_ = 0;     // the logical page
  LONG originX_ = 0, originY_ = 0;  // its corner in the printable area
  LONG printableX_ = 1, printableY_ = 1;
  LONG offsetX_ = 0, offsetY_ = 0;  // the printable area's corner on the sheet
  int offsetDevX_ = 0, offsetDevY_ = 0;
  int across_ = 1, down_ = 1;
  int repeat_ = 1;                  // sheets printed per tile
  LONG first_ = 1, last_ = 1;       // the page range
  LONG page_ = 1;                   // the logical page being printed
  int tile_ = 1, copy_ = 1;
};

}  // namespace kv
