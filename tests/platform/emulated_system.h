// Switches the emulated system language for one test and back to English at its end.
#pragma once

#include <korvane/platform.h>

class EmulatedSystem {
 public:
  explicit EmulatedSystem(LANGID lang) { KwConfigureSystem(lang, lang); }
  ~EmulatedSystem() { KwConfigureSystem(0x0409, 0x0409); }
  EmulatedSystem(const EmulatedSystem&) = delete;
  EmulatedSystem& operator=(const EmulatedSystem&) = delete;
};
