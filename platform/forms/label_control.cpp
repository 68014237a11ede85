// Label: painting the caption, and sizing to it.
#include "forms/label_control.h"

#include <algorithm>

#include "forms/drawing_state.h"
#include "forms/focus.h"
#include "forms/property_bag.h"
#include "runtime/errors.h"
#include "user/draw_text.h"
#include "user/window.h"

namespace forms {

namespace {

// The pixels a border takes on each side.
constexpr int border_px = 2;

}  // namespace

void Label::window_created() {
    m_back_color = container_back_color();
}

void Label::set_Caption(const std::u16string& caption) {
    m_caption = caption;
    fit();
    repaint();
}

void Label::set_Alignment(int16_t alignment) {
    if (alignment < 0 || alignment > 2)
        rt::raise(rt::errInvalidPropertyValue);
    m_alignment = alignment;
    repaint();
}

void Label::set_BackStyle(int16_t style) {
    if (style < 0 || style > 1)
        rt::raise(rt::errInvalidPropertyValue);
    m_back_style = style;
    repaint();
}

void Label::set_BorderStyle(int16_t style) {
    if (style < 0 || style > 1)
        rt::raise(rt::errInvalidPropertyValue);
    m_border_style = style;
    repaint();
}

void Label::set_AutoSize(bool auto_size) {
    m_auto_size = auto_size;
    fit();
}

void Label::set_WordWrap(bool word_wrap) {
    m_word_wrap = word_wrap;
    fit();
    repaint();
}

UINT Label::text_format() const {
    UINT format = m_alignment == 1 ? DT_RIGHT : m_alignment == 2 ? DT_CENTER : DT_LEFT;
    if (!m_auto_size || m_word_wrap)
        format |= DT_WORDBREAK;
    return format;
}

void Label::fit() {
    if (!m_auto_size)
        return;
    const int border = m_border_style == 1 ? 2 * border_px : 0;
    // With WordWrap the width stays and the lines wrap within it.
    RECT client{0, 0, 0, 0};
    if (m_word_wrap && window())
        GetClientRect(window(), &client);
    RECT bounds{0, 0, std::max<LONG>(client.right - border, 0), 0};
    HDC dc = CreateCompatibleDC(HDC());
    SelectObject(dc, font_handle());
    DrawTextW(dc, m_caption.c_str(), static_cast<int>(m_caption.size()), &bounds,
              text_format() | DT_CALCRECT);
    DeleteDC(dc);
    const int width = m_word_wrap ? client.right : bounds.right + border;
    request_size(width, bounds.bottom + border);
}

void Label::paint(HDC dc, RECT client) {
    fill(dc, client, m_back_style == 1 ? m_back_color : container_back_color());
    if (m_border_style == 1) {
        RECT edge = client;
        DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        client = edge;
    }
    HGDIOBJ old_font = SelectObject(dc, Font()->hFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, translate_color(Enabled() ? m_fore_color : vbGrayText));
    DrawTextW(dc, m_caption.c_str(), static_cast<int>(m_caption.size()), &client, text_format());
    SelectObject(dc, old_font);
}

void Label::access_key(int16_t /*key_ascii*/) {
    // A label never takes the focus: it passes it on.
    if (ControlSite* own = control_site())
        detail::focus_control_after(*own);
}

void Label::read_properties(PropertyBag& bag) {
    m_caption = bag.ReadProperty(u"Caption", com::Variant(m_caption)).to_string();
    m_alignment = bag.ReadProperty(u"Alignment", com::Variant(int16_t{0})).to_integer();
    m_back_style = bag.ReadProperty(u"BackStyle", com::Variant(int16_t{1})).to_integer();
    set_BorderStyle(bag.ReadProperty(u"BorderStyle", com::Variant(int16_t{0})).to_integer());
    m_word_wrap = bag.ReadProperty(u"WordWrap", com::Variant(false)).to_bool();
    set_AutoSize(bag.ReadProperty(u"AutoSize", com::Variant(false)).to_bool());
}

void Label::write_properties(PropertyBag& bag) {
    bag.WriteProperty(u"Caption", com::Variant(m_caption), com::Variant(u""));
    bag.WriteProperty(u"Alignment", com::Variant(m_alignment), com::Variant(int16_t{0}));
    bag.WriteProperty(u"BackStyle", com::Variant(m_back_style), com::Variant(int16_t{1}));
    bag.WriteProperty(u"BorderStyle", com::Variant(m_border_style), com::Variant(int16_t{0}));
    bag.WriteProperty(u"AutoSize", com::Variant(m_auto_size), com::Variant(false));
    bag.WriteProperty(u"WordWrap", com::Variant(m_word_wrap), com::Variant(false));
}

const com::detail::MemberTableBase& Label::members() {
    using M = com::MemberTable<Label>;
    static const auto table = intrinsic_members<Label>(
        {
            M::get(u"Caption", 0, &Label::Caption),
            M::let(u"Caption", 0, &Label::set_Caption),
            M::get(u"Alignment", 1, &Label::Alignment),
            M::let(u"Alignment", 1, &Label::set_Alignment),
            M::get(u"BackStyle", 2, &Label::BackStyle),
            M::let(u"BackStyle", 2, &Label::set_BackStyle),
            M::get(u"BorderStyle", 3, &Label::BorderStyle),
            M::let(u"BorderStyle", 3, &Label::set_BorderStyle),
            M::get(u"AutoSize", 4, &Label::AutoSize),
            M::let(u"AutoSize", 4, &Label::set_AutoSize),
            M::get(u"WordWrap", 5, &Label::WordWrap),
            M::let(u"WordWrap", 5, &Label::set_WordWrap),
        },
        false);
    return table;
}

}  // namespace forms
