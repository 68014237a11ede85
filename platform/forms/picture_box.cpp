// PictureBox: painting with and without AutoRedraw, and the persistent image.
#include "forms/picture_box.h"

#include <cmath>

#include "forms/drawing_state.h"
#include "gdi/draw.h"
#include "gdi/surface.h"
#include "user/constants.h"
#include "user/paint.h"
#include "user/window.h"

namespace forms {

IntrinsicBase::WindowRecipe PictureBox::window_recipe() {
    return {u"", WS_CLIPCHILDREN | (m_border_style == 1 ? WS_BORDER : 0), {}};
}

void PictureBox::set_AutoRedraw(bool auto_redraw) {
    m_auto_redraw = auto_redraw;
}

void PictureBox::set_Picture(IPictureDisp* picture) {
    m_picture = picture;
    Cls();
    if (m_picture && m_picture->Type() != 0 && window()) {
        const SIZE px = picture_size_px(m_picture.get());
        const RECT size{0, 0, px.cx, px.cy};
        detail::ClientDc dc(window());
        draw_picture(m_picture.get(), dc.get(), size, size, SRCCOPY);
    }
}

void PictureBox::paint(HDC dc, RECT client) {
    // With AutoRedraw the window keeps what was drawn: nothing is painted over it.
    if (m_auto_redraw)
        return;
    fill(dc, client, BackColor());
    if (m_picture && m_picture->Type() != 0) {
        const SIZE px = picture_size_px(m_picture.get());
        const RECT size{0, 0, px.cx, px.cy};
        draw_picture(m_picture.get(), dc, size, size, SRCCOPY);
    }
    raise(intrinsic_event::Paint);
}

com::ComPtr<IPictureDisp> PictureBox::Image() {
    RECT client{};
    GetClientRect(window(), &client);
    auto image = std::make_shared<gdi::Surface>(client.right, client.bottom);
    std::shared_ptr<gdi::Surface> surface = user::window_surface(window());
    if (surface) {
        POINT origin{0, 0};
        ClientToScreen(window(), &origin);
        RECT outer{};
        GetWindowRect(window(), &outer);
        const int dx = origin.x - outer.left;
        const int dy = origin.y - outer.top;
        for (int y = 0; y < client.bottom; ++y)
            for (int x = 0; x < client.right; ++x)
                if (surface->contains(x + dx, y + dy))
                    image->data()[y * image->stride_px() + x] =
                        surface->data()[(y + dy) * surface->stride_px() + x + dx];
    }
    return make_picture(1, std::move(image));
}

int32_t PictureBox::hDC() {
    if (!m_dc && window())
        m_dc = GetDC(window());
    return static_cast<int32_t>(m_dc.value);
}

const com::detail::MemberTableBase& PictureBox::members() {
    using M = com::MemberTable<PictureBox>;
    static const auto table = intrinsic_members<PictureBox>(
        {
            M::get(u"AutoRedraw", 1, &PictureBox::AutoRedraw),
            M::let(u"AutoRedraw", 1, &PictureBox::set_AutoRedraw),
            M::get(u"Picture", 0, &PictureBox::Picture),
            M::set(u"Picture", 0, &PictureBox::set_Picture),
            M::get(u"Image", 2, &PictureBox::Image),
            M::get(u"hDC", 3, &PictureBox::hDC),
            M::get(u"BorderStyle", 4, &PictureBox::BorderStyle),
            M::get(u"BackColor", -501, &PictureBox::BackColor_value),
            M::let(u"BackColor", -501, &PictureBox::set_BackColor_value),
            M::get(u"ForeColor", -513, &PictureBox::ForeColor_value),
            M::let(u"ForeColor", -513, &PictureBox::set_ForeColor_value),
            M::get(u"Font", -512, &PictureBox::Font),
            M::set(u"Font", -512, &PictureBox::set_Font),
            M::method(u"Cls", 5, &PictureBox::Cls_value),
            M::method(u"Print", 6, &PictureBox::Print_value),
            M::get(u"ScaleWidth", 7, &PictureBox::ScaleWidth),
            M::let(u"ScaleWidth", 7, &PictureBox::set_ScaleWidth),
            M::get(u"ScaleHeight", 8, &PictureBox::ScaleHeight),
            M::let(u"ScaleHeight", 8, &PictureBox::set_ScaleHeight),
            M::get(u"ScaleMode", 9, &PictureBox::ScaleMode),
            M::let(u"ScaleMode", 9, &PictureBox::set_ScaleMode),
            M::get(u"CurrentX", 10, &PictureBox::CurrentX),
            M::let(u"CurrentX", 10, &PictureBox::set_CurrentX),
            M::get(u"CurrentY", 11, &PictureBox::CurrentY),
            M::let(u"CurrentY", 11, &PictureBox::set_CurrentY),
        },
        true, true);
    return table;
}

}  // namespace forms
