// What the controls and dialogs take from the rest of the system: text measuring and
// drawing, repainting, the keyboard state, the clipboard, beeps and the screen size. All
// of it passes through here, so the controls stay the same while the graphics layer,
// painting and input are completed underneath them: until then a font is the system
// font's fixed 8 x 16 cell, drawing does nothing and the clipboard is this process's own.
#pragma once

#include <korvane/win32.h>

#include <string>
#include <string_view>

namespace kw::user32 {

// Text in a font (null: the system font): the width of a run of text, the height of a line.
int textWidth(HFONT font, std::string_view text);
int lineHeight(HFONT font);
// The dialog base units of a font: the average width of the 52 Latin letters and the
// height; false when there are no real metrics to take them from.
bool fontBaseUnits(HFONT font, int* x, int* y);
// A dialog template's font (null when there is none to be had); deleteFont frees it.
HFONT createDialogFont(int points, int weight, bool italic, BYTE charSet, const std::string& face);
void deleteFont(HFONT font);

// Asks for the whole window to be painted again / paints what is pending now.
void repaint(HWND window);
void paintNow(HWND window);
// Fills a rectangle of a device context, for WM_ERASEBKGND.
void fillRect(HDC dc, const RECT& r, COLORREF colour);

// Whether a key is down in the calling thread's keyboard state.
bool isKeyDown(int virtualKey);
// WM_KEYDOWN into WM_CHAR, as a message loop does.
void translateKeys(const MSG& msg);
void beep(UINT type);
// Whether anything may still bring the calling thread a message it does not have yet: a
// timer of its own or a display that gives input.
bool inputCanArrive();
// The screen's size in pixels.
SIZE screenSize();

// The clipboard's text (CF_TEXT).
bool putClipboardText(HWND owner, std::string_view text);
bool takeClipboardText(HWND owner, std::string* text);

}  // namespace kw::user32
