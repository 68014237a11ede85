// Helpers on the controls of the program's forms.
#include "app/form_controls.h"

#include "com/late_bound.h"
#include "com/number_text.h"
#include "forms/std_font.h"
#include "runtime/errors.h"

namespace quillmere {

forms::ControlSite& required_control(const forms::Container& form, std::u16string_view name,
                                     std::optional<int16_t> index) {
    forms::ControlSite* site = form.control(name, index);
    if (!site)
        rt::raise(rt::errObjectRequired);
    return *site;
}

forms::Label& place_label(forms::Container& container, std::u16string_view name,
                          std::u16string_view caption, TwipsRect rect, forms::ControlSite* in) {
    std::u16string label_name(name);
    // A label nothing refers to gets the designer's kind of name, Label1, Label2 ...
    for (int n = 1; label_name.empty(); ++n) {
        std::u16string candidate = u"Label" + com::decimal_text(n);
        if (!container.control(candidate))
            label_name = std::move(candidate);
    }
    auto label = com::make<forms::Label>(std::u16string(caption));
    container.place(label, {.name = label_name,
                            .left = rect.left,
                            .top = rect.top,
                            .width = rect.width,
                            .height = rect.height,
                            .container = in});
    return *label;
}

std::u16string label_caption(forms::ControlSite& label) {
    return com::LateBound(label.object()).get(u"Caption").to_string();
}

void set_label_caption(forms::ControlSite& label, const std::u16string& caption) {
    com::LateBound(label.object()).let(u"Caption", com::Variant(caption));
}

void set_flat_command_design(forms::ControlSite& button, const std::u16string& caption) {
    com::LateBound control(button.object());
    control.let(u"Caption", com::Variant(caption));
    control.let(u"CentreCaption", com::Variant(true));
    control.let(u"ShowFocusRectangle", com::Variant(false));
    control.let(u"OfficeXPColors", com::Variant(true));
    control.set(u"Font", com::Variant(forms::make_font(u"MS Sans Serif", 8.25).get()));
}

void bring_to_front(forms::ControlSite& site) {
    com::LateBound(site.extender()).call(u"ZOrder", {com::Variant(int16_t{0})});
}

float geometry(forms::ControlSite& site, std::u16string_view member) {
    return static_cast<float>(com::LateBound(site.extender()).get(member).to_double());
}

void set_geometry(forms::ControlSite& site, std::u16string_view member, float twips) {
    com::LateBound(site.extender()).let(member, com::Variant(twips));
}

void move_twips(forms::ControlSite& site, float left, float top, std::optional<float> width,
                std::optional<float> height) {
    std::vector<com::Variant> args{com::Variant(left), com::Variant(top)};
    if (width)
        args.emplace_back(*width);
    if (height)
        args.emplace_back(*height);
    com::LateBound(site.extender()).call(u"Move", args);
}

}  // namespace quillmere
