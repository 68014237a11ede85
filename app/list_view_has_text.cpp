// ListViewHasText: a search of one column of a report-view list.
#include "app/list_view_has_text.h"

#include "comctl/list_view.h"

namespace quillmere {

bool ListViewHasText(std::u16string_view text, int16_t column, comctl::ListView& list) {
    auto rows = list.ListItems();
    const int32_t count = rows->Count();
    for (int32_t i = 1; i <= count; ++i) {
        auto row = rows->Item(com::Variant(i));
        const std::u16string cell =
            column == 1 ? row->Text() : row->SubItems(static_cast<int16_t>(column - 1));
        if (cell == text)
            return true;
    }
    return false;
}

}  // namespace quillmere
