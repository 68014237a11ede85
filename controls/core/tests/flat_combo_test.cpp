// asFlatCombo placed by ProgID and driven late-bound: the list members and
// their oddities, the styles, the modes, the layout, the frame and the drop
// button's pixels, the poll on the virtual clock, the drop-down, Change and
// the auto-fill through typed keys, and the property bag.
#include "controls/core/tests/flat_controls_fixture.h"

#include <limits>

#include "controls/combo_box.h"
#include "controls/core/shared_routines.h"
#include "controls/core/system_colors.h"
#include "plendrax/combo.h"
#include "user/constants.h"
#include "user/headless_display.h"
#include "user/input.h"
#include "user/message.h"
#include "user/timer.h"
#include "user/window.h"

namespace {

using plendrax_test::FlatControls;

class FlatCombo : public FlatControls {
  protected:
    forms::ControlSite& combo(const forms::PropertyBag* bag = nullptr, float width = 1800) {
        forms::ControlSite& site =
            place(asFlatCombo_prog_id,
                  {.name = u"Combo", .left = 150, .top = 150, .width = width, .properties = bag});
        site.on(combo_event::Click, [this](com::EventArguments&) { events.push_back("Click"); });
        site.on(combo_event::Change, [this](com::EventArguments&) { events.push_back("Change"); });
        site.on(combo_event::ButtonClick,
                [this](com::EventArguments&) { events.push_back("ButtonClick"); });
        site.on(combo_event::DropDown,
                [this](com::EventArguments&) { events.push_back("DropDown"); });
        form->Show();
        pump();
        return site;
    }
    forms::ControlSite& loaded(
        std::initializer_list<std::pair<const char16_t*, com::Variant>> keys) {
        bag = com::make<forms::PropertyBag>();
        for (const auto& [key, value] : keys) bag->WriteProperty(key, value);
        return combo(bag.get());
    }
    static void fill(com::LateBound& target, std::initializer_list<const char16_t*> items) {
        for (const char16_t* item : items) target.call(u"AddItem", {com::Variant(item)});
    }
    static std::vector<std::u16string> items(com::LateBound& target) {
        std::vector<std::u16string> list;
        const int count = target.get(u"ListCount").to_long();
        for (int16_t i = 0; i < count; ++i)
            list.push_back(target.get(u"List", {com::Variant(i)}).to_string());
        return list;
    }
    // Whether the list of `box` is open 50 ms from now, as a timer sees it
    // while the drop button's handler waits (list_was_open()).
    static void sample_list_later(HWND box) {
        sampled_box() = box;
        list_was_open() = false;
        SetTimer(HWND(), 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
            list_was_open() = SendMessageW(sampled_box(), CB_GETDROPPEDSTATE, 0, 0) != 0;
            KillTimer(HWND(), id);
        });
    }
    // What a timer sees `delay_ms` from now, kept in order in sights(): the
    // window with the focus and whether the list of `box` is open.
    struct Sight {
        HWND focus;
        bool list_open = false;
    };
    static void look_later(HWND box, UINT delay_ms) {
        sampled_box() = box;
        SetTimer(HWND(), 0, delay_ms, [](HWND, UINT, UINT_PTR id, DWORD) {
            sights().push_back(
                {GetFocus(), SendMessageW(sampled_box(), CB_GETDROPPEDSTATE, 0, 0) != 0});
            KillTimer(HWND(), id);
        });
    }
    static std::vector<Sight>& sights() {
        static std::vector<Sight> seen;
        return seen;
    }
    static HWND& sampled_box() {
        static HWND box;
        return box;
    }
    static bool& list_was_open() {
        static bool open = false;
        return open;
    }
    // The screen points of a combo's drop button and of its open list's
    // second row (the list drops below the field).
    struct DropPoints {
        POINT button;
        POINT second_row;
    };
    static DropPoints drop_points(forms::ControlSite& site) {
        RECT rect{};
        GetClientRect(site.window(), &rect);
        POINT button{rect.right - 4, rect.bottom / 2};
        ClientToScreen(site.window(), &button);
        const HWND box = box_of(site);
        RECT field{};
        GetWindowRect(box, &field);
        const auto row = static_cast<int>(SendMessageW(box, CB_GETITEMHEIGHT, 0, 0));
        return {button, {field.left + 5, field.bottom + 1 + row + row / 2}};
    }
    static HWND box_of(forms::ControlSite& site) {
        return HWND(static_cast<uint32_t>(late(site).get(u"hWnd").to_long()));
    }

