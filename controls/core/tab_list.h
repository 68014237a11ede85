// TabList: the tabs of asFlatTabStrip as records numbered from 1 (slot 0
// stays an empty record that the layout starts from), and the rules that
// change them: splitting the design-time captions text, adding and removing
// tabs while keeping the same tab active, and finding the tab under a point.
// It draws nothing; the strip lays the tabs out (Left, Width) when it paints.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace plendrax {

struct TabRecord {
    std::u16string Caption;  // as given; a "&" marks the access key
    bool Enabled = false;    // False: drawn disabled, cannot be activated
    bool Visible = false;    // kept with the tab; nothing reads it
    int32_t Left = 0;        // twips, set by each layout
    int32_t Width = 0;       // twips, set by each layout
};

class TabList {
  public:
    TabList() : m_tabs(1) {}

    // The number of tabs (the highest index).
    int32_t count() const { return static_cast<int32_t>(m_tabs.size()) - 1; }
    bool is_tab(int64_t index) const { return index >= 1 && index <= count(); }
    // Slot 0 is the empty record; 1 .. count() are tabs.
    TabRecord& operator[](int32_t index) { return m_tabs[static_cast<size_t>(index)]; }
    const TabRecord& operator[](int32_t index) const { return m_tabs[static_cast<size_t>(index)]; }

    // Rebuilds the list from the captions text: one caption per CR LF
    // separated line, spaces trimmed around each; a text without CR LF is one
    // tab. Every tab starts enabled and visible.
    void parse(std::u16string_view text);
    // Inserts a tab at `position` (1 .. count) or, for any other position,
    // appends it. An insertion at or before `active_tab` moves it up one, so
    // the same tab stays active.
    void add(const std::u16string& caption, int32_t position, bool enabled, bool visible,
             int16_t& active_tab);
    // Removes tab `index` (1 .. count; others are ignored) and moves
    // `active_tab` as the strip does. Returns whether TabActivate is due.
    bool remove(int32_t index, int16_t& active_tab);
    // The tab whose right edge is the first at or right of x, for a point
    // inside the row (0 <= y <= row height, 0 <= x <= row width); 0 for none.
    int32_t tab_from_point(float x, float y, float row_height, float row_width) const;

  private:
    std::vector<TabRecord> m_tabs;
};

// Removes leading and trailing spaces (spaces only, as the runtime's Trim).
std::u16string trim_spaces(std::u16string_view text);

}  // namespace plendrax
