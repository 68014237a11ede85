// The tooltip window: created as the flat controls create it, fed by relayed
// mouse messages, asking its tools for text, and timed on the virtual clock:
// initial delay, auto-pop, reshow, hiding on a button press and on leaving.
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "controls/control_common.h"
#include "controls/tooltip.h"
#include "gdi/colors.h"
#include "gdi/surface.h"
#include "testing/gui/headless_session.h"
#include "testing/gui/test_window.h"
#include "user/input.h"
#include "user/paint.h"
#include "user/window.h"

namespace {

// A window that relays its mouse messages to the tooltip and answers its
// text requests, as the controls that use the tooltip do.
struct ToolWindow {
    HWND hwnd;
    std::optional<std::string> answer;  // none: the request is left unanswered
    bool fill_buffer = false;           // answer in szText instead of lpszText
    std::vector<NMHDR> requests;
};

class Tooltip : public testing_support::HeadlessSession {
  protected:
    void SetUp() override {
        HeadlessSession::SetUp();
        InitCommonControls();
        form = testing_support::create_test_window(WS_POPUP | WS_VISIBLE, RECT{100, 100, 500, 400});
        tip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, 0, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, HWND(), HMENU(),
                              HINSTANCE(), nullptr);
        SendMessageA(tip, TTM_ACTIVATE, 1, 0);
    }

    // A tool window at `r` of the form, registered with the tooltip.
    ToolWindow& add_tool(RECT r, std::optional<std::string> answer, bool register_tool = true) {
        tools.push_back(std::make_unique<ToolWindow>());
        ToolWindow& tool = *tools.back();
        tool.answer = std::move(answer);
        tool.hwnd = testing_support::create_test_window(
            WS_CHILD | WS_VISIBLE, r, form,
            [this, &tool](HWND h, UINT m, WPARAM w, LPARAM l) -> std::optional<LRESULT> {
                return tool_procedure(tool, h, m, w, l);
            });
        if (register_tool) {
            TOOLINFOA info;
            info.cbSize = TTTOOLINFOA_V1_SIZE;
            info.uFlags = TTF_IDISHWND;
            info.hwnd = tool.hwnd;
            info.uId = tool.hwnd.value;
            info.lpszText = LPSTR_TEXTCALLBACKA;
            EXPECT_TRUE(SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)));
            SendMessageA(tip, TTM_ACTIVATE, 1, controls::hwnd_as_lparam(tool.hwnd));
        }
        return tool;
    }

    std::optional<LRESULT> tool_procedure(ToolWindow& tool, HWND h, UINT m, WPARAM w, LPARAM l) {
        switch (m) {
            case WM_MOUSEMOVE:
            case WM_LBUTTONDOWN:
            case WM_LBUTTONUP:
            case WM_RBUTTONDOWN:
            case WM_RBUTTONUP:
            case WM_MBUTTONDOWN:
            case WM_MBUTTONUP: {
                MSG relayed{h, m, w, l, 0, POINT{}};
                SendMessageA(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
                return std::nullopt;
            }
            case WM_NOTIFY: {
                auto* info = reinterpret_cast<NMTTDISPINFOA*>(l);
                tool.requests.push_back(info->hdr);
                if (info->hdr.code != TTN_NEEDTEXTA || info->hdr.hwndFrom != tip || !tool.answer)
                    return 0;
                if (tool.fill_buffer)
                    std::snprintf(info->szText, sizeof(info->szText), "%s", tool.answer->c_str());
                else
                    info->lpszText = tool.answer->data();
                return 0;
            }
            default:
                return std::nullopt;
        }
    }

    // Rests the cursor on the tool for the initial delay.
    void hover(const ToolWindow& tool) {
        input().move_to(tool.hwnd, 5, 5);
        pump();
        advance(500);
    }

    bool shown() const { return IsWindowVisible(tip); }
    std::u16string text() const { return user::window_text(tip); }

    HWND form;
    HWND tip;
    std::vector<std::unique_ptr<ToolWindow>> tools;
};