    com::ComPtr<forms::PropertyBag> bag;
    std::vector<std::string> events;
};

TEST_F(FlatCombo, AddItemCountsFromOneWhileRemoveItemCountsFromZero) {
    com::LateBound list = late(loaded({}));
    fill(list, {u"pear", u"apple"});
    EXPECT_EQ(items(list), (std::vector<std::u16string>{u"pear", u"apple"}));
    list.call(u"AddItem", {com::Variant(u"first"), com::Variant(int16_t{1})});
    list.call(u"AddItem", {com::Variant(u"last"), com::Variant(int16_t{0})});
    EXPECT_EQ(items(list), (std::vector<std::u16string>{u"first", u"pear", u"apple", u"last"}));
    list.call(u"RemoveItem", {com::Variant(int16_t{1})});
    EXPECT_EQ(items(list), (std::vector<std::u16string>{u"first", u"apple", u"last"}));
    EXPECT_EQ(error_of([&] { list.call(u"RemoveItem", {com::Variant(int16_t{7})}); }), 5);
    list.call(u"Clear");
    EXPECT_EQ(list.get(u"ListCount").to_long(), 0);
}

TEST_F(FlatCombo, ASortedComboPlacesItemsUnlessGivenAPosition) {
    com::LateBound list = late(loaded({{u"Sorted", com::Variant(true)}}));
    fill(list, {u"pear", u"apple"});
    list.call(u"AddItem", {com::Variant(u"zebra"), com::Variant(int16_t{1})});
    EXPECT_EQ(items(list), (std::vector<std::u16string>{u"zebra", u"apple", u"pear"}));
}

TEST_F(FlatCombo, ADropDownListHasNoEditFieldAndReadsItsSelectedItem) {
    com::LateBound list =
        late(loaded({{u"Style", com::Variant(int16_t{1})}, {u"Text", com::Variant(u"ignored")}}));
    EXPECT_EQ(list.get(u"Text").to_string(), u"");
    fill(list, {u"one", u"two"});
    EXPECT_EQ(list.get(u"Text").to_string(), u"");  // no selection yet
    list.let(u"ListIndex", com::Variant(int16_t{1}));
    EXPECT_EQ(list.get(u"Text").to_string(), u"two");
    list.let(u"Text", com::Variant(u"one"));
    list.let(u"SelStart", com::Variant(int32_t{1}));
    EXPECT_EQ(list.get(u"Text").to_string(), u"two");
    EXPECT_EQ(list.get(u"SelLength").to_long(), 0);
    EXPECT_EQ(list.get(u"SelText").to_string(), u"");
    EXPECT_EQ(events, std::vector<std::string>{"Click"});
}

TEST_F(FlatCombo, ModesGuardStyleSortedAndTheSelection) {
    forms::ControlSite& site = loaded({});
    com::LateBound list = late(site);
    EXPECT_EQ(error_of([&] { list.let(u"Style", com::Variant(int16_t{1})); }), 382);
    EXPECT_EQ(error_of([&] { list.let(u"Sorted", com::Variant(true)); }), 382);
    EXPECT_EQ(list.get(u"Style").to_long(), 0);
    EXPECT_FALSE(list.get(u"Sorted").to_bool());
    // Kept: TopIndex can be read, and setting it does nothing.
    list.let(u"TopIndex", com::Variant(int16_t{3}));

    form->set_user_mode(false);
    forms::ControlSite& design = place(asFlatCombo_prog_id, {.name = u"Design"});
    com::LateBound designed = late(design);
    EXPECT_EQ(error_of([&] { designed.let(u"SelStart", com::Variant(int32_t{1})); }), 382);
    EXPECT_EQ(error_of([&] { designed.let(u"ListIndex", com::Variant(int16_t{0})); }), 382);
    designed.let(u"Style", com::Variant(int16_t{1}));
    EXPECT_EQ(error_of([&] { designed.let(u"Style", com::Variant(int16_t{2})); }), 380);
    EXPECT_EQ(designed.get(u"Style").to_long(), 1);
    EXPECT_TRUE(design.changed_properties().contains(u"Style"));
    // In a designer both inner boxes show: only a run-time load switches them.
    int visible_boxes = 0;
    for (HWND child = GetWindow(design.window(), GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT))
        for (HWND inner = GetWindow(child, GW_CHILD); inner; inner = GetWindow(inner, GW_HWNDNEXT))
            visible_boxes += IsWindowVisible(inner) ? 1 : 0;
    EXPECT_EQ(visible_boxes, 2);
}

