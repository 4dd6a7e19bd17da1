// Editing rules of the single-line edit control.
#include "user32/edit_text.h"

#include <algorithm>

namespace kw::user32 {

size_t EditText::boundaryAtOrBefore(size_t pos) const {
  if (pos >= text_.size()) return text_.size();
  const char* start = text_.c_str();
  const char* p = start;
  while (true) {
    const char* next = CharNextA(p);
    if (next == p || static_cast<size_t>(next - start) > pos) return static_cast<size_t>(p - start);
    p = next;
  }
}

size_t EditText::previousChar(size_t pos) const {
  const char* start = text_.c_str();
  return static_cast<size_t>(CharPrevA(start, start + pos) - start);
}

size_t EditText::nextChar(size_t pos) const {
  if (pos >= text_.size()) return text_.size();
  const char* start = text_.c_str();
  return std::min(static_cast<size_t>(CharNextA(start + pos) - start), text_.size());
}

std::string EditText::selectedText() const { return text_.substr(selectionStart(), selectionEnd() - selectionStart()); }

void EditText::setReadOnly(bool readOnly) {
  style_ = readOnly ? style_ | ES_READONLY : style_ & ~static_cast<DWORD>(ES_READONLY);
}

unsigned EditText::setText(std::string_view text) {
  text_.assign(text.substr(0, std::min(text.find('\0'), text.size())));
  anchor_ = caret_ = 0;
  modified_ = false;
  pendingLead_ = -1;
  return kTextChanged | kSelectionChanged;
}

unsigned EditText::setSelection(long start, long end) {
  size_t caret = caret_, anchor = caret_;
  if (start >= 0) {
    caret = end < 0 ? text_.size() : boundaryAtOrBefore(static_cast<size_t>(end));
    anchor = boundaryAtOrBefore(static_cast<size_t>(start));
  }
  if (anchor == anchor_ && caret == caret_) return kNothing;
  anchor_ = anchor;
  caret_ = caret;
  return kSelectionChanged;
}

unsigned EditText::replaceSelection(std::string_view text, bool byUser) {
  text = text.substr(0, std::min(text.find('\0'), text.size()));
  if (byUser && readOnly()) return kRefused;
  size_t from = selectionStart(), to = selectionEnd();
  size_t kept = text_.size() - (to - from);
  size_t room = kept < limit_ ? limit_ - kept : 0;
  unsigned effect = kNothing;
  std::string insert(text);
  if (insert.size() > room) {
    // Cut at the last whole character that fits.
    size_t cut = 0;
    for (const char* p = insert.c_str(); *p;) {
      size_t next = static_cast<size_t>(CharNextA(p) - insert.c_str());
      if (next > room) break;
      cut = next;
      p = insert.c_str() + next;
    }
    insert.resize(cut);
    effect |= kLimitReached;
    if (insert.empty()) return effect | kRefused;
  }
  if (insert.empty() && from == to) return effect;
  if (style_ & ES_UPPERCASE) CharUpperBuffA(insert.data(), static_cast<DWORD>(insert.size()));
  if (style_ & ES_LOWERCASE) CharLowerBuffA(insert.data(), static_cast<DWORD>(insert.size()));
  text_.replace(from, to - from, insert);
  anchor_ = caret_ = from + insert.size();
  modified_ = true;
  return effect | kTextChanged | kSelectionChanged;
}

unsigned EditText::typeChar(BYTE c) {
  char typed[3] = {static_cast<char>(c), 0, 0};
  if (pendingLead_ >= 0) {
    typed[0] = static_cast<char>(pendingLead_);
    typed[1] = static_cast<char>(c);
    pendingLead_ = -1;
  } else if (IsDBCSLeadByte(c)) {
    pendingLead_ = c;
    return kNothing;
  } else if (c < 0x20) {
    return kRefused;
  }
  if (readOnly()) return kRefused;
  if ((style_ & ES_NUMBER) && !(typed[0] >= '0' && typed[0] <= '9' && typed[1] == 0)) return kRefused;
  return replaceSelection(typed, true);
}

unsigned EditText::erase(size_t from, size_t to) {
  if (readOnly()) return kRefused;
  if (from == to) return kNothing;
  text_.erase(from, to - from);
  anchor_ = caret_ = from;
  modified_ = true;
  return kTextChanged | kSelectionChanged;
}

unsigned EditText::clearSelection() { return erase(selectionStart(), selectionEnd()); }

unsigned EditText::backspace() {
  if (selectionStart() != selectionEnd()) return clearSelection();
  if (caret_ == 0) return readOnly() ? kRefused : kNothing;
  return erase(previousChar(caret_), caret_);
}

unsigned EditText::deleteForward() {
  if (selectionStart() != selectionEnd()) return clearSelection();
  if (caret_ >= text_.size()) return readOnly() ? kRefused : kNothing;
  return erase(caret_, nextChar(caret_));
}

unsigned EditText::moveTo(size_t pos, bool extend) {
  size_t anchor = extend ? anchor_ : pos;
  if (pos == caret_ && anchor == anchor_) return kNothing;
  caret_ = pos;
  anchor_ = anchor;
  return kSelectionChanged;
}

// Without Shift an arrow key first collapses a selection onto its own edge.
unsigned EditText::moveLeft(bool extend) {
  if (!extend && anchor_ != caret_) return moveTo(selectionStart(), false);
  return moveTo(caret_ == 0 ? 0 : previousChar(caret_), extend);
}

unsigned EditText::moveRight(bool extend) {
  if (!extend && anchor_ != caret_) return moveTo(selectionEnd(), false);
  return moveTo(nextChar(caret_), extend);
}

unsigned EditText::moveHome(bool extend) { return moveTo(0, extend); }

unsigned EditText::moveEnd(bool extend) { return moveTo(text_.size(), extend); }

}  // namespace kw::user32
