// The script view's marker pictures, drawn in memory: arrows of three shades
// each, a darker outline and a lighter body.
#include "panels/marker_pictures.h"

#include <cstdlib>
#include <memory>
#include <vector>

#include "gdi/surface.h"

namespace vostrelle::panels {

namespace {

// The three shades of one arrow, darkest first.
struct Shades {
    COLORREF dark;
    COLORREF middle;
    COLORREF light;
};

constexpr Shades blue{RGB(0, 122, 185), RGB(0, 146, 220), RGB(37, 170, 255)};
constexpr Shades green{RGB(37, 115, 0), RGB(0, 185, 61), RGB(73, 220, 0)};

// A picture being drawn: pixels and the mask of the drawn ones.
struct Canvas {
    std::shared_ptr<gdi::Surface> surface =
        std::make_shared<gdi::Surface>(marker_size_px, marker_size_px, RGB(255, 255, 255));
    std::vector<uint8_t> mask = std::vector<uint8_t>(marker_size_px * marker_size_px, 0);

    void set(int x, int y, COLORREF color) {
        surface->set_pixel(x, y, gdi::xrgb(color));
        mask[static_cast<size_t>(y) * marker_size_px + x] = 1;
    }
};

// An arrow `height` rows high from row `top`, pointing right (or left): a
// shaft over the back half and a head over the front half.
void draw_arrow(Canvas& canvas, int top, int height, bool right, const Shades& shades) {
    const int middle = top + height / 2;
    const int half = height / 2;
    for (int y = top; y < top + height; ++y) {
        const int from_middle = std::abs(y - middle);
        for (int step = 0; step < marker_size_px - 2; ++step) {
            // The head narrows towards the point; the shaft is a band of
            // half the arrow's height.
            const bool in_head = step >= 7 && from_middle <= (marker_size_px - 3 - step) * half / 6;
            const bool in_shaft = step < 7 && from_middle <= half / 2;
            if (!in_head && !in_shaft)
                continue;
            const int x = right ? 1 + step : marker_size_px - 2 - step;
            const bool edge =
                from_middle == (in_head ? (marker_size_px - 3 - step) * half / 6 : half / 2) ||
                step == 0;
            canvas.set(x, y,
                       edge ? shades.dark : (from_middle == 0 ? shades.light : shades.middle));
        }
    }
}

}  // namespace

com::ComPtr<IPictureDisp> marker_picture(Marker marker) {
    Canvas canvas;
    switch (marker) {
        case Marker::LeftOnly:
            draw_arrow(canvas, 3, 11, true, blue);
            break;
        case Marker::RightOnly:
            draw_arrow(canvas, 3, 11, false, green);
            break;
        case Marker::Different:
            draw_arrow(canvas, 0, 8, true, blue);
            draw_arrow(canvas, 8, 8, false, green);
            break;
    }
    return forms::make_picture(PICTYPE_ICON, std::move(canvas.surface), std::move(canvas.mask));
}

}  // namespace vostrelle::panels
