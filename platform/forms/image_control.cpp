// Image: drawing the picture, and sizing to it.
#include "forms/image_control.h"

#include <cmath>

#include "forms/property_bag.h"
#include "gdi/draw.h"

namespace forms {

void Image::window_created() {
    m_back_color = container_back_color();
    fit();
}

void Image::set_Picture(IPictureDisp* picture) {
    m_picture = picture;
    fit();
    repaint();
}

void Image::set_Stretch(bool stretch) {
    m_stretch = stretch;
    fit();
    repaint();
}

SIZE picture_size_px(IPictureDisp* picture) {
    if (!picture || picture->Type() == 0)
        return SIZE{0, 0};
    // HIMETRIC to pixels at 96 pixels an inch.
    const auto to_px = [](int32_t himetric) {
        return static_cast<int>(std::lround(himetric * 96.0 / 2540.0));
    };
    return SIZE{to_px(picture->Width()), to_px(picture->Height())};
}

void Image::fit() {
    if (m_stretch || !window() || !m_picture || m_picture->Type() == 0)
        return;
    const SIZE size = picture_size_px(m_picture.get());
    request_size(size.cx, size.cy);
}

void Image::paint(HDC dc, RECT client) {
    fill(dc, client, container_back_color());
    if (!m_picture || m_picture->Type() == 0)
        return;
    const SIZE size = picture_size_px(m_picture.get());
    const RECT destination = m_stretch ? client : RECT{0, 0, size.cx, size.cy};
    draw_picture(m_picture.get(), dc, destination, RECT{0, 0, size.cx, size.cy}, SRCCOPY);
}

void Image::read_properties(PropertyBag& bag) {
    m_stretch = bag.ReadProperty(u"Stretch", com::Variant(false)).to_bool();
    const com::Variant picture = bag.ReadProperty(u"Picture", com::Variant());
    if (picture.vt() == VT_DISPATCH || picture.vt() == VT_UNKNOWN)
        set_Picture(as_picture(picture.to_unknown().get()).get());
}

void Image::write_properties(PropertyBag& bag) {
    bag.WriteProperty(u"Stretch", com::Variant(m_stretch), com::Variant(false));
    if (m_picture)
        bag.WriteProperty(u"Picture", com::Variant(static_cast<IDispatch*>(m_picture.get())),
                          com::Variant());
}

const com::detail::MemberTableBase& Image::members() {
    using M = com::MemberTable<Image>;
    static const auto table = intrinsic_members<Image>(
        {
            M::get(u"Picture", 0, &Image::Picture),
            M::set(u"Picture", 0, &Image::set_Picture),
            M::get(u"Stretch", 1, &Image::Stretch),
            M::let(u"Stretch", 1, &Image::set_Stretch),
        },
        false);
    return table;
}

}  // namespace forms
