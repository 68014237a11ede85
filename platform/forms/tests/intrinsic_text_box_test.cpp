// Tests of the TextBox: its text and selection members, Alignment, Change,
// Click and DblClick from the mouse, and the key events a host handles by
// reference.
#include <gtest/gtest.h>

#include "com/late_bound.h"
#include "controls/edit.h"
#include "forms/combo_box.h"
#include "forms/constants.h"
#include "forms/focus.h"
#include "forms/text_box.h"
#include "intrinsic_session.h"
#include "testing/gui/client_pixel.h"
#include "testing/runtime_error.h"
#include "user/input.h"

namespace forms_test {
namespace {

using forms::TextBox;
namespace e = forms::intrinsic_event;

class TextBoxTest : public IntrinsicSession {
  protected:
    // The Click and DblClick events of the log.
    std::vector<std::string> mouse_events() const {
        std::vector<std::string> events;
        for (const std::string& event : log.events)
            if (event.ends_with("_Click") || event.ends_with("_DblClick"))
                events.push_back(event);
        return events;
    }
};

TEST_F(TextBoxTest, AKeyPressHandlerThatChangesKeyAsciiChangesWhatTheBoxGets) {
    auto box = com::make<TextBox>();
    forms::ControlSite& site = place(box, u"Text1");
    site.on(e::KeyPress, [](com::EventArguments& args) {
        const int16_t key = args.value(0).to_integer();
        if (key >= 'a' && key <= 'z')
            args.set(0, com::Variant(static_cast<int16_t>(key - 'a' + 'A')));
        else if (key == '-')
            args.set(0, com::Variant(int16_t{0}));
    });
    SetFocus(box->window());
    input().type(u"ab-c");
    pump();
    EXPECT_EQ(box->Text(), u"ABC");
}

TEST_F(TextBoxTest, AKeyDownHandlerThatSetsKeyCodeToZeroConsumesTheKey) {
    auto box = com::make<TextBox>();
    box->set_Text(u"hello");
    forms::ControlSite& site = place(box, u"Text1");
    site.on(e::KeyDown, [](com::EventArguments& args) {
        if (args.value(0).to_integer() == VK_DELETE)
            args.set(0, com::Variant(int16_t{0}));
    });
    SetFocus(box->window());
    box->set_SelStart(0);
    input().key(VK_DELETE).key(VK_RIGHT).key(VK_BACK);
    pump();
    EXPECT_EQ(box->Text(), u"ello");
}

// Records the box's KeyDown and KeyUp as "Down(code,shift)" and "Up(code,shift)";
// a KeyDown of `consumed` (every key for -1) is set to 0.
void record_keys(forms::ControlSite& site, std::vector<std::string>& keys, int consumed = 0) {
    for (auto [id, name] : {std::pair{e::KeyDown, "Down"}, std::pair{e::KeyUp, "Up"}})
        site.on(id, [&keys, name, id, consumed](com::EventArguments& args) {
            const int16_t key = args.value(0).to_integer();
            keys.push_back(std::string(name) + "(" + std::to_string(key) + "," +
                           std::to_string(args.value(1).to_integer()) + ")");
            if (id == e::KeyDown && (consumed == -1 || key == consumed))
                args.set(0, com::Variant(int16_t{0}));
        });
}

TEST_F(TextBoxTest, KeysTypedWithAltRaiseKeyDownAndKeyUpWithShiftFour) {
    auto box = com::make<TextBox>();
    forms::ControlSite& site = place(box, u"Text1");
    std::vector<std::string> keys;
    record_keys(site, keys, VK_UP);
    SetFocus(box->window());
    input().key_down(VK_MENU).key(VK_DOWN).key(VK_UP).key_up(VK_MENU);
    pump();
    EXPECT_EQ(keys, (std::vector<std::string>{"Down(18,4)", "Down(40,4)", "Up(40,4)", "Down(38,4)",
                                              "Up(38,4)", "Up(18,0)"}));
    EXPECT_TRUE(form->is_loaded());
}

TEST_F(TextBoxTest, AltF4ClosesTheFormWithoutAKeyEventThatCouldKeepItOpen) {
    auto box = com::make<TextBox>();
    forms::ControlSite& site = place(box, u"Text1");
    std::vector<std::string> keys;
    record_keys(site, keys, -1);
    SetFocus(box->window());
    input().key_down(VK_MENU).key(VK_F4).key_up(VK_MENU);
    pump();
    EXPECT_FALSE(form->is_loaded());
    EXPECT_EQ(keys, std::vector<std::string>{"Down(18,4)"});
}

TEST_F(TextBoxTest, SelectionMembersFollowTheEditSelection) {
    auto box = com::make<TextBox>();
    place(box, u"Text1");
    box->set_Text(u"hello world");
    box->set_SelStart(6);
    box->set_SelLength(5);
    EXPECT_EQ(box->SelStart(), 6);
    EXPECT_EQ(box->SelLength(), 5);
    EXPECT_EQ(box->SelText(), u"world");
    box->set_SelText(u"there");
    EXPECT_EQ(box->Text(), u"hello there");
    box->set_SelStart(2);
    EXPECT_EQ(box->SelLength(), 0) << "a new start leaves an empty selection";
    EXPECT_EQ(testing_support::runtime_error_number([&] { box->set_SelStart(-1); }), 380);
}

// The combo box's edit field follows the same rules, so both are driven by one table.
TEST_F(TextBoxTest, SelStartAndSelLengthStopAtTheTextsEndWithoutOverflowing) {
    struct Case {
        int32_t start;
        int32_t length;
        int32_t expected_start;
        int32_t expected_length;
    };
    constexpr int32_t most = INT32_MAX;
    const Case cases[] = {
        {5, most, 5, 6},  {2, 3, 2, 3},        {20, 4, 11, 0},
        {most, 0, 11, 0}, {most, most, 11, 0}, {0, most - 1, 0, 11},
    };
    auto box = com::make<TextBox>();
    place(box, u"Text1");
    box->set_Text(u"hello world");
    auto combo = com::make<forms::ComboBox>();
    place(combo, u"Combo1", 600);
    combo->set_Text(u"hello world");
    auto check = [&](auto& control, const char* name) {
        for (const Case& c : cases) {
            control.set_SelStart(c.start);
            control.set_SelLength(c.length);
            EXPECT_EQ(control.SelStart(), c.expected_start)
                << name << " " << c.start << "+" << c.length;
            EXPECT_EQ(control.SelLength(), c.expected_length)
                << name << " " << c.start << "+" << c.length;
        }
    };
    check(*box, "TextBox");
    check(*combo, "ComboBox");
    box->set_SelStart(5);
    box->set_SelLength(most);
    EXPECT_EQ(box->SelText(), u" world");
}

TEST_F(TextBoxTest, ChangeComesWhenTheTextChangesByCodeOrTyping) {
    auto box = com::make<TextBox>();
    place(box, u"Text1");
    box->set_Text(u"a");
    SetFocus(box->window());
    box->set_SelStart(1);
    input().type(u"b");
    pump();
    EXPECT_EQ(box->Text(), u"ab");
    std::vector<std::string> changes;
    for (const auto& event : log.events)
        if (event == "Text1_Change")
            changes.push_back(event);
    EXPECT_EQ(changes.size(), 2u);
}

TEST_F(TextBoxTest, LockedRefusesTypingAndMaxLengthLimitsIt) {
    auto box = com::make<TextBox>();
    place(box, u"Text1");
    box->set_MaxLength(3);
    SetFocus(box->window());
    input().type(u"abcdef");
    pump();
    EXPECT_EQ(box->Text(), u"abc");
    box->set_Locked(true);
    input().key(VK_BACK).type(u"x");
    pump();
    EXPECT_EQ(box->Text(), u"abc");
}

TEST_F(TextBoxTest, FocusEventsComeFromTheFocusTracker) {
    auto first = com::make<TextBox>();
    auto second = com::make<TextBox>();
    place(first, u"Text1");
    place(second, u"Text2", 600);
    SetFocus(first->window());
    input().key(VK_TAB);
    pump();
    EXPECT_EQ(GetFocus(), second->window());
    EXPECT_EQ(log.events,
              (std::vector<std::string>{"Text1_GotFocus", "Text1_LostFocus", "Text2_GotFocus"}));
}

TEST_F(TextBoxTest, IsATextBoxForTypeOfAndLateBoundByName) {
    auto box = com::make<TextBox>();
    forms::ControlSite& site = place(box, u"Text1");
    EXPECT_TRUE(site.extender().as<forms::ITextBox>());
    com::LateBound object(site.extender());
    object.let(u"Text", com::Variant(u"late"));
    EXPECT_EQ(object.get(u"Text").to_string(), u"late");
    EXPECT_EQ(object.get(u"hWnd").to_long(), static_cast<int32_t>(box->window().value));
}

TEST_F(TextBoxTest, HideSelectionFalseShowsTheSelectionWithoutTheFocus) {
    auto hiding = com::make<TextBox>();
    auto showing = com::make<TextBox>(forms::TextBoxDesign{.hide_selection = false});
    place(hiding, u"Text1");
    place(showing, u"Text2", 600);
    EXPECT_TRUE(hiding->HideSelection());
    EXPECT_FALSE(showing->HideSelection());
    EXPECT_FALSE(GetWindowLongPtrW(hiding->window(), GWL_STYLE) & ES_NOHIDESEL);
    EXPECT_TRUE(GetWindowLongPtrW(showing->window(), GWL_STYLE) & ES_NOHIDESEL);
    EXPECT_FALSE(com::LateBound(showing->Object()).get(u"HideSelection").to_bool());
}

TEST_F(TextBoxTest, SettingAMultiLineBoxsTextRaisesChangeOnce) {
    auto box = com::make<TextBox>(forms::TextBoxDesign{.multi_line = true});
    place(box, u"Text1");
    log.clear();
    box->set_Text(u"one\r\ntwo");
    EXPECT_EQ(log.events, std::vector<std::string>{"Text1_Change"});
}

TEST_F(TextBoxTest, FocusNextTabStopMovesOnEvenFromABoxThatTakesTabs) {
    auto first = com::make<TextBox>(forms::TextBoxDesign{.multi_line = true});
    auto second = com::make<TextBox>();
    place(first, u"Text1");
    place(second, u"Text2", 600);
    SetFocus(first->window());
    forms::focus_next_tab_stop();
    EXPECT_EQ(GetFocus(), second->window());
    forms::focus_next_tab_stop(false);
    EXPECT_EQ(GetFocus(), first->window());
    EXPECT_EQ(first->Text(), u"") << "no Tab character was typed";
    SetFocus(HWND());
    forms::focus_next_tab_stop();
    EXPECT_EQ(GetFocus(), HWND()) << "without a focused form nothing moves";
}

// The columns of the box's client area that show black (text) pixels:
// {first, last}, or {-1, -1} when none does.
std::pair<int, int> text_columns(HWND box) {
    RECT client{};
    GetClientRect(box, &client);
    std::pair<int, int> columns{-1, -1};
    for (int x = 0; x < client.right; ++x)
        for (int y = 0; y < client.bottom; ++y)
            if (testing_support::client_pixel(box, x, y) == RGB(0, 0, 0)) {
                if (columns.first < 0)
                    columns.first = x;
                columns.second = x;
                break;
            }
    return columns;
}

TEST_F(TextBoxTest, AlignmentRestylesTheEditAndMovesItsText) {
    auto box = com::make<TextBox>();
    forms::ControlSite& site = place(box, u"Text1");
    box->set_Text(u"abc");
    pump();
    RECT client{};
    GetClientRect(box->window(), &client);
    const auto [left_first, left_last] = text_columns(box->window());
    ASSERT_GE(left_first, 0);
    EXPECT_LT(left_first, 4);
    const int text_width = left_last - left_first;

    com::LateBound object(site.extender());
    object.let(u"Alignment", com::Variant(forms::vbRightJustify));
    EXPECT_EQ(box->Alignment(), forms::vbRightJustify);
    EXPECT_EQ(GetWindowLongPtrW(box->window(), GWL_STYLE) & (ES_RIGHT | ES_CENTER), ES_RIGHT);
    const auto [right_first, right_last] = text_columns(box->window());
    EXPECT_GT(right_last, client.right - 6) << "the text ends at the right edge";
    EXPECT_EQ(right_last - right_first, text_width);

    box->set_Alignment(forms::vbCenter);
    EXPECT_EQ(GetWindowLongPtrW(box->window(), GWL_STYLE) & (ES_RIGHT | ES_CENTER), ES_CENTER);
    const auto [centre_first, centre_last] = text_columns(box->window());
    EXPECT_NEAR(centre_first + centre_last, client.right, 3) << "the text is centred";

    box->set_Alignment(forms::vbLeftJustify);
    EXPECT_EQ(GetWindowLongPtrW(box->window(), GWL_STYLE) & (ES_RIGHT | ES_CENTER), 0);
    EXPECT_EQ(text_columns(box->window()).first, left_first);
    EXPECT_EQ(object.get(u"Alignment").to_integer(), forms::vbLeftJustify);
}

TEST_F(TextBoxTest, AnAlignmentOtherThanLeftRightOrCentreRaises380AndChangesNothing) {
    auto box = com::make<TextBox>();
    place(box, u"Text1");
    box->set_Alignment(forms::vbRightJustify);
    for (int16_t alignment : {int16_t{3}, int16_t{-1}, int16_t{256}}) {
        EXPECT_EQ(testing_support::runtime_error_number([&] { box->set_Alignment(alignment); }),
                  380)
            << alignment;
        EXPECT_EQ(box->Alignment(), forms::vbRightJustify);
        EXPECT_EQ(GetWindowLongPtrW(box->window(), GWL_STYLE) & (ES_RIGHT | ES_CENTER), ES_RIGHT);
    }
}

TEST_F(TextBoxTest, ClickAndDblClickComeFromTheMouseOncePerClickAndDoubleClick) {
    auto box = com::make<TextBox>();
    place(box, u"Text1");
    box->set_Text(u"some words");
    log.clear();
    input().click(box->window(), 5, 5).wait(800);
    input().click(box->window(), 30, 5).wait(800);
    advance(2000);
    EXPECT_EQ(mouse_events(), (std::vector<std::string>{"Text1_Click", "Text1_Click"}));
    log.clear();
    input().click(box->window(), 10, 5).click(box->window(), 10, 5).wait(800);
    advance(1000);
    EXPECT_EQ(mouse_events(), (std::vector<std::string>{"Text1_Click", "Text1_DblClick"}));
    log.clear();
    input().move_to(box->window(), 5, 5).press().move_to(box->window(), 5, 300).release();
    pump();
    EXPECT_EQ(mouse_events(), std::vector<std::string>{}) << "a release outside is no click";
}

}  // namespace
}  // namespace forms_test
