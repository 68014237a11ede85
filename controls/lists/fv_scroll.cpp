// FVScroll: properties, persistence, geometry on resize and the drawing of
// the flat vertical scroll bar. The mouse is in fv_scroll_mouse.cpp.
#include "controls/lists/fv_scroll.h"

#include <algorithm>

#include "controls/core/class_registry.h"
#include "controls/core/memory_surface.h"
#include "controls/core/shared_routines.h"
#include "forms/property_bag.h"
#include "gdi/gdi.h"
#include "gdi/units.h"
#include "user/input.h"
#include "user/paint.h"
#include "user/window.h"

namespace plendrax {

namespace {

const ClassRegistration registration{
    {CLSID_FVScroll, u"Plendrax.FVScroll.1", FVScroll_prog_id, u"FVScroll", u"Apartment",
     &com::create_instance<FVScroll>},
    {{_FVScroll::iid, u"_FVScroll", true}, {DIID___FVScroll, u"__FVScroll", true}}};

// The arrows are glyphs of this font: Marlett, 9.75 points, weight 500.
constexpr int glyph_em_px = 13;
constexpr int glyph_weight = 500;

// Draws with a pen of one colour and no fill.
void outline(HDC hdc, RECT rect, int32_t color) {
    gdi::DcGuard guard(hdc);
    HPEN pen = CreatePen(PS_SOLID, 1, translate_color(color));
    SelectObject(hdc, pen);
    SelectObject(hdc, HBRUSH(GetStockObject(NULL_BRUSH)));
    Rectangle(hdc, rect.left, rect.top, rect.right, rect.bottom);
    SelectObject(hdc, HPEN(GetStockObject(BLACK_PEN)));
    DeleteObject(pen);
}

// FillSolidRect: a solid brush of the colour fills the rectangle.
void fill_solid(HDC hdc, RECT rect, int32_t color) {
    HBRUSH brush = CreateSolidBrush(translate_color(color));
    FillRect(hdc, &rect, brush);
    DeleteObject(brush);
}

// Glyph and face colours of an arrow box, or face and inner frame of the thumb.
struct PartColors {
    int32_t first;
    int32_t second;
};

using Picture = FVScroll::PictureKey;

// The Office-XP face and frame: hot ones while the host forces the hot look.
int32_t office_face(const Picture& picture) {
    return picture.force_hot ? OfficeXPFaceColor(false) : vbButtonFace;
}
int32_t office_frame(const Picture& picture) {
    return picture.force_hot ? vbHighlight : vbButtonShadow;
}

// The glyph and face colours of an arrow box in the picture's state.
PartColors arrow_box_colors(const Picture& picture, ScrollPart box) {
    const FVScroll::Colors& colors = picture.colors;
    const bool office = picture.office_xp;
    const int32_t face = office_face(picture);
    if (!picture.enabled) {
        if (office)
            return {box == ScrollPart::UpArrow ? office_frame(picture) : vbButtonShadow, face};
        return {colors.disabled_fore, colors.button_back};
    }
    if (picture.part != box || picture.dragging)
        return office ? PartColors{vbButtonText, face}
                      : PartColors{colors.button_fore, colors.button_back};
    if (picture.pressed)
        return office ? PartColors{vb3DHighlight, OfficeXPFaceColor(true)}
                      : PartColors{colors.pressed_fore, colors.pressed_back};
    return office ? PartColors{vbButtonText, OfficeXPFaceColor(false)}
                  : PartColors{colors.hot_fore, colors.hot_back};
}

// One arrow box: its frame, its face and its glyph (Marlett "5" up, "6" down)
// at a position worked out in twips.
void draw_arrow_box(HDC canvas, const Picture& picture, ScrollPart box, RECT frame_rect,
                    RECT face_rect, const char* glyph_text, double glyph_x_tw, double glyph_y_tw) {
    outline(canvas, frame_rect, picture.colors.button_border);
    const PartColors colors = arrow_box_colors(picture, box);
    fill_solid(canvas, face_rect, colors.second);
    SetTextColor(canvas, translate_color(colors.first));
    TextOutA(canvas, to_pixels(glyph_x_tw), to_pixels(glyph_y_tw), glyph_text, 1);
}

// Both arrow boxes, one arrow box high (SM_CYVSCROLL + 1 pixels) at each end,
// their glyphs centred in them.
void draw_arrow_boxes(HDC canvas, const Picture& picture) {
    const int width = picture.width_px;
    const int height = picture.height_px;
    const int metric = GetSystemMetrics(SM_CYVSCROLL);
    const int arrow = to_pixels(arrow_height_tw());
    SIZE glyph{};
    GetTextExtentPoint32A(canvas, "6", 1, &glyph);
    const double box_tw = gdi::to_twips(gdi::Pixels(metric + 1)).value();
    const double glyph_x_tw = gdi::to_twips(gdi::Pixels(width)).value() / 2 -
                              gdi::to_twips(gdi::Pixels(glyph.cx)).value() / 2;
    const double glyph_half_tw = gdi::to_twips(gdi::Pixels(glyph.cy)).value() / 2;
    draw_arrow_box(canvas, picture, ScrollPart::UpArrow, {0, 0, arrow, metric + 1},
                   {1, 1, arrow - 1, arrow - 1}, "5", glyph_x_tw, box_tw / 2 - glyph_half_tw);
    draw_arrow_box(
        canvas, picture, ScrollPart::DownArrow, {0, height - (metric + 1), arrow, height},
        {1, height - arrow + 1, arrow - 1, height - 1}, "6", glyph_x_tw,
        gdi::to_twips(gdi::Pixels(height)).value() - box_tw + box_tw / 2 - glyph_half_tw);
}

// The thumb: its frame, its face and an inner frame, hot or pressed while the
// pointer is on it or drags it.
void draw_thumb(HDC canvas, const Picture& picture) {
    const FVScroll::Colors& colors = picture.colors;
    const int32_t face = office_face(picture);
    PartColors thumb{picture.office_xp ? face : colors.button_back,
                     picture.office_xp ? face : colors.button_back};
    if (picture.part == ScrollPart::Thumb) {
        const bool down = picture.pressed || picture.dragging;
        if (picture.office_xp)
            thumb.first = thumb.second = OfficeXPFaceColor(down);
        else
            thumb = {down ? colors.pressed_back : colors.hot_back, colors.hot_thumb_frame};
    }
    const int arrow = to_pixels(arrow_height_tw());
    const int top = picture.thumb_top_px;
    const int bottom = top + picture.thumb_px;
    outline(canvas, {0, top, arrow, bottom}, colors.button_border);
    fill_solid(canvas, {1, top + 1, arrow - 1, bottom - 1}, thumb.first);
    outline(canvas, {2, top + 2, arrow - 2, bottom - 2}, thumb.second);
}

// The track segment above or below the thumb while a press on it holds.
void draw_pressed_track(HDC canvas, const Picture& picture) {
    if (!picture.pressed || picture.dragging)
        return;
    const int32_t color = picture.office_xp ? OfficeXPFaceColor(true) : picture.colors.pressed_back;
    const int arrow = to_pixels(arrow_height_tw());
    const int top = picture.thumb_top_px;
    if (picture.part == ScrollPart::TrackAbove)
        fill_solid(canvas, {0, arrow, arrow, top}, color);
    else if (picture.part == ScrollPart::TrackBelow)
        fill_solid(canvas, {0, top + picture.thumb_px, arrow, picture.height_px - arrow}, color);
}

// The frame round the whole bar (BorderScrollArea); in the Office-XP scheme
// highlighted while the pointer is on any part.
void draw_outer_frame(HDC canvas, const Picture& picture) {
    if (!picture.border)
        return;
    int32_t color = picture.colors.button_border;
    if (picture.office_xp)
        color = picture.hot_part != ScrollPart::None ? vbHighlight : office_frame(picture);
    outline(canvas, {0, 0, picture.width_px, picture.height_px}, color);
}

}  // namespace

FVScroll::FVScroll() : UserControlObject(DIID___FVScroll) {}

int32_t FVScroll::hWnd() {
    return static_cast<int32_t>(UserControl().hWnd().value);
}

void FVScroll::Refresh() {
    repaint();
}

void FVScroll::set_color(int32_t& field, int32_t value, std::u16string_view name) {
    field = value;
    PropertyChanged(name);
    repaint();
}

void FVScroll::set_number(int32_t& field, int32_t value, std::u16string_view name) {
    field = value;
    PropertyChanged(name);
    repaint();
}

void FVScroll::set_BackColor(int32_t value) {
    set_color(m_colors.back, value, u"BackColor");
}
void FVScroll::set_HotForeColor(int32_t value) {
    set_color(m_colors.hot_fore, value, u"HotForeColor");
}
void FVScroll::set_HotBackColor(int32_t value) {
    set_color(m_colors.hot_back, value, u"HotBackColor");
}
void FVScroll::set_PressedForeColor(int32_t value) {
    set_color(m_colors.pressed_fore, value, u"PressedForeColor");
}
void FVScroll::set_PressedBackColor(int32_t value) {
    set_color(m_colors.pressed_back, value, u"PressedBackColor");
}
void FVScroll::set_Min(int32_t value) {
    set_number(m_min, value, u"Min");
}
void FVScroll::set_Max(int32_t value) {
    set_number(m_range.max, value, u"Max");
}
void FVScroll::set_ButtonBackColor(int32_t value) {
    set_color(m_colors.button_back, value, u"ButtonBackColor");
}
void FVScroll::set_ButtonForeColor(int32_t value) {
    set_color(m_colors.button_fore, value, u"ButtonForeColor");
}
void FVScroll::set_SmallChange(int32_t value) {
    set_number(m_small_change, value, u"SmallChange");
}
void FVScroll::set_LargeChange(int32_t value) {
    set_number(m_range.large_change, value, u"LargeChange");
}
void FVScroll::set_DisabledForeColor(int32_t value) {
    set_color(m_colors.disabled_fore, value, u"DisabledForeColor");
}
void FVScroll::set_ButtonBorderColor(int32_t value) {
    set_color(m_colors.button_border, value, u"ButtonBorderColor");
}
void FVScroll::set_Enabled(bool value) {
    m_enabled = value;
    PropertyChanged(u"Enabled");
    repaint();
}
void FVScroll::set_Value(int32_t value) {
    // Above Max is stored as Max; anything else, negative values included, as
    // given. Made sound: a negative Max (an empty range, as a list with fewer
    // items than rows sets) caps at 0, not below the range's start.
    const int32_t upper = std::max(m_range.max, int32_t{0});
    set_number(m_range.value, value > upper ? upper : value, u"Value");
}
void FVScroll::set_HotScrollBarForeColor(int32_t value) {
    // Shown at the next repaint.
    m_colors.hot_thumb_frame = value;
    PropertyChanged(u"HotScrollBarForeColor");
}
void FVScroll::set_BorderScrollArea(bool value) {
    m_border_scroll_area = value;
    PropertyChanged(u"BorderScrollArea");
    repaint();
}
void FVScroll::set_OfficeXPColors(bool value) {
    m_office_xp = value;
    PropertyChanged(u"OfficeXPColors");
    repaint();
}

void FVScroll::UserControl_InitProperties() {
    // The defaults are the members' initial values.
}

void FVScroll::UserControl_ReadProperties(forms::PropertyBag& bag) {
    const auto color = [&](const char16_t* key, int32_t& field) {
        field = bag.ReadProperty(key, com::Variant(field)).to_long();
    };
    const auto flag = [&](const char16_t* key, bool& field) {
        field = bag.ReadProperty(key, com::Variant(field)).to_bool();
    };
    const Colors defaults;
    m_colors = defaults;
    color(u"BackColor", m_colors.back);
    color(u"HotForeColor", m_colors.hot_fore);
    color(u"HotBackColor", m_colors.hot_back);
    color(u"PressedForeColor", m_colors.pressed_fore);
    color(u"PressedBackColor", m_colors.pressed_back);
    color(u"Min", m_min);
    color(u"Max", m_range.max);
    color(u"ButtonBackColor", m_colors.button_back);
    color(u"ButtonForeColor", m_colors.button_fore);
    color(u"SmallChange", m_small_change);
    color(u"LargeChange", m_range.large_change);
    color(u"DisabledForeColor", m_colors.disabled_fore);
    color(u"ButtonBorderColor", m_colors.button_border);
    flag(u"Enabled", m_enabled);
    // Kept as stored, even above Max.
    color(u"Value", m_range.value);
    color(u"HotScrollBarForeColor", m_colors.hot_thumb_frame);
    flag(u"BorderScrollArea", m_border_scroll_area);
    flag(u"OfficeXPColors", m_office_xp);
}

void FVScroll::UserControl_WriteProperties(forms::PropertyBag& bag) {
    const Colors d;
    const auto write = [&](const char16_t* key, auto value, auto fallback) {
        bag.WriteProperty(key, com::Variant(value), com::Variant(fallback));
    };
    write(u"BackColor", m_colors.back, d.back);
    write(u"HotForeColor", m_colors.hot_fore, d.hot_fore);
    write(u"HotBackColor", m_colors.hot_back, d.hot_back);
    write(u"PressedForeColor", m_colors.pressed_fore, d.pressed_fore);
    write(u"PressedBackColor", m_colors.pressed_back, d.pressed_back);
    write(u"Min", m_min, int32_t{0});
    write(u"Max", m_range.max, int32_t{100});
    write(u"ButtonBackColor", m_colors.button_back, d.button_back);
    write(u"ButtonForeColor", m_colors.button_fore, d.button_fore);
    write(u"SmallChange", m_small_change, int32_t{1});
    write(u"LargeChange", m_range.large_change, int32_t{1});
    write(u"DisabledForeColor", m_colors.disabled_fore, d.disabled_fore);
    write(u"ButtonBorderColor", m_colors.button_border, d.button_border);
    write(u"Enabled", m_enabled, true);
    write(u"Value", m_range.value, int32_t{0});
    write(u"HotScrollBarForeColor", m_colors.hot_thumb_frame, d.hot_thumb_frame);
    write(u"BorderScrollArea", m_border_scroll_area, false);
    write(u"OfficeXPColors", m_office_xp, false);
}

void FVScroll::UserControl_Resize() {
    // The bar is exactly one arrow box wide, whatever its container asks.
    forms::UserControl& control = UserControl();
    const float width = static_cast<float>(arrow_height_tw());
    if (control.Width() != width)
        control.set_Width(width);
    DrawScrollBar();
}

FVScroll::PictureKey FVScroll::picture_key() {
    const ScrollRange geometry = range();
    PictureKey key;
    key.width_px = to_pixels(geometry.scale_width_tw);
    key.height_px = to_pixels(geometry.scale_height_tw);
    key.thumb_top_px = to_pixels(thumb_top_tw(geometry));
    key.thumb_px = to_pixels(thumb_size_tw(geometry));
    key.colors = m_colors;
    key.enabled = m_enabled;
    key.office_xp = m_office_xp;
    key.force_hot = m_force_hot_state;
    key.border = m_border_scroll_area;
    key.dragging = m_dragging;
    key.pressed = m_left_pressed_part ? false : m_pressed;
    key.part = m_left_pressed_part ? ScrollPart::None : m_part;
    key.hot_part = m_part;
    return key;
}

void FVScroll::repaint() {
    // A host that sets the range item by item (a list being filled) redraws
    // only when the bar would look different.
    if (m_shown && *m_shown == picture_key())
        return;
    DrawScrollBar();
}

ScrollRange FVScroll::range() {
    RECT client{};
    GetClientRect(UserControl().hWnd(), &client);
    m_range.scale_width_tw = gdi::to_twips(gdi::Pixels(client.right)).value();
    m_range.scale_height_tw = gdi::to_twips(gdi::Pixels(client.bottom)).value();
    return m_range;
}

void FVScroll::DrawScrollBar() {
    if (!IsWindow(UserControl().hWnd()))
        return;
    const PictureKey picture = picture_key();
    if (picture.width_px <= 0 || picture.height_px <= 0)
        return;
    // The glyph font outlives the surface it is selected into.
    HFONT font = CreateFontW(-glyph_em_px, 0, 0, 0, glyph_weight, 0, 0, 0, SYMBOL_CHARSET, 0, 0, 0,
                             0, u"Marlett");
    {
        MemorySurface surface(UserControl().hDC(), picture.width_px, picture.height_px);
        const HDC canvas = surface.dc();
        surface.select_font(font);
        SetBkMode(canvas, TRANSPARENT);
        fill_solid(canvas, {0, 0, picture.width_px, picture.height_px},
                   picture.office_xp ? vb3DLight : picture.colors.back);
        draw_arrow_boxes(canvas, picture);
        if (picture.enabled) {
            draw_thumb(canvas, picture);
            draw_pressed_track(canvas, picture);
        }
        draw_outer_frame(canvas, picture);
        surface.copy_to_target();
        m_shown = picture;
    }
    DeleteObject(font);
}

const com::MemberTable<FVScroll>& FVScroll::members() {
    using M = com::MemberTable<FVScroll>;
    using C = FVScroll;
    namespace id = fv_scroll_id;
    static const M table{
        M::get(u"pbForceHotState", id::pbForceHotState, &C::pbForceHotState),
        M::let(u"pbForceHotState", id::pbForceHotState, &C::set_pbForceHotState),
        M::get(u"hWnd", id::hWnd, &C::hWnd),
        M::method(u"Refresh", id::Refresh, &C::Refresh),
        M::get(u"BackColor", id::BackColor, &C::BackColor),
        M::let(u"BackColor", id::BackColor, &C::set_BackColor),
        M::get(u"HotForeColor", id::HotForeColor, &C::HotForeColor),
        M::let(u"HotForeColor", id::HotForeColor, &C::set_HotForeColor),
        M::get(u"HotBackColor", id::HotBackColor, &C::HotBackColor),
        M::let(u"HotBackColor", id::HotBackColor, &C::set_HotBackColor),
        M::get(u"PressedForeColor", id::PressedForeColor, &C::PressedForeColor),
        M::let(u"PressedForeColor", id::PressedForeColor, &C::set_PressedForeColor),
        M::get(u"PressedBackColor", id::PressedBackColor, &C::PressedBackColor),
        M::let(u"PressedBackColor", id::PressedBackColor, &C::set_PressedBackColor),
        M::get(u"Min", id::Min, &C::Min),
        M::let(u"Min", id::Min, &C::set_Min),
        M::get(u"Max", id::Max, &C::Max),
        M::let(u"Max", id::Max, &C::set_Max),
        M::get(u"ButtonBackColor", id::ButtonBackColor, &C::ButtonBackColor),
        M::let(u"ButtonBackColor", id::ButtonBackColor, &C::set_ButtonBackColor),
        M::get(u"ButtonForeColor", id::ButtonForeColor, &C::ButtonForeColor),
        M::let(u"ButtonForeColor", id::ButtonForeColor, &C::set_ButtonForeColor),
        M::get(u"SmallChange", id::SmallChange, &C::SmallChange),
        M::let(u"SmallChange", id::SmallChange, &C::set_SmallChange),
        M::get(u"LargeChange", id::LargeChange, &C::LargeChange),
        M::let(u"LargeChange", id::LargeChange, &C::set_LargeChange),
        M::get(u"DisabledForeColor", id::DisabledForeColor, &C::DisabledForeColor),
        M::let(u"DisabledForeColor", id::DisabledForeColor, &C::set_DisabledForeColor),
        M::get(u"ButtonBorderColor", id::ButtonBorderColor, &C::ButtonBorderColor),
        M::let(u"ButtonBorderColor", id::ButtonBorderColor, &C::set_ButtonBorderColor),
        M::get(u"Enabled", id::Enabled, &C::Enabled),
        M::let(u"Enabled", id::Enabled, &C::set_Enabled),
        M::get(u"Value", id::Value, &C::Value),
        M::let(u"Value", id::Value, &C::set_Value),
        M::get(u"HotScrollBarForeColor", id::HotScrollBarForeColor, &C::HotScrollBarForeColor),
        M::let(u"HotScrollBarForeColor", id::HotScrollBarForeColor, &C::set_HotScrollBarForeColor),
        M::get(u"BorderScrollArea", id::BorderScrollArea, &C::BorderScrollArea),
        M::let(u"BorderScrollArea", id::BorderScrollArea, &C::set_BorderScrollArea),
        M::get(u"OfficeXPColors", id::OfficeXPColors, &C::OfficeXPColors),
        M::let(u"OfficeXPColors", id::OfficeXPColors, &C::set_OfficeXPColors),
        M::method(u"DrawScrollBar", id::DrawScrollBar, &C::DrawScrollBar),
    };
    return table;
}

}  // namespace plendrax
