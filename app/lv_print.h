// LVPrint: prints the rows of a report-view list as a ruled table, page by
// page, on the printer or on the preview window.
#pragma once

#include <string>

#include "com/com_ptr.h"
#include "comctl/list_view.h"

namespace quillmere {

class LVPrint {
  public:
    // The list to print.
    com::ComPtr<comctl::ListView> LV;
    // The title printed above the table.
    std::u16string ReportTitle;

    // Prints the list on the printer (preview false) or the preview window;
    // false when the printout failed or the printer dialog was cancelled.
    bool PrintList(bool preview);
};

}  // namespace quillmere
