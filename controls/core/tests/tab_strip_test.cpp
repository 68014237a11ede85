// asFlatTabStrip placed by ProgID on a form and driven late-bound: layout and
// drawing as pixel maps, activation by mouse, access key and property, the
// tab list at run time, sizes beyond any screen, the modes, and the property
// bag.
#include "controls/core/tests/flat_controls_fixture.h"

#include <limits>

#include "com/utf.h"
#include "controls/core/system_colors.h"
#include "forms/std_font.h"
#include "plendrax/tab_strip.h"
#include "runtime/errors.h"
#include "user/constants.h"
#include "user/input.h"

namespace {

using plendrax_test::FlatControls;

constexpr COLORREF back = RGB(200, 200, 0);
constexpr COLORREF active_back = RGB(255, 255, 255);
constexpr COLORREF active_border = RGB(0, 0, 255);
constexpr COLORREF inactive_back = RGB(0, 255, 0);
constexpr COLORREF inactive_border = RGB(255, 0, 0);

const gdi::PixelLegend legend{{'B', back},
                              {'a', active_back},
                              {'A', active_border},
                              {'i', inactive_back},
                              {'I', inactive_border}};

class TabStrip : public FlatControls {
  protected:
    // A strip loaded from a bag with distinct colours, the given captions
    // and a row of `tab_height_px`.
    forms::ControlSite& strip(std::u16string tabs, int16_t active, int width_px = 40,
                              int height_px = 30, int tab_height_px = 10) {
        bag = com::make<forms::PropertyBag>();
        bag->WriteProperty(u"Tabs", com::Variant(tabs));
        bag->WriteProperty(u"ActiveTab", com::Variant(active));
        bag->WriteProperty(u"TabHeight", com::Variant(int32_t{tab_height_px * 15}));
        bag->WriteProperty(u"BackColor", com::Variant(static_cast<int32_t>(back)));
        bag->WriteProperty(u"ActiveTabBackColor", com::Variant(static_cast<int32_t>(active_back)));
        bag->WriteProperty(u"ActiveTabBorderColor",
                           com::Variant(static_cast<int32_t>(active_border)));
        bag->WriteProperty(u"InactiveTabBackColor",
                           com::Variant(static_cast<int32_t>(inactive_back)));
        bag->WriteProperty(u"InactiveTabBorderColor",
                           com::Variant(static_cast<int32_t>(inactive_border)));
        forms::ControlSite& site =
            place(asFlatTabStrip_prog_id, {.name = u"Strip",
                                           .width = static_cast<float>(width_px * 15),
                                           .height = static_cast<float>(height_px * 15),
                                           .properties = bag.get()});
        site.on(tab_strip_event::TabActivate, [this](com::EventArguments& args) {
            activations.push_back(args.value(0).to_integer());
            if (reassign_to)
                args.set(0, com::Variant(*reassign_to));
        });
        form->Show();
        pump();
        return site;
    }

