// Strings in list and combo boxes: added once only, and found by exact text.
#include <korvane/dialogs.h>
#include <korvane/memory.h>

namespace {

// The messages of one kind of list: a list box's or a combo box's.
struct ListMessages {
  UINT find, count, textLength, text, add;
};

constexpr ListMessages kListBox{LB_FINDSTRING, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT, LB_ADDSTRING};
constexpr ListMessages kComboBox{CB_FINDSTRING, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT, CB_ADDSTRING};

enum class Item { kEqual, kDiffers, kEmpty, kNoMemory };

// Item `index` of `list` against `text`, byte for byte; `firstByte` is set to the item's.
Item compareItem(HWND list, const ListMessages& m, int index, LPCSTR text, char& firstByte) {
  const LRESULT length = SendMessageA(list, m.textLength, static_cast<WPARAM>(index), 0);
  if (length <= 0) return Item::kEmpty;
  auto* item = static_cast<char*>(MemAlloc(static_cast<DWORD>(length) + 1));
  if (item == nullptr) return Item::kNoMemory;
  // An item that answers with no text reads as empty, as the zero-filled block holds.
  SendMessageA(list, m.text, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item));
  item[length] = '\0';
  firstByte = item[0];
  const bool equal = lstrcmpA(item, text) == 0;
  MemFree(item);
  if (firstByte == '\0') return Item::kEmpty;
  return equal ? Item::kEqual : Item::kDiffers;
}

// The case-blind search may land on any letter case of the text's start, so the walk goes
// on while the items begin with the text's first byte in either case (stopping at the
// first item of another case would add the text once more on every call).
bool sameFirstByte(char a, char b) {
  if (a == b) return true;
  char x[1] = {a};
  char y[1] = {b};
  CharUpperBuffA(x, 1);
  CharUpperBuffA(y, 1);
  return x[0] == y[0];
}

int addDistinct(HWND list, const ListMessages& m, LPCSTR text) {
  if (text == nullptr || !IsWindow(list)) return 0;
  if (*text == '\0') return 1;
  // The search ignores case; the items from there on are compared exactly, until one that
  // no longer begins with the text's first byte.
  const LRESULT found = SendMessageA(list, m.find, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
  if (found >= 0) {
    const LRESULT count = SendMessageA(list, m.count, 0, 0);
    for (int index = static_cast<int>(found); index < count; ++index) {
      char first = '\0';
      const Item item = compareItem(list, m, index, text, first);
      if (item == Item::kNoMemory) return 0;
      if (item == Item::kEqual) return 1;
      if (item == Item::kEmpty || !sameFirstByte(first, *text)) break;
    }
  }
  const LRESULT added = SendMessageA(list, m.add, 0, reinterpret_cast<LPARAM>(text));
  return added == LB_ERR || added == LB_ERRSPACE ? 0 : 1;
}

}  // namespace

extern "C" {

KV_API BOOL KV_CALL DlgAddDistinctStringIntoListbox(HWND list, LPCSTR text) { return addDistinct(list, kListBox, text); }

KV_API BOOL KV_CALL DlgAddDistinctStringIntoCombo(HWND combo, LPCSTR text) { return addDistinct(combo, kComboBox, text); }

KV_API int KV_CALL DlgLocateStringInListbox(HWND list, LPCSTR text) {
  if (text == nullptr || *text == '\0') return -1;
  const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
  for (int index = 0; index < count; ++index) {
    char first = '\0';
    const Item item = compareItem(list, kListBox, index, text, first);
    if (item == Item::kEqual) return index;
    if (item != Item::kDiffers) return -1;
  }
  return -1;
}

}  // extern "C"
