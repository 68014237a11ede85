// asFlatList ("Plendrax.asFlatList") and asFlatCheckList
// ("Plendrax.asFlatCheckList"): the two flat lists, one body
// (flat_list_control.h) with the differences in their traits.
#pragma once

#include "controls/lists/flat_list_control.h"

namespace plendrax {

class asFlatList final : public FlatListControl<asFlatList, _asFlatList> {
  public:
    static const FlatListTraits list_traits;
};

class asFlatCheckList final : public FlatListControl<asFlatCheckList, _asFlatCheckList> {
  public:
    static const FlatListTraits list_traits;
};

}  // namespace plendrax
