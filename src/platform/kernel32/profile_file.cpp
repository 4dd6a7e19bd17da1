// Parsing and editing of profile text. A line is a section header ("[name]"), a key
// ("name=value"), or anything else (comments starting with ';', blank lines, text without
// '='), which is kept but never read.
#include "profile_file.h"

namespace kw {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

char foldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c; }

enum class Kind { Other, Section, Key };

struct Parsed {
  Kind kind = Kind::Other;
  std::string_view name;
  std::string_view value;
};

Parsed parse(std::string_view line, UINT codePage) {
  std::string_view t = trimProfileBlanks(line);
  Parsed p;
  if (t.empty() || t.front() == ';') return p;
  if (t.front() == '[') {
    std::string_view inner = t.substr(1);
    inner = inner.substr(0, findProfileChar(inner, ']', codePage));  // a missing ']' ends at the line end
    p.kind = Kind::Section;
    p.name = trimProfileBlanks(inner);
    return p;
  }
  size_t eq = t.find('=');
  if (eq == std::string_view::npos) return p;
  p.name = trimProfileBlanks(t.substr(0, eq));
  if (p.name.empty()) return p;  // "=value" names nothing that could be asked for
  p.kind = Kind::Key;
  p.value = trimProfileBlanks(t.substr(eq + 1));
  return p;
}

std::string keyLine(std::string_view key, std::string_view value) {
  std::string s;
  s.reserve(key.size() + 1 + value.size());
  s.append(key).append(1, '=').append(value);
  return s;
}

}  // namespace

std::string_view trimProfileBlanks(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

size_t findProfileChar(std::string_view s, char c, UINT codePage) {
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == c) return i;
    if (IsDBCSLeadByteEx(codePage, static_cast<BYTE>(s[i]))) ++i;
  }
  return std::string_view::npos;
}

bool sameProfileName(std::string_view a, std::string_view b, UINT codePage) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (foldAscii(a[i]) != foldAscii(b[i])) return false;
    if (IsDBCSLeadByteEx(codePage, static_cast<BYTE>(a[i])) && i + 1 < a.size()) {
      ++i;
      if (a[i] != b[i]) return false;
    }
  }
  return true;
}

ProfileText::ProfileText(std::string_view content, UINT codePage) : codePage_(codePage) {
  if (content.starts_with("\xEF\xBB\xBF")) {
    bom_ = content.substr(0, 3);
    content.remove_prefix(3);
  }
  while (!content.empty()) {
    size_t nl = content.find('\n');
    Line line;
    if (nl == std::string_view::npos) {
      line.text = content;
      content = {};
    } else {
      bool crlf = nl > 0 && content[nl - 1] == '\r';
      line.text = content.substr(0, crlf ? nl - 1 : nl);
      line.eol = crlf ? "\r\n" : "\n";
      content.remove_prefix(nl + 1);
    }
    if (eol_.empty()) eol_ = line.eol;
    lines_.push_back(std::move(line));
  }
  if (eol_.empty()) eol_ = "\r\n";
}

std::optional<ProfileText::Span> ProfileText::findSection(std::string_view section) const {
  if (section.empty()) return std::nullopt;  // "[]" is a header nobody can ask for
  for (size_t i = 0; i < lines_.size(); ++i) {
    Parsed p = parse(lines_[i].text, codePage_);
    if (p.kind != Kind::Section || !sameProfileName(p.name, section, codePage_)) continue;
    size_t end = i + 1;
    while (end < lines_.size() && parse(lines_[end].text, codePage_).kind != Kind::Section) ++end;
    return Span{i, end};
  }
  return std::nullopt;
}

std::optional<size_t> ProfileText::findKey(const Span& span, std::string_view key) const {
  for (size_t i = span.header + 1; i < span.end; ++i) {
    Parsed p = parse(lines_[i].text, codePage_);
    if (p.kind == Kind::Key && sameProfileName(p.name, key, codePage_)) return i;
  }
  return std::nullopt;
}

std::optional<std::string_view> ProfileText::find(std::string_view section, std::string_view key) const {
  auto span = findSection(section);
  if (!span) return std::nullopt;
  auto at = findKey(*span, key);
  if (!at) return std::nullopt;
  return parse(lines_[*at].text, codePage_).value;
}

std::vector<std::string_view> ProfileText::sectionNames() const {
  std::vector<std::string_view> names;
  for (const Line& line : lines_) {
    Parsed p = parse(line.text, codePage_);
    if (p.kind == Kind::Section) names.push_back(p.name);
  }
  return names;
}

std::vector<std::string_view> ProfileText::keyNames(std::string_view section) const {
  std::vector<std::string_view> names;
  if (auto span = findSection(section)) {
    for (size_t i = span->header + 1; i < span->end; ++i) {
      Parsed p = parse(lines_[i].text, codePage_);
      if (p.kind == Kind::Key) names.push_back(p.name);
    }
  }
  return names;
}

void ProfileText::insertLine(size_t at, std::string text) {
  // The line before may be a last line without a line end; it gets one first.
  if (at > 0 && lines_[at - 1].eol.empty()) lines_[at - 1].eol = eol_;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(text), eol_});
}

bool ProfileText::setValue(std::string_view section, std::string_view key, std::string_view value) {
  auto span = findSection(section);
  if (!span) {
    std::string header = "[";
    header.append(section).append(1, ']');
    insertLine(lines_.size(), std::move(header));
    insertLine(lines_.size(), keyLine(key, value));
    return true;
  }
  if (auto at = findKey(*span, key)) {
    // The key keeps the spelling it has in the file.
    std::string line = keyLine(parse(lines_[*at].text, codePage_).name, value);
    if (line == lines_[*at].text) return false;
    lines_[*at].text = std::move(line);
    return true;
  }
  // A new key goes after the section's last key, ahead of trailing comments and blanks.
  size_t after = span->header;
  for (size_t i = span->header + 1; i < span->end; ++i) {
    if (parse(lines_[i].text, codePage_).kind == Kind::Key) after = i;
  }
  insertLine(after + 1, keyLine(key, value));
  return true;
}

bool ProfileText::deleteKey(std::string_view section, std::string_view key) {
  auto span = findSection(section);
  if (!span) return false;
  auto at = findKey(*span, key);
  if (!at) return false;
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*at));
  return true;
}

bool ProfileText::deleteSection(std::string_view section) {
  auto span = findSection(section);
  if (!span) return false;
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(span->header),
               lines_.begin() + static_cast<std::ptrdiff_t>(span->end));
  return true;
}

std::string ProfileText::text() const {
  std::string out = bom_;
  for (const Line& line : lines_) out.append(line.text).append(line.eol);
  return out;
}

}  // namespace kw
