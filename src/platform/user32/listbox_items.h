// The items of a list box (and of a combo box's list), apart from its window: texts with
// their item data, the sorted order, the selection and the first visible item.
#pragma once

#include <korvane/win32.h>
#include <korvane/win32/user32/controls.h>

#include <string>
#include <string_view>
#include <vector>

namespace kw::user32 {

class ListItems {
 public:
  explicit ListItems(bool sorted = false) : sorted_(sorted) {}

  int count() const { return static_cast<int>(items_.size()); }
  // LB_ADDSTRING: at its sorted place (equal texts keep their order) or at the end.
  int add(std::string_view text);
  // LB_INSERTSTRING: at `index`, -1 for the end, never sorted; LB_ERR beyond the end.
  int insert(int index, std::string_view text);
  // LB_DELETESTRING: the items left, or LB_ERR.
  int remove(int index);
  void clear();
  // The item's text, or null for an index out of range.
  const std::string* text(int index) const;
  // LB_GETTEXT / CB_GETLBTEXT: the text and its zero copied to `out`; its length, or -1
  // (LB_ERR, CB_ERR) for an index out of range or no buffer. LB_GETTEXTLEN: the length or -1.
  int copyText(int index, char* out) const;
  int textLength(int index) const;
  LONG_PTR data(int index) const { return valid(index) ? items_[static_cast<size_t>(index)].data : LB_ERR; }
  bool setData(int index, LONG_PTR data);
  // LB_FINDSTRING (prefix) and LB_FINDSTRINGEXACT (whole text), ignoring case, from the
  // item after `start` round to `start` itself (-1 or out of range: from the first item).
  int find(int start, std::string_view text, bool exact) const;

  int selection() const { return selection_; }
  // LB_SETCURSEL: -1 or an index out of range leaves nothing selected.
  bool select(int index);
  int top() const { return top_; }
  void setTop(int index);
  // Scrolls the least needed for `index` to show among `rows` visible rows.
  void showItem(int index, int rows);

 private:
  struct Item {
    std::string text;
    LONG_PTR data = 0;
  };
  bool valid(int index) const { return index >= 0 && index < count(); }
  int place(int index, std::string_view text);

  std::vector<Item> items_;
  bool sorted_;
  int selection_ = -1;
  int top_ = 0;
};

}  // namespace kw::user32