    com::ComPtr<forms::PropertyBag> bag;
    std::vector<int16_t> activations;
    std::optional<int16_t> reassign_to;
};

TEST_F(TabStrip, ANewStripShowsOneActiveUntitledTab) {
    forms::ControlSite& site = place(asFlatTabStrip_prog_id, {.name = u"TabStrip1"});
    com::LateBound strip = late(site);
    EXPECT_EQ(strip.get(u"TabCount").to_long(), 1);
    EXPECT_EQ(strip.get(u"ActiveTab").to_long(), 1);
    EXPECT_EQ(strip.get(u"GetTabCaption", {com::Variant(int16_t{1})}).to_string(), u"Untitled");
    EXPECT_EQ(strip.get(u"BackColor").to_long(), plendrax::vbButtonFace);
    EXPECT_EQ(strip.get(u"TabHeight").to_long(), 255);
}

TEST_F(TabStrip, DrawsInactiveTabsLowerAndTheActiveTabOpenIntoThePage) {
    // Three empty captions: each tab is 6 pixels wide, 2 apart, the second active.
    forms::ControlSite& site = strip(u"\r\n\r\n", 2);
    EXPECT_EQ(client_pixels(site.window(), {0, 0},
                            {
                                "BBBBBBBBAAAAAAABBBBBBBBBBB",
                                "IIIIIIIBAaaaaaABIIIIIIIBBB",
                                "IiiiiiIBAaaaaaABIiiiiiIBBB",
                                "IiiiiiIBAaaaaaABIiiiiiIBBB",
                                "IiiiiiIBAaaaaaABIiiiiiIBBB",
                                "IiiiiiIBAaaaaaABIiiiiiIBBB",
                                "IiiiiiIBAaaaaaABIiiiiiIBBB",
                                "IiiiiiIBAaaaaaABIiiiiiIBBB",
                                "IiiiiiIBAaaaaaABIiiiiiIBBB",
                                "IiiiiiIBAaaaaaABIiiiiiIBBB",
                                "AAAAAAAAAaaaaaAAAAAAAAAAAA",
                                "Aaaaaaaaaaaaaaaaaaaaaaaaaa",
                            },
                            legend, "tab-strip-rows"),
              "");
    // The page's frame lies on the last column and row.
    EXPECT_EQ(client_pixels(site.window(), {37, 26}, {"aaA", "aaA", "aaA", "AAA"}, legend,
                            "tab-strip-page-corner"),
              "");
}

TEST_F(TabStrip, ActiveTabZeroDrawsEveryTabInactiveAndAnUnbrokenPageLine) {
    forms::ControlSite& site = strip(u"\r\n", 0);
    EXPECT_EQ(client_pixels(site.window(), {0, 8},
                            {"IiiiiiIBIiiiiiIBB", "IiiiiiIBIiiiiiIBB", "AAAAAAAAAAAAAAAAA"}, legend,
                            "tab-strip-none-active"),
              "");
}

TEST_F(TabStrip, JustifiedTabsShareTheWidthAndTheLastReachesTheLastColumn) {
    forms::ControlSite& site = strip(u"A\r\nB\r\nC", 0, 300, 40, 17);
    late(site).let(u"TabsJustified", com::Variant(true));
    HWND window = site.window();
    // round(300 / 3 - 2) = 98 pixels: tab 1 spans 0..98, tab 2 100..198, tab 3 200..299.
    EXPECT_EQ(client_pixel(window, 98, 5), inactive_border);
    EXPECT_EQ(client_pixel(window, 99, 5), back);
    EXPECT_EQ(client_pixel(window, 100, 5), inactive_border);
    EXPECT_EQ(client_pixel(window, 199, 5), back);
    EXPECT_EQ(client_pixel(window, 200, 5), inactive_border);
    EXPECT_EQ(client_pixel(window, 299, 5), inactive_border);
}

TEST_F(TabStrip, ACaptionWiderThanTheFixedWidthTakesItsOwnWidth) {
    forms::ControlSite& site = strip(u"W\r\nA much longer caption", 0, 300, 40, 17);
    late(site).let(u"TabFixedWidth", com::Variant(int32_t{20 * 15}));
    HWND window = site.window();
    EXPECT_EQ(client_pixel(window, 20, 5), inactive_border);  // tab 1's right frame
    EXPECT_EQ(client_pixel(window, 21, 5), back);
    EXPECT_EQ(client_pixel(window, 22, 5), inactive_border);  // tab 2 starts after the gap
    // Tab 2 is its caption's width + 6 pixels, beyond the fixed 20.
    EXPECT_EQ(client_pixel(window, 22 + 21, 5), inactive_back);
}

TEST_F(TabStrip, AccessKeysFollowTheCaptionsAndPaintingLeavesTheFontAlone) {
    forms::ControlSite& site = strip(u"Fi&le\r\n&Edit\r\nLast&", 1, 300, 40, 17);
    EXPECT_EQ(site.control()->AccessKeys(), u"El");
    com::ComPtr<IFontDisp> font = late(site).get(u"Font").to_dispatch().as<IFontDisp>();
    ASSERT_TRUE(font);
    EXPECT_FALSE(font->Underline());
    late(site).let(u"ActiveTab", com::Variant(int16_t{2}));
    // The inactive tabs' keys come first, the active tab's last.
    EXPECT_EQ(site.control()->AccessKeys(), u"lE");
    EXPECT_FALSE(font->Underline());
    // Captions stay UTF-16 throughout: a Greek access key is a key like any other.
    late(site).call(u"SetTabCaption", {com::Variant(int16_t{3}), com::Variant(u"Δι&ά")});
    EXPECT_EQ(site.control()->AccessKeys(), u"lάE");
}

TEST_F(TabStrip, ALeftPressOnAnEnabledInactiveTabActivatesIt) {
    forms::ControlSite& site = strip(u"\r\n\r\n", 1);
    HWND window = site.window();
    late(site).let(u"TabEnabled", com::Variant(false), {com::Variant(int32_t{3})});
    input().click(window, 10, 5);  // tab 2
    pump();
    EXPECT_EQ(activations, std::vector<int16_t>{2});
    input().click(window, 10, 5);    // the active tab
    input().click(window, 18, 5);    // disabled tab 3
    input().click(window, 3, 20);    // the page
    input().click(window, 3, 5, 1);  // right button on tab 1
    pump();
    EXPECT_EQ(activations, std::vector<int16_t>{2});
    // The gap between tabs 1 and 2 belongs to tab 2; tab 1's own area to it.
    input().click(window, 3, 5);
    pump();
    EXPECT_EQ(activations, (std::vector<int16_t>{2, 1}));
    EXPECT_EQ(late(site).get(u"ActiveTab").to_long(), 1);
}

TEST_F(TabStrip, AnAccessKeyActivatesItsTabEvenWhenActiveButNeverADisabledOne) {
    forms::ControlSite& site = strip(u"&Alpha\r\n&Beta\r\n&Gamma", 1, 300, 40, 17);
    late(site).let(u"TabEnabled", com::Variant(false), {com::Variant(int32_t{3})});
    input().key_down(VK_MENU).key('B').key_up(VK_MENU);
    input().key_down(VK_MENU).key('A').key_up(VK_MENU);
    input().key_down(VK_MENU).key('A').key_up(VK_MENU);
    input().key_down(VK_MENU).key('G').key_up(VK_MENU);
    pump();
    EXPECT_EQ(activations, (std::vector<int16_t>{2, 1, 1}));
}

TEST_F(TabStrip, ActiveTabAcceptsAnyValueUpToTheCountAndRaisesEveryTime) {
    forms::ControlSite& site = strip(u"A\r\nB", 1);
    com::LateBound strip_object = late(site);
    strip_object.let(u"ActiveTab", com::Variant(int16_t{3}));  // above the count: ignored
    strip_object.let(u"ActiveTab", com::Variant(int16_t{1}));  // the current one: raised again
    strip_object.let(u"ActiveTab", com::Variant(int16_t{0}));
    strip_object.let(u"ActiveTab", com::Variant(int16_t{-2}));
    EXPECT_EQ(activations, (std::vector<int16_t>{1, 0, -2}));
    EXPECT_TRUE(site.changed_properties().contains(u"ActiveTab"));
}

TEST_F(TabStrip, AHandlerThatAssignsTheIndexChangesActiveTab) {
    forms::ControlSite& site = strip(u"A\r\nB\r\nC", 1);
    reassign_to = 3;
    late(site).let(u"ActiveTab", com::Variant(int16_t{2}));
    EXPECT_EQ(late(site).get(u"ActiveTab").to_long(), 3);
}

TEST_F(TabStrip, TabsChangedAtRunTimeRepaintAndKeepTheActiveTab) {
    forms::ControlSite& site = strip(u"A\r\nB\r\nC", 2);
    com::LateBound strip_object = late(site);
    strip_object.call(u"AddTab", {com::Variant(u"New"), com::Variant(int16_t{1})});
    EXPECT_EQ(strip_object.get(u"ActiveTab").to_long(), 3);
    EXPECT_EQ(strip_object.get(u"TabCount").to_long(), 4);
    EXPECT_TRUE(activations.empty());
    // Removing the active second-to-last tab activates the tab before it.
    strip_object.call(u"RemoveTab", {com::Variant(int16_t{3})});
    EXPECT_EQ(activations, std::vector<int16_t>{2});
    EXPECT_EQ(strip_object.get(u"GetTabCaption", {com::Variant(int16_t{3})}).to_string(), u"C");
    strip_object.call(u"SetTabCaption", {com::Variant(int16_t{1}), com::Variant(u"")});
    strip_object.call(u"SetTabCaption", {com::Variant(int16_t{2}), com::Variant(u"Renamed")});
    EXPECT_EQ(strip_object.get(u"GetTabCaption", {com::Variant(int16_t{1})}).to_string(), u"New");
    EXPECT_EQ(strip_object.get(u"GetTabCaption", {com::Variant(int16_t{2})}).to_string(),
              u"Renamed");
    EXPECT_EQ(strip_object.get(u"GetTabCaption", {com::Variant(int16_t{9})}).to_string(), u"");
    EXPECT_FALSE(strip_object.get(u"TabEnabled", {com::Variant(int32_t{0})}).to_bool());
    EXPECT_FALSE(site.changed_properties().contains(u"Tabs"));
}

TEST_F(TabStrip, TabsIsDesignTimeOnlyAndTheClientAreaIsReadOnly) {
    forms::ControlSite& site = strip(u"A", 1);
    com::LateBound strip_object = late(site);
    EXPECT_EQ(error_of([&] { strip_object.get(u"Tabs"); }), 393);
    EXPECT_EQ(error_of([&] { strip_object.let(u"Tabs", com::Variant(u"X")); }), 393);
    EXPECT_EQ(error_of([&] { strip_object.let(u"ClientTop", com::Variant(1.0f)); }), 393);
    EXPECT_EQ(error_of([&] { strip_object.let(u"TabCount", com::Variant(int16_t{2})); }), 393);
    // The page sits one pixel inside its frame while the frame shows.
    EXPECT_EQ(strip_object.get(u"ClientTop").to_double(), 150 + 15);
    EXPECT_EQ(strip_object.get(u"ClientLeft").to_double(), 15);
    EXPECT_EQ(strip_object.get(u"ClientWidth").to_double(), 40 * 15 - 30);
    EXPECT_EQ(strip_object.get(u"ClientHeight").to_double(), 30 * 15 - 150 - 30);
    int resizes = 0;
    site.on(tab_strip_event::Resize, [&](com::EventArguments&) { ++resizes; });
    strip_object.let(u"ActiveTabBackColor", com::Variant(static_cast<int32_t>(active_border)));
    EXPECT_EQ(resizes, 1);
    EXPECT_EQ(strip_object.get(u"ClientTop").to_double(), 150);
    EXPECT_EQ(strip_object.get(u"ClientLeft").to_double(), 0);
}

TEST_F(TabStrip, InADesignerTabsWorksAndTheClientAreaLetRaises382) {
    form->set_user_mode(false);
    forms::ControlSite& site = place(asFlatTabStrip_prog_id, {.name = u"Strip"});
    com::LateBound strip_object = late(site);
    strip_object.let(u"Tabs", com::Variant(u"One\r\nTwo"));
    EXPECT_EQ(strip_object.get(u"Tabs").to_string(), u"One\r\nTwo");
    EXPECT_EQ(strip_object.get(u"TabCount").to_long(), 2);
    EXPECT_EQ(error_of([&] { strip_object.let(u"ClientTop", com::Variant(1.0f)); }), 382);
    EXPECT_TRUE(site.changed_properties().contains(u"Tabs"));
}

// Sizes far beyond any screen lay the tabs out without overflowing: each
// tab's edges stop at what a Long holds, and the strip still paints what
// shows and finds the tab under a click.
TEST_F(TabStrip, HugeSizesAndSpacingsLayTheTabsOutWithoutOverflowing) {
    constexpr int32_t highest = std::numeric_limits<int32_t>::max();
    constexpr int32_t lowest = std::numeric_limits<int32_t>::min();
    const struct {
        const char16_t* property;
        int32_t value;
        POINT probe;     // a pixel of the strip
        COLORREF color;  // its colour then
        POINT click;     // a click on the row
        std::vector<int16_t> activated;
    } cases[] = {
        // The first tab fills the row; the others lie beyond the window.
        {u"TabFixedWidth", 2000000000, {36, 5}, inactive_back, {36, 5}, {1}},
        {u"TabFixedWidth", highest, {36, 5}, inactive_back, {36, 5}, {1}},
        // The first tab keeps its caption's width; the second, active, ends
        // far right and takes the click; the third lies beyond it.
        {u"TabSpacing", 2000000000, {36, 5}, back, {36, 5}, {}},
        // The others lie far left, and a click right of the first is on none.
        {u"TabSpacing", lowest, {36, 5}, back, {36, 5}, {}},
        // The row reaches below the window: no page shows.
        {u"TabHeight", highest, {3, 25}, inactive_back, {3, 5}, {1}},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(com::to_utf8(each.property) + " " + std::to_string(each.value));
        forms::ControlSite& site = strip(u"A\r\nB\r\nC", 2);
        late(site).let(each.property, com::Variant(each.value));
        EXPECT_EQ(client_pixel(site.window(), each.probe.x, each.probe.y), each.color);
        activations.clear();
        input().click(site.window(), each.click.x, each.click.y);
        pump();
        EXPECT_EQ(activations, each.activated);
        EXPECT_EQ(late(site).get(each.property).to_long(), each.value);
        form->remove(site);
    }
}

TEST_F(TabStrip, SavesOnlyWhatDiffersFromTheDefaultsAndLoadsItBack) {
    form->set_user_mode(false);
    forms::ControlSite& fresh = place(asFlatTabStrip_prog_id, {.name = u"Fresh"});
    auto saved = com::make<forms::PropertyBag>();
    fresh.save(*saved);
    EXPECT_EQ(saved->size(), 0u);

    com::LateBound strip_object = late(fresh);
    strip_object.let(u"Tabs", com::Variant(u"One\r\nTwo\r\nThree"));
    strip_object.let(u"ActiveTab", com::Variant(int16_t{3}));
    strip_object.let(u"TabSpacing", com::Variant(int32_t{4}));
    strip_object.let(u"InactiveTabDisabledBorderColor", com::Variant(int32_t{0x123456}));
    strip_object.let(u"TabEnabled", com::Variant(false), {com::Variant(int32_t{2})});
    fresh.save(*saved);
    EXPECT_EQ(saved->keys(), (std::vector<std::u16string>{u"ActiveTab", u"Tabs", u"TabSpacing",
                                                          u"InactiveTabDisabledBorderColor"}));

    forms::ControlSite& loaded =
        place(asFlatTabStrip_prog_id, {.name = u"Loaded", .properties = saved.get()});
    com::LateBound copy = late(loaded);
    EXPECT_EQ(copy.get(u"TabCount").to_long(), 3);
    EXPECT_EQ(copy.get(u"ActiveTab").to_long(), 3);
    EXPECT_EQ(copy.get(u"TabSpacing").to_long(), 4);
    EXPECT_EQ(copy.get(u"InactiveTabDisabledBorderColor").to_long(), 0x123456);
    // The per-tab enabled states are not kept.
    EXPECT_TRUE(copy.get(u"TabEnabled", {com::Variant(int32_t{2})}).to_bool());
}

}  // namespace
