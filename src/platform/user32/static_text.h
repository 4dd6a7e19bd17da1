// Breaking a static control's text into the lines it shows.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kw::user32 {

// Lines of at most `width` pixels as `measure` counts them: breaks at line ends ("\n",
// "\r\n"), after spaces, and on either side of a double-byte character; a word wider
// than the line stands alone. Spaces at a break are dropped.
std::vector<std::string> wrapText(std::string_view text, int width, const std::function<int(std::string_view)>& measure);

}  // namespace kw::user32
