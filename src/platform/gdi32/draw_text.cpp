// DrawTextA: formatted text in a rectangle, with line breaks, word wrapping, alignment,
// "&" prefixes, tab expansion and an end ellipsis; DT_CALCRECT only measures.
#include "realized_font.h"
#include "text_layout.h"

#include <algorithm>
#include <cstring>

namespace {

using kw::gdi::RealizedFont;

struct Line {
  std::u32string text;
  int prefixAt = -1;  // the character that a single "&" marks, underlined
};

// Takes the "&" prefixes out: "&&" is one "&", "&x" underlines x.
Line stripPrefixes(const std::u32string& text) {
  Line line;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == U'&' && i + 1 < text.size()) {
      ++i;
      if (text[i] != U'&') line.prefixAt = static_cast<int>(line.text.size());
    }
    line.text.push_back(text[i]);
  }
  return line;
}

class Formatter {
 public:
  Formatter(const RealizedFont& font, const kw::gdi::TabStops& stops, bool tabs) : font_(font), stops_(stops), tabs_(tabs) {}
  int width(const std::u32string& s) const { return tabs_ ? tabbedWidth(font_, s, stops_) : font_.width(s); }

  // Breaks one paragraph into lines no wider than `limit` at spaces; a word longer than
  // the limit keeps a line of its own.
  void wrap(const Line& paragraph, int limit, std::vector<Line>& out) const {
    const std::u32string& t = paragraph.text;
    size_t start = 0;
    while (true) {
      size_t end = t.size();
      if (width(t.substr(start)) > limit) {
        size_t fit = start;  // end of the longest run of whole words that fits
        for (size_t i = start; i <= t.size(); ++i) {
          if (i < t.size() && t[i] != U' ') continue;
          if (i > start && width(t.substr(start, i - start)) > limit) break;
          fit = i;
        }
        if (fit > start) end = fit;
        else {  // the first word alone is too wide
          end = t.find(U' ', start);
          if (end == std::u32string::npos) end = t.size();
        }
      }
      Line line{t.substr(start, end - start), -1};
      if (paragraph.prefixAt >= static_cast<int>(start) && paragraph.prefixAt < static_cast<int>(end))
        line.prefixAt = paragraph.prefixAt - static_cast<int>(start);
      out.push_back(std::move(line));
      if (end >= t.size()) break;
      start = end;
      while (start < t.size() && t[start] == U' ') ++start;
      if (start >= t.size()) break;
    }
  }

  // Cuts a line that is too wide and ends it with "...".
  void ellipsis(Line& line, int limit) const {
    if (width(line.text) <= limit) return;
    std::u32string t = line.text;
    while (!t.empty() && width(t + U"...") > limit) t.pop_back();
    line.text = t + U"...";
    if (line.prefixAt >= static_cast<int>(t.size())) line.prefixAt = -1;
  }

 private:
  const RealizedFont& font_;
  const kw::gdi::TabStops& stops_;
  bool tabs_;
};

}  // namespace

KW32_API int WINAPI DrawTextA(HDC dc, LPCSTR text, int count, LPRECT rect, UINT format) {
  auto d = kw::gdi::lookupDC(dc);
  if (!d || !rect || (!text && count != 0)) return 0;
  if (count < 0) count = static_cast<int>(std::strlen(text));
  auto font = kw::gdi::realizedFontOf(*d);
  if (!font) return 0;
  kw::gdi::DcState& s = d->state;
  const TEXTMETRICA& tm = font->metrics();
  kw::gdi::TabStops stops = kw::gdi::tabStops(s, *font, 0, nullptr);
  Formatter fmt(*font, stops, (format & DT_EXPANDTABS) != 0);

  RECT box = kw::gdi::toDeviceRect(s, *rect);
  int limit = static_cast<int>(box.right - box.left);
  std::u32string all = kw::gdi::toUtf32(text, count);
  std::vector<Line> lines;
  size_t start = 0;
  while (start <= all.size()) {
    size_t end = (format & DT_SINGLELINE) ? all.size() : all.find(U'\n', start);
    if (end == std::u32string::npos) end = all.size();
    std::u32string piece = all.substr(start, end - start);
    if (format & DT_SINGLELINE) std::erase_if(piece, [](char32_t c) { return c == U'\r' || c == U'\n'; });
    else if (!piece.empty() && piece.back() == U'\r') piece.pop_back();
    Line para = (format & DT_NOPREFIX) ? Line{piece, -1} : stripPrefixes(piece);
    if ((format & DT_WORDBREAK) && !(format & DT_SINGLELINE)) fmt.wrap(para, limit, lines);
    else lines.push_back(std::move(para));
    start = end + 1;
  }
  if (format & DT_END_ELLIPSIS)
    for (Line& line : lines) fmt.ellipsis(line, limit);

  int lineHeight = static_cast<int>(tm.tmHeight);
  int total = lineHeight * static_cast<int>(lines.size());
  int top = box.top;
  if (format & DT_SINGLELINE) {
    if (format & DT_VCENTER) top = (box.top + box.bottom - total) / 2;
    else if (format & DT_BOTTOM) top = box.bottom - total;
  }
  int widest = 0;
  for (const Line& line : lines) widest = std::max(widest, fmt.width(line.text));
  if (format & DT_CALCRECT) {
    POINT far = kw::gdi::toLogical(s, {box.left + widest, box.top + total});
    rect->right = far.x;
    rect->bottom = far.y;
    return static_cast<int>(kw::gdi::logicalLengthY(s, total));
  }

  UINT savedAlign = s.textAlign;
  s.textAlign = TA_LEFT | TA_TOP;
  UINT options = (format & DT_NOCLIP) ? 0 : ETO_CLIPPED;
  int y = top;
  for (const Line& line : lines) {
    int w = fmt.width(line.text);
    int x = box.left;
    if (format & DT_CENTER) x = (box.left + box.right - w) / 2;
    else if (format & DT_RIGHT) x = box.right - w;
    // Each run between tabs starts at its tab stop.
    int pen = 0;
    size_t from = 0;
    for (size_t i = 0; i <= line.text.size(); ++i) {
      bool tab = i < line.text.size() && line.text[i] == U'\t' && (format & DT_EXPANDTABS);
      if (i < line.text.size() && !tab) continue;
      std::u32string run = line.text.substr(from, i - from);
      POINT at = kw::gdi::toLogical(s, {x + pen, y});
      kw::gdi::textOut(*d, at.x, at.y, options, rect, run, nullptr);
      pen += font->width(run);
      if (tab) pen = stops.next(pen);
      from = i + 1;
    }
    if (line.prefixAt >= 0) {
      int before = fmt.width(line.text.substr(0, static_cast<size_t>(line.prefixAt)));
      int mark = font->width(line.text.substr(static_cast<size_t>(line.prefixAt), 1));
      int under = y + static_cast<int>(tm.tmAscent) + 1;
      POINT a = kw::gdi::toLogical(s, {x + before, under}), b = kw::gdi::toLogical(s, {x + before + mark, under + 1});
      RECT r{a.x, a.y, b.x, b.y};
      if (HBRUSH brush = CreateSolidBrush(s.textColor)) {
        FillRect(dc, &r, brush);
        DeleteObject(brush);
      }
    }
    y += lineHeight;
  }
  s.textAlign = savedAlign;
  return static_cast<int>(kw::gdi::logicalLengthY(s, top - box.top + total));
}