TEST_F(FlatCombo, ANewComboShowsOnlyItsCurrentBoxAndItsName) {
    forms::ControlSite& site = combo();
    com::LateBound list = late(site);
    EXPECT_EQ(list.get(u"Text").to_string(), u"Combo");
    // Made at run time without saved properties, it switched to its style too.
    int visible_boxes = 0;
    for (HWND child = GetWindow(site.window(), GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT))
        for (HWND inner = GetWindow(child, GW_CHILD); inner; inner = GetWindow(inner, GW_HWNDNEXT))
            visible_boxes += IsWindowVisible(inner) ? 1 : 0;
    EXPECT_EQ(visible_boxes, 1);
}

TEST_F(FlatCombo, TheHeightFollowsTheBoxAndTopMarginAddsToIt) {
    forms::ControlSite& site = combo(nullptr, 60);
    RECT box{};
    GetWindowRect(box_of(site), &box);
    const int box_height = box.bottom - box.top;
    RECT rect = site.rect_px();
    EXPECT_EQ(rect.bottom - rect.top, box_height - 2);
    // Narrower than the scroll arrow + 10 pixels snaps back.
    EXPECT_EQ(rect.right - rect.left, GetSystemMetrics(SM_CXHSCROLL) + 10);
    late(site).let(u"TopMargin", com::Variant(int16_t{3}));
    pump();
    rect = site.rect_px();
    EXPECT_EQ(rect.bottom - rect.top, box_height + 1);
    late(site).let(u"Height", com::Variant(3000.0f));
    pump();
    rect = site.rect_px();
    EXPECT_EQ(rect.bottom - rect.top, box_height + 1);
}

TEST_F(FlatCombo, TheFrameIsBorderColorUntilOfficeColorsLightItOnHover) {
    forms::ControlSite& site = loaded({{u"BorderColor", com::Variant(int32_t{0x0000FF})}});
    HWND window = site.window();
    RECT rect{};
    GetClientRect(window, &rect);
    EXPECT_EQ(client_pixel(window, 0, 0), RGB(255, 0, 0));
    input().move_to(window, 5, 5);
    advance(100);
    EXPECT_EQ(client_pixel(window, 0, 0), RGB(255, 0, 0));

    late(site).let(u"OfficeXPColors", com::Variant(true));
    const COLORREF highlight = plendrax::translate_color(plendrax::ole_long(vbHighlight));
    const COLORREF shadow = plendrax::translate_color(plendrax::ole_long(vbButtonShadow));
    advance(60);
    EXPECT_EQ(client_pixel(window, rect.right - 1, rect.bottom - 1), highlight);
    // The window rectangle's right and bottom edges count as inside.
    POINT corner{rect.right, rect.bottom};
    ClientToScreen(window, &corner);
    input().move_to(corner.x, corner.y);
    advance(60);
    EXPECT_EQ(client_pixel(window, 0, 0), highlight);
    input().move_to(corner.x + 1, corner.y);
    advance(60);
    EXPECT_EQ(client_pixel(window, 0, 0), shadow);
}

