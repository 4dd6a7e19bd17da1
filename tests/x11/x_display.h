// What the tests ask of the X server themselves: screenshots of X windows and their
// comparison with the committed reference images (tolerant of anti-aliasing: a per-pixel
// threshold and a share of pixels allowed to differ, not byte equality), and a window
// manager's close request.
#pragma once

#include <cairo.h>

#include <string>

namespace kwtest {

// The X window `id` (as xdotool prints it) as an image, written to `png` too; null when
// X will not give it.
cairo_surface_t* captureWindow(const std::string& id, const std::string& png);

// The share of pixels in which some channel differs by more than `threshold`; 1 when the
// sizes differ.
double differingShare(cairo_surface_t* a, cairo_surface_t* b, int threshold);

// Compares `shot` with tests/x11/reference/`name`.png; KORVANE_UPDATE_REFERENCES=1 writes
// the reference instead. The share of differing pixels, or 1 without a reference.
double compareWithReference(cairo_surface_t* shot, const std::string& name);

// Asks the X window `id` to close, as a window manager's close button does
// (WM_DELETE_WINDOW); false when X would not take the request.
bool askToClose(const std::string& id);

}  // namespace kwtest
