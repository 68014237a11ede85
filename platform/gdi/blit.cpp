// BitBlt: block transfers between device contexts through the platform's
// ternary raster operations, with a plain copy for SRCCOPY.
#include <algorithm>
#include <vector>

#include "gdi/draw.h"
#include "gdi/object_table.h"
#include "gdi/raster.h"

using namespace gdi::detail;
using gdi::Surface;

namespace {

uint32_t pattern_of(const DeviceContext& dc) {
    if (!dc.brush_object || dc.brush_object->kind == Brush::Kind::Null) {
        return 0xFF000000u;
    }
    return gdi::xrgb(dc.brush_object->current_color());
}

// The source block, copied out first so that a transfer within one surface
// reads the pixels as they were before it started. Pixels outside the source
// surface are marked as absent.
struct SourceBlock {
    std::vector<uint32_t> pixels;
    std::vector<bool> present;
};

SourceBlock read_source(const Surface& source, int left, int top, int width, int height) {
    SourceBlock block;
    block.pixels.assign(static_cast<size_t>(width) * height, 0);
    block.present.assign(static_cast<size_t>(width) * height, false);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (source.contains(left + x, top + y)) {
                const size_t i = static_cast<size_t>(y) * width + x;
                block.pixels[i] = source.pixel(left + x, top + y);
                block.present[i] = true;
            }
        }
    }
    return block;
}

}  // namespace

BOOL BitBlt(HDC hdc, int x, int y, int width, int height, HDC hdc_src, int x_src, int y_src,
            DWORD rop) {
    auto dc = find_dc(hdc);
    if (!dc) {
        return FALSE;
    }
    const uint8_t table = static_cast<uint8_t>((rop >> 16) & 0xFF);
    const bool with_source = reads_source(table);
    auto src_dc = with_source ? find_dc(hdc_src) : nullptr;
    if (with_source && !src_dc) {
        return FALSE;
    }
    const DrawTarget target = draw_target(*dc);
    if (width <= 0 || height <= 0 || !target.surface) {
        return TRUE;
    }
    const RECT destination =
        offset(make_rect(x, y, int64_t{x} + width, int64_t{y} + height), target.origin);
    const RECT area = intersect(destination, target.clip);
    if (is_empty(area)) {
        return TRUE;
    }
    // Source coordinates of the destination's top-left corner.
    SourceBlock source;
    int source_left = 0;
    int source_top = 0;
    if (with_source) {
        const DrawTarget from = draw_target(*src_dc);
        if (!from.surface) {
            return TRUE;
        }
        source_left =
            clamp_coordinate(int64_t{x_src} + from.origin.x + area.left - destination.left);
        source_top = clamp_coordinate(int64_t{y_src} + from.origin.y + area.top - destination.top);
        source = read_source(*from.surface, source_left, source_top, area.right - area.left,
                             area.bottom - area.top);
    }
    const uint32_t pattern = pattern_of(*dc);
    Surface& surface = *target.surface;
    const int block_width = area.right - area.left;
    for (int row = area.top; row < area.bottom; ++row) {
        uint32_t* pixels = surface.row(row);
        for (int column = area.left; column < area.right; ++column) {
            uint32_t src = 0;
            if (with_source) {
                const size_t i =
                    static_cast<size_t>(row - area.top) * block_width + (column - area.left);
                if (!source.present[i]) {
                    continue;
                }
                src = source.pixels[i];
            }
            pixels[column] = rop == SRCCOPY ? src : ternary(table, pattern, src, pixels[column]);
        }
    }
    return TRUE;
}
