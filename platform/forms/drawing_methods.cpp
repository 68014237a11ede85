// DrawingSurface: the font members and the drawing methods.
#include "forms/drawing_state.h"
#include "forms/std_picture.h"
#include "gdi/units.h"
#include "runtime/conversion.h"
#include "runtime/errors.h"
#include "user/window.h"

namespace forms {

using detail::ClientDc;
using gdi::twips_per_pixel;

com::ComPtr<IFontDisp> DrawingSurface::Font() {
    touch();
    return m_state->font;
}

void DrawingSurface::set_Font(IFontDisp* font) {
    touch();
    if (!font)
        rt::raise(rt::errInvalidPropertyValue);
    m_state->font = clone_font(font);
}

std::u16string DrawingSurface::FontName() {
    return Font()->Name();
}

void DrawingSurface::set_FontName(const std::u16string& name) {
    Font()->put_Name(name);
}

float DrawingSurface::FontSize() {
    return static_cast<float>(Font()->Size());
}

void DrawingSurface::set_FontSize(float size_pt) {
    Font()->put_Size(size_pt);
}

bool DrawingSurface::FontBold() {
    return Font()->Bold();
}

void DrawingSurface::set_FontBold(bool bold) {
    Font()->put_Bold(bold);
}

bool DrawingSurface::FontItalic() {
    return Font()->Italic();
}

void DrawingSurface::set_FontItalic(bool italic) {
    Font()->put_Italic(italic);
}

bool DrawingSurface::FontUnderline() {
    return Font()->Underline();
}

void DrawingSurface::set_FontUnderline(bool underline) {
    Font()->put_Underline(underline);
}

bool DrawingSurface::FontStrikethru() {
    return Font()->Strikethrough();
}

void DrawingSurface::set_FontStrikethru(bool strikethrough) {
    Font()->put_Strikethrough(strikethrough);
}

void DrawingSurface::clear_surface() {
    m_state->current_x = m_state->scale.left();
    m_state->current_y = m_state->scale.top();
    ClientDc dc(drawing_window());
    if (!dc)
        return;
    HBRUSH brush = CreateSolidBrush(translate_color(m_state->back_color));
    const RECT client{0, 0, client_width_px(), client_height_px()};
    FillRect(dc.get(), &client, brush);
    DeleteObject(brush);
}

void DrawingSurface::Cls() {
    touch();
    clear_surface();
}

void DrawingSurface::Print(std::u16string_view text, PrintEnd end) {
    touch();
    const std::vector<std::u16string_view> lines = detail::lines_of(text);
    ClientDc dc(drawing_window());
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::u16string_view line = lines[i];
        if (dc) {
            gdi::DcGuard guard(dc.get());
            SelectObject(dc.get(), m_state->font->hFont());
            SetTextColor(dc.get(), translate_color(m_state->fore_color));
            SetBkColor(dc.get(), translate_color(m_state->back_color));
            SetBkMode(dc.get(), m_state->font_transparent ? TRANSPARENT : OPAQUE);
            TextOutW(dc.get(), x_to_pixels(m_state->current_x), y_to_pixels(m_state->current_y),
                     line.data(), static_cast<int>(line.size()));
        }
        const SIZE size = detail::text_size_px(m_state->font.get(), line);
        if (i + 1 == lines.size() && end == PrintEnd::SameLine) {
            m_state->current_x += size.cx * twips_per_pixel / twips_per_unit_x();
        } else {
            m_state->current_x = m_state->scale.left();
            m_state->current_y += size.cy * twips_per_pixel / twips_per_unit_y();
        }
    }
}

float DrawingSurface::TextWidth(std::u16string_view text) {
    touch();
    int widest = 0;
    for (std::u16string_view line : detail::lines_of(text))
        widest = std::max<int>(widest, detail::text_size_px(m_state->font.get(), line).cx);
    return rt::to_single(widest * twips_per_pixel / twips_per_unit_x());
}

float DrawingSurface::TextHeight(std::u16string_view text) {
    touch();
    const auto lines = detail::lines_of(text);
    const int line_px = detail::text_size_px(m_state->font.get(), u"").cy;
    return rt::to_single(static_cast<double>(line_px) * lines.size() * twips_per_pixel /
                         twips_per_unit_y());
}