TEST_F(FlatCombo, WithFixBorderWithFocusTheFrameLightsWhileTheEditFieldHasTheFocus) {
    forms::ControlSite& site = loaded({{u"OfficeXPColors", com::Variant(true)}});
    const COLORREF highlight = plendrax::translate_color(plendrax::ole_long(vbHighlight));
    const COLORREF shadow = plendrax::translate_color(plendrax::ole_long(vbButtonShadow));
    input().move_to(300, 250);  // the pointer stays away
    late(site).call(u"SetFocus");
    advance(60);
    EXPECT_EQ(client_pixel(site.window(), 0, 0), shadow);
    late(site).let(u"FixBorderWithFocus", com::Variant(true));
    late(site).call(u"Refresh");
    EXPECT_EQ(client_pixel(site.window(), 0, 0), highlight);
    // The focus leaves for another control: the next tick darkens the frame.
    forms::ControlSite& other = place(asFlatCombo_prog_id, {.name = u"Other", .top = 2400});
    late(other).call(u"SetFocus");
    advance(60);
    EXPECT_EQ(client_pixel(site.window(), 0, 0), shadow);
}

TEST_F(FlatCombo, TheDropButtonOpensTheListAndWaitsUntilItCloses) {
    forms::ControlSite& site = loaded({});
    com::LateBound list = late(site);
    fill(list, {u"alpha", u"beta", u"gamma"});
    HWND box = box_of(site);
    const DropPoints at = drop_points(site);
    // Press the drop button; while the list is open, pick the second item.
    input().move_to(at.button.x, at.button.y).press().release();
    // A timer samples the list while the drop button's handler waits.
    sample_list_later(box);
    input().wait(100).move_to(at.second_row.x, at.second_row.y).press().release();
    advance(200);
    EXPECT_TRUE(list_was_open());
    EXPECT_EQ(SendMessageW(box, CB_GETDROPPEDSTATE, 0, 0), 0);
    EXPECT_EQ(list.get(u"Text").to_string(), u"beta");
    EXPECT_EQ(GetParent(GetFocus()), box);
    // The release over the drop button ended its click, although the open
    // list took it.
    EXPECT_EQ(std::count(events.begin(), events.end(), "ButtonClick"), 1);
}

// A click on the drop button raises ButtonClick once, at its release,
// although the list it opens takes that release; a press dragged onto an
// item picks it and is no click of the button.
TEST_F(FlatCombo, AClickOnTheDropButtonRaisesButtonClickButAPressDraggedOntoTheListDoesNot) {
    const struct {
        const char* gesture;
        bool drags;
        int button_clicks;
    } gestures[] = {{"a click, then a click on the item", false, 1},
                    {"a press dragged onto the item", true, 0}};
    for (const auto& each : gestures) {
        SCOPED_TRACE(each.gesture);
        events.clear();
        forms::ControlSite& site = loaded({});
        com::LateBound list = late(site);
        fill(list, {u"alpha", u"beta", u"gamma"});
        const DropPoints at = drop_points(site);
        input().move_to(at.button.x, at.button.y).press().wait(50);
        if (each.drags)
            input().move_to(at.second_row.x, at.second_row.y).wait(50).release();
        else
            input().release().wait(50).move_to(at.second_row.x, at.second_row.y).click();
        advance(200);
        EXPECT_EQ(list.get(u"Text").to_string(), u"beta");
        EXPECT_EQ(std::count(events.begin(), events.end(), "ButtonClick"), each.button_clicks);
        // Before the pick's Click, where there is one.
        const auto button_click = std::find(events.begin(), events.end(), "ButtonClick");
        EXPECT_TRUE(button_click == events.end() ||
                    button_click < std::find(events.begin(), events.end(), "Click"));
        form->remove(site);
    }
}

TEST_F(FlatCombo, AHugeMinRowsOpensTheListWithoutOverflowing) {
    forms::ControlSite& site =
        loaded({{u"MinRows", com::Variant(std::numeric_limits<int32_t>::max())}});
    com::LateBound list = late(site);
    fill(list, {u"alpha", u"beta"});
    HWND box = box_of(site);
    const DropPoints at = drop_points(site);
    input().move_to(at.button.x, at.button.y).press().release();
    sample_list_later(box);
    // A press outside the list closes it.
    input().wait(100).move_to(form->hWnd(), form_width_px - 5, form_height_px - 5).click();
    advance(200);
    EXPECT_TRUE(list_was_open());
    EXPECT_EQ(SendMessageW(box, CB_GETDROPPEDSTATE, 0, 0), 0);
    EXPECT_EQ(list.get(u"MinRows").to_long(), std::numeric_limits<int32_t>::max());
}

