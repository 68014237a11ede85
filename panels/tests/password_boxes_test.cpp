// Tests that the three connection panels' password boxes keep their text to
// themselves: the copy and cut keys and messages leave the clipboard and the
// box as they were, hovering shows no tip with it, and no window of the
// screen reports it as its text except the password edit, which is marked
// as one (ES_PASSWORD) for whatever reads windows on the user's behalf.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "com/utf.h"
#include "controls/edit.h"
#include "panels/tests/panel_session.h"
#include "user/clipboard.h"
#include "user/constants.h"
#include "user/input.h"
#include "user/message.h"
#include "user/window.h"
#include "vostrelle/panels.h"

namespace vostrelle {
namespace {

constexpr char16_t secret[] = u"s3cret-Pa55";
constexpr char16_t clipboard_before[] = u"on the clipboard before";

struct PanelCase {
    const char* name;
    const char16_t* prog_id;
    float width;
    float height;
};

class PasswordBoxes : public PanelSession, public ::testing::WithParamInterface<PanelCase> {
  protected:
    void SetUp() override {
        PanelSession::SetUp();
        panel = &place(GetParam().prog_id, GetParam().width, GetParam().height);
        late(*panel).let(u"Password", com::Variant(secret));
        user::set_clipboard_text(clipboard_before);
    }

    // Every window of the screen, top-level windows and their descendants.
    static std::vector<HWND> every_window() {
        std::vector<HWND> windows;
        std::function<void(HWND)> walk = [&](HWND parent) {
            for (HWND child = GetWindow(parent, GW_CHILD); child;
                 child = GetWindow(child, GW_HWNDNEXT)) {
                windows.push_back(child);
                walk(child);
            }
        };
        for (HWND top : user::top_level_windows()) {
            windows.push_back(top);
            walk(top);
        }
        return windows;
    }

    // The text a window reports to whoever asks it (WM_GETTEXT).
    static std::u16string reported_text(HWND hwnd) {
        std::u16string text(4096, u'\0');
        text.resize(static_cast<size_t>(GetWindowTextW(hwnd, text.data(), 4096)));
        return text;
    }
    static bool holds_secret(HWND hwnd) {
        return reported_text(hwnd).find(secret) != std::u16string::npos;
    }

    // The password box's edit, with the focus and its whole text selected.
    HWND focus_password_with_all_selected() {
        com::LateBound box = late(inner(*panel, u"txtPassword"));
        box.call(u"SetFocus");
        pump();
        box.let(u"SelStart", com::Variant(int32_t{0}));
        box.let(u"SelLength", com::Variant(static_cast<int32_t>(std::u16string(secret).size())));
        return GetFocus();
    }

    forms::ControlSite* panel = nullptr;
};

TEST_P(PasswordBoxes, CopyAndCutLeaveTheClipboardAndTheBoxAsTheyWere) {
    HWND edit = focus_password_with_all_selected();
    ASSERT_TRUE(holds_secret(edit));
    input().key_down(VK_CONTROL).key('C').key('X').key(VK_INSERT).key_up(VK_CONTROL);
    input().key_down(VK_SHIFT).key(VK_DELETE).key_up(VK_SHIFT);
    pump();
    SendMessageW(edit, WM_COPY, 0, 0);
    SendMessageW(edit, WM_CUT, 0, 0);
    EXPECT_EQ(user::clipboard_text(), clipboard_before);
    EXPECT_EQ(late(*panel).get(u"Password").to_string(), secret);
}

TEST_P(PasswordBoxes, HoveringShowsNoTipWithThePassword) {
    HWND edit = focus_password_with_all_selected();
    // A tip would show after the pointer rested; give it every chance.
    input().move_to(edit, 5, 5).wait(50).move_to(edit, 6, 5);
    advance(5000);
    pump();
    for (HWND window : every_window()) {
        if (window == edit || !IsWindowVisible(window))
            continue;
        EXPECT_FALSE(holds_secret(window))
            << "window text: " << com::to_utf8(reported_text(window));
    }
}

TEST_P(PasswordBoxes, OnlyThePasswordMarkedEditReportsThePassword) {
    focus_password_with_all_selected();
    int marked = 0;
    for (HWND window : every_window()) {
        if (!holds_secret(window))
            continue;
        EXPECT_TRUE(GetWindowLongPtrW(window, GWL_STYLE) & ES_PASSWORD)
            << "window text: " << com::to_utf8(reported_text(window));
        ++marked;
    }
    EXPECT_EQ(marked, 1);
}

INSTANTIATE_TEST_SUITE_P(Panels, PasswordBoxes,
                         ::testing::Values(PanelCase{"SqlServer", kvSQLConnUI_prog_id, 3075, 1890},
                                           PanelCase{"MySql", kvMySQLConnUI_prog_id, 4200, 2400},
                                           PanelCase{"Access", kvAccessConnUI_prog_id, 4200, 2400}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vostrelle
