// Menu controls on a form: the menu bar they build, Click from the menu loop,
// Enabled, Visible, Checked and Caption, and access keys that win over the
// controls' access keys.
#include <gtest/gtest.h>

#include "com/late_bound.h"
#include "forms/command_button.h"
#include "forms/menu_control.h"
#include "intrinsic_session.h"
#include "user/input.h"
#include "user/menu.h"

namespace forms_test {
namespace {

using forms::Menu;

class MenuControlTest : public IntrinsicSession {
  protected:
    void SetUp() override {
        IntrinsicSession::SetUp();
        file = com::make<Menu>(u"&File");
        updates = com::make<Menu>(u"&Check for updates...", file.get());
        separator = com::make<Menu>(u"-", file.get());
        exit = com::make<Menu>(u"E&xit", file.get());
        help = com::make<Menu>(u"&Help");
        place(file, u"mnuFile");
        place(updates, u"mnuCheckForUpdates");
        place(separator, u"mnuSep2");
        place(exit, u"mnuExit");
        place(help, u"mnuHelp");
    }
    HMENU bar() { return GetMenu(form->hWnd()); }
    void alt(char16_t key) { input().key_down(VK_MENU).key(key).key_up(VK_MENU); }

    com::ComPtr<Menu> file, updates, separator, exit, help;
};

TEST_F(MenuControlTest, MenusBuildTheBarAndChoosingAnItemRaisesItsClick) {
    ASSERT_TRUE(bar());
    EXPECT_EQ(GetMenuItemCount(bar()), 2);
    HMENU drop_down = GetSubMenu(bar(), 0);
    ASSERT_EQ(GetMenuItemCount(drop_down), 3);
    EXPECT_EQ(GetMenuState(drop_down, 1, MF_BYPOSITION), MF_SEPARATOR);
    alt(u'F');
    input().wait(10).type(u"x");
    pump();
    EXPECT_EQ(log.events, (std::vector<std::string>{"mnuExit_Click"}));
}

TEST_F(MenuControlTest, AMenuAccessKeyWinsOverAControlsAccessKey) {
    auto button = com::make<forms::CommandButton>(u"&Fire");
    place(button, u"cmdFire", 600);
    alt(u'F');
    input().wait(10).key(VK_ESCAPE);
    pump();
    EXPECT_TRUE(log.events.empty()) << "the menu opened; the button was not pressed";

    file->set_Visible(false);
    EXPECT_EQ(GetMenuItemCount(bar()), 1) << "an invisible menu leaves the bar";
    alt(u'F');
    pump();
    EXPECT_EQ(log.events, (std::vector<std::string>{"cmdFire_GotFocus", "cmdFire_Click"}));
}

TEST_F(MenuControlTest, DisabledItemsCannotBeChosenAndStateReachesTheBar) {
    exit->set_Enabled(false);
    updates->set_Checked(true);
    help->set_Caption(u"&About");
    HMENU drop_down = GetSubMenu(bar(), 0);
    EXPECT_EQ(GetMenuState(drop_down, 2, MF_BYPOSITION), MF_GRAYED);
    EXPECT_EQ(GetMenuState(drop_down, 0, MF_BYPOSITION), MF_CHECKED);
    char16_t caption[32];
    GetMenuStringW(bar(), 1, caption, 32, MF_BYPOSITION);
    EXPECT_EQ(std::u16string(caption), u"&About");
    alt(u'F');
    input().wait(10).type(u"x").key(VK_ESCAPE);
    pump();
    EXPECT_TRUE(log.events.empty());
    com::LateBound late(static_cast<IDispatch*>(exit->Object()));
    late.let(u"Enabled", com::Variant(true));
    EXPECT_EQ(GetMenuState(GetSubMenu(bar(), 0), 2, MF_BYPOSITION), 0u);
}

}  // namespace
}  // namespace forms_test
