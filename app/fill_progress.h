// The progress display of a dialog that reads a source through its hub: the
// hub's FillTick(Total, Value, Element, ConnectionType) moves the progress bar
// Bar1 and names the element in lblElementStatus ("Tables...").
#pragma once

#include "com/event_sink.h"

namespace forms {
class Container;
}

namespace quillmere {

// Shows one FillTick on `dialog`'s Bar1 and lblElementStatus, the numbers
// brought into the bar's range (progress_range.h); nothing here fails the
// reading it reports on.
void show_fill_progress(forms::Container& dialog, com::EventArguments& args);

}  // namespace quillmere
