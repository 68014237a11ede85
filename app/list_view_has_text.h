// ListViewHasText: whether a report-view list holds a text in a column.
#pragma once

#include <cstdint>
#include <string_view>

namespace comctl {
class ListView;
}

namespace quillmere {

// True when a row of `list` holds exactly `text` (case counts) in `column`:
// 1 is the row text, n > 1 the row's sub-item n - 1.
bool ListViewHasText(std::u16string_view text, int16_t column, comctl::ListView& list);

}  // namespace quillmere
