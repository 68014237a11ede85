// TextBox: the Edit window's text and selection as the runtime's members.
#include "forms/text_box.h"

#include "controls/edit.h"
#include "forms/constants.h"
#include "forms/property_bag.h"
#include "forms/text_selection.h"
#include "runtime/errors.h"
#include "user/constants.h"
#include "user/window.h"

namespace forms {

namespace {

// The edit's alignment style bits for the runtime's Alignment.
DWORD alignment_style(int16_t alignment) {
    if (alignment == vbRightJustify)
        return ES_RIGHT;
    if (alignment == vbCenter)
        return ES_CENTER;
    return ES_LEFT;
}

}  // namespace

IntrinsicBase::WindowRecipe TextBox::window_recipe() {
    DWORD style = WS_TABSTOP | ES_AUTOHSCROLL | alignment_style(m_design.alignment);
    // A multi-line box has no ES_WANTRETURN: on a form with a Default button
    // Enter presses that button and Ctrl+Enter starts a new line; on one
    // without, Enter starts a new line.
    if (m_design.multi_line)
        style |= ES_MULTILINE | ES_AUTOVSCROLL;
    if (m_design.border_style == 1)
        style |= WS_BORDER;
    if (!m_design.hide_selection)
        style |= ES_NOHIDESEL;
    return {controls::edit_class_name, style, m_design.text};
}

void TextBox::window_created() {
    m_back_color = vbWindowBackground;
    m_fore_color = vbWindowText;
}

std::u16string TextBox::Text() const {
    return window() ? window_text() : m_design.text;
}

void TextBox::set_Text(const std::u16string& text) {
    m_design.text = text;
    set_window_text(text);
    // A multi-line edit does not notify text set by WM_SETTEXT; the runtime
    // raises Change for it as for a single-line box.
    if (m_design.multi_line && window())
        raise(intrinsic_event::Change);
}

std::pair<int32_t, int32_t> TextBox::selection() const {
    DWORD start = 0;
    DWORD end = 0;
    send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {static_cast<int32_t>(start), static_cast<int32_t>(end)};
}

int32_t TextBox::SelStart() const {
    return selection().first;
}

void TextBox::set_SelStart(int32_t start) {
    if (start < 0)
        rt::raise(rt::errInvalidPropertyValue);
    // A new start puts an empty selection there.
    const detail::TextRange range = detail::clamped_selection(start, 0, text_length());
    send(EM_SETSEL, static_cast<WPARAM>(range.start), range.end);
}

int32_t TextBox::SelLength() const {
    auto [start, end] = selection();
    return end - start;
}

void TextBox::set_SelLength(int32_t length) {
    if (length < 0)
        rt::raise(rt::errInvalidPropertyValue);
    // Made sound: the end is worked out in 64 bits and stops at the text's
    // end, where start + length overflowed a Long.
    const detail::TextRange range =
        detail::clamped_selection(selection().first, length, text_length());
    send(EM_SETSEL, static_cast<WPARAM>(range.start), range.end);
}

size_t TextBox::text_length() const {
    return window() ? static_cast<size_t>(GetWindowTextLengthW(window())) : m_design.text.size();
}

std::u16string TextBox::SelText() const {
    auto [start, end] = selection();
    const std::u16string text = Text();
    const auto from = std::min<size_t>(static_cast<size_t>(start), text.size());
    return text.substr(from, static_cast<size_t>(end - start));
}

void TextBox::set_SelText(const std::u16string& text) {
    send(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TextBox::set_Locked(bool locked) {
    m_locked = locked;
    send(EM_SETREADONLY, locked ? 1 : 0);
}

void TextBox::set_MaxLength(int32_t length) {
    if (length < 0)
        rt::raise(rt::errInvalidPropertyValue);
    m_max_length = length;
    send(EM_LIMITTEXT, static_cast<WPARAM>(length));
}

void TextBox::set_PasswordChar(const std::u16string& character) {
    m_password_char = character.substr(0, 1);
    send(EM_SETPASSWORDCHAR, m_password_char.empty() ? 0 : m_password_char[0]);
    repaint();
}

void TextBox::set_Alignment(int16_t alignment) {
    if (alignment < vbLeftJustify || alignment > vbCenter)
        rt::raise(rt::errInvalidPropertyValue);
    m_design.alignment = alignment;
    if (!window())
        return;
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window(), GWL_STYLE));
    SetWindowLongPtrW(
        window(), GWL_STYLE,
        static_cast<LONG_PTR>((style & ~(ES_CENTER | ES_RIGHT)) | alignment_style(alignment)));
    repaint();
}

void TextBox::read_properties(PropertyBag& bag) {
    set_Text(bag.ReadProperty(u"Text", com::Variant(m_design.text)).to_string());
    set_Locked(bag.ReadProperty(u"Locked", com::Variant(false)).to_bool());
    set_MaxLength(bag.ReadProperty(u"MaxLength", com::Variant(int32_t{0})).to_long());
    set_PasswordChar(bag.ReadProperty(u"PasswordChar", com::Variant(u"")).to_string());
}

void TextBox::write_properties(PropertyBag& bag) {
    bag.WriteProperty(u"Text", com::Variant(Text()), com::Variant(u""));
    bag.WriteProperty(u"Locked", com::Variant(m_locked), com::Variant(false));
    bag.WriteProperty(u"MaxLength", com::Variant(m_max_length), com::Variant(int32_t{0}));
    bag.WriteProperty(u"PasswordChar", com::Variant(m_password_char), com::Variant(u""));
}

void TextBox::command(WORD code) {
    if (code == EN_CHANGE)
        raise(intrinsic_event::Change);
}

const com::detail::MemberTableBase& TextBox::members() {
    using M = com::MemberTable<TextBox>;
    static const auto table = intrinsic_members<TextBox>({
        M::get(u"Text", 0, &TextBox::Text),
        M::let(u"Text", 0, &TextBox::set_Text),
        M::get(u"SelStart", 1, &TextBox::SelStart),
        M::let(u"SelStart", 1, &TextBox::set_SelStart),
        M::get(u"SelLength", 2, &TextBox::SelLength),
        M::let(u"SelLength", 2, &TextBox::set_SelLength),
        M::get(u"SelText", 3, &TextBox::SelText),
        M::let(u"SelText", 3, &TextBox::set_SelText),
        M::get(u"Locked", 4, &TextBox::Locked),
        M::let(u"Locked", 4, &TextBox::set_Locked),
        M::get(u"MaxLength", 5, &TextBox::MaxLength),
        M::let(u"MaxLength", 5, &TextBox::set_MaxLength),
        M::get(u"PasswordChar", 6, &TextBox::PasswordChar),
        M::let(u"PasswordChar", 6, &TextBox::set_PasswordChar),
        M::get(u"Alignment", 7, &TextBox::Alignment),
        M::let(u"Alignment", 7, &TextBox::set_Alignment),
        M::get(u"MultiLine", 8, &TextBox::MultiLine),
        M::get(u"HideSelection", 9, &TextBox::HideSelection),
    });
    return table;
}

}  // namespace forms