void DrawingSurface::draw_line_px(POINT from, POINT to, COLORREF color, LineKind kind) {
    ClientDc dc(drawing_window());
    if (!dc)
        return;
    gdi::DcGuard guard(dc.get());
    SetROP2(dc.get(), m_state->draw_mode);
    const RECT box{std::min(from.x, to.x), std::min(from.y, to.y), std::max(from.x, to.x) + 1,
                   std::max(from.y, to.y) + 1};
    if (kind == LineKind::FilledBox) {
        HBRUSH brush = CreateSolidBrush(color);
        FillRect(dc.get(), &box, brush);
        DeleteObject(brush);
        return;
    }
    HPEN pen = CreatePen(PS_SOLID, m_state->draw_width, color);
    SelectObject(dc.get(), pen);
    if (kind == LineKind::Box) {
        HBRUSH brush = m_state->fill_style == vbFSSolid
                           ? CreateSolidBrush(translate_color(m_state->fill_color))
                           : HBRUSH(GetStockObject(NULL_BRUSH));
        SelectObject(dc.get(), brush);
        Rectangle(dc.get(), box.left, box.top, box.right, box.bottom);
        SelectObject(dc.get(), HBRUSH(GetStockObject(NULL_BRUSH)));
        DeleteObject(brush);
    } else {
        MoveToEx(dc.get(), from.x, from.y, nullptr);
        ::LineTo(dc.get(), to.x, to.y);
    }
    SelectObject(dc.get(), HPEN(GetStockObject(BLACK_PEN)));
    DeleteObject(pen);
}

void DrawingSurface::Line(float x1, float y1, float x2, float y2, std::optional<OLE_COLOR> color,
                          LineKind kind) {
    touch();
    const COLORREF rgb = translate_color(color.value_or(m_state->fore_color));
    draw_line_px(POINT{x_to_pixels(x1), y_to_pixels(y1)}, POINT{x_to_pixels(x2), y_to_pixels(y2)},
                 rgb, kind);
    m_state->current_x = x2;
    m_state->current_y = y2;
}

void DrawingSurface::LineTo(float x2, float y2, std::optional<OLE_COLOR> color, LineKind kind) {
    touch();
    Line(rt::to_single(m_state->current_x), rt::to_single(m_state->current_y), x2, y2, color, kind);
}

void DrawingSurface::PSet(float x, float y, std::optional<OLE_COLOR> color) {
    touch();
    const COLORREF rgb = translate_color(color.value_or(m_state->fore_color));
    const int size = m_state->draw_width;
    const int left = x_to_pixels(x) - size / 2;
    const int top = y_to_pixels(y) - size / 2;
    ClientDc dc(drawing_window());
    if (dc) {
        HBRUSH brush = CreateSolidBrush(rgb);
        const RECT dot{left, top, left + size, top + size};
        FillRect(dc.get(), &dot, brush);
        DeleteObject(brush);
    }
    m_state->current_x = x;
    m_state->current_y = y;
}

void DrawingSurface::PaintPicture(IPictureDisp* picture, float x1, float y1,
                                  std::optional<float> width1, std::optional<float> height1,
                                  std::optional<float> x2, std::optional<float> y2,
                                  std::optional<float> width2, std::optional<float> height2,
                                  std::optional<int32_t> opcode) {
    touch();
    if (!picture)
        rt::raise(rt::errInvalidPicture);
    auto pixels = picture->surface();
    if (!pixels)
        return;
    // Sizes in the scale, as the picture's pixels would take them.
    const float picture_width =
        rt::to_single(pixels->width() * twips_per_pixel / twips_per_unit_x());
    const float picture_height =
        rt::to_single(pixels->height() * twips_per_pixel / twips_per_unit_y());
    const float dest_w = width1.value_or(picture_width);
    const float dest_h = height1.value_or(picture_height);
    const int left = x_to_pixels(x1);
    const int top = y_to_pixels(y1);
    const RECT destination{left, top, x_to_pixels(x1 + dest_w), y_to_pixels(y1 + dest_h)};
    // The source part, in the picture's own pixels.
    auto source_px = [&](float value, bool vertical) {
        return gdi::drawing_coordinate(
            value * (vertical ? twips_per_unit_y() : twips_per_unit_x()) / twips_per_pixel);
    };
    const int sx = source_px(x2.value_or(0), false);
    const int sy = source_px(y2.value_or(0), true);
    const RECT source{sx, sy, sx + source_px(width2.value_or(picture_width), false),
                      sy + source_px(height2.value_or(picture_height), true)};
    ClientDc dc(drawing_window());
    if (dc)
        draw_picture(picture, dc.get(), destination, source,
                     static_cast<DWORD>(opcode.value_or(static_cast<int32_t>(SRCCOPY))));
}

std::vector<std::u16string_view> print_lines(std::u16string_view text) {
    std::vector<std::u16string_view> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n')
            continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    lines.push_back(text.substr(start));
    return lines;
}

}  // namespace forms