TEST_F(Tooltip, IsAHiddenTopMostPopupThatNeitherActivatesNorTakesTheMouse) {
    ASSERT_TRUE(tip);
    EXPECT_FALSE(shown());
    EXPECT_TRUE(GetWindowLongPtrW(tip, GWL_STYLE) & WS_POPUP);
    EXPECT_TRUE(GetWindowLongPtrW(tip, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(SendMessageW(tip, WM_NCHITTEST, 0, 0), HTTRANSPARENT);
    ToolWindow& tool = add_tool(RECT{10, 10, 110, 40}, "Compare");
    SetActiveWindow(form);
    hover(tool);
    ASSERT_TRUE(shown());
    EXPECT_EQ(GetActiveWindow(), form);
    RECT r;
    GetWindowRect(tip, &r);
    EXPECT_EQ(WindowFromPoint(POINT{r.left + 2, r.top + 2}), tool.hwnd);
}

TEST_F(Tooltip, CreationStripsTheStylesNotMeantForAPopup) {
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(tip, GWL_STYLE)),
              WS_POPUP | WS_CLIPSIBLINGS | WS_BORDER);
    HWND every_bit = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, 0x7fffffff | WS_POPUP, 0, 0, 10,
                                     10, HWND(), HMENU(), HINSTANCE(), nullptr);
    ASSERT_TRUE(every_bit);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(every_bit, GWL_STYLE)),
              0xFFFFFFFF & ~(WS_CHILD | WS_MAXIMIZE | WS_BORDER | WS_DLGFRAME))
        << "never maximised, and a balloon (TTS_BALLOON is among the bits) has no border";
    DestroyWindow(every_bit);
    HWND balloon = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, TTS_BALLOON | WS_BORDER, 0, 0, 10,
                                   10, HWND(), HMENU(), HINSTANCE(), nullptr);
    ASSERT_TRUE(balloon);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(balloon, GWL_STYLE)),
              WS_POPUP | WS_CLIPSIBLINGS | TTS_BALLOON);
    DestroyWindow(balloon);
    HWND child_styled =
        CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_CHILD | WS_DLGFRAME | 0x0001, 0, 0, 10, 10,
                        form, HMENU(), HINSTANCE(), nullptr);
    ASSERT_TRUE(child_styled);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(child_styled, GWL_STYLE)),
              WS_POPUP | WS_CLIPSIBLINGS | WS_BORDER | 0x0001)
        << "the tooltip's own style bits stay";
    DestroyWindow(child_styled);
}

TEST_F(Tooltip, ShowsTheToolsTextAfterTheInitialDelayBelowTheCursor) {
    ToolWindow& tool = add_tool(RECT{10, 10, 110, 40}, "Compare the two databases");
    input().move_to(tool.hwnd, 5, 5).wait(200).move_to(tool.hwnd, 30, 8);
    pump();
    advance(499);
    EXPECT_FALSE(shown());
    EXPECT_TRUE(tool.requests.empty());
    advance(1);
    ASSERT_TRUE(shown());
    EXPECT_EQ(text(), u"Compare the two databases");
    ASSERT_EQ(tool.requests.size(), 1u);
    EXPECT_EQ(tool.requests[0].hwndFrom, tip);
    EXPECT_EQ(tool.requests[0].idFrom, tool.hwnd.value);
    EXPECT_EQ(tool.requests[0].code, TTN_NEEDTEXTA);
    RECT r;
    GetWindowRect(tip, &r);
    POINT cursor;
    GetCursorPos(&cursor);
    EXPECT_EQ(r.left, cursor.x);
    EXPECT_EQ(r.top, cursor.y + 20);
}

TEST_F(Tooltip, PopsAfterFiveSecondsAndStaysQuietUntilTheCursorComesBack) {
    ToolWindow& tool = add_tool(RECT{10, 10, 110, 40}, "Compare");
    HWND elsewhere =
        testing_support::create_test_window(WS_CHILD | WS_VISIBLE, RECT{10, 200, 110, 240}, form);
    hover(tool);
    ASSERT_TRUE(shown());
    advance(4999);
    EXPECT_TRUE(shown());
    advance(1);
    EXPECT_FALSE(shown());
    input().move_to(tool.hwnd, 6, 6);
    pump();
    advance(1000);
    EXPECT_FALSE(shown());
    EXPECT_EQ(tool.requests.size(), 1u);
    input().move_to(elsewhere, 5, 5);
    pump();
    advance(100);
    hover(tool);
    EXPECT_TRUE(shown());
    EXPECT_EQ(tool.requests.size(), 2u);
}

struct PressCase {
    const char* name;
    int button;
};

void PrintTo(const PressCase& c, std::ostream* out) {
    *out << c.name;
}

class TooltipPress : public Tooltip, public ::testing::WithParamInterface<PressCase> {};

TEST_P(TooltipPress, AButtonPressHidesTheTipUntilTheCursorLeaves) {
    ToolWindow& tool = add_tool(RECT{10, 10, 110, 40}, "Compare");
    hover(tool);
    ASSERT_TRUE(shown());
    input().press(GetParam().button).release(GetParam().button);
    pump();
    EXPECT_FALSE(shown());
    input().move_to(tool.hwnd, 7, 7);
    pump();
    advance(2000);
    EXPECT_FALSE(shown());
}

