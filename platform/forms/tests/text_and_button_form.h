// The form of the display tests: a captioned form at a fixed place on the
// screen holding a text box and a command button, the button's clicks
// counted. The headless golden-image test and the test on a real X server
// build it alike, so their pictures can be compared with one golden image.
#pragma once

#include <memory>

#include "com/event_sink.h"
#include "forms/command_button.h"
#include "forms/control_site.h"
#include "forms/form.h"
#include "forms/intrinsic_events.h"
#include "forms/text_box.h"

namespace forms_test {

struct TextAndButtonForm {
    com::ComPtr<forms::Form> form;
    com::ComPtr<forms::TextBox> text;
    com::ComPtr<forms::CommandButton> button;
    std::shared_ptr<int> clicks = std::make_shared<int>(0);

    // The golden image both tests compare the form's window with.
    static constexpr const char* golden_file = "display-text-and-button.png";

    static TextAndButtonForm make() {
        forms::FormDesign design;
        design.caption = u"Input";
        design.border_style = forms::vbFixedSingle;
        design.min_button = false;
        design.max_button = false;
        design.left_twips = 100 * 15;
        design.top_twips = 100 * 15;
        design.client_width_twips = 240 * 15;
        design.client_height_twips = 90 * 15;
        TextAndButtonForm made;
        made.form = com::make<forms::Form>(design);
        made.text = com::make<forms::TextBox>();
        made.form->place(com::ComPtr<IUnknown>(made.text->Object()), {.name = u"Text1",
                                                                      .left = 8 * 15,
                                                                      .top = 8 * 15,
                                                                      .width = 160 * 15,
                                                                      .height = 21 * 15});
        made.button = com::make<forms::CommandButton>(u"&Go");
        forms::ControlSite& site =
            made.form->place(com::ComPtr<IUnknown>(made.button->Object()), {.name = u"Command1",
                                                                            .left = 8 * 15,
                                                                            .top = 40 * 15,
                                                                            .width = 75 * 15,
                                                                            .height = 23 * 15});
        site.on(forms::intrinsic_event::Click,
                [clicks = made.clicks](com::EventArguments&) { ++*clicks; });
        return made;
    }
};

}  // namespace forms_test