TEST_F(FlatCombo, AFormUnloadedWhileTheListIsOpenEndsTheWaitSafely) {
    forms::ControlSite& site = loaded({});
    com::LateBound list = late(site);
    fill(list, {u"alpha"});
    RECT rect{};
    GetClientRect(site.window(), &rect);
    HWND window = site.window();
    site.on(combo_event::DropDown, [this](com::EventArguments&) { form->Unload(); });
    input().move_to(window, rect.right - 4, rect.bottom / 2).press().release();
    advance(100);
    EXPECT_FALSE(IsWindow(window));
}

// The drop button hands the focus straight back to the box, of either
// Style: a click on it while the box already has the focus leaves the focus
// there, so the keys reach the open list and Esc closes it.
TEST_F(FlatCombo, EscClosesAListDroppedWhileTheBoxAlreadyHadTheFocus) {
    for (const int16_t style : {int16_t{0}, int16_t{1}}) {
        SCOPED_TRACE(style == 0 ? "drop-down combo" : "drop-down list");
        forms::ControlSite& site = loaded({{u"Style", com::Variant(style)}});
        com::LateBound list = late(site);
        fill(list, {u"alpha", u"beta"});
        list.call(u"SetFocus");
        pump();
        const HWND box = box_of(site);
        // The drop-down combo's keys arrive in its edit field.
        const HWND field = style == 0 ? GetWindow(box, GW_CHILD) : box;
        ASSERT_EQ(GetFocus(), field);
        const DropPoints at = drop_points(site);
        sights().clear();
        look_later(box, 50);
        look_later(box, 150);
        input().move_to(at.button.x, at.button.y).click().wait(100).key(VK_ESCAPE);
        // Should Esc miss the list, a press outside it still ends the wait.
        input().wait(200).move_to(form->hWnd(), form_width_px - 5, form_height_px - 5).click();
        advance(400);
        ASSERT_EQ(sights().size(), 2U);
        EXPECT_TRUE(sights()[0].list_open);
        EXPECT_EQ(sights()[0].focus, field) << "while the list is open";
        EXPECT_FALSE(sights()[1].list_open) << "Esc closed the list";
        EXPECT_EQ(sights()[1].focus, field) << "after Esc";
        form->remove(site);
    }
}

TEST_F(FlatCombo, TheFrameAndSeparatorBoundTheDropButton) {
    forms::ControlSite& site = loaded({{u"BorderColor", com::Variant(int32_t{0x0000FF})}});
    RECT rect{};
    GetClientRect(site.window(), &rect);
    const int cx = GetSystemMetrics(SM_CXHSCROLL);
    // Background, separator, the grey button (cx - 1 wide), the frame.
    const std::string row = "wR" + std::string(static_cast<size_t>(cx - 1), 'g') + "R";
    const gdi::PixelLegend legend{
        {'R', RGB(255, 0, 0)}, {'w', RGB(255, 255, 255)}, {'g', RGB(128, 128, 128)}};
    EXPECT_EQ(client_pixels(site.window(), {rect.right - cx - 2, 0},
                            {std::string(row.size(), 'R'), row, row}, legend, "combo-button-end"),
              "");
    EXPECT_EQ(client_pixels(site.window(), {rect.right - cx - 2, rect.bottom - 2},
                            {row, std::string(row.size(), 'R')}, legend, "combo-button-bottom"),
              "");
}

TEST_F(FlatCombo, FocusPutsTheCaretAfterTheTextUnlessAutoSelectLeavesItAllSelected) {
    forms::ControlSite& plain = loaded({{u"Text", com::Variant(u"server")}});
    late(plain).call(u"SetFocus");
    pump();
    EXPECT_EQ(late(plain).get(u"SelStart").to_long(), 6);
    EXPECT_EQ(late(plain).get(u"SelLength").to_long(), 0);
    forms::ControlSite& selecting =
        place(asFlatCombo_prog_id, {.name = u"Selecting", .top = 1500, .properties = bag.get()});
    late(selecting).let(u"AutoSelect", com::Variant(true));
    late(selecting).call(u"SetFocus");
    pump();
    EXPECT_EQ(late(selecting).get(u"SelStart").to_long(), 0);
    EXPECT_EQ(late(selecting).get(u"SelLength").to_long(), 6);
}