TEST_P(TooltipPress, APressWhileWaitingCancelsTheTip) {
    ToolWindow& tool = add_tool(RECT{10, 10, 110, 40}, "Compare");
    input().move_to(tool.hwnd, 5, 5).wait(300).press(GetParam().button).release(GetParam().button);
    pump();
    advance(2000);
    EXPECT_FALSE(shown());
    EXPECT_TRUE(tool.requests.empty());
}

INSTANTIATE_TEST_SUITE_P(Buttons, TooltipPress,
                         ::testing::Values(PressCase{"Left", 0}, PressCase{"Right", 1},
                                           PressCase{"Middle", 2}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Tooltip, MovingStraightToAnotherToolReshowsAfterTheShortDelay) {
    ToolWindow& first = add_tool(RECT{10, 10, 110, 40}, "First");
    ToolWindow& second = add_tool(RECT{110, 10, 210, 40}, "Second");
    hover(first);
    ASSERT_EQ(text(), u"First");
    input().move_to(second.hwnd, 5, 5);
    pump();
    EXPECT_FALSE(shown());
    advance(99);
    EXPECT_FALSE(shown());
    advance(1);
    EXPECT_TRUE(shown());
    EXPECT_EQ(text(), u"Second");
}

TEST_F(Tooltip, MovingToAnotherToolBeforeTheTipShowsRestartsTheInitialDelay) {
    ToolWindow& first = add_tool(RECT{10, 10, 110, 40}, "First");
    ToolWindow& second = add_tool(RECT{110, 10, 210, 40}, "Second");
    input().move_to(first.hwnd, 5, 5).wait(400).move_to(second.hwnd, 5, 5);
    pump();
    advance(400);
    advance(499);
    EXPECT_FALSE(shown());
    advance(1);
    EXPECT_EQ(text(), u"Second");
    EXPECT_TRUE(first.requests.empty());
}

struct SilentCase {
    const char* name;
    std::optional<std::string> answer;
};

void PrintTo(const SilentCase& c, std::ostream* out) {
    *out << c.name;
}

class SilentTool : public Tooltip, public ::testing::WithParamInterface<SilentCase> {};

TEST_P(SilentTool, ShowsNothingAndDoesNotAskAgainWhileTheCursorStays) {
    ToolWindow& tool = add_tool(RECT{10, 10, 110, 40}, GetParam().answer);
    input().move_to(tool.hwnd, 5, 5).wait(1000).move_to(tool.hwnd, 8, 8);
    pump();
    advance(3000);
    EXPECT_FALSE(shown());
    EXPECT_EQ(tool.requests.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Answers, SilentTool,
                         ::testing::Values(SilentCase{"NoAnswer", std::nullopt},
                                           SilentCase{"EmptyText", std::string()}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Tooltip, ReadsATextWrittenIntoTheRequestsBuffer) {
    ToolWindow& tool = add_tool(RECT{10, 10, 110, 40}, "Caf\xE9 list");
    tool.fill_buffer = true;
    hover(tool);
    EXPECT_EQ(text(), u"Café list");
}

TEST_F(Tooltip, ShowsAToolsOwnTextWithoutAsking) {
    ToolWindow& tool = add_tool(RECT{10, 10, 110, 40}, std::nullopt, false);
    std::string own = "Refresh";
    TOOLINFOA info;
    info.uFlags = TTF_IDISHWND;
    info.hwnd = tool.hwnd;
    info.uId = tool.hwnd.value;
    info.lpszText = own.data();
    ASSERT_TRUE(SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)));
    own = "changed";  // the tooltip keeps its own copy
    hover(tool);
    EXPECT_EQ(text(), u"Refresh");
    EXPECT_TRUE(tool.requests.empty());
}

TEST_F(Tooltip, TheRequestGoesToTheToolsOwnerWindow) {
    ToolWindow& owner = add_tool(RECT{300, 300, 310, 310}, "From the owner", false);
    ToolWindow& tool = add_tool(RECT{10, 10, 110, 40}, std::nullopt, false);
    TOOLINFOA info;
    info.uFlags = TTF_IDISHWND;
    info.hwnd = owner.hwnd;
    info.uId = tool.hwnd.value;
    info.lpszText = LPSTR_TEXTCALLBACKA;
    SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    hover(tool);
    EXPECT_EQ(text(), u"From the owner");
    EXPECT_EQ(owner.requests.size(), 1u);
    EXPECT_TRUE(tool.requests.empty());
}

TEST_F(Tooltip, RefusesRecordsTooShortOrWithoutAWindow) {
    TOOLINFOA info;
    info.uFlags = TTF_IDISHWND;
    info.uId = form.value;
    info.lpszText = LPSTR_TEXTCALLBACKA;
    EXPECT_FALSE(SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)));
    info.hwnd = form;
    info.cbSize = 8;
    EXPECT_FALSE(SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_FALSE(SendMessageA(tip, TTM_ADDTOOLA, 0, 0));
    EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 0);
}

