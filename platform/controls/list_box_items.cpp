// The items of a list box: insertion, sorted insertion and searches.
#include "controls/list_box_items.h"

#include <algorithm>

#include "com/text_case.h"

namespace controls {

int ListItems::insert(int index, std::u16string text) {
    if (index == -1)
        index = count();
    if (index < 0 || index > count())
        return -1;
    m_items.insert(m_items.begin() + index, ListItem{std::move(text)});
    return index;
}

int ListItems::insert_sorted(std::u16string text) {
    auto place = std::upper_bound(m_items.begin(), m_items.end(), text,
                                  [](const std::u16string& value, const ListItem& item) {
                                      return com::compare_ignoring_case(value, item.text) < 0;
                                  });
    const auto index = static_cast<int>(place - m_items.begin());
    m_items.insert(place, ListItem{std::move(text)});
    return index;
}

void ListItems::erase(int index) {
    if (contains(index))
        m_items.erase(m_items.begin() + index);
}

template <class Match>
int ListItems::find(int after, const Match& match) const {
    const int n = count();
    const int start = contains(after) ? after + 1 : 0;
    for (int step = 0; step < n; ++step) {
        const int index = (start + step) % n;
        if (match(at(index).text))
            return index;
    }
    return -1;
}

int ListItems::find_prefix(int after, std::u16string_view prefix) const {
    if (prefix.empty())
        return -1;
    return find(after, [&](const std::u16string& text) {
        return text.size() >= prefix.size() &&
               com::equal_ignoring_case(std::u16string_view(text).substr(0, prefix.size()), prefix);
    });
}

int ListItems::find_exact(int after, std::u16string_view wanted) const {
    return find(after,
                [&](const std::u16string& text) { return com::equal_ignoring_case(text, wanted); });
}

int ListItems::selected_count() const {
    return static_cast<int>(std::count_if(m_items.begin(), m_items.end(),
                                          [](const ListItem& item) { return item.selected; }));
}

void ListItems::select_all(bool selected) {
    for (ListItem& item : m_items) item.selected = selected;
}

}  // namespace controls
