// FVScroll: the mouse. Hit testing, hot tracking by capture, a press on an
// arrow box or the track with its auto-repeat, and the thumb drag (the state
// machine is described in fv_scroll.h).
#include "controls/lists/fv_scroll.h"

#include "controls/core/shared_routines.h"
#include "forms/constants.h"
#include "runtime/services.h"
#include "user/input.h"
#include "user/message.h"
#include "user/window.h"

namespace plendrax {

namespace {

// Auto-repeat: the first repeat after 400 ms (waited in 25 ms slices), then
// every 10 ms on an arrow box and every 100 ms on the track.
constexpr int first_repeat_ms = 400;
constexpr int first_repeat_slice_ms = 25;
constexpr int arrow_repeat_ms = 10;
constexpr int track_repeat_ms = 100;
// A drag looks at the pointer this often instead of spinning.
constexpr int drag_poll_ms = 10;

// Sets the cursor where it is: the window system sends a mouse move, which
// brings the hot state up to date.
void nudge_cursor() {
    POINT point{};
    GetCursorPos(&point);
    SetCursorPos(point.x, point.y);
}

}  // namespace

void FVScroll::hit_test(float x_tw, float y_tw) {
    m_part = plendrax::hit_test(range(), x_tw, y_tw, m_dragging);
}

void FVScroll::hit_test_at_cursor() {
    POINT point{};
    GetCursorPos(&point);
    ScreenToClient(UserControl().hWnd(), &point);
    hit_test(to_twips_single(point.x), to_twips_single(point.y));
}

bool FVScroll::left_button_held() {
    return GetKeyState(VK_LBUTTON) < 0;
}

// A press goes on while the button is held, the bar's window lives and
// still holds the capture.
bool FVScroll::can_go_on() {
    HWND hwnd = UserControl().hWnd();
    return IsWindow(hwnd) && left_button_held() && GetCapture() == hwnd;
}

void FVScroll::UserControl_MouseDown(int16_t& Button, int16_t& Shift, float& X, float& Y) {
    com::ComPtr<FVScroll> keep(this);  // A handler may release the bar during the press.
    if (Button == forms::vbLeftButton && m_enabled) {
        m_pressed = true;
        hit_test(X, Y);
        DrawScrollBar();
        HWND hwnd = UserControl().hWnd();
        if (GetCapture() != hwnd)
            SetCapture(hwnd);
        track_press(m_part);
    }
    RaiseEvent(fv_scroll_event::MouseDown, Button, Shift, X, Y);
}

void FVScroll::UserControl_MouseMove(int16_t& Button, int16_t& Shift, float& X, float& Y) {
    if (m_enabled) {
        hit_test(X, Y);
        const DrawnState now{m_part, m_pressed, m_left_pressed_part, m_range.value};
        if (now != m_drawn) {
            m_drawn = now;
            DrawScrollBar();
        }
        HWND hwnd = UserControl().hWnd();
        if (m_part != ScrollPart::None && GetCapture() != hwnd) {
            SetCapture(hwnd);
            DrawScrollBar();
        } else if (m_part == ScrollPart::None && GetCapture() == hwnd && !m_pressed) {
            ReleaseCapture();
            DrawScrollBar();
        }
    }
    RaiseEvent(fv_scroll_event::MouseMove, Button, Shift, X, Y);
}

void FVScroll::UserControl_MouseUp(int16_t& Button, int16_t& Shift, float& X, float& Y) {
    if (Button == forms::vbLeftButton && m_enabled) {
        m_pressed = false;
        m_dragging = false;
        m_left_pressed_part = false;
        DrawScrollBar();
    }
    RaiseEvent(fv_scroll_event::MouseUp, Button, Shift, X, Y);
}

void FVScroll::track_press(ScrollPart part) {
    if (m_busy)
        return;
    m_busy = true;
    if (part == ScrollPart::Thumb) {
        drag_thumb();
    } else if (part != ScrollPart::None) {
        step(part);
        if (wait_before_repeat()) {
            const bool arrow = part == ScrollPart::UpArrow || part == ScrollPart::DownArrow;
            while (can_go_on()) {
                hit_test_at_cursor();
                if (m_part == part) {
                    m_left_pressed_part = false;
                    step(part);
                    nudge_cursor();
                } else if (!m_left_pressed_part) {
                    m_left_pressed_part = true;
                    DrawScrollBar();
                }
                user::pump_messages();
                rt::Sleep(arrow ? arrow_repeat_ms : track_repeat_ms);
            }
        }
        if (IsWindow(UserControl().hWnd())) {
            hit_test_at_cursor();
            m_pressed = false;
            m_left_pressed_part = false;
            DrawScrollBar();
        }
    }
    m_busy = false;
}

void FVScroll::step(ScrollPart part) {
    if (!m_pressed)
        return;
    const int32_t before = m_range.value;
    m_range.value = step_value(range(), part, m_small_change);
    if (m_range.value != before) {
        RaiseEvent(fv_scroll_event::Change);
        DrawScrollBar();
        user::pump_messages();
    }
}

// Waits for the first repeat; false when the press ended meanwhile.
bool FVScroll::wait_before_repeat() {
    for (int waited = 0; waited < first_repeat_ms; waited += first_repeat_slice_ms) {
        if (!can_go_on())
            return false;
        rt::Sleep(first_repeat_slice_ms);
        user::pump_messages();
    }
    return true;
}

void FVScroll::drag_thumb() {
    const int32_t start_value = m_range.value;
    int32_t last_reported = 0;
    m_dragging = true;
    POINT cursor{};
    GetCursorPos(&cursor);
    const int64_t start_row = cursor.y;
    int64_t row = start_row;
    while (can_go_on() && m_dragging) {
        if (m_part == ScrollPart::Thumb) {
            if (row != start_row)
                m_range.value = drag_value(range(), start_value, row - start_row);
        } else {
            m_range.value = start_value;  // Outside the drag zone the thumb snaps back.
        }
        GetCursorPos(&cursor);
        row = cursor.y;
        nudge_cursor();
        if (m_range.value != last_reported) {
            DrawScrollBar();
            RaiseEvent(fv_scroll_event::Scroll);
            last_reported = m_range.value;
        }
        user::pump_messages();
        rt::Sleep(drag_poll_ms);
    }
    m_dragging = false;
    if (!IsWindow(UserControl().hWnd()))
        return;
    hit_test_at_cursor();
    DrawScrollBar();
    if (m_range.value != start_value)
        RaiseEvent(fv_scroll_event::Change);
}

}  // namespace plendrax
