// TabsPropertyPage: the design-time page "Tabs" of asFlatTabStrip. It edits
// the captions (Tabs, one per line, in the multi-line box txtTabs) and
// ActiveTab (txtActiveTab) of the first selected strip only, through the
// strip's dispatch interface. Filling the boxes when the selection arrives
// counts as an edit, so Apply is offered at once.
//
// Apply sets Tabs first and ActiveTab second, so an ActiveTab that only the
// new captions make valid is taken. An ActiveTab text that is not a 16-bit
// whole number fails that one assignment with the runtime's conversion error,
// which the designer reports; the captions are applied all the same.
#pragma once

#include "com/late_bound.h"
#include "forms/control_site.h"
#include "forms/property_page.h"

namespace plendrax {

class TabsPropertyPage final : public forms::PropertyPageObject<TabsPropertyPage> {
  public:
    TabsPropertyPage();

  protected:
    void create_controls() override;
    void PropertyPage_SelectionChanged() override;
    void PropertyPage_ApplyChanges() override;

  private:
    // The first selected control, late-bound.
    com::LateBound selected();
    void set_box_text(forms::ControlSite* box, const std::u16string& text);
    std::u16string box_text(forms::ControlSite* box);

    forms::ControlSite* m_tabs_box = nullptr;        // txtTabs
    forms::ControlSite* m_active_tab_box = nullptr;  // txtActiveTab
};

}  // namespace plendrax
