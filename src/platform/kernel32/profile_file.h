// The text of a profile (win.ini) file: lookups and line-level edits that leave every
// line they do not concern as it was, comments and blank lines included.
#pragma once

#include <korvane/win32.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kw {

class ProfileText {
 public:
  // Double-byte text is recognised by the lead bytes of the given code page.
  ProfileText(std::string_view content, UINT codePage);

  // The value of the first matching key of the first matching section, trimmed; quotes
  // are left in place.
  std::optional<std::string_view> find(std::string_view section, std::string_view key) const;
  std::vector<std::string_view> sectionNames() const;
  // Empty when the section is missing or has no keys.
  std::vector<std::string_view> keyNames(std::string_view section) const;

  // The edits answer whether the text changed. Names are expected trimmed and valid.
  bool setValue(std::string_view section, std::string_view key, std::string_view value);
  bool deleteKey(std::string_view section, std::string_view key);
  bool deleteSection(std::string_view section);

  std::string text() const;

 private:
  struct Line {
    std::string text;  // without its line end
    std::string eol;   // "\n", "\r\n", or empty on a last line that has none
  };
  struct Span {
    size_t header;
    size_t end;  // one past the section's last line
  };

  std::optional<Span> findSection(std::string_view section) const;
  std::optional<size_t> findKey(const Span& span, std::string_view key) const;
  void insertLine(size_t at, std::string text);

  std::string bom_;  // a UTF-8 byte order mark in front of the first line, kept as it was
  std::vector<Line> lines_;
  std::string eol_;  // line end for new lines: the file's own, else the Windows one
  UINT codePage_;
};

// Case-insensitive comparison of profile names; trail bytes of double-byte characters
// compare as they are.
bool sameProfileName(std::string_view a, std::string_view b, UINT codePage);
// Blanks that surround names and values in a profile line.
std::string_view trimProfileBlanks(std::string_view s);
// Position of the first c that is not the trail byte of a double-byte character, or npos.
size_t findProfileChar(std::string_view s, char c, UINT codePage);

}  // namespace kw
