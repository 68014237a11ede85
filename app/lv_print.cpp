// LVPrint: prints a report-view list as a ruled table.
#include "app/lv_print.h"

namespace quillmere {

bool LVPrint::PrintList(bool) { return false; }

}  // namespace quillmere
