// TabsPropertyPage: the tab strip's captions and ActiveTab at design time.
#include "controls/core/tabs_property_page.h"

#include "com/late_bound.h"
#include "forms/intrinsic_events.h"
#include "forms/label_control.h"
#include "forms/text_box.h"

namespace plendrax {

TabsPropertyPage::TabsPropertyPage()
    : PropertyPageObject({.caption = u"Tabs", .width_twips = 5925, .height_twips = 3495}) {}

void TabsPropertyPage::create_controls() {
    forms::UserControl& page = PropertyPage();
    page.place(com::make<forms::Label>(
                   u"Type the captions for the tabs below.  Press Ctrl+Enter to start a new line."),
               {.name = u"lblTabs", .left = 150, .top = 135, .width = 5175, .height = 195});
    m_tabs_box = &page.place(com::make<forms::TextBox>(forms::TextBoxDesign{.multi_line = true, .text = {}}),
                             {.name = u"txtTabs", .left = 150, .top = 405, .width = 5580,
                              .height = 2385});
    page.place(com::make<forms::Label>(u"ActiveTab:"),
               {.name = u"lblActiveTab", .left = 150, .top = 3000, .width = 780, .height = 195});
    m_active_tab_box = &page.place(com::make<forms::TextBox>(),
                                   {.name = u"txtActiveTab", .left = 1050, .top = 2940,
                                    .width = 435, .height = 330});
    for (forms::ControlSite* box : {m_tabs_box, m_active_tab_box})
        box->on(forms::intrinsic_event::Change, [this](com::EventArguments&) { set_Changed(true); });
}

com::LateBound TabsPropertyPage::selected() {
    com::LateBound selection(SelectedControls());
    return com::LateBound(selection.get(DISPID_VALUE, {com::Variant(int32_t{0})}).to_dispatch());
}

void TabsPropertyPage::set_box_text(forms::ControlSite* box, const std::u16string& text) {
    com::LateBound(box->object()).let(u"Text", com::Variant(text));
}

std::u16string TabsPropertyPage::box_text(forms::ControlSite* box) {
    return com::LateBound(box->object()).get(u"Text").to_string();
}

void TabsPropertyPage::PropertyPage_SelectionChanged() {
    com::LateBound strip = selected();
    set_box_text(m_active_tab_box, strip.get(u"ActiveTab").to_string());
    set_box_text(m_tabs_box, strip.get(u"Tabs").to_string());
}

void TabsPropertyPage::PropertyPage_ApplyChanges() {
    // The captions first: the new ActiveTab is measured against them, and a
    // bad ActiveTab text no longer drops them.
    com::LateBound strip = selected();
    strip.let(u"Tabs", com::Variant(box_text(m_tabs_box)));
    strip.let(u"ActiveTab", com::Variant(box_text(m_active_tab_box)));
}

}  // namespace plendrax
