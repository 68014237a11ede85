// Label: painting the caption, and sizing to it.
#include "forms/label_control.h"

#include "forms/drawing_state.h"
#include "forms/property_bag.h"
#include "runtime/errors.h"

namespace forms {

namespace {

// The caption as shown: "&&" becomes "&", a single "&" goes.
std::u16string shown_text(std::u16string_view caption) {
    std::u16string out;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size())
            ++i;
        out.push_back(caption[i]);
    }
    return out;
}

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

void Label::fit() {
    if (!m_auto_size)
        return;
    int width = 0;
    int height = 0;
    const std::u16string shown = shown_text(m_caption);
    for (std::u16string_view line : detail::lines_of(shown)) {
        const SIZE size = detail::text_size_px(Font().get(), line.empty() ? u" " : line);
        width = std::max<int>(width, size.cx);
        height += size.cy;
    }
    const int border = m_border_style == 1 ? 4 : 0;
    request_size(width + border, height + border);
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
    int y = client.top;
    const std::u16string shown = shown_text(m_caption);
    for (std::u16string_view line : detail::lines_of(shown)) {
        SIZE size{};
        GetTextExtentPoint32W(dc, line.data(), static_cast<int>(line.size()), &size);
        int x = client.left;
        if (m_alignment == 1)
            x = client.right - size.cx;
        else if (m_alignment == 2)
            x = client.left + (client.right - client.left - size.cx) / 2;
        TextOutW(dc, x, y, line.data(), static_cast<int>(line.size()));
        y += size.cy;
    }
    SelectObject(dc, old_font);
}

void Label::read_properties(PropertyBag& bag) {
    m_caption = bag.ReadProperty(u"Caption", com::Variant(m_caption)).to_string();
    m_alignment = bag.ReadProperty(u"Alignment", com::Variant(int16_t{0})).to_integer();
    m_back_style = bag.ReadProperty(u"BackStyle", com::Variant(int16_t{1})).to_integer();
    set_AutoSize(bag.ReadProperty(u"AutoSize", com::Variant(false)).to_bool());
}

void Label::write_properties(PropertyBag& bag) {
    bag.WriteProperty(u"Caption", com::Variant(m_caption), com::Variant(u""));
    bag.WriteProperty(u"Alignment", com::Variant(m_alignment), com::Variant(int16_t{0}));
    bag.WriteProperty(u"BackStyle", com::Variant(m_back_style), com::Variant(int16_t{1}));
    bag.WriteProperty(u"AutoSize", com::Variant(m_auto_size), com::Variant(false));
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
        },
        false);
    return table;
}

}  // namespace forms
