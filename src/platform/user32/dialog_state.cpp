// The table of dialog records by window handle.
#include "user32/dialog_state.h"

#include <mutex>
#include <unordered_map>

namespace kw::user32 {

namespace {
struct Table {
  std::mutex mutex;
  std::unordered_map<HWND, DialogState*> dialogs;
};
Table& table() {
  static Table* t = new Table;  // dialogs of exiting threads may still be looked up
  return *t;
}
}  // namespace

DialogState* dialogState(HWND window) {
  Table& t = table();
  std::lock_guard<std::mutex> lock(t.mutex);
  auto it = t.dialogs.find(window);
  return it == t.dialogs.end() ? nullptr : it->second;
}

void addDialog(HWND window, DialogState* state) {
  Table& t = table();
  std::lock_guard<std::mutex> lock(t.mutex);
  t.dialogs[window] = state;
}

void removeDialog(HWND window) {
  DialogState* state = nullptr;
  {
    Table& t = table();
    std::lock_guard<std::mutex> lock(t.mutex);
    auto it = t.dialogs.find(window);
    if (it == t.dialogs.end()) return;
    state = it->second;
    t.dialogs.erase(it);
  }
  if (state->ownsFont && state->font) DeleteObject(state->font);
  delete state;
}

}  // namespace kw::user32
