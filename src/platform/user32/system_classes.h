// The classes every process has without registering them: the standard controls and the
// dialog class.
#pragma once

namespace kw::user32 {

// Registers the system classes through RegisterClassA. The class table calls it once,
// on its first use, with the window manager's lock held; classes registered meanwhile
// count as system classes (found for any module, not to be unregistered).
void registerSystemClasses();

}  // namespace kw::user32
