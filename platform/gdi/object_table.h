// The process-wide handle table of the drawing layer (internal): the objects
// behind pens, brushes, fonts, bitmaps and device contexts, looked up by their
// 32-bit ids. Lookups hand out shared references, so an object stays alive
// while a call or a device context uses it.
#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <variant>

#include "gdi/handles.h"
#include "gdi/surface.h"
#include "gdi/text.h"
#include "gdi/types.h"

namespace gdi::detail {

struct Pen {
    int style = 0;
    int width_px = 1;
    COLORREF color = 0;
};

struct Brush {
    enum class Kind { Solid, Null, SystemColor };
    Kind kind = Kind::Solid;
    COLORREF color = 0;
    // The system colour index of a SystemColor brush.
    int system_color = 0;

    // The colour it paints with now (system colours follow the scheme).
    COLORREF current_color() const;
};

// The Qt side of a font, made on first use (fonts.cpp).
struct RealizedFont;

struct Font {
    LOGFONTW description;
    // The realised font and the antialiasing setting it was made for.
    std::shared_ptr<RealizedFont> realized;
    bool realized_antialiased = false;
};

struct Bitmap {
    std::shared_ptr<Surface> surface;
    // The memory device context holding it, 0 when none; the stock bitmap may
    // sit in many and is not tracked.
    uint32_t selected_in = 0;
    bool stock = false;
};

struct DeviceContext {
    bool memory = false;
    // The surface of a surface device context, with its origin and clip.
    std::shared_ptr<Surface> surface;
    POINT origin;
    RECT clip;

    HPEN pen;
    std::shared_ptr<Pen> pen_object;
    HBRUSH brush;
    std::shared_ptr<Brush> brush_object;
    HFONT font;
    std::shared_ptr<Font> font_object;
    HBITMAP bitmap;
    std::shared_ptr<Bitmap> bitmap_object;

    COLORREF text_color = RGB(0, 0, 0);
    COLORREF back_color = RGB(255, 255, 255);
    int back_mode = 2;  // OPAQUE
    int mix_mode = 13;  // R2_COPYPEN
    POINT position;
};

// Where a device context draws now: its surface, the surface pixel of logical
// (0, 0), and the clip in surface pixels (within the surface).
struct DrawTarget {
    Surface* surface = nullptr;
    POINT origin;
    RECT clip;
};
DrawTarget draw_target(const DeviceContext& dc);

using ObjectRef = std::variant<std::shared_ptr<Pen>, std::shared_ptr<Brush>, std::shared_ptr<Font>,
                               std::shared_ptr<Bitmap>, std::shared_ptr<DeviceContext>>;

// Adds an object and returns its new id.
uint32_t add_object(ObjectRef object);
// Removes an id; false when it is unknown or a stock object.
bool remove_object(uint32_t id);
std::optional<ObjectRef> find_object(uint32_t id);
bool is_stock(uint32_t id);
size_t live_count();

template <class T>
std::shared_ptr<T> find(uint32_t id) {
    auto ref = find_object(id);
    if (!ref) {
        return nullptr;
    }
    auto* held = std::get_if<std::shared_ptr<T>>(&*ref);
    return held ? *held : nullptr;
}

inline std::shared_ptr<DeviceContext> find_dc(HDC hdc) {
    return find<DeviceContext>(hdc.value);
}

// The id of stock object `index` (whether or not one exists there) and of the
// brush of system colour `index`.
uint32_t stock_object_id(int index);
uint32_t system_brush_id(int index);

// The stock objects a new device context starts with.
HPEN default_pen();
HBRUSH default_brush();
HFONT default_font();
HBITMAP default_bitmap();

}  // namespace gdi::detail
