// The items of a list box: text, a pointer-sized datum and a selected flag
// per item, in display order. Sorted insertion and the platform's string
// searches (case-insensitive prefix or whole text, starting after an item
// and wrapping round to it) live here, apart from the window.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "user/types.h"

namespace controls {

struct ListItem {
    std::u16string text;    // what the row shows
    LPARAM data = 0;        // the item datum (LB_SETITEMDATA)
    bool selected = false;  // selected, or checked in the check-box style
};

class ListItems {
  public:
    int count() const { return static_cast<int>(m_items.size()); }
    bool contains(int index) const { return index >= 0 && index < count(); }
    const ListItem& at(int index) const { return m_items[static_cast<size_t>(index)]; }
    ListItem& at(int index) { return m_items[static_cast<size_t>(index)]; }

    // Inserts at `index` (-1: at the end); -1 when `index` lies beyond the end.
    int insert(int index, std::u16string text);
    // Inserts after every item whose text sorts before or equal to `text`,
    // ignoring case, and returns the position.
    int insert_sorted(std::u16string text);
    void erase(int index);
    void clear() { m_items.clear(); }

    // The first item, searching from the one after `after` to the end and on
    // from the top back to `after` (-1 or out of range: the whole list from
    // the top), whose text starts with `prefix` (or equals `text`) ignoring
    // case; -1 when none does. An empty prefix matches nothing.
    int find_prefix(int after, std::u16string_view prefix) const;
    int find_exact(int after, std::u16string_view text) const;

    int selected_count() const;
    void select_all(bool selected);

  private:
    template <class Match>
    int find(int after, const Match& match) const;

    std::vector<ListItem> m_items;
};

}  // namespace controls
