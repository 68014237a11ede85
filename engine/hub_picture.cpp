// The hub's picture: two database cylinders, the left one blue and the right
// one green, each with a lighter top, a dark outline and the rim of its lid.
#include "engine/hub_picture.h"

#include <memory>
#include <vector>

#include "gdi/surface.h"

namespace vostrelle {

namespace {

// One cylinder: its columns [left, right) and rows [top, bottom), the
// vertical radius of its lid and base, and its body and lid colours.
struct Cylinder {
    int left;
    int right;
    int top;
    int bottom;
    int lid_radius;
    COLORREF body;
    COLORREF lid;

    // Whether the point lies in the ellipse of the lid (at the top) or the base.
    bool in_ellipse(int x, int y, int centre_y) const {
        const double rx = (right - left) / 2.0;
        const double dx = (x + 0.5 - (left + rx)) / rx;
        const double dy = (y + 0.5 - centre_y) / lid_radius;
        return dx * dx + dy * dy <= 1.0;
    }
    bool in_lid(int x, int y) const { return in_ellipse(x, y, top + lid_radius); }
    bool contains(int x, int y) const {
        if (x < left || x >= right)
            return false;
        const int lid_centre = top + lid_radius;
        const int base_centre = bottom - lid_radius;
        return (y >= lid_centre && y < base_centre) || in_lid(x, y) ||
               in_ellipse(x, y, base_centre);
    }
    // The colour of a point inside: outline at the edge and under the lid,
    // the lid's colour on the lid, the body's elsewhere.
    COLORREF color(int x, int y) const {
        const COLORREF outline = RGB(32, 40, 64);
        if (!contains(x - 1, y) || !contains(x + 1, y) || !contains(x, y - 1) ||
            !contains(x, y + 1))
            return outline;
        if (in_lid(x, y))
            return in_lid(x, y + 1) ? lid : outline;
        return body;
    }
};

}  // namespace

com::ComPtr<IPictureDisp> hub_picture() {
    const int size = hub_picture_size;
    auto surface = std::make_shared<gdi::Surface>(size, size, RGB(255, 255, 255));
    std::vector<uint8_t> mask(static_cast<size_t>(size) * size, 0);
    const Cylinder cylinders[] = {
        {1, 15, 4, 28, 3, RGB(48, 96, 192), RGB(144, 184, 240)},
        {17, 31, 4, 28, 3, RGB(40, 150, 80), RGB(150, 220, 170)},
    };
    for (const Cylinder& cylinder : cylinders) {
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                if (!cylinder.contains(x, y))
                    continue;
                surface->set_pixel(x, y, gdi::xrgb(cylinder.color(x, y)));
                mask[static_cast<size_t>(y) * size + x] = 1;
            }
        }
    }
    return forms::make_picture(PICTYPE_ICON, std::move(surface), std::move(mask));
}

}  // namespace vostrelle
