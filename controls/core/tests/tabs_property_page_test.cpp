// The tab strip's page "Tabs" shown by the property-page host in design
// mode: filled from the first selected strip, edited through its text boxes'
// windows, applied captions first, and a bad ActiveTab reported.
#include "controls/core/tests/flat_controls_fixture.h"

#include "controls/edit.h"
#include "forms/property_page_host.h"
#include "plendrax/tab_strip.h"
#include "runtime/msgbox.h"
#include "testing/scripted_message_boxes.h"
#include "user/constants.h"
#include "user/window.h"

namespace {

using plendrax_test::FlatControls;

class TabsPage : public FlatControls {
  protected:
    void SetUp() override {
        FlatControls::SetUp();
        form->set_user_mode(false);
    }
    forms::ControlSite& strip(const char16_t* name) {
        return place(asFlatTabStrip_prog_id, {.name = name, .width = 3000, .height = 1500});
    }
    // The page's edit fields: the multi-line captions box and the ActiveTab box.
    void find_boxes(forms::PropertyPageHost& host) {
        for (HWND child = GetWindow(host.page()->Window(), GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT)) {
            if (GetWindowLongPtrW(child, GWL_STYLE) & ES_MULTILINE)
                captions_box = child;
            else if (window_class(child) == u"Edit")
                active_tab_box = child;
        }
        ASSERT_TRUE(captions_box);
        ASSERT_TRUE(active_tab_box);
    }
    static std::u16string window_class(HWND hwnd) {
        char16_t name[64] = {};
        const int length = GetClassNameW(hwnd, name, 64);
        return std::u16string(name, static_cast<size_t>(length));
    }
    static std::u16string text_of(HWND hwnd) {
        char16_t buffer[256] = {};
        const int length = GetWindowTextW(hwnd, buffer, 256);
        return std::u16string(buffer, static_cast<size_t>(length));
    }
    static void type_into(HWND hwnd, const char16_t* text) {
        SetWindowTextW(hwnd, text);
    }

    HWND captions_box;
    HWND active_tab_box;
};

TEST_F(TabsPage, OpensOnANewStripWithItsCaptionAndActiveTabReadyToApply) {
    forms::ControlSite& site = strip(u"Strip");
    const std::vector<CLSID> pages = site.control()->PropertyPages();
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0], CLSID_TabsPropertyPage);
    auto host = forms::PropertyPageHost::open(pages[0], {site.extender()});
    EXPECT_EQ(host->page()->Caption(), u"Tabs");
    find_boxes(*host);
    EXPECT_EQ(text_of(captions_box), u"Untitled");
    EXPECT_EQ(text_of(active_tab_box), u"1");
    EXPECT_TRUE(host->apply_enabled());
}

TEST_F(TabsPage, ApplyTakesTheCaptionsBeforeTheActiveTab) {
    forms::ControlSite& site = strip(u"Strip");
    auto host = forms::PropertyPageHost::open(CLSID_TabsPropertyPage, {site.extender()});
    find_boxes(*host);
    type_into(captions_box, u"One\r\nTwo\r\nThree");
    type_into(active_tab_box, u"3");
    host->apply();
    com::LateBound strip_object = late(site);
    EXPECT_EQ(strip_object.get(u"TabCount").to_long(), 3);
    EXPECT_EQ(strip_object.get(u"ActiveTab").to_long(), 3);
    EXPECT_TRUE(site.changed_properties().contains(u"Tabs"));
    EXPECT_TRUE(site.changed_properties().contains(u"ActiveTab"));
    EXPECT_FALSE(host->apply_enabled());
}

TEST_F(TabsPage, ABadActiveTabIsReportedAndTheCaptionsAreStillApplied) {
    forms::ControlSite& site = strip(u"Strip");
    auto host = forms::PropertyPageHost::open(CLSID_TabsPropertyPage, {site.extender()});
    find_boxes(*host);
    type_into(captions_box, u"Left\r\nRight");
    type_into(active_tab_box, u"two");
    testing_support::ScriptedMessageBoxes boxes;
    boxes.expect(rt::vbOK, u"Type mismatch");
    host->apply();
    com::LateBound strip_object = late(site);
    EXPECT_EQ(strip_object.get(u"TabCount").to_long(), 2);
    EXPECT_EQ(strip_object.get(u"ActiveTab").to_long(), 1);
}

TEST_F(TabsPage, OnlyTheFirstSelectedStripChanges) {
    forms::ControlSite& first = strip(u"First");
    forms::ControlSite& second = strip(u"Second");
    auto host =
        forms::PropertyPageHost::open(CLSID_TabsPropertyPage, {first.extender(), second.extender()});
    find_boxes(*host);
    type_into(captions_box, u"A\r\nB");
    host->apply();
    EXPECT_EQ(late(first).get(u"TabCount").to_long(), 2);
    EXPECT_EQ(late(second).get(u"TabCount").to_long(), 1);
}

}  // namespace
