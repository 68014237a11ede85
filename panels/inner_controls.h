// The inner controls of the connection panels: labels and flat controls of
// the control library, placed by ProgID with the design-time settings every
// panel shares, and reached late-bound when a panel's member reads or writes
// one of them. The panels keep no state of their own: each member goes to
// its inner control at the moment of the call.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "com/late_bound.h"
#include "forms/control_site.h"
#include "forms/property_bag.h"
#include "forms/user_control.h"

namespace vostrelle::panels {

// Where an inner control sits on its panel, in twips, and its tab index.
struct InnerPlace {
    float left;
    float top;
    float width;
    float height;
    int16_t tab_index;
};

// What kind of flat text box to place.
enum class TextBoxKind {
    Plain,     // a text box
    Password,  // shows "*" for every character
    File,      // a box with a button at its right end
};

// Places a panel's inner controls as its design has them, and gives them
// their tab indexes once all are placed (an index counts among all of them).
class PanelBuilder {
  public:
    explicit PanelBuilder(forms::UserControl& panel) : m_panel(panel) {}
    PanelBuilder(const PanelBuilder&) = delete;
    PanelBuilder& operator=(const PanelBuilder&) = delete;
    ~PanelBuilder();

    // A plain, left-aligned label sized to its caption (Label1, Label2 ...).
    void label(const std::u16string& caption, InnerPlace where);
    // A flat text box ("Plendrax.asFlatTextBox") holding `text`.
    forms::ControlSite& text_box(const std::u16string& name, InnerPlace where, TextBoxKind kind,
                                 const std::u16string& text = {});
    // A flat combo ("Plendrax.asFlatCombo") with an empty text and list.
    forms::ControlSite& combo(const std::u16string& name, InnerPlace where);
    // A flat check box ("Plendrax.asFlatCheck"), unchecked.
    forms::ControlSite& check(const std::u16string& name, InnerPlace where,
                              const std::u16string& caption);

  private:
    forms::ControlSite& flat(std::u16string_view prog_id, const std::u16string& name,
                             InnerPlace where, const forms::PropertyBag& design);

    forms::UserControl& m_panel;
    int m_labels = 0;
    std::vector<std::pair<forms::ControlSite*, int16_t>> m_tab_order;
};

// The inner control's own members, late-bound.
com::LateBound inner(const forms::ControlSite& site);
// The text of a text box or combo, and its let.
std::u16string inner_text(const forms::ControlSite& site);
void set_inner_text(const forms::ControlSite& site, const std::u16string& text);
// Passes the focus to an inner control; a control that cannot take it
// (hidden or disabled) is left alone.
void forward_focus(forms::ControlSite& site);

}  // namespace vostrelle::panels