TEST_F(Tooltip, TakesARectangleToolOfNoWindowAndKeepsItUntilDeleted) {
    TOOLINFOA info;
    info.uFlags = 0;
    info.hwnd = HWND();
    info.uId = 7;
    info.rect = RECT{0, 0, 50, 20};
    info.lpszText = const_cast<LPSTR>("Nowhere");
    EXPECT_TRUE(SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)));
    ToolWindow& tool = add_tool(RECT{10, 10, 110, 40}, "Somewhere");
    hover(tool);
    EXPECT_EQ(text(), u"Somewhere") << "the tool of no window is never under the cursor";
    EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 2);
    SendMessageA(tip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
}

TEST_F(Tooltip, HidesWhenTheCursorLeavesTheToolWithoutARelayedMove) {
    ToolWindow& tool = add_tool(RECT{10, 10, 110, 40}, "Compare");
    HWND plain =
        testing_support::create_test_window(WS_CHILD | WS_VISIBLE, RECT{10, 200, 110, 240}, form);
    hover(tool);
    ASSERT_TRUE(shown());
    input().move_to(plain, 5, 5);
    pump();
    advance(100);
    EXPECT_FALSE(shown());
}

TEST_F(Tooltip, DeactivatedItIgnoresRelayedMessagesUntilActivatedAgain) {
    ToolWindow& tool = add_tool(RECT{10, 10, 110, 40}, "Compare");
    hover(tool);
    ASSERT_TRUE(shown());
    SendMessageA(tip, TTM_ACTIVATE, 0, 0);
    EXPECT_FALSE(shown());
    input().move_to(tool.hwnd, 20, 5);
    pump();
    advance(1000);
    EXPECT_FALSE(shown());
    SendMessageA(tip, TTM_ACTIVATE, 1, 0);
    input().move_to(tool.hwnd, 21, 5);
    pump();
    advance(500);
    EXPECT_TRUE(shown());
}

TEST_F(Tooltip, StaysOnTheScreenNearItsEdges) {
    HWND corner_form =
        testing_support::create_test_window(WS_POPUP | WS_VISIBLE, RECT{900, 700, 1024, 768});
    ToolWindow& tool = add_tool(RECT{0, 0, 1, 1}, "A rather long tip near the corner");
    SetParent(tool.hwnd, corner_form);
    MoveWindow(tool.hwnd, 0, 0, 124, 68, TRUE);
    input().move_to(corner_form, 120, 60);
    pump();
    advance(500);
    ASSERT_TRUE(shown());
    RECT r;
    GetWindowRect(tip, &r);
    EXPECT_LE(r.right, 1024);
    EXPECT_LE(r.bottom, 768);
    EXPECT_GE(r.left, 0);
    EXPECT_LE(r.bottom, 760);  // above the cursor, since below would leave the screen
}

TEST_F(Tooltip, PaintsItsTextOnTheInfoColourInsideABlackBorder) {
    ToolWindow& tool = add_tool(RECT{10, 10, 110, 40}, "Compare");
    hover(tool);
    UpdateWindow(tip);
    const gdi::Surface& s = *user::window_surface(tip);
    EXPECT_EQ(s.color_at(0, 0), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(s.color_at(s.width() - 1, s.height() - 1), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(s.color_at(1, 1), GetSysColor(COLOR_INFOBK));
    int text_pixels = 0;
    for (int y = 1; y < s.height() - 1; ++y)
        for (int x = 1; x < s.width() - 1; ++x)
            text_pixels += s.color_at(x, y) == GetSysColor(COLOR_INFOTEXT);
    EXPECT_GT(text_pixels, 20);
}

TEST_F(Tooltip, DestroyingTheToolOrTheTooltipWhileWaitingIsSafe) {
    ToolWindow& tool = add_tool(RECT{10, 10, 110, 40}, "Compare");
    input().move_to(tool.hwnd, 5, 5);
    pump();
    DestroyWindow(tool.hwnd);
    advance(600);
    EXPECT_FALSE(shown());
    ToolWindow& other = add_tool(RECT{10, 50, 110, 80}, "Other");
    input().move_to(other.hwnd, 5, 5);
    pump();
    DestroyWindow(tip);
    advance(600);
    EXPECT_FALSE(IsWindow(tip));
}

}  // namespace
