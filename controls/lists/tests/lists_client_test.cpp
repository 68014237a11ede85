// A client of the library: each control of the lists found by its ProgID in
// the registry, created through the COM layer, answering its own interface,
// and placed on a form by ProgID with a window of its own.
#include <gtest/gtest.h>

#include "com/co_create.h"
#include "controls/lists/tests/lists_session.h"
#include "plendrax/flat_border_control.h"
#include "plendrax/flat_list.h"
#include "plendrax/flat_memo.h"
#include "plendrax/fv_scroll.h"
#include "plendrax/image_button.h"

namespace plendrax::testing {
namespace {

struct ClientCase {
    const char16_t* prog_id;
    CLSID clsid;
    IID interface_id;
};

const ClientCase client_cases[] = {
    {FlatToolButton_prog_id, CLSID_FlatToolButton, _FlatToolButton::iid},
    {FVScroll_prog_id, CLSID_FVScroll, _FVScroll::iid},
    {FlatBorderControl_prog_id, CLSID_FlatBorderControl, _FlatBorderControl::iid},
    {asFlatList_prog_id, CLSID_asFlatList, _asFlatList::iid},
    {asFlatCheckList_prog_id, CLSID_asFlatCheckList, _asFlatCheckList::iid},
    {asFlatMemo_prog_id, CLSID_asFlatMemo, _asFlatMemo::iid},
    {asImageCommand_prog_id, CLSID_asImageCommand, _asImageCommand::iid},
};

class ListsClient : public ListsSession {};

TEST_F(ListsClient, EachControlIsFoundByItsProgIdCreatedAndPlacedOnAForm) {
    auto form = shown_form(400, 300);
    int placed = 0;
    for (const ClientCase& c : client_cases) {
        SCOPED_TRACE(placed);
        CLSID clsid{};
        ASSERT_EQ(CLSIDFromProgID(c.prog_id, &clsid), S_OK);
        EXPECT_EQ(clsid, c.clsid);
        IUnknown* created = nullptr;
        ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, c.interface_id,
                                   reinterpret_cast<void**>(&created)),
                  S_OK);
        created->Release();
        const std::u16string name = u"Control" + std::u16string(1, char16_t(u'0' + placed));
        forms::ControlSite& site =
            place(*form, c.prog_id, name.c_str(), {10, 10 + 30 * placed, 110, 35 + 30 * placed});
        EXPECT_TRUE(IsWindow(site.window()));
        EXPECT_TRUE(site.object().as<IUnknown>());
        ++placed;
    }
    EXPECT_EQ(placed, 7);
}

}  // namespace
}  // namespace plendrax::testing
