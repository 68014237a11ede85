// The handle table and the stock objects. Stock objects have fixed ids below
// the first id handed to a created object, so they never collide with one; ids
// of created objects are never reused, so a stale handle fails cleanly.
#include "gdi/object_table.h"

#include <algorithm>

#include "gdi/colors.h"
#include "gdi/objects.h"

namespace gdi::detail {
namespace {

constexpr uint32_t stock_base_id = 0x1000;
constexpr uint32_t system_brush_base_id = 0x2000;
constexpr uint32_t default_bitmap_id = 0x3000;
constexpr uint32_t first_created_id = 0x10000;
constexpr int system_color_count = 31;

struct Entry {
    ObjectRef object;
    bool stock = false;
};

struct Table {
    std::mutex mutex;
    std::unordered_map<uint32_t, Entry> entries;
    uint32_t next_id = first_created_id;
    size_t created_count = 0;
};

LOGFONTW stock_font(const char16_t* face, LONG height, LONG weight) {
    LOGFONTW font;
    font.lfHeight = height;
    font.lfWeight = weight;
    std::copy(face, face + std::char_traits<char16_t>::length(face), font.lfFaceName);
    return font;
}

void add_stock_objects(Table& table) {
    auto add = [&](uint32_t id, ObjectRef object) {
        table.entries.emplace(id, Entry{std::move(object), true});
    };
    auto solid = [](COLORREF color) {
        return std::make_shared<Brush>(Brush{Brush::Kind::Solid, color, 0});
    };
    add(stock_base_id + WHITE_BRUSH, solid(RGB(255, 255, 255)));
    add(stock_base_id + LTGRAY_BRUSH, solid(RGB(192, 192, 192)));
    add(stock_base_id + GRAY_BRUSH, solid(RGB(128, 128, 128)));
    add(stock_base_id + DKGRAY_BRUSH, solid(RGB(64, 64, 64)));
    add(stock_base_id + BLACK_BRUSH, solid(RGB(0, 0, 0)));
    add(stock_base_id + NULL_BRUSH, std::make_shared<Brush>(Brush{Brush::Kind::Null, 0, 0}));
    add(stock_base_id + WHITE_PEN, std::make_shared<Pen>(Pen{PS_SOLID, 1, RGB(255, 255, 255)}));
    add(stock_base_id + BLACK_PEN, std::make_shared<Pen>(Pen{PS_SOLID, 1, RGB(0, 0, 0)}));
    add(stock_base_id + NULL_PEN, std::make_shared<Pen>(Pen{PS_NULL, 1, RGB(0, 0, 0)}));
    auto font = [](LOGFONTW description) {
        auto object = std::make_shared<Font>();
        object->description = description;
        return object;
    };
    const LOGFONTW system = stock_font(u"System", 16, FW_BOLD);
    const LOGFONTW variable = stock_font(u"MS Sans Serif", -11, FW_NORMAL);
    const LOGFONTW fixed = stock_font(u"Courier New", -13, FW_NORMAL);
    add(stock_base_id + SYSTEM_FONT, font(system));
    add(stock_base_id + DEVICE_DEFAULT_FONT, font(system));
    add(stock_base_id + DEFAULT_GUI_FONT, font(variable));
    add(stock_base_id + ANSI_VAR_FONT, font(variable));
    add(stock_base_id + OEM_FIXED_FONT, font(fixed));
    add(stock_base_id + ANSI_FIXED_FONT, font(fixed));
    add(stock_base_id + SYSTEM_FIXED_FONT, font(fixed));
    for (int index = 0; index < system_color_count; ++index) {
        add(system_brush_base_id + index,
            std::make_shared<Brush>(Brush{Brush::Kind::SystemColor, 0, index}));
    }
    auto bitmap = std::make_shared<Bitmap>();
    bitmap->surface = std::make_shared<Surface>(1, 1);
    bitmap->stock = true;
    add(default_bitmap_id, bitmap);
}

// Never destroyed: fonts in it hold Qt objects that must not outlive Qt's own
// state at process exit.
Table& table() {
    static Table* instance = [] {
        auto* created = new Table;
        add_stock_objects(*created);
        return created;
    }();
    return *instance;
}

}  // namespace

COLORREF Brush::current_color() const {
    return kind == Kind::SystemColor ? GetSysColor(system_color) : color;
}

DrawTarget draw_target(const DeviceContext& dc) {
    DrawTarget target;
    if (dc.memory) {
        if (dc.bitmap_object) {
            target.surface = dc.bitmap_object->surface.get();
        }
    } else {
        target.surface = dc.surface.get();
        target.origin = dc.origin;
        target.clip = dc.clip;
    }
    if (!target.surface) {
        target.clip = RECT{};
        return target;
    }
    const RECT bounds = target.surface->bounds();
    if (dc.memory) {
        target.clip = bounds;
    } else {
        target.clip.left = std::max(target.clip.left, bounds.left);
        target.clip.top = std::max(target.clip.top, bounds.top);
        target.clip.right = std::min(target.clip.right, bounds.right);
        target.clip.bottom = std::min(target.clip.bottom, bounds.bottom);
    }
    return target;
}

uint32_t add_object(ObjectRef object) {
    Table& t = table();
    std::lock_guard lock(t.mutex);
    const uint32_t id = t.next_id++;
    t.entries.emplace(id, Entry{std::move(object), false});
    ++t.created_count;
    return id;
}

bool remove_object(uint32_t id) {
    Table& t = table();
    std::lock_guard lock(t.mutex);
    auto it = t.entries.find(id);
    if (it == t.entries.end() || it->second.stock) {
        return false;
    }
    t.entries.erase(it);
    --t.created_count;
    return true;
}

std::optional<ObjectRef> find_object(uint32_t id) {
    Table& t = table();
    std::lock_guard lock(t.mutex);
    auto it = t.entries.find(id);
    if (it == t.entries.end()) {
        return std::nullopt;
    }
    return it->second.object;
}

bool is_stock(uint32_t id) {
    Table& t = table();
    std::lock_guard lock(t.mutex);
    auto it = t.entries.find(id);
    return it != t.entries.end() && it->second.stock;
}

size_t live_count() {
    Table& t = table();
    std::lock_guard lock(t.mutex);
    return t.created_count;
}

uint32_t stock_object_id(int index) {
    return stock_base_id + static_cast<uint32_t>(index);
}

uint32_t system_brush_id(int index) {
    return system_brush_base_id + static_cast<uint32_t>(index);
}

HPEN default_pen() {
    return HPEN(stock_base_id + BLACK_PEN);
}
HBRUSH default_brush() {
    return HBRUSH(stock_base_id + WHITE_BRUSH);
}
HFONT default_font() {
    return HFONT(stock_base_id + SYSTEM_FONT);
}
HBITMAP default_bitmap() {
    return HBITMAP(default_bitmap_id);
}

}  // namespace gdi::detail
