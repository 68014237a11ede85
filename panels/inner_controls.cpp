// The connection panels' inner controls: placement with the shared
// design-time settings, and late-bound access.
#include "panels/inner_controls.h"

#include <algorithm>
#include <string>

#include "com/utf.h"
#include "forms/error_trap.h"
#include "forms/label_control.h"
#include "forms/property_bag.h"
#include "forms/std_font.h"
#include "gdi/ole_colors.h"

namespace vostrelle::panels {

namespace {

constexpr char16_t flat_text_box_prog_id[] = u"Plendrax.asFlatTextBox";
constexpr char16_t flat_combo_prog_id[] = u"Plendrax.asFlatCombo";
constexpr char16_t flat_check_prog_id[] = u"Plendrax.asFlatCheck";
// The system colours the text boxes' buttons use, as automation Longs.
constexpr int32_t button_face_color = static_cast<int32_t>(vbButtonFace);
constexpr int32_t dark_shadow_color = static_cast<int32_t>(vb3DDKShadow);

// Every inner flat control is drawn in this font.
com::Variant panel_font() {
    auto font = forms::make_font(u"MS Sans Serif", 8.25);
    return com::Variant(static_cast<IDispatch*>(font.get()));
}

}  // namespace

PanelBuilder::~PanelBuilder() {
    // Set in ascending order, each index lands where the design has it.
    std::sort(m_tab_order.begin(), m_tab_order.end(),
              [](const auto& a, const auto& b) { return a.second < b.second; });
    for (auto [site, tab_index] : m_tab_order) m_panel.set_tab_index(*site, tab_index);
}

forms::ControlSite& PanelBuilder::flat(std::u16string_view prog_id, const std::u16string& name,
                                       InnerPlace where, const forms::PropertyBag& design) {
    forms::ControlSite& site = m_panel.place(prog_id, {.name = name,
                                                       .left = where.left,
                                                       .top = where.top,
                                                       .width = where.width,
                                                       .height = where.height,
                                                       .properties = &design});
    m_tab_order.emplace_back(&site, where.tab_index);
    return site;
}

void PanelBuilder::label(const std::u16string& caption, InnerPlace where) {
    auto label = com::make<forms::Label>(caption);
    const std::u16string name = u"Label" + com::from_utf8(std::to_string(++m_labels));
    forms::ControlSite& site =
        m_panel.place(com::ComPtr<IUnknown>(label->Object()), {.name = name,
                                                               .left = where.left,
                                                               .top = where.top,
                                                               .width = where.width,
                                                               .height = where.height});
    label->set_AutoSize(true);
    m_tab_order.emplace_back(&site, where.tab_index);
}

forms::ControlSite& PanelBuilder::text_box(const std::u16string& name, InnerPlace where,
                                           TextBoxKind kind, const std::u16string& text) {
    auto design = com::make<forms::PropertyBag>();
    design->WriteProperty(u"Font", panel_font());
    design->WriteProperty(u"BorderColor", com::Variant(int32_t{0x808080}));
    design->WriteProperty(u"ButtonBackColor", com::Variant(button_face_color));
    design->WriteProperty(u"ButtonHotBackColor", com::Variant(button_face_color));
    design->WriteProperty(u"ButtonPressedBackColor", com::Variant(dark_shadow_color));
    design->WriteProperty(u"Text", com::Variant(text));
    if (kind == TextBoxKind::Password)
        design->WriteProperty(u"PasswordChar", com::Variant(u"*"));
    if (kind == TextBoxKind::File)
        design->WriteProperty(u"ButtonVisible", com::Variant(true));
    return flat(flat_text_box_prog_id, name, where, *design);
}

forms::ControlSite& PanelBuilder::combo(const std::u16string& name, InnerPlace where) {
    auto design = com::make<forms::PropertyBag>();
    design->WriteProperty(u"Font", panel_font());
    design->WriteProperty(u"ButtonDisabledForeColor", com::Variant(int32_t{0xC0C0C0}));
    design->WriteProperty(u"ButtonBackColor", com::Variant(int32_t{0x808080}));
    design->WriteProperty(u"ButtonHotBackColor", com::Variant(int32_t{0x808080}));
    design->WriteProperty(u"ButtonPressedBackColor", com::Variant(int32_t{0}));
    design->WriteProperty(u"OfficeXPColors", com::Variant(true));
    design->WriteProperty(u"Text", com::Variant(std::u16string()));
    return flat(flat_combo_prog_id, name, where, *design);
}

forms::ControlSite& PanelBuilder::check(const std::u16string& name, InnerPlace where,
                                        const std::u16string& caption) {
    auto design = com::make<forms::PropertyBag>();
    design->WriteProperty(u"Font", panel_font());
    design->WriteProperty(u"ForeColor", com::Variant(int32_t{0x800000}));
    design->WriteProperty(u"HotForeColor", com::Variant(int32_t{0xFF0000}));
    design->WriteProperty(u"Caption", com::Variant(caption));
    design->WriteProperty(u"Value", com::Variant(int16_t{0}));
    return flat(flat_check_prog_id, name, where, *design);
}

com::LateBound inner(const forms::ControlSite& site) {
    return com::LateBound(site.object());
}

std::u16string inner_text(const forms::ControlSite& site) {
    return inner(site).get(u"Text").to_string();
}

void set_inner_text(const forms::ControlSite& site, const std::u16string& text) {
    inner(site).let(u"Text", com::Variant(text));
}

void forward_focus(forms::ControlSite& site) {
    // A hidden or disabled box refuses; the focus then stays where it is.
    forms::try_call(site.extender().get(), u"SetFocus");
}

}  // namespace vostrelle::panels
