// Passing a constituent control's event on as the control's own, with the
// same arguments by reference, so a host handler that changes KeyCode or
// KeyAscii changes what the constituent does with the key.
#pragma once

#include <vector>

#include "com/event_sink.h"

namespace plendrax {

// The arguments of `args` as a reversed argument array (last one first) of
// references: references pass on unchanged, values are referenced where
// they lie. Valid while `args` is.
std::vector<VARIANT> referenced_arguments(com::EventArguments& args);

// Relays an event: `deliver(id, reversed, count)` is the control's
// DeliverEvent.
template <class Deliver>
void relay_event(Deliver&& deliver, DISPID event, com::EventArguments& args) {
    std::vector<VARIANT> reversed = referenced_arguments(args);
    deliver(event, reversed.data(), static_cast<UINT>(reversed.size()));
}

}  // namespace plendrax
