// The system classes.
#include "user32/system_classes.h"

namespace kw::user32 {

void registerSystemClasses() {}

}  // namespace kw::user32
