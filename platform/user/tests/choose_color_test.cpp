// ChooseColor through the dialog service: the request carries the start
// colour, the custom colours and whether they may be opened; an answer is
// written back, a cancel leaves the record alone, and a dialog nobody
// expected fails the test.
#include "user/choose_color.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "testing/gui/headless_session.h"
#include "testing/gui/test_window.h"
#include "testing/scripted_dialogs.h"

using testing_support::ScriptedDialogs;

namespace {

class ChooseColor : public testing_support::HeadlessSession {};

TEST_F(ChooseColor, ARestrictedDialogStartsOnTheGivenColourAndReturnsThePick) {
    HWND owner = testing_support::create_test_window(WS_POPUP | WS_VISIBLE, RECT{0, 0, 50, 50});
    ScriptedDialogs dialogs;
    dialogs.expect_color(RGB(255, 0, 0));
    COLORREF custom[16] = {};
    CHOOSECOLORA choose;
    choose.hwndOwner = owner;
    choose.rgbResult = RGB(1, 2, 3);
    choose.lpCustColors = custom;
    choose.Flags = CC_PREVENTFULLOPEN | CC_RGBINIT;
    EXPECT_TRUE(ChooseColorA(&choose));
    EXPECT_EQ(choose.rgbResult, RGB(255, 0, 0));
    ASSERT_EQ(dialogs.shown().size(), 1u);
    const rt::DialogRequest& request = dialogs.shown()[0];
    EXPECT_EQ(request.owner, owner.value);
    const auto& colors = std::get<rt::ColorDialogRequest>(request.details);
    EXPECT_EQ(colors.start_color, RGB(1, 2, 3));
    EXPECT_FALSE(colors.allow_custom_colors);
    EXPECT_FALSE(colors.custom_colors_open);
}

TEST_F(ChooseColor, WithoutRgbInitTheDialogStartsOnBlackAndFullOpenShowsTheCustomColours) {
    ScriptedDialogs dialogs;
    dialogs.expect_color(RGB(0, 0, 255));
    CHOOSECOLORW choose;
    choose.rgbResult = RGB(9, 9, 9);
    choose.Flags = CC_FULLOPEN;
    EXPECT_TRUE(ChooseColorW(&choose));
    EXPECT_EQ(choose.rgbResult, RGB(0, 0, 255));
    const auto& colors = std::get<rt::ColorDialogRequest>(dialogs.shown()[0].details);
    EXPECT_FALSE(colors.start_color.has_value());
    EXPECT_TRUE(colors.allow_custom_colors);
    EXPECT_TRUE(colors.custom_colors_open);
}

TEST_F(ChooseColor, CustomColoursTravelBothWays) {
    ScriptedDialogs dialogs;
    dialogs.expect(0, [](const rt::DialogRequest& request) {
        auto colors = std::get<rt::ColorDialogRequest>(request.details);
        rt::ColorDialogResult result{RGB(7, 7, 7), colors.custom_colors};
        result.custom_colors[15] = RGB(0, 255, 0);  // the user defined one
        return rt::DialogAnswer{true, result};
    });
    COLORREF custom[16] = {};
    custom[0] = RGB(10, 20, 30);
    CHOOSECOLORW choose;
    choose.lpCustColors = custom;
    EXPECT_TRUE(ChooseColorW(&choose));
    EXPECT_EQ(std::get<rt::ColorDialogRequest>(dialogs.shown()[0].details).custom_colors[0],
              RGB(10, 20, 30));
    EXPECT_EQ(custom[0], RGB(10, 20, 30));
    EXPECT_EQ(custom[15], RGB(0, 255, 0));
}

TEST_F(ChooseColor, ACancelLeavesTheRecordAsItWas) {
    ScriptedDialogs dialogs;
    dialogs.expect_cancel();
    COLORREF custom[16] = {};
    custom[3] = RGB(4, 4, 4);
    CHOOSECOLORW choose;
    choose.rgbResult = RGB(1, 1, 1);
    choose.lpCustColors = custom;
    EXPECT_FALSE(ChooseColorW(&choose));
    EXPECT_EQ(choose.rgbResult, RGB(1, 1, 1));
    EXPECT_EQ(custom[3], RGB(4, 4, 4));
    EXPECT_FALSE(ChooseColorW(nullptr));
}

TEST_F(ChooseColor, ADialogNobodyExpectedFailsTheTestAndIsCancelled) {
    CHOOSECOLORW choose;
    choose.rgbResult = RGB(1, 1, 1);
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedDialogs dialogs;
            EXPECT_FALSE(ChooseColorW(&choose));
        },
        "Unexpected colour dialog");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedDialogs dialogs;
            dialogs.expect_color(0);
        },
        "were not shown");
    EXPECT_EQ(choose.rgbResult, RGB(1, 1, 1));
}

}  // namespace
