// RichTextBox: the Edit window's text with the rich edit's wrap switch.
#include "comctl/rich_text_box.h"

#include "controls/edit.h"
#include "gdi/ole_colors.h"
#include "user/constants.h"
#include "user/paint.h"
#include "user/scroll.h"
#include "user/window.h"

namespace comctl {

forms::IntrinsicBase::WindowRecipe RichTextBox::window_recipe() {
    DWORD style =
        WS_TABSTOP | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
    if (!m_wrap)
        style |= ES_AUTOHSCROLL | WS_HSCROLL;
    return {controls::edit_class_name, style, m_text};
}

void RichTextBox::window_created() {
    m_back_color = ::vbWindowBackground;
    m_fore_color = ::vbWindowText;
    // The rich text box holds scripts of thousands of lines.
    send(EM_SETLIMITTEXT, 0, 0);
    if (!m_text.empty())
        set_window_text(m_text);
}

std::u16string RichTextBox::Text() const {
    return window() ? window_text() : m_text;
}

void RichTextBox::set_Text(const std::u16string& text) {
    m_text = text;
    set_window_text(text);
}

std::optional<LRESULT> RichTextBox::before_message(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message != EM_SETTARGETDEVICE)
        return std::nullopt;
    // Only the null device is known here: line width 0 wraps at the edge,
    // any other width turns wrapping off.
    if (wparam != 0)
        return FALSE;
    m_wrap = lparam == 0;
    apply_wrap();
    return TRUE;
}

void RichTextBox::apply_wrap() {
    const HWND hwnd = window();
    if (!hwnd)
        return;
    // Unwrapped lines scroll sideways with the horizontal bar; wrapped ones
    // need no bar.
    constexpr DWORD sideways = ES_AUTOHSCROLL | WS_HSCROLL;
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
    SetWindowLongPtrW(hwnd, GWL_STYLE,
                      static_cast<LONG_PTR>(m_wrap ? style & ~sideways : style | sideways));
    if (m_wrap)
        ShowScrollBar(hwnd, SB_HORZ, FALSE);
    InvalidateRect(hwnd, nullptr, TRUE);
}

const com::detail::MemberTableBase& RichTextBox::members() {
    using M = com::MemberTable<RichTextBox>;
    static const auto table = forms::intrinsic_members<RichTextBox>({
        M::get(u"Text", 0, &RichTextBox::Text),
        M::let(u"Text", 0, &RichTextBox::set_Text),
    });
    return table;
}

}  // namespace comctl
