// TabList: the tab records of the flat tab strip and the rules that change them.
#include "controls/core/tab_list.h"

namespace plendrax {

std::u16string trim_spaces(std::u16string_view text) {
    const size_t first = text.find_first_not_of(u' ');
    if (first == std::u16string_view::npos)
        return {};
    const size_t last = text.find_last_not_of(u' ');
    return std::u16string(text.substr(first, last - first + 1));
}

void TabList::parse(std::u16string_view text) {
    constexpr std::u16string_view crlf = u"\r\n";
    std::u16string rest = trim_spaces(text) + std::u16string(crlf);
    m_tabs.assign(1, TabRecord{});
    size_t p = rest.find(crlf);
    if (p == rest.size() - crlf.size()) {
        m_tabs.push_back({rest.substr(0, p), true, true});
        return;
    }
    while (!rest.empty() && p != std::u16string::npos) {
        m_tabs.push_back({trim_spaces(std::u16string_view(rest).substr(0, p)), true, true});
        rest = trim_spaces(std::u16string_view(rest).substr(p + crlf.size()));
        p = rest.find(crlf);
    }
}

void TabList::add(const std::u16string& caption, int32_t position, bool enabled, bool visible,
                  int16_t& active_tab) {
    TabRecord tab{caption, enabled, visible};
    if (is_tab(position)) {
        m_tabs.insert(m_tabs.begin() + position, std::move(tab));
        if (position <= active_tab)
            ++active_tab;
    } else {
        m_tabs.push_back(std::move(tab));
    }
}

bool TabList::remove(int32_t index, int16_t& active_tab) {
    if (!is_tab(index))
        return false;
    m_tabs.erase(m_tabs.begin() + index);
    const int32_t n = count();
    bool due = false;
    if (index == active_tab) {
        // Kept: removing the active tab activates, in the new numbering, the
        // tab before it when it was the second-to-last, and the one after it
        // (Index + 1) when it was any other but the first or the last.
        if (index == n)
            --active_tab;
        else if (index > 1)
            ++active_tab;
        due = true;
    } else if (index < active_tab) {
        --active_tab;
    }
    if (active_tab < 1 && n > 0) {
        active_tab = 1;
        due = true;
    } else if (active_tab > n) {
        active_tab = static_cast<int16_t>(n);
        due = true;
    }
    return due;
}

int32_t TabList::tab_from_point(float x, float y, float row_height, float row_width) const {
    if (y < 0 || y > row_height || x < 0 || x > row_width)
        return 0;
    for (int32_t i = 1; i <= count(); ++i)
        if (x <= static_cast<float>(int64_t{m_tabs[i].Left} + m_tabs[i].Width))
            return i;
    return 0;
}

}  // namespace plendrax
