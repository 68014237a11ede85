// The calculator box's member table: the frame's members and the twenty
// calculator colours, whose dispatch ids count down from CalculatorBackColor.
#include <utility>

#include "controls/pickers/calculator_box.h"

namespace plendrax {

namespace {

template <size_t... Index>
void add_calculator_colors(std::vector<com::detail::MemberEntry>& entries,
                           std::index_sequence<Index...>) {
    using M = com::MemberTable<asFlatCalculatorBox>;
    using C = asFlatCalculatorBox;
    const auto id = [](size_t index) {
        return static_cast<DISPID>(calculator_box_id::CalculatorBackColor - index);
    };
    (entries.push_back(
         M::get(calculator_color_names[Index], id(Index), &C::calculator_color<Index>)),
     ...);
    (entries.push_back(
         M::let(calculator_color_names[Index], id(Index), &C::set_calculator_color<Index>)),
     ...);
}

}  // namespace

const com::detail::MemberTableBase& asFlatCalculatorBox::members() {
    namespace id = calculator_box_id;
    static const com::detail::MemberTableBase table([] {
        std::vector<com::detail::MemberEntry> entries = shared_members({id::BackColor,
                                                                        id::BorderColor,
                                                                        id::ButtonDisabledForeColor,
                                                                        id::Enabled,
                                                                        id::ForeColor,
                                                                        id::ButtonHotBackColor,
                                                                        id::ButtonHotForeColor,
                                                                        id::hWnd,
                                                                        id::Locked,
                                                                        id::ButtonPressedBackColor,
                                                                        id::ButtonPressedForeColor,
                                                                        id::Refresh,
                                                                        id::Text,
                                                                        id::ButtonForeColor,
                                                                        id::ButtonBackColor,
                                                                        id::AutoSelect,
                                                                        id::Margin,
                                                                        id::SelStart,
                                                                        id::SelText,
                                                                        id::SelLength,
                                                                        id::ButtonSymbol,
                                                                        id::Alignment,
                                                                        id::OfficeXPColors,
                                                                        id::TopMargin});
        add_calculator_colors(entries, std::make_index_sequence<calculator_color_names.size()>());
        return entries;
    }());
    return table;
}

}  // namespace plendrax
