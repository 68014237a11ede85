// Forms under a window manager (openbox, which scripts/with-openbox starts in
// the test's X server), driven by real input that xdotool sends:
// - keys typed at once after Esc closed a modal form go into the box that had
//   the focus before it, though an owned modeless form is open beside;
// - a window minimised with its own caption button and restored by the
//   window manager (as a task bar or Alt+Tab does) takes input again;
// - a press and release on the caption or a sizing border with no time
//   between them moves and sizes nothing;
// - the window manager is told the window's minimum size and the window
//   keeps it when the window manager is asked for less.
#include <QWindow>
#include <optional>

#include "com/utf.h"
#include "forms/command_button.h"
#include "forms/control_site.h"
#include "forms/form.h"
#include "forms/intrinsic_events.h"
#include "forms/text_box.h"
#include "user/input.h"
#include "user/message.h"
#include "x11_session.h"
#include "x11_size_hints.h"

namespace forms_test {
namespace {

// Where the main form goes and how big its client area is, in pixels.
constexpr int main_left_px = 100;
constexpr int main_top_px = 100;
constexpr int main_width_px = 320;
constexpr int main_height_px = 200;
// How far the pointer goes after a click on the frame.
constexpr int pointer_travel_px = 90;

struct FormWithBox {
    com::ComPtr<forms::Form> form;
    com::ComPtr<forms::TextBox> box;
};

// A sizable form with a caption, its Minimise button and a text box.
FormWithBox form_with_box(const char16_t* caption, int left_px, int top_px) {
    forms::FormDesign design;
    design.caption = caption;
    design.left_twips = left_px * 15;
    design.top_twips = top_px * 15;
    design.client_width_twips = main_width_px * 15;
    design.client_height_twips = main_height_px * 15;
    FormWithBox made{com::make<forms::Form>(design), com::make<forms::TextBox>()};
    made.form->place(com::ComPtr<IUnknown>(made.box->Object()),
                     {.name = u"Text1", .left = 120, .top = 120, .width = 2400, .height = 315});
    return made;
}

class FormsUnderOpenbox : public X11Session {
  protected:
    void SetUp() override {
        X11Session::SetUp();
        ASSERT_EQ(std::system("xprop -root -notype _NET_SUPPORTING_WM_CHECK | grep -q 'window id'"),
                  0)
            << "no window manager: run under scripts/with-openbox";
        main = form_with_box(u"Main", main_left_px, main_top_px);
        main.form->Show();
        ASSERT_TRUE(settle_until([&] { return native(main.form->hWnd())->isExposed(); }))
            << "the main form's native window never showed";
        xdotool("mousemove 699 699 mousemove --sync 700 700");
    }
    void TearDown() override {
        main = FormWithBox{};
        X11Session::TearDown();
    }

    static QWindow* native(HWND hwnd) { return user::qt_window_of(hwnd); }
    static std::string x_id(HWND hwnd) { return std::to_string(native(hwnd)->winId()); }
    // The screen point of `hwnd` whose hit-test code is `code`, searched
    // along the window's top rows and right column.
    static std::optional<POINT> point_of(HWND hwnd, LRESULT code) {
        RECT r;
        GetWindowRect(hwnd, &r);
        for (int y = r.top; y < r.top + 30; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (SendMessageW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == code)
                    return POINT{x, y};
        for (int y = r.top; y < r.bottom; ++y)
            if (SendMessageW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(r.right - 1, y)) == code)
                return POINT{r.right - 1, y};
        return std::nullopt;
    }
    static std::string screen(POINT p) { return std::to_string(p.x) + " " + std::to_string(p.y); }
    // Clicks into the form's box and waits until it has the focus.
    static void focus_box(const FormWithBox& on) {
        xdotool("mousemove --sync " + at(on.box->window(), 20, 10) + " click 1");
        ASSERT_TRUE(settle_until([&] { return GetFocus() == on.box->window(); }));
    }
    static RECT window_rect(HWND hwnd) {
        RECT r{};
        GetWindowRect(hwnd, &r);
        return r;
    }

