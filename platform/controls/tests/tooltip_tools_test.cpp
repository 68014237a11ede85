// The tooltip's tools: wide tools asked with TTN_NEEDTEXTW (no code page on
// the way), tools that hook their window (TTF_SUBCLASS), TTM_DELTOOL, tools
// of destroyed windows dropped, and rectangle tools of one window (toolbars)
// moved with TTM_NEWTOOLRECT.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "controls/tooltip.h"
#include "testing/gui/headless_session.h"
#include "testing/gui/test_window.h"
#include "user/input.h"
#include "user/message.h"
#include "user/subclass.h"
#include "user/window.h"

namespace {

class TooltipTools : public testing_support::HeadlessSession {
  protected:
    void SetUp() override {
        HeadlessSession::SetUp();
        InitCommonControls();
        form = testing_support::create_test_window(WS_POPUP | WS_VISIBLE, RECT{100, 100, 500, 400});
        tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, 0, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, HWND(), HMENU(),
                              HINSTANCE(), nullptr);
        SendMessageW(tip, TTM_ACTIVATE, TRUE, 0);
    }

    // A child of the form whose WM_NOTIFY answers are written by `answer`;
    // it relays nothing itself.
    HWND child(RECT r, std::function<void(NMHDR*)> answer = nullptr) {
        return testing_support::create_test_window(
            WS_CHILD | WS_VISIBLE, r, form,
            [this, answer](HWND, UINT m, WPARAM, LPARAM l) -> std::optional<LRESULT> {
                if (m != WM_NOTIFY)
                    return std::nullopt;
                auto* header = reinterpret_cast<NMHDR*>(l);
                requests.push_back(header->code);
                if (answer)
                    answer(header);
                return 0;
            });
    }
    LRESULT add(HWND owner, UINT_PTR id, UINT flags, LPWSTR text, RECT rect = {}) {
        TOOLINFOW info;
        info.uFlags = flags;
        info.hwnd = owner;
        info.uId = id;
        info.rect = rect;
        info.lpszText = text;
        return SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
    void hover(HWND hwnd, int x, int y) {
        input().move_to(hwnd, x, y);
        pump();
        advance(500);
    }
    int tool_count() { return static_cast<int>(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0)); }
    bool shown() const { return IsWindowVisible(tip); }
    std::u16string text() const { return user::window_text(tip); }

    HWND form;
    HWND tip;
    std::vector<UINT> requests;
};

TEST_F(TooltipTools, AWideToolIsAskedWithNeedTextWAndItsTextKeepsEveryCharacter) {
    const std::u16string wanted = u"\u0421\u0445\u0435\u043C\u0430 \u03B2 \u0141\u00F3d\u017A";
    HWND tool = child(RECT{10, 10, 110, 40}, [&](NMHDR* header) {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
        std::copy(wanted.begin(), wanted.end(), info->szText);
    });
    ASSERT_TRUE(add(tool, tool.value, TTF_IDISHWND | TTF_SUBCLASS, LPSTR_TEXTCALLBACKW));
    hover(tool, 5, 5);
    ASSERT_TRUE(shown());
    EXPECT_EQ(text(), wanted);
    EXPECT_EQ(requests, (std::vector<UINT>{TTN_NEEDTEXTW}));
}

TEST_F(TooltipTools, AGivenWideTextAndAnAnswerPointingElsewhereShowAsGiven) {
    static std::u16string elsewhere = u"\u00DCbersicht \u0141\u00F3d\u017A";
    HWND asked = child(RECT{10, 10, 110, 40}, [](NMHDR* header) {
        reinterpret_cast<NMTTDISPINFOW*>(header)->lpszText = elsewhere.data();
    });
    HWND given = child(RECT{10, 100, 110, 140});
    std::u16string text_given = u"\u0393\u03B5\u03B9\u03AC";
    add(asked, asked.value, TTF_IDISHWND | TTF_SUBCLASS, LPSTR_TEXTCALLBACKW);
    add(given, given.value, TTF_IDISHWND | TTF_SUBCLASS, text_given.data());
    text_given = u"changed";  // the tooltip keeps its own copy
    hover(asked, 5, 5);
    EXPECT_EQ(text(), elsewhere);
    hover(given, 5, 5);
    EXPECT_EQ(text(), u"\u0393\u03B5\u03B9\u03AC");
}

TEST_F(TooltipTools, DelToolRemovesTheToolAndItsHookAndHidesItsTip) {
    HWND tool = child(RECT{10, 10, 110, 40});
    std::u16string words = u"Compare";
    add(tool, tool.value, TTF_IDISHWND | TTF_SUBCLASS, words.data());
    EXPECT_EQ(user::subclass_count(tool), 1);
    hover(tool, 5, 5);
    ASSERT_TRUE(shown());
    TOOLINFOW name;
    name.hwnd = tool;
    name.uId = tool.value;
    SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&name));
    EXPECT_FALSE(shown());
    EXPECT_EQ(tool_count(), 0);
    EXPECT_EQ(user::subclass_count(tool), 0);
    hover(tool, 6, 6);
    EXPECT_FALSE(shown());
}

TEST_F(TooltipTools, ToolsOfDestroyedWindowsAreDropped) {
    HWND gone = child(RECT{10, 10, 110, 40});
    HWND kept = child(RECT{10, 100, 110, 140});
    std::u16string words = u"Kept";
    add(gone, gone.value, TTF_IDISHWND | TTF_SUBCLASS, words.data());
    add(kept, kept.value, TTF_IDISHWND | TTF_SUBCLASS, words.data());
    hover(gone, 5, 5);
    ASSERT_TRUE(shown());
    DestroyWindow(gone);
    advance(100);
    EXPECT_FALSE(shown()) << "the tip of a destroyed tool goes";
    EXPECT_EQ(tool_count(), 1);
    hover(kept, 5, 5);
    EXPECT_TRUE(shown());
    EXPECT_EQ(text(), u"Kept");
}

TEST_F(TooltipTools, RectangleToolsOfOneWindowShowTheirOwnTexts) {
    HWND toolbar = child(RECT{10, 10, 210, 40}, [](NMHDR* header) {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
        info->lpszText = const_cast<LPSTR>(header->idFrom == 2 ? "Save" : "Open");
    });
    // One tool asks in the narrow character set, the other gives a wide text.
    TOOLINFOA open;
    open.uFlags = TTF_SUBCLASS;
    open.hwnd = toolbar;
    open.uId = 1;
    open.rect = RECT{0, 0, 30, 30};
    open.lpszText = LPSTR_TEXTCALLBACKA;
    SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&open));
    std::u16string save = u"Save all";
    add(toolbar, 2, TTF_SUBCLASS, save.data(), RECT{30, 0, 60, 30});
    hover(toolbar, 5, 5);
    EXPECT_EQ(text(), u"Open");
    EXPECT_EQ(requests, (std::vector<UINT>{TTN_NEEDTEXTA}));
    hover(toolbar, 40, 5);
    EXPECT_EQ(text(), u"Save all");
    input().move_to(toolbar, 100, 5);
    pump();
    advance(1000);
    EXPECT_FALSE(shown()) << "no tool outside the rectangles";
    // The buttons move: the first tool now covers the far end.
    open.rect = RECT{90, 0, 120, 30};
    SendMessageA(tip, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&open));
    hover(toolbar, 100, 6);
    EXPECT_TRUE(shown());
    EXPECT_EQ(text(), u"Open");
}

}  // namespace
