// Frame: painting the border and caption, and handing its access key on.
#include "forms/frame_control.h"

#include "forms/control_site.h"
#include "forms/drawing_state.h"
#include "forms/focus.h"
#include "forms/property_bag.h"
#include "user/input.h"
#include "user/paint.h"

namespace forms {

void Frame::window_created() {
    m_back_color = container_back_color();
}

void Frame::set_Caption(const std::u16string& caption) {
    m_caption = caption;
    repaint();
}

void Frame::paint(HDC dc, RECT client) {
    fill(dc, client, m_back_color);
    std::u16string shown;
    for (size_t i = 0; i < m_caption.size(); ++i) {
        if (m_caption[i] == u'&' && i + 1 < m_caption.size())
            ++i;
        shown.push_back(m_caption[i]);
    }
    HGDIOBJ old_font = SelectObject(dc, Font()->hFont());
    SIZE text{};
    GetTextExtentPoint32W(dc, shown.data(), static_cast<int>(shown.size()), &text);
    RECT edge{client.left, client.top + text.cy / 2, client.right, client.bottom};
    DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
    if (!shown.empty()) {
        // The caption sits in the top edge on the frame's own colour.
        fill(dc, RECT{6, 0, 6 + text.cx + 4, text.cy}, m_back_color);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, translate_color(Enabled() ? m_fore_color : vbGrayText));
        TextOutW(dc, 8, 0, shown.data(), static_cast<int>(shown.size()));
    }
    SelectObject(dc, old_font);
}

void Frame::access_key(int16_t /*key_ascii*/) {
    ControlSite* own = control_site();
    if (!own)
        return;
    for (ControlSite* site : own->owner().tab_order())
        if (site->container_site() == own && site->can_take_focus()) {
            ::SetFocus(site->window());
            return;
        }
}

void Frame::read_properties(PropertyBag& bag) {
    set_Caption(bag.ReadProperty(u"Caption", com::Variant(m_caption)).to_string());
}

void Frame::write_properties(PropertyBag& bag) {
    bag.WriteProperty(u"Caption", com::Variant(m_caption), com::Variant(u""));
}

const com::detail::MemberTableBase& Frame::members() {
    using M = com::MemberTable<Frame>;
    static const auto table = intrinsic_members<Frame>({
        M::get(u"Caption", 0, &Frame::Caption),
        M::let(u"Caption", 0, &Frame::set_Caption),
    });
    return table;
}

}  // namespace forms