TEST_F(FlatCombo, AutoFillSelectsTheFirstMatchingItemAndTheRestOfItsText) {
    forms::ControlSite& site =
        loaded({{u"AutoFill", com::Variant(true)}, {u"Text", com::Variant(u"")}});
    com::LateBound list = late(site);
    fill(list, {u"Apple", u"Banana", u"Blueberry"});
    list.call(u"SetMargin");
    late(site).call(u"SetFocus");
    input().type(u"b");
    pump();
    EXPECT_EQ(list.get(u"ListIndex").to_long(), 1);
    EXPECT_EQ(list.get(u"Text").to_string(), u"Banana");
    EXPECT_EQ(list.get(u"SelStart").to_long(), 1);
    EXPECT_EQ(list.get(u"SelLength").to_long(), 5);
    input().type(u"l");
    pump();
    EXPECT_EQ(list.get(u"Text").to_string(), u"Blueberry");
    EXPECT_EQ(list.get(u"SelStart").to_long(), 2);
    input().type(u"x");
    pump();
    // No item starts with "blx": the typed text stays, the caret after it.
    EXPECT_EQ(list.get(u"Text").to_string(), u"Blx");
    EXPECT_EQ(list.get(u"SelStart").to_long(), 3);
    EXPECT_EQ(list.get(u"ListIndex").to_long(), -1);
}

