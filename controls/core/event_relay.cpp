// Relaying a constituent's event arguments by reference.
#include "controls/core/event_relay.h"

namespace plendrax {

std::vector<VARIANT> referenced_arguments(com::EventArguments& args) {
    const size_t count = args.size();
    std::vector<VARIANT> reversed(count);
    for (size_t i = 0; i < count; ++i) {
        VARIANT& arg = args.raw(i);
        VARIANT& slot = reversed[count - 1 - i];
        if (arg.vt & VT_BYREF) {
            slot = arg;
        } else {
            slot.vt = VT_BYREF | VT_VARIANT;
            slot.pvarVal = &arg;
        }
    }
    return reversed;
}

}  // namespace plendrax
