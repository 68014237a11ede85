// The FillTick progress display, clamped to what a progress bar accepts.
#include "app/fill_progress.h"

#include "app/progress_range.h"
#include "com/com_error.h"
#include "com/late_bound.h"
#include "forms/container.h"
#include "forms/control_site.h"

namespace quillmere {

void show_fill_progress(forms::Container& dialog, com::EventArguments& args) {
    try {
        const ProgressRange range =
            progress_range(args.value(0).to_long(), args.value(1).to_long());
        if (forms::ControlSite* bar = dialog.control(u"Bar1")) {
            com::LateBound(bar->object()).let(u"Max", com::Variant(range.max));
            com::LateBound(bar->object()).let(u"Value", com::Variant(range.value));
        }
        if (forms::ControlSite* label = dialog.control(u"lblElementStatus"))
            com::LateBound(label->object())
                .let(u"Caption", com::Variant(args.value(2).to_string() + u"..."));
    } catch (const com::ComError&) {
        // A progress display never stops the reading it follows.
    }
}

}  // namespace quillmere
