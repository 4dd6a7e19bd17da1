// The order in which a dialog's keyboard interface walks its controls: tab stops across
// the dialog, and the items of one group (arrow keys). The controls come in their
// window order; only visible, enabled ones can take the focus.
#pragma once

#include <vector>

namespace kw::user32 {

struct NavigationItem {
  bool tabStop;  // WS_TABSTOP
  bool group;    // WS_GROUP: the first item of a group
  bool usable;   // visible and enabled
};

// GetNextDlgTabItem: the next (or previous) usable tab stop after `current`, round the
// end; from -1 the first (or last) one. `current` when there is no other, -1 for none.
int nextTabItem(const std::vector<NavigationItem>& items, int current, bool backward);

// GetNextDlgGroupItem: the next (or previous) usable item of `current`'s group, round
// the group's end; `current` when there is no other.
int nextGroupItem(const std::vector<NavigationItem>& items, int current, bool backward);

}  // namespace kw::user32
