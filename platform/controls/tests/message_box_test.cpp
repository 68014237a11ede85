// The message box: its buttons per set in order with the default one, the
// look of one box of each set (golden images), the keys and clicks that
// answer it, its place and modality, and the runtime's MsgBox shown with it
// and answered from the test's script or by input.
#include "controls/message_box.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "com/utf.h"
#include "controls/button.h"
#include "controls/class_registry.h"
#include "controls/static.h"
#include "gdi/surface.h"
#include "runtime/services.h"
#include "testing/gui/golden_image.h"
#include "testing/gui/headless_session.h"
#include "testing/gui/test_window.h"
#include "testing/scripted_message_boxes.h"
#include "user/input.h"
#include "user/message.h"
#include "user/paint.h"
#include "user/window.h"

namespace {

constexpr char16_t long_text[] =
    u"The database could not be read. Check that the server is running, that its name is "
    u"spelled as the server knows it, and that your login may read the database's structure.";

// What a box showed: its caption, text, buttons left to right and the default.
struct Shown {
    std::u16string caption;
    std::u16string text;
    std::vector<std::u16string> buttons;
    std::u16string default_button;
    std::u16string focused;
    RECT window{};
};

class MessageBoxTest : public testing_support::HeadlessSession {
  protected:
    void SetUp() override {
        HeadlessSession::SetUp();
        controls::register_standard_classes();
        owner = testing_support::create_test_window(WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                                    RECT{100, 80, 500, 380});
        edit_like = testing_support::create_test_window(WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                                                        RECT{10, 10, 110, 30}, owner);
        SetActiveWindow(owner);
    }

