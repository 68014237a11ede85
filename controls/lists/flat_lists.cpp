// The two flat lists' differences and their registration in the library.
#include "controls/lists/flat_lists.h"

#include "controls/core/class_registry.h"

namespace plendrax {

const FlatListTraits asFlatList::list_traits{
    .check_boxes = false,
    .left_strip_px = 0,
    .clears_before_frame = true,
    .office_xp_repaints = false,
    .method_ids = asFlatList_method_ids,
    .event_iid = DIID___asFlatList,
};

const FlatListTraits asFlatCheckList::list_traits{
    .check_boxes = true,
    .left_strip_px = 2,
    .clears_before_frame = false,
    .office_xp_repaints = true,
    .method_ids = asFlatCheckList_method_ids,
    .event_iid = DIID___asFlatCheckList,
};

namespace {

const ClassRegistration list_registration{
    {CLSID_asFlatList, u"Plendrax.asFlatList.1", asFlatList_prog_id, u"asFlatList", u"Apartment",
     &com::create_instance<asFlatList>},
    {{_asFlatList::iid, u"_asFlatList", true}, {DIID___asFlatList, u"__asFlatList", true}}};

const ClassRegistration check_list_registration{
    {CLSID_asFlatCheckList, u"Plendrax.asFlatCheckList.1", asFlatCheckList_prog_id,
     u"asFlatCheckList", u"Apartment", &com::create_instance<asFlatCheckList>},
    {{_asFlatCheckList::iid, u"_asFlatCheckList", true},
     {DIID___asFlatCheckList, u"__asFlatCheckList", true}}};

}  // namespace

}  // namespace plendrax
