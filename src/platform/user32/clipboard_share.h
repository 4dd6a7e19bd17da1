// The process's clipboard as the display shares it with other programs: what it holds as
// text, and its end when another program takes the clipboard.
#pragma once

#include <string>

namespace kw::user32 {

// The CF_TEXT the clipboard holds (without its terminator); false when it holds none.
// Callable from any thread, without opening the clipboard.
bool heldClipboardText(std::string* text);

// Another program took the clipboard: what this process held is dropped, as on Windows
// when another application empties it. While a thread has it open, that happens when it
// closes (unless it set text of its own meanwhile).
void clipboardTakenElsewhere();

}  // namespace kw::user32
