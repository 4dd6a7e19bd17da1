// Word wrapping for static controls.
#include "user32/static_text.h"

#include <korvane/win32.h>

namespace kw::user32 {

namespace {

void trimTrailingSpaces(std::string& s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
}

// One paragraph (no line ends) into lines.
void wrapParagraph(const std::string& text, int width, const std::function<int(std::string_view)>& measure,
                   std::vector<std::string>& lines) {
  size_t start = 0;
  while (true) {
    while (start < text.size() && text[start] == ' ') ++start;  // a line never starts with the break's spaces
    if (start >= text.size()) break;
    size_t breakAt = std::string::npos;  // the last place the line may end
    size_t end = start;
    const char* base = text.c_str();
    while (end < text.size()) {
      size_t next = static_cast<size_t>(CharNextA(base + end) - base);
      bool wide = next - end > 1;
      if (wide && end > start) breakAt = end;  // before a double-byte character
      if (measure(std::string_view(text).substr(start, next - start)) > width && end > start) {
        if (text[end] == ' ') breakAt = end;  // the line ends just before a space
        break;
      }
      end = next;
      if (text[end - 1] == ' ' || wide) breakAt = end;
    }
    if (end >= text.size()) {
      lines.push_back(text.substr(start));
      break;
    }
    size_t cut = breakAt != std::string::npos && breakAt > start ? breakAt : end;
    if (breakAt == std::string::npos || breakAt <= start) {
      // A word wider than the line: it runs to its own end.
      while (cut < text.size() && text[cut] != ' ') cut = static_cast<size_t>(CharNextA(base + cut) - base);
    }
    std::string line = text.substr(start, cut - start);
    trimTrailingSpaces(line);
    lines.push_back(line);
    start = cut;
  }
}

}  // namespace

std::vector<std::string> wrapText(std::string_view text, int width, const std::function<int(std::string_view)>& measure) {
  std::vector<std::string> lines;
  if (text.empty()) return lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    std::string paragraph(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (!paragraph.empty() && paragraph.back() == '\r') paragraph.pop_back();
    size_t before = lines.size();
    wrapParagraph(paragraph, width, measure, lines);
    if (lines.size() == before) lines.emplace_back();  // an empty line keeps its place
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return lines;
}

}  // namespace kw::user32