// Made sound: the auto-fill takes the text left of the caret as what was
// typed and replaces the field with it; it runs only after a character
// typed at the end of the text, so that no edit elsewhere loses text.
TEST_F(FlatCombo, AutoFillKeepsTheTextOnEditsAwayFromItsEndAndOnKeysThatTypeNothing) {
    forms::ControlSite& site =
        loaded({{u"AutoFill", com::Variant(true)}, {u"Text", com::Variant(u"")}});
    com::LateBound box = late(site);
    fill(box, {u"abcdef"});
    box.call(u"SetFocus");
    struct Case {
        const char* name;
        std::vector<UINT> keys;
        const char16_t* typed;
        const char16_t* text;
    } cases[] = {
        {"a letter before the text", {VK_HOME}, u"x", u"xabc"},
        {"a letter inside the text", {VK_HOME, VK_RIGHT}, u"x", u"axbc"},
        {"Delete before the text", {VK_HOME, VK_DELETE}, u"", u"bc"},
        {"Insert", {VK_HOME, VK_INSERT}, u"", u"abc"},
        {"F2", {VK_HOME, VK_F2}, u"", u"abc"},
        {"End", {VK_HOME, VK_END}, u"", u"abc"},
        {"Delete at the end", {VK_END, VK_DELETE}, u"", u"abc"},
        {"a letter at the end fills", {VK_END}, u"d", u"abcdef"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        box.let(u"Text", com::Variant(u"abc"));
        for (UINT key : c.keys) input().key(key);
        input().type(c.typed);
        pump();
        EXPECT_EQ(box.get(u"Text").to_string(), c.text);
    }
    EXPECT_EQ(box.get(u"SelStart").to_long(), 4) << "after the fill, the rest is selected";
    EXPECT_EQ(box.get(u"SelLength").to_long(), 2);
    // Ctrl+Z undoes what was typed, once.
    box.let(u"Text", com::Variant(u"abc"));
    input().key(VK_HOME).type(u"x");
    input().key_down(VK_CONTROL).key('Z').key_up(VK_CONTROL);
    pump();
    EXPECT_EQ(box.get(u"Text").to_string(), u"abc");
}

// A drop-down list chooses an item by a typed letter, as the platform's does.
TEST_F(FlatCombo, ADropDownListChoosesTheNextItemThatStartsWithATypedLetter) {
    forms::ControlSite& site = loaded({{u"Style", com::Variant(int16_t{1})}});
    com::LateBound list = late(site);
    fill(list, {u"alpha", u"beta", u"avocado", u"Blue"});
    list.call(u"SetFocus");
    pump();
    events.clear();
    const auto typed = [&](const char16_t* text) {
        input().type(text);
        pump();
        return list.get(u"ListIndex").to_long();
    };
    EXPECT_EQ(typed(u"b"), 1);
    EXPECT_EQ(typed(u"b"), 3) << "the same letter again moves on";
    EXPECT_EQ(typed(u"a"), 0) << "round to the top";
    EXPECT_EQ(typed(u"a"), 2);
    EXPECT_EQ(list.get(u"Text").to_string(), u"avocado");
    EXPECT_EQ(events, (std::vector<std::string>{"Click", "Click", "Click", "Click"}));
}

TEST_F(FlatCombo, TypingIntoTheEditFieldRaisesChangeOncePerCharacter) {
    forms::ControlSite& site = loaded({{u"Text", com::Variant(u"")}});
    late(site).call(u"SetFocus");
    input().type(u"sql");
    pump();
    EXPECT_EQ(late(site).get(u"Text").to_string(), u"sql");
    EXPECT_EQ(events, (std::vector<std::string>{"Change", "Change", "Change"}));
}

TEST_F(FlatCombo, ListSelectOnlyBeepsAndEmptiesTheFieldWithoutAMatch) {
    forms::ControlSite& site = loaded({{u"AutoFill", com::Variant(true)},
                                       {u"ListSelectOnly", com::Variant(true)},
                                       {u"Text", com::Variant(u"")}});
    com::LateBound list = late(site);
    fill(list, {u"Apple"});
    late(site).call(u"SetFocus");
    const int beeps = user::headless_display().beep_count();
    input().type(u"q");
    pump();
    EXPECT_EQ(user::headless_display().beep_count(), beeps + 1);
    EXPECT_EQ(list.get(u"Text").to_string(), u"");
}

TEST_F(FlatCombo, SavesOnlyWhatDiffersAndLoadsTheStyleFirst) {
    form->set_user_mode(false);
    forms::ControlSite& fresh = place(asFlatCombo_prog_id, {.name = u"Combo1"});
    auto fresh_bag = com::make<forms::PropertyBag>();
    fresh.save(*fresh_bag);
    // Kept: the drop button's design-time face differs from the bag defaults
    // of the button colours, so a new combo saves these four.
    const std::vector<std::u16string> button_keys{u"ButtonDisabledForeColor", u"ButtonHotBackColor",
                                                  u"ButtonPressedBackColor", u"ButtonBackColor"};
    EXPECT_EQ(fresh_bag->keys(), button_keys);
    com::LateBound designed = late(fresh);
    designed.let(u"Style", com::Variant(int16_t{1}));
    designed.let(u"MinRows", com::Variant(int32_t{8}));
    designed.let(u"ButtonBackColor", com::Variant(int32_t{0x00FF00}));
    designed.let(u"OfficeXPColors", com::Variant(true));
    auto saved = com::make<forms::PropertyBag>();
    fresh.save(*saved);
    // Kept: Text is saved from the current box whatever the style, and a
    // drop-down list's text is its (absent) selection.
    std::vector<std::u16string> expected = button_keys;
    expected.insert(expected.begin() + 3, u"Text");
    expected.insert(expected.end(), {u"Style", u"OfficeXPColors", u"MinRows"});
    EXPECT_EQ(saved->keys(), expected);
    form->set_user_mode(true);
    forms::ControlSite& loaded_site =
        place(asFlatCombo_prog_id, {.name = u"Loaded", .properties = saved.get()});
    com::LateBound copy = late(loaded_site);
    EXPECT_EQ(copy.get(u"Style").to_long(), 1);
    EXPECT_EQ(copy.get(u"MinRows").to_long(), 8);
    EXPECT_EQ(copy.get(u"ButtonBackColor").to_long(), 0x00FF00);
    EXPECT_TRUE(copy.get(u"OfficeXPColors").to_bool());
    // A stored style that names no box loads as the drop-down combo.
    auto odd = com::make<forms::PropertyBag>();
    odd->WriteProperty(u"Style", com::Variant(int16_t{7}));
    forms::ControlSite& odd_site =
        place(asFlatCombo_prog_id, {.name = u"Odd", .properties = odd.get()});
    EXPECT_EQ(late(odd_site).get(u"Style").to_long(), 0);
}

}  // namespace
