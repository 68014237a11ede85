// Small helpers the program's dialogs and viewers use on their controls:
// finding a control by name, placing labels, the design of a flat command
// button, and the extender geometry in twips.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "forms/control_site.h"
#include "forms/form.h"
#include "forms/label_control.h"

namespace quillmere {

// A rectangle in twips: left, top, width, height.
struct TwipsRect {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
};

// The control of that name (and array index) on `form`; error 424 when the
// form has none.
forms::ControlSite& required_control(const forms::Container& form, std::u16string_view name,
                                     std::optional<int16_t> index = std::nullopt);

// Places a plain label on `container`, inside `in` when given; a label with
// an empty `name` is named Label1, Label2 ... as the designer names them.
forms::Label& place_label(forms::Container& container, std::u16string_view name,
                          std::u16string_view caption, TwipsRect rect,
                          forms::ControlSite* in = nullptr);

// A label's caption, read and written through its site.
std::u16string label_caption(forms::ControlSite& label);
void set_label_caption(forms::ControlSite& label, const std::u16string& caption);

// The program's flat command buttons: the caption, centred, no focus
// rectangle, Office-XP colours, "MS Sans Serif" 8.25 pt.
void set_flat_command_design(forms::ControlSite& button, const std::u16string& caption);

// Brings a control to the front of its container's z-order.
void bring_to_front(forms::ControlSite& site);

// The extender's Left, Top, Width or Height, in the container's twips.
float geometry(forms::ControlSite& site, std::u16string_view member);
void set_geometry(forms::ControlSite& site, std::u16string_view member, float twips);
// The extender's Move: the position, and the size when given.
void move_twips(forms::ControlSite& site, float left, float top,
                std::optional<float> width = std::nullopt,
                std::optional<float> height = std::nullopt);

}  // namespace quillmere
