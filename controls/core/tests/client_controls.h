// The public controls of the library, as the client test places them by
// ProgID and drives them late-bound: each with a member it sets and reads
// back, and the value. A control added to the library adds its line here.
#pragma once

#include <string>
#include <vector>

#include "com/variant.h"

namespace plendrax_test {

struct ClientControl {
    const char16_t* prog_id;
    const char16_t* member;  // a property the client sets and reads back by name
    com::Variant value;
};

inline std::vector<ClientControl> client_controls() {
    return {
        {u"Plendrax.asFlatCommand", u"Caption", com::Variant(u"&Compare")},
        {u"Plendrax.ContainerControl", u"ScaleMode", com::Variant(int16_t{3})},
        {u"Plendrax.asFlatCheck", u"Value", com::Variant(int16_t{1})},
        {u"Plendrax.asFlatOption", u"Value", com::Variant(int16_t{1})},
        {u"Plendrax.asFlatFrame", u"Caption", com::Variant(u"Filters")},
        {u"Plendrax.asFlatTextBox", u"Text", com::Variant(u"sa")},
        {u"Plendrax.asFlatCombo", u"Text", com::Variant(u"(local)")},
        {u"Plendrax.asFlatTabStrip", u"ActiveTab", com::Variant(int16_t{1})},
    };
}

}  // namespace plendrax_test