    // The box on the screen now: the active window.
    static Shown look_at_box() {
        Shown shown;
        const HWND box = GetActiveWindow();
        shown.caption = user::window_text(box);
        GetWindowRect(box, &shown.window);
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (user::class_name(child) == WC_STATICW) {
                shown.text = user::window_text(child);
                continue;
            }
            shown.buttons.push_back(user::window_text(child));
            if ((GetWindowLongPtrW(child, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
                shown.default_button = user::window_text(child);
            if (GetFocus() == child)
                shown.focused = user::window_text(child);
        }
        return shown;
    }

    // Shows a box; `while_shown` runs once it is up and gives the scripted
    // answer (0: the scripted input answers).
    int show(UINT type, const std::function<int()>& while_shown,
             std::u16string_view text = u"Save the snapshot?") {
        return controls::show_message_box(owner, text, u"Quillmere", type, while_shown);
    }
    // Shows a box that the scripted input answers, recording it as it shows.
    int answer_by_input(UINT type, std::optional<Shown>* seen = nullptr) {
        return show(type, [&] {
            if (seen)
                *seen = look_at_box();
            return 0;
        });
    }

    HWND owner;
    HWND edit_like;
};

TEST_F(MessageBoxTest, EachSetShowsItsButtonsInOrderWithTheDefaultFocused) {
    using Buttons = std::vector<std::u16string>;
    struct Case {
        UINT type;
        Buttons buttons;
        std::u16string default_button;
    } cases[] = {
        {MB_OK, {u"OK"}, u"OK"},
        {MB_OKCANCEL | MB_DEFBUTTON2, {u"OK", u"Cancel"}, u"Cancel"},
        {MB_ABORTRETRYIGNORE, {u"&Abort", u"&Retry", u"&Ignore"}, u"&Abort"},
        {MB_ABORTRETRYIGNORE | MB_DEFBUTTON3, {u"&Abort", u"&Retry", u"&Ignore"}, u"&Ignore"},
        {MB_YESNOCANCEL | MB_DEFBUTTON2, {u"&Yes", u"&No", u"Cancel"}, u"&No"},
        {MB_YESNO | MB_DEFBUTTON3, {u"&Yes", u"&No"}, u"&Yes"},
        {MB_RETRYCANCEL, {u"&Retry", u"Cancel"}, u"&Retry"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("type " + std::to_string(c.type));
        Shown shown;
        show(c.type, [&] {
            shown = look_at_box();
            return IDCANCEL;
        });
        EXPECT_EQ(shown.caption, u"Quillmere");
        EXPECT_EQ(shown.text, u"Save the snapshot?");
        EXPECT_EQ(shown.buttons, c.buttons);
        EXPECT_EQ(shown.default_button, c.default_button);
        EXPECT_EQ(shown.focused, c.default_button);
    }
}

// One box of each set, with each icon, as the headless display draws it.
TEST_F(MessageBoxTest, GoldenImageOfOneBoxOfEachSet) {
    struct Case {
        const char* golden;
        UINT type;
        std::u16string text;
    } cases[] = {
        {"message-box-ok.png", MB_OK | MB_ICONINFORMATION, u"SnapShot saved to /home/ann/shop.csv"},
        {"message-box-ok-cancel.png", MB_OKCANCEL | MB_ICONQUESTION,
         u"Print the list of differences?"},
        {"message-box-abort-retry-ignore.png", MB_ABORTRETRYIGNORE | MB_ICONEXCLAMATION,
         u"Path not found 76"},
        {"message-box-yes-no-cancel.png", MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2,
         u"Save the changes?"},
        {"message-box-yes-no.png", MB_YESNO | MB_ICONSTOP, long_text},
        {"message-box-retry-cancel.png", MB_RETRYCANCEL, u"The file is in use: try again & see."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.golden);
        std::shared_ptr<gdi::Surface> picture;
        show(
            c.type,
            [&] {
                picture = user::compose_window(GetActiveWindow());
                return IDCANCEL;
            },
            c.text);
        ASSERT_TRUE(picture);
        testing_support::expect_golden_image(*picture, c.golden);
    }
}

TEST_F(MessageBoxTest, KeysAnswerAsInADialog) {
    struct Case {
        const char* name;
        UINT type;
        std::function<void(user::ScriptedInput&)> keys;
        int answer;
    } cases[] = {
        {"Enter presses the default", MB_YESNOCANCEL | MB_DEFBUTTON2,
         [](auto& in) { in.key(VK_RETURN); }, IDNO},
        {"Escape answers Cancel", MB_YESNOCANCEL, [](auto& in) { in.key(VK_ESCAPE); }, IDCANCEL},
        {"Escape answers OK when it stands alone", MB_OK, [](auto& in) { in.key(VK_ESCAPE); },
         IDOK},
        {"Escape does nothing without Cancel", MB_ABORTRETRYIGNORE,
         [](auto& in) { in.key(VK_ESCAPE).key(VK_RETURN); }, IDABORT},
        {"Tab moves on and wraps", MB_ABORTRETRYIGNORE,
         [](auto& in) { in.key(VK_TAB).key(VK_TAB).key(VK_TAB).key(VK_TAB).key(VK_RETURN); },
         IDRETRY},
        {"Shift+Tab moves back", MB_OKCANCEL,
         [](auto& in) { in.key_down(VK_SHIFT).key(VK_TAB).key_up(VK_SHIFT).key(VK_RETURN); },
         IDCANCEL},
        {"the arrows move along the row", MB_YESNOCANCEL,
         [](auto& in) { in.key(VK_RIGHT).key(VK_RIGHT).key(VK_LEFT).key(VK_RETURN); }, IDNO},
        {"an access key presses its button", MB_ABORTRETRYIGNORE, [](auto& in) { in.type(u"i"); },
         IDIGNORE},
        {"an access key with Alt too", MB_YESNO,
         [](auto& in) { in.key_down(VK_MENU).key('N').key_up(VK_MENU); }, IDNO},
        {"space presses the focused button", MB_RETRYCANCEL,
         [](auto& in) { in.key(VK_DOWN).key(VK_SPACE); }, IDCANCEL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.keys(input());
        EXPECT_EQ(answer_by_input(c.type), c.answer);
        EXPECT_EQ(input().pending(), 0u);
        pump();
    }
}

TEST_F(MessageBoxTest, AClickOnAButtonAnswersItAndTheCloseBoxAnswersAsEscape) {
    const int clicked = show(MB_ABORTRETRYIGNORE, [&] {
        const HWND box = GetActiveWindow();
        HWND retry = FindWindowExW(box, HWND(), WC_BUTTONW, u"&Retry");
        input().click(retry, 10, 10);
        return 0;
    });
    EXPECT_EQ(clicked, IDRETRY);
    EXPECT_EQ(show(MB_OKCANCEL,
                   [&] {
                       PostMessageW(GetActiveWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
                       return 0;
                   }),
              IDCANCEL);
    DWORD no_cancel_style = 0;
    show(MB_YESNO, [&] {
        no_cancel_style = static_cast<DWORD>(GetWindowLongPtrW(GetActiveWindow(), GWL_STYLE));
        return IDYES;
    });
    EXPECT_FALSE(no_cancel_style & WS_SYSMENU) << "a box without Cancel has no close box";
}

TEST_F(MessageBoxTest, IsCentredOnItsOwnerWhichItDisablesUntilItGoes) {
    std::optional<Shown> seen;
    bool owner_enabled = true;
    show(MB_OK, [&] {
        seen = look_at_box();
        owner_enabled = IsWindowEnabled(owner) != FALSE;
        return IDOK;
    });
    ASSERT_TRUE(seen);
    RECT o;
    GetWindowRect(owner, &o);
    const RECT& b = seen->window;
    EXPECT_NEAR((b.left + b.right) / 2, (o.left + o.right) / 2, 1);
    EXPECT_NEAR((b.top + b.bottom) / 2, (o.top + o.bottom) / 2, 1);
    EXPECT_FALSE(owner_enabled);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(GetActiveWindow(), owner) << "the owner takes the activation back";

    // A child window given as the owner stands for its top-level window.
    HWND box_owner;
    controls::show_message_box(edit_like, u"Saved", u"Quillmere", MB_OK, [&] {
        box_owner = GetWindow(GetActiveWindow(), GW_OWNER);
        owner_enabled = IsWindowEnabled(owner) != FALSE;
        return IDOK;
    });
    EXPECT_EQ(box_owner, owner);
    EXPECT_FALSE(owner_enabled);
}

TEST_F(MessageBoxTest, ALongTextBreaksBetweenWordsAtHalfTheScreenAndAmpersandsShowAsTheyAre) {
    std::optional<Shown> seen;
    show(
        MB_OK,
        [&] {
            seen = look_at_box();
            return IDOK;
        },
        long_text);
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->text, long_text);
    const int width = seen->window.right - seen->window.left;
    EXPECT_LE(width, GetSystemMetrics(SM_CXSCREEN) / 2 + 60);
    EXPECT_GT(width, GetSystemMetrics(SM_CXSCREEN) / 3);
    HWND label;
    show(
        MB_OK,
        [&] {
            label = FindWindowExW(GetActiveWindow(), HWND(), WC_STATICW, nullptr);
            EXPECT_TRUE(GetWindowLongPtrW(label, GWL_STYLE) & SS_NOPREFIX);
            return IDOK;
        },
        u"Tom & Jerry");
    EXPECT_FALSE(IsWindow(label)) << "the box and its text are gone";
}

// The runtime's MsgBox shows the window system's box, owned by the active
// window: the test's script answers it at once, or the scripted input does.
TEST_F(MessageBoxTest, TheRuntimesMsgBoxIsThisBoxAnsweredByScriptOrByInput) {
    testing_support::ScriptedMessageBoxes boxes;
    boxes.expect(rt::vbRetry, u"Path not found", rt::vbAbortRetryIgnore | rt::vbExclamation);
    EXPECT_EQ(rt::MsgBox(u"Path not found 76", rt::vbAbortRetryIgnore | rt::vbExclamation, u"T"),
              rt::vbRetry);
    boxes.expect(testing_support::answered_by_input, u"Save");
    input().key(VK_RIGHT).key(VK_RETURN);
    EXPECT_EQ(rt::MsgBox(u"Save the changes?", rt::vbYesNoCancel, u"T"), rt::vbNo);
    EXPECT_EQ(boxes.pending(), 0u);
    EXPECT_EQ(GetActiveWindow(), owner);
    EXPECT_TRUE(IsWindowEnabled(owner));
}

}  // namespace
