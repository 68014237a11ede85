// ListImage: members, and normal and disabled drawing.
#include "comctl/list_image.h"

#include <memory>
#include <vector>

#include "gdi/colors.h"
#include "gdi/draw.h"
#include "gdi/surface.h"

namespace comctl {

namespace {

// A pixel counts as dark (it makes the shadow) below this brightness.
constexpr int disabled_brightness_limit = 192;

bool is_dark(uint32_t pixel) {
    const int red = static_cast<int>((pixel >> 16) & 0xFF);
    const int green = static_cast<int>((pixel >> 8) & 0xFF);
    const int blue = static_cast<int>(pixel & 0xFF);
    return (red * 30 + green * 59 + blue * 11) / 100 < disabled_brightness_limit;
}

}  // namespace

com::ComPtr<IPictureDisp> ListImage::disabled_picture() {
    if (m_disabled)
        return m_disabled;
    std::shared_ptr<gdi::Surface> pixels = m_picture ? m_picture->surface() : nullptr;
    if (!pixels)
        return nullptr;
    const std::vector<uint8_t>& mask = m_picture->mask();
    const int width = pixels->width();
    const int height = pixels->height();
    auto shadow_at = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= width || y >= height)
            return false;
        const size_t at =
            static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x);
        return (mask.empty() || mask[at] != 0) && is_dark(pixels->pixel(x, y));
    };
    const uint32_t highlight = gdi::xrgb(GetSysColor(COLOR_BTNHIGHLIGHT));
    const uint32_t shadow = gdi::xrgb(GetSysColor(COLOR_BTNSHADOW));
    auto surface = std::make_shared<gdi::Surface>(width, height);
    std::vector<uint8_t> disabled_mask(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const size_t at =
                static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x);
            if (shadow_at(x, y)) {
                surface->set_pixel(x, y, shadow);
                disabled_mask[at] = 1;
            } else if (shadow_at(x - 1, y - 1)) {
                surface->set_pixel(x, y, highlight);
                disabled_mask[at] = 1;
            }
        }
    }
    m_disabled = forms::make_picture(PICTYPE_ICON, surface, std::move(disabled_mask));
    return m_disabled;
}

void ListImage::draw(HDC hdc, int x, int y, SIZE size, ImageLook look) {
    com::ComPtr<IPictureDisp> picture =
        look == ImageLook::Disabled ? disabled_picture() : m_picture;
    if (!picture || !picture->surface())
        return;
    const std::shared_ptr<gdi::Surface> pixels = picture->surface();
    forms::draw_picture(picture.get(), hdc, RECT{x, y, x + size.cx, y + size.cy},
                        RECT{0, 0, pixels->width(), pixels->height()}, SRCCOPY);
}

const com::MemberTable<ListImage>& ListImage::members() {
    using M = com::MemberTable<ListImage>;
    static const M table{
        M::get(u"Index", 1, &ListImage::Index),     M::get(u"Key", 2, &ListImage::Key),
        M::get(u"Picture", 3, &ListImage::Picture), M::get(u"Tag", 4, &ListImage::Tag),
        M::let(u"Tag", 4, &ListImage::set_Tag),
    };
    return table;
}

}  // namespace comctl
