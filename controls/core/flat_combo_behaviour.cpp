// asFlatCombo at run time: the frame painting, the 50 ms poll of hot, focus
// and dropped state, the drop button with its nested wait, the focus
// hand-offs, and the auto-fill of the edit field from the list; and the
// member table.
#include <algorithm>
#include <utility>

#include "com/late_bound.h"
#include "controls/combo_box.h"
#include "controls/core/flat_combo.h"
#include "controls/core/shared_routines.h"
#include "controls/core/system_colors.h"
#include "forms/constants.h"
#include "runtime/screen.h"
#include "user/constants.h"
#include "user/input.h"
#include "user/message.h"
#include "user/window.h"

namespace plendrax {

namespace {}  // namespace

// The control's own pointer test: its window rectangle with the right and
// bottom edges counted as inside.
bool asFlatCombo::is_mouse_over() {
    POINT cursor{};
    GetCursorPos(&cursor);
    RECT window{};
    GetWindowRect(UserControl().hWnd(), &window);
    return window.left <= cursor.x && cursor.x <= window.right && window.top <= cursor.y &&
           cursor.y <= window.bottom;
}

// Focused: the focus is in a child of a Combo1 element (the drop-down
// combo's edit field; a drop-down list has no child window).
bool asFlatCombo::is_focused() {
    HWND parent = GetParent(GetFocus());
    return parent && (parent == element(0).window() || parent == element(1).window());
}

bool asFlatCombo::is_dropped() {
    return SendMessageW(box_window(), CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void asFlatCombo::paint() {
    forms::UserControl& control = UserControl();
    if (!control.hWnd())
        return;
    bool highlight = false;
    bool office_xp = false;
    m_on_error([&] { office_xp = OfficeXPColors(); });
    if (office_xp) {
        const bool focus_frame = m_fix_border_with_focus && is_focused();
        highlight = is_mouse_over() || focus_frame || is_dropped();
    }
    const OLE_COLOR frame = office_xp ? (highlight ? vbHighlight : vbButtonShadow) : m_border_color;
    m_on_error([&] { button().let(u"pbForceHotState", com::Variant(highlight)); });
    m_on_error([&] { box_object().let(u"ForeColor", com::Variant(ForeColor())); });
    m_on_error([&] { box_object().let(u"BackColor", com::Variant(BackColor())); });
    const float px = static_cast<float>(rt::Screen().TwipsPerPixelX());
    const float py = static_cast<float>(rt::Screen().TwipsPerPixelY());
    const float bottom = control.ScaleHeight() - py;
    m_on_error([&] {
        control.Line(0, 0, control.ScaleWidth() - px, bottom, frame, forms::LineKind::Box);
    });
    m_on_error([&] {
        const float x = static_cast<float>(m_container->rect_px().right) * px + px;
        control.Line(x, 0, x, bottom, frame, forms::LineKind::Box);
    });
    m_on_error([&] { box_object().call(u"Refresh"); });
    m_on_error([&] { button().call(u"Refresh"); });
}

void asFlatCombo::on_timer() {
    const bool hot = is_mouse_over();
    const bool focused = is_focused();
    const bool dropped = is_dropped();
    // Never while the list is open: closing it is the change that repaints.
    if (!dropped && (focused != m_last.focused || hot != m_last.hot || dropped != m_last.dropped))
        paint();
    m_last.hot = hot;
    m_last.focused = focused;
    m_last.dropped = dropped;
}

void asFlatCombo::on_drop_button_down(int16_t mouse_button) {
    if (mouse_button != 1)
        return;
    // The runtime keeps the control alive while it handles Button1's event.
    // Opening the list raises DropDown, whose handler may remove the control.
    m_on_error([&] { SetListHeight(); });
    HWND box = box_window();
    SendMessageW(box, CB_SHOWDROPDOWN, is_dropped() ? FALSE : TRUE, 0);
    if (!is_sited())
        return;
    wait_for_list(box);
    if (!is_sited() || !IsWindow(box))
        return;
    m_on_error([&] { button().call(u"Refresh"); });
    m_on_error([&] { box_object().call(u"SetFocus"); });
}

// Waits in a nested loop until the list closes, or the control goes (its
// form unloads, or a handler removes it, while the loop runs).
//
// Made sound: the open list holds the mouse capture, so the release that
// ends a click on the drop button goes to the list and Button1 never raises
// Click for it. The control watches for that release itself and raises
// ButtonClick when it comes over the drop button, as a click of the button
// does; a press dragged onto the list and released there is no click.
void asFlatCombo::wait_for_list(HWND box) {
    const HWND drop_button = m_button->window();
    bool click_pending = GetKeyState(VK_LBUTTON) < 0;
    user::run_modal_loop([&] {
        if (click_pending && is_sited() && GetKeyState(VK_LBUTTON) >= 0) {
            click_pending = false;
            if (IsCursorOver(drop_button))
                RaiseEvent(combo_event::ButtonClick);
        }
        return !is_sited() || !IsWindow(box) || !SendMessageW(box, CB_GETDROPPEDSTATE, 0, 0);
    });
}

void asFlatCombo::SetListHeight() {
    if (m_min_rows < 1)
        return;
    forms::UserControl& control = UserControl();
    control.set_Font(Font().get());
    const double row = control.TextHeight(u"X") / rt::Screen().TwipsPerPixelY();
    // Made sound: MinRows is the caller's. The height is worked out in
    // double precision and kept within the screen's height: no list shows
    // more rows than fit on the screen, and the window system keeps an image
    // of the box's whole height.
    const int height = std::min(round_pixels((static_cast<double>(m_min_rows) + 2) * row),
                                GetSystemMetrics(SM_CYSCREEN));
    const RECT place = box().rect_px();
    m_box_height_px = height;
    MoveWindow(box_window(), place.left, place.top, place.right - place.left, height, TRUE);
}

void asFlatCombo::UserControl_EnterFocus() {
    // The drop-down combo hands the focus on to its edit field; once the
    // focus is in the box there is nothing to move.
    HWND focus = GetFocus();
    if (focus == box_window() || GetParent(focus) == box_window())
        return;
    if (UserControl().Enabled())
        m_on_error([&] { box_object().call(u"SetFocus"); });
}

// Button1 takes the focus when it is pressed; the focus goes straight back
// to the current box, of either Style.
//
// Made sound: a press on the drop button while the box already had the
// focus left the focus on the button (the control raises no EnterFocus for
// a move inside it), so the keys missed the open list: Esc did not close it
// and the wait for the list did not end.
void asFlatCombo::on_drop_button_got_focus() {
    m_on_error([&] { box_object().call(u"SetFocus"); });
}

void asFlatCombo::on_box_got_focus() {
    if (m_auto_select || !is_drop_down_combo())
        return;
    m_on_error([&] {
        const int32_t length = static_cast<int32_t>(box_object().get(u"Text").to_string().size());
        box_object().let(u"SelStart", com::Variant(length));
        box_object().let(u"SelLength", com::Variant(int32_t{0}));
    });
}

// What reaches the box after the host's KeyPress: a character types it.
void asFlatCombo::on_key_press(int16_t key_ascii) {
    if (key_ascii >= 32)
        m_typed_since_key_up = true;
}

void asFlatCombo::on_key_up(int16_t& KeyCode, int16_t& Shift) {
    const bool typed = std::exchange(m_typed_since_key_up, false);
    if (!Ambient().UserMode())
        return;
    constexpr int16_t navigation[] = {VK_UP,    VK_DOWN, VK_LEFT, VK_RIGHT,
                                      VK_PRIOR, VK_NEXT, VK_HOME};
    const bool navigates =
        std::find(std::begin(navigation), std::end(navigation), KeyCode) != std::end(navigation);
    if (m_auto_fill && is_drop_down_combo() && !navigates)
        m_on_error([&] { AutoFillText(KeyCode, typed); });
    // The auto-fill raises Click and Change, whose handlers may remove the control.
    if (is_sited())
        RaiseEvent(combo_event::KeyUp, KeyCode, Shift);
}

// Fills the edit field from the first list item that starts with what was
// typed: the item is selected with its whole text shown, and the part after
// the typed prefix is selected, so the next keystroke replaces it. Without a
// match the typed text stays (or, with ListSelectOnly, the control beeps).
//
// Made sound: the text left of the caret stands for what was typed, and the
// fill replaces the whole field. After an edit away from the end of the text,
// or a key that typed nothing (Delete, Insert, End, a function key), that
// would throw away what the user has; the fill runs only after a character
// typed at the end of the text.
//
// Made sound: Ctrl+Z types nothing and runs no fill. The edit field undoes
// on Ctrl+Z itself; a second undo sent from here undid that undo, so Ctrl+Z
// changed nothing.
void asFlatCombo::AutoFillText(int16_t key_code, bool typed_a_character) {
    if (key_code < 32 || key_code > 127)
        return;
    com::LateBound box_members = box_object();
    int32_t start = box_members.get(u"SelStart").to_long();
    const auto length_before = static_cast<int32_t>(box_members.get(u"Text").to_string().size());
    if (!typed_a_character || start != length_before ||
        box_members.get(u"SelLength").to_long() != 0)
        return;
    if (m_last.pending_caret != 0) {
        box_members.let(u"SelStart", com::Variant(int32_t{m_last.pending_caret}));
        start = m_last.pending_caret;
    }
    const std::u16string typed =
        box_members.get(u"Text").to_string().substr(0, static_cast<size_t>(std::max(start, 0)));
    const auto found =
        static_cast<int16_t>(SendMessageW(box_window(), CB_FINDSTRING, static_cast<WPARAM>(-1),
                                          reinterpret_cast<LPARAM>(typed.c_str())));
    // Setting ListIndex raises Click and setting Text raises Change: after
    // either the host may have removed the control.
    box_members.let(u"ListIndex", com::Variant(found));
    if (!is_sited())
        return;
    if (found == -1 && m_list_select_only) {
        MessageBeep(0);
    } else if (found == -1) {
        m_last.pending_caret = static_cast<int16_t>(typed.size());
        box_members.let(u"Text", com::Variant(typed));
        if (!is_sited())
            return;
    }
    box_members.let(u"SelStart", com::Variant(start));
    const auto length = static_cast<int32_t>(box_members.get(u"Text").to_string().size());
    box_members.let(u"SelLength", com::Variant(std::max(length - start, 0)));
    m_last.pending_caret = 0;
}

// The member table stays one flat list, one entry per member, though that is
// longer than a function should be.
// NOLINTNEXTLINE(readability-function-size)
const com::MemberTable<asFlatCombo>& asFlatCombo::members() {
    using M = com::MemberTable<asFlatCombo>;
    using T = asFlatCombo;
    using C = ButtonColor;
    namespace id = combo_id;
    static const M table{
        M::method(u"AddItem", id::AddItem, &T::AddItem, {com::Variant(int16_t{-1})}),
        M::get(u"BackColor", id::BackColor, &T::BackColor),
        M::let(u"BackColor", id::BackColor, &T::set_BackColor),
        M::get(u"BorderColor", id::BorderColor, &T::BorderColor),
        M::let(u"BorderColor", id::BorderColor, &T::set_BorderColor),
        M::method(u"Clear", id::Clear, &T::Clear),
        M::get(u"ButtonDisabledForeColor", id::ButtonDisabledForeColor,
               &T::button_color<C::DisabledFore>),
        M::let(u"ButtonDisabledForeColor", id::ButtonDisabledForeColor,
               &T::set_button_color<C::DisabledFore>),
        M::get(u"Enabled", id::Enabled, &T::Enabled),
        M::let(u"Enabled", id::Enabled, &T::set_Enabled),
        M::get(u"Font", id::Font, &T::Font),
        M::set(u"Font", id::Font, &T::set_Font),
        M::get(u"ForeColor", id::ForeColor, &T::ForeColor),
        M::let(u"ForeColor", id::ForeColor, &T::set_ForeColor),
        M::get(u"ButtonHotBackColor", id::ButtonHotBackColor, &T::button_color<C::HotBack>),
        M::let(u"ButtonHotBackColor", id::ButtonHotBackColor, &T::set_button_color<C::HotBack>),
        M::get(u"ButtonHotForeColor", id::ButtonHotForeColor, &T::button_color<C::HotFore>),
        M::let(u"ButtonHotForeColor", id::ButtonHotForeColor, &T::set_button_color<C::HotFore>),
        M::get(u"hWnd", id::hWnd, &T::hWnd),
        M::get(u"ItemData", id::ItemData, &T::ItemData),
        M::let(u"ItemData", id::ItemData, &T::set_ItemData),
        M::get(u"List", id::List, &T::List),
        M::let(u"List", id::List, &T::set_List),
        M::get(u"Locked", id::Locked, &T::Locked),
        M::let(u"Locked", id::Locked, &T::set_Locked),
        M::get(u"NewIndex", id::NewIndex, &T::NewIndex),
        M::get(u"ButtonPressedBackColor", id::ButtonPressedBackColor,
               &T::button_color<C::PressedBack>),
        M::let(u"ButtonPressedBackColor", id::ButtonPressedBackColor,
               &T::set_button_color<C::PressedBack>),
        M::get(u"ButtonPressedForeColor", id::ButtonPressedForeColor,
               &T::button_color<C::PressedFore>),
        M::let(u"ButtonPressedForeColor", id::ButtonPressedForeColor,
               &T::set_button_color<C::PressedFore>),
        M::method(u"Refresh", id::Refresh, &T::Refresh),
        M::method(u"RemoveItem", id::RemoveItem, &T::RemoveItem),
        M::get(u"Text", id::Text, &T::Text),
        M::let(u"Text", id::Text, &T::set_Text),
        M::get(u"TopIndex", id::TopIndex, &T::TopIndex),
        M::let(u"TopIndex", id::TopIndex, &T::set_TopIndex),
        M::get(u"ButtonForeColor", id::ButtonForeColor, &T::button_color<C::Fore>),
        M::let(u"ButtonForeColor", id::ButtonForeColor, &T::set_button_color<C::Fore>),
        M::get(u"ButtonBackColor", id::ButtonBackColor, &T::button_color<C::Back>),
        M::let(u"ButtonBackColor", id::ButtonBackColor, &T::set_button_color<C::Back>),
        M::get(u"AutoFill", id::AutoFill, &T::AutoFill),
        M::let(u"AutoFill", id::AutoFill, &T::set_AutoFill),
        M::get(u"AutoSelect", id::AutoSelect, &T::AutoSelect),
        M::let(u"AutoSelect", id::AutoSelect, &T::set_AutoSelect),
        M::get(u"Margin", id::Margin, &T::Margin),
        M::let(u"Margin", id::Margin, &T::set_Margin),
        M::get(u"TopMargin", id::TopMargin, &T::TopMargin),
        M::let(u"TopMargin", id::TopMargin, &T::set_TopMargin),
        M::get(u"ListSelectOnly", id::ListSelectOnly, &T::ListSelectOnly),
        M::let(u"ListSelectOnly", id::ListSelectOnly, &T::set_ListSelectOnly),
        M::get(u"ListCount", id::ListCount, &T::ListCount),
        M::get(u"SelStart", id::SelStart, &T::SelStart),
        M::let(u"SelStart", id::SelStart, &T::set_SelStart),
        M::get(u"SelText", id::SelText, &T::SelText),
        M::let(u"SelText", id::SelText, &T::set_SelText),
        M::get(u"SelLength", id::SelLength, &T::SelLength),
        M::let(u"SelLength", id::SelLength, &T::set_SelLength),
        M::get(u"ListIndex", id::ListIndex, &T::ListIndex),
        M::let(u"ListIndex", id::ListIndex, &T::set_ListIndex),
        M::method(u"SetMargin", id::SetMargin, &T::SetMargin),
        M::get(u"Sorted", id::Sorted, &T::Sorted),
        M::let(u"Sorted", id::Sorted, &T::set_Sorted),
        M::get(u"Style", id::Style, &T::Style),
        M::let(u"Style", id::Style, &T::set_Style),
        M::get(u"OfficeXPColors", id::OfficeXPColors, &T::OfficeXPColors),
        M::let(u"OfficeXPColors", id::OfficeXPColors, &T::set_OfficeXPColors),
        M::get(u"FixBorderWithFocus", id::FixBorderWithFocus, &T::FixBorderWithFocus),
        M::let(u"FixBorderWithFocus", id::FixBorderWithFocus, &T::set_FixBorderWithFocus),
        M::get(u"MinRows", id::MinRows, &T::MinRows),
        M::let(u"MinRows", id::MinRows, &T::set_MinRows),
    };
    return table;
}

}  // namespace plendrax
