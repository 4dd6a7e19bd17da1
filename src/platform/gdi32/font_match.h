// Which installed face answers a logical font: old Windows face names are mapped onto
// fontconfig families, then fontconfig picks the file. Matches are cached, so a new size of
// a face asked for before never runs fontconfig again.
#pragma once

#include <korvane/win32.h>

#include <string>
#include <vector>

namespace kw::gdi {

struct FaceMatch {
  std::string file;      // empty: nothing matched
  int index = 0;         // face within the file
  std::string family;    // the family as fontconfig names it
  bool monospace = false;
  bool scalable = true;
  int weight = FW_NORMAL;  // of the matched face, in Win32 units
  bool italic = false;
};

// The face for a logical font's name, weight, slant, pitch and family, and character set.
FaceMatch matchFace(const LOGFONTA& log);
// A face that has the character `c`, for text the first face lacks; empty if none.
FaceMatch matchFallback(char32_t c);

// One installed face as enumeration reports it.
struct InstalledFace {
  FaceMatch match;
  std::string style;
  bool latin = false, japanese = false;  // character sets it covers
};
std::vector<InstalledFace> installedFaces();

// The character set that DEFAULT_CHARSET stands for under the current code page.
BYTE defaultCharSet();

}  // namespace kw::gdi