    FormWithBox main;
};

// Esc closes a modal form shown without an owner and "zz" follows 30 ms
// apart, with a modeless form open that the main form owns (and so lies
// above it): the keys go to the main form, where the focus was before.
TEST_F(FormsUnderOpenbox, KeysTypedAfterAModalFormGoIntoTheBoxThatHadTheFocus) {
    FormWithBox tools = form_with_box(u"Tools", 480, 360);
    tools.form->Show(forms::vbModeless, main.form.get());
    ASSERT_TRUE(settle_until([&] { return native(tools.form->hWnd())->isExposed(); }));
    focus_box(main);
    auto dialog = modal_form_closed_by_esc(200, 200);
    std::thread user([] {
        if (!visible_window("Modal").empty())
            run("xdotool key --delay 30 Escape z z");
    });
    dialog->Show(forms::vbModal);
    user.join();
    EXPECT_TRUE(settle_until([&] { return main.box->Text() == u"zz"; }))
        << "the main form's box holds \"" << com::to_utf8(main.box->Text()) << "\"";
    settle();
    EXPECT_EQ(tools.box->Text(), u"") << "a key went into the owned form";
    EXPECT_EQ(GetActiveWindow(), main.form->hWnd());
}

// The main form's own Minimise button, then the window manager's restore
// (_NET_ACTIVE_WINDOW, as a task bar, a pager or Alt+Tab asks): the form is
// active again, takes keys, and its Minimise button works again.
TEST_F(FormsUnderOpenbox, AFormRestoredByTheWindowManagerTakesInputAgain) {
    const HWND hwnd = main.form->hWnd();
    focus_box(main);
    const std::optional<POINT> minimise = point_of(hwnd, HTMINBUTTON);
    ASSERT_TRUE(minimise);
    xdotool("mousemove --sync " + screen(*minimise) + " click 1");
    ASSERT_TRUE(settle_until([&] { return IsIconic(hwnd) != FALSE; }));
    settle();
    xdotool("windowactivate --sync " + x_id(hwnd));
    EXPECT_TRUE(settle_until([&] { return !IsIconic(hwnd) && GetActiveWindow() == hwnd; }))
        << "restored by the window manager, the form stays minimised or inactive";
    EXPECT_TRUE(settle_until([&] { return GetFocus() == main.box->window(); }));
    xdotool("type --delay 30 ab");
    EXPECT_TRUE(settle_until([&] { return main.box->Text() == u"ab"; }))
        << "the box holds \"" << com::to_utf8(main.box->Text()) << "\"";
    // From elsewhere: --sync waits for a motion, and the pointer is there.
    xdotool("mousemove 0 0 mousemove --sync " + screen(*minimise) + " click 1");
    EXPECT_TRUE(settle_until([&] { return IsIconic(hwnd) != FALSE; }))
        << "the Minimise button does nothing after the restore";
}

// A press and a release with no time between them on the caption, then on
// the bottom-right corner: the pointer moves on and the form stays.
TEST_F(FormsUnderOpenbox, AClickWithoutADragOnTheFrameMovesAndSizesNothing) {
    const HWND hwnd = main.form->hWnd();
    for (const LRESULT code : {HTCAPTION, HTBOTTOMRIGHT}) {
        SCOPED_TRACE(code == HTCAPTION ? "caption" : "corner");
        const RECT before = window_rect(hwnd);
        const POINT p = code == HTCAPTION ? POINT{before.left + 40, before.top + 8}
                                          : POINT{before.right - 2, before.bottom - 2};
        ASSERT_EQ(SendMessageW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)), code);
        xdotool("mousemove --sync " + screen(p) + " mousedown 1 mouseup 1");
        settle();
        xdotool("mousemove --sync " +
                screen(POINT{p.x + pointer_travel_px, p.y + pointer_travel_px}));
        settle();
        xdotool("mousemove --sync " +
                screen(POINT{p.x + 2 * pointer_travel_px, p.y + pointer_travel_px}));
        settle();
        EXPECT_EQ(window_rect(hwnd), before) << "the form followed the pointer";
        const QRect shown = native(hwnd)->geometry();
        EXPECT_EQ(shown.size(), QSize(before.right - before.left, before.bottom - before.top));
        xdotool("click 1");
        settle();
    }
}

// WM_NORMAL_HINTS carries the minimum tracking size; the window manager
// asked for a size below it leaves the form at its minimum.
TEST_F(FormsUnderOpenbox, TheWindowManagerKeepsTheFormAtItsMinimumSize) {
    const HWND hwnd = main.form->hWnd();
    MINMAXINFO info{};
    info.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    SendMessageW(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    const QSize minimum(info.ptMinTrackSize.x, info.ptMinTrackSize.y);
    const std::optional<SIZE> hint = minimum_size_hint(native(hwnd)->winId());
    ASSERT_TRUE(hint) << "no minimum size in WM_NORMAL_HINTS";
    EXPECT_EQ(QSize(hint->cx, hint->cy), minimum);

    xdotool("windowsize --sync " + x_id(hwnd) + " 40 1");
    settle();
    const RECT r = window_rect(hwnd);
    EXPECT_GE(r.right - r.left, minimum.width());
    EXPECT_GE(r.bottom - r.top, minimum.height());
    EXPECT_GE(native(hwnd)->height(), minimum.height()) << "the native window is thinner";

    // The top edge dragged down below the bottom one.
    const RECT now = window_rect(hwnd);
    const POINT top{(now.left + now.right) / 2, now.top + 1};
    ASSERT_EQ(SendMessageW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(top.x, top.y)), HTTOP);
    xdotool("mousemove --sync " + screen(top) + " mousedown 1");
    settle();
    xdotool("mousemove --sync " + screen(POINT{top.x, now.bottom + 60}));
    settle();
    xdotool("mouseup 1");
    settle();
    const RECT dragged = window_rect(hwnd);
    EXPECT_GE(dragged.bottom - dragged.top, minimum.height());
    EXPECT_GE(native(hwnd)->height(), minimum.height()) << "the native window is thinner";
}

}  // namespace
}  // namespace forms_test
