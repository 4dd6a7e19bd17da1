// The text, caret and selection of a single-line edit control, apart from its window, so
// that the editing rules can be tested on their own. Positions are byte offsets into the
// ANSI text; they never fall inside a double-byte character of the current code page.
#pragma once

#include <korvane/win32.h>
#include <korvane/win32/user32/controls.h>

#include <string>
#include <string_view>

namespace kw::user32 {

class EditText {
 public:
  // What an operation did, for the window to repaint, notify and beep.
  enum Effect : unsigned {
    kNothing = 0,
    kTextChanged = 1,       // EN_UPDATE, EN_CHANGE
    kSelectionChanged = 2,  // caret or selection moved
    kRefused = 4,           // the user's request was not carried out: beep
    kLimitReached = 8,      // EN_MAXTEXT: the text was cut to the limit or refused
  };
  // The largest limit EM_LIMITTEXT 0 gives a single-line control; the initial one.
  static constexpr size_t kMaxLimit = 0x7FFFFFFE;
  static constexpr size_t kDefaultLimit = 30000;

  const std::string& text() const { return text_; }
  size_t selectionStart() const { return anchor_ < caret_ ? anchor_ : caret_; }
  size_t selectionEnd() const { return anchor_ < caret_ ? caret_ : anchor_; }
  size_t caret() const { return caret_; }
  std::string selectedText() const;

  bool modified() const { return modified_; }
  void setModified(bool modified) { modified_ = modified; }
  size_t limit() const { return limit_; }
  void setLimit(size_t limit) { limit_ = limit == 0 || limit > kMaxLimit ? kMaxLimit : limit; }
  // ES_READONLY, ES_UPPERCASE, ES_LOWERCASE and ES_NUMBER of the control's style.
  void setStyle(DWORD style) { style_ = style; }
  void setReadOnly(bool readOnly);
  bool readOnly() const { return (style_ & ES_READONLY) != 0; }

  // WM_SETTEXT: the whole text, not bound by the limit; caret at the start, not modified.
  unsigned setText(std::string_view text);
  // EM_SETSEL: anchor at `start`, caret at `end`; a negative start keeps the caret and drops the
  // selection, a negative end means the end of the text; both are kept inside the text
  // and moved back to the start of a character they fall into.
  unsigned setSelection(long start, long end);
  // EM_REPLACESEL (byUser false) and the user's insertions (typing, paste): the selection
  // becomes `text`, cut to the limit at a character boundary; caret after it.
  unsigned replaceSelection(std::string_view text, bool byUser);
  // WM_CHAR of a printable byte: a lead byte waits for its trail byte.
  unsigned typeChar(BYTE c);
  unsigned backspace();
  unsigned deleteForward();
  // WM_CLEAR and WM_CUT's removal: deletes the selection.
  unsigned clearSelection();
  unsigned moveLeft(bool extend);
  unsigned moveRight(bool extend);
  unsigned moveHome(bool extend);
  unsigned moveEnd(bool extend);

 private:
  size_t boundaryAtOrBefore(size_t pos) const;
  size_t previousChar(size_t pos) const;
  size_t nextChar(size_t pos) const;
  unsigned moveTo(size_t pos, bool extend);
  unsigned erase(size_t from, size_t to);

  std::string text_;
  size_t anchor_ = 0;
  size_t caret_ = 0;
  size_t limit_ = kDefaultLimit;
  DWORD style_ = 0;
  bool modified_ = false;
  int pendingLead_ = -1;  // a lead byte typed without its trail byte yet
};

}  // namespace kw::user32
