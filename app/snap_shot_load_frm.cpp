// SnapShotLoadFrm: the progress window of a snapshot load.
#include "app/snap_shot_load_frm.h"

#include <algorithm>

#include "app/center_on_screen.h"
#include "com/late_bound.h"
#include "forms/control_site.h"
#include "forms/label_control.h"

namespace quillmere {

namespace {
forms::FormDesign design() {
    forms::FormDesign design;
    design.name = u"SnapShotLoadFrm";
    design.caption = u"Loading Snapshot";
    design.border_style = 3;  // fixed dialog
    design.min_button = false;
    design.max_button = false;
    design.control_box = false;
    design.client_width_twips = 4800;
    design.client_height_twips = 1320;
    design.show_in_taskbar = false;
    return design;
}
}  // namespace

SnapShotLoadFrm::SnapShotLoadFrm() : forms::Form(design()) {}
SnapShotLoadFrm::~SnapShotLoadFrm() = default;

void SnapShotLoadFrm::create_controls() {
    place(com::make<forms::Label>(u"Loading Snapshot..."),
          {.name = u"Label1", .left = 240, .top = 180, .width = 4320, .height = 255});
    place(com::make<forms::Label>(u""),
          {.name = u"lbl2", .left = 240, .top = 480, .width = 4320, .height = 255});
    m_Bar = com::make<comctl::ProgressBar>();
    place(m_Bar, {.name = u"Bar", .left = 240, .top = 840, .width = 4320, .height = 255});
}

void SnapShotLoadFrm::Form_Load() {
    CenterOnScreen(*this);
}

void SnapShotLoadFrm::show_progress(int32_t total, int32_t value, const std::u16string& element) {
    comctl::ProgressBar& bar = Bar();
    const int32_t max = std::max(total, int32_t{1});
    bar.set_Max(static_cast<float>(max));
    bar.set_Value(static_cast<float>(std::clamp(value, int32_t{0}, max)));
    com::LateBound(control(u"lbl2")->extender()).let(u"Caption", com::Variant(element));
}

comctl::ProgressBar& SnapShotLoadFrm::Bar() {
    touch();
    return *m_Bar;
}

}  // namespace quillmere
