// The item list of list boxes and combo boxes.
#include "user32/listbox_items.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace kw::user32 {

namespace {

bool startsWithIgnoringCase(const std::string& item, std::string_view prefix) {
  if (item.size() < prefix.size()) return false;
  std::string head = item.substr(0, prefix.size());
  return lstrcmpiA(head.c_str(), std::string(prefix).c_str()) == 0;
}

}  // namespace

int ListItems::place(int index, std::string_view text) {
  try {
    Item item{std::string(text.substr(0, std::min(text.find('\0'), text.size())))};
    items_.insert(items_.begin() + index, std::move(item));
  } catch (const std::bad_alloc&) {
    return LB_ERRSPACE;
  }
  if (selection_ >= index) ++selection_;
  return index;
}

int ListItems::add(std::string_view text) {
  if (!sorted_) return place(count(), text);
  std::string key(text.substr(0, std::min(text.find('\0'), text.size())));
  auto at = std::upper_bound(items_.begin(), items_.end(), key, [](const std::string& k, const Item& item) {
    return lstrcmpiA(k.c_str(), item.text.c_str()) < 0;
  });
  return place(static_cast<int>(at - items_.begin()), key);
}

int ListItems::insert(int index, std::string_view text) {
  if (index == -1) index = count();
  if (index < 0 || index > count()) return LB_ERR;
  return place(index, text);
}

int ListItems::remove(int index) {
  if (!valid(index)) return LB_ERR;
  items_.erase(items_.begin() + index);
  if (selection_ == index)
    selection_ = -1;
  else if (selection_ > index)
    --selection_;
  top_ = std::min(top_, std::max(count() - 1, 0));
  return count();
}

void ListItems::clear() {
  items_.clear();
  selection_ = -1;
  top_ = 0;
}

const std::string* ListItems::text(int index) const {
  return valid(index) ? &items_[static_cast<size_t>(index)].text : nullptr;
}

int ListItems::copyText(int index, char* out) const {
  const std::string* t = text(index);
  if (!t || !out) return -1;
  std::memcpy(out, t->c_str(), t->size() + 1);
  return static_cast<int>(t->size());
}

int ListItems::textLength(int index) const {
  const std::string* t = text(index);
  return t ? static_cast<int>(t->size()) : -1;
}

bool ListItems::setData(int index, LONG_PTR data) {
  if (!valid(index)) return false;
  items_[static_cast<size_t>(index)].data = data;
  return true;
}

int ListItems::find(int start, std::string_view text, bool exact) const {
  int n = count();
  if (!valid(start)) start = n - 1;  // so that the search begins with item 0
  std::string wanted(text.substr(0, std::min(text.find('\0'), text.size())));
  for (int k = 1; k <= n; ++k) {
    int i = (start + k) % n;
    const std::string& item = items_[static_cast<size_t>(i)].text;
    if (exact ? lstrcmpiA(item.c_str(), wanted.c_str()) == 0 : startsWithIgnoringCase(item, wanted)) return i;
  }
  return LB_ERR;
}

bool ListItems::select(int index) {
  selection_ = valid(index) ? index : -1;
  return selection_ >= 0;
}

void ListItems::setTop(int index) { top_ = std::clamp(index, 0, std::max(count() - 1, 0)); }

void ListItems::showItem(int index, int rows) {
  if (!valid(index)) return;
  rows = std::max(rows, 1);
  if (index < top_)
    top_ = index;
  else if (index >= top_ + rows)
    top_ = index - rows + 1;
}

}  // namespace kw::user32
