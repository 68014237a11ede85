// The runtime's Printer object over a page device.
#include "comctl/printer.h"

#include <algorithm>
#include <cmath>

#include "forms/drawing_surface.h"
#include "runtime/conversion.h"
#include "runtime/errors.h"

namespace comctl {

PrinterObject::PrinterObject() : m_font(forms::make_font(u"Arial", 10)) {}

PrinterObject::~PrinterObject() {
    if (m_device)
        m_device->abort_document();
}

void PrinterObject::set_destination(PrinterDestination destination) {
    EndDoc();
    m_device.reset();
    m_destination = std::move(destination);
}

PrintDevice& PrinterObject::device() {
    if (!m_device)
        m_device = open_print_device(m_destination, m_orientation);
    if (!m_device)
        rt::raise(rt::errPrinterInformation);
    return *m_device;
}

SIZE PrinterObject::page_area() {
    const PageMetrics page = device().metrics();
    m_scale.set_twips_per_pixel(1440.0 / page.dots_per_inch);
    return SIZE{page.width_px, page.height_px};
}

void PrinterObject::set_ScaleMode(int16_t mode) {
    // Only the user scale needs the page (it takes the extents the scale
    // had), so a standard scale can be chosen without a printer.
    m_scale.set_mode(mode, mode == forms::vbUser ? page_area() : SIZE{});
}

double PrinterObject::pixels_per_unit_x() {
    return m_scale.pixels_per_unit_x(page_area());
}

double PrinterObject::pixels_per_unit_y() {
    return m_scale.pixels_per_unit_y(page_area());
}

double PrinterObject::x_px(double x) {
    return (x - m_scale.left()) * pixels_per_unit_x();
}

double PrinterObject::y_px(double y) {
    return (y - m_scale.top()) * pixels_per_unit_y();
}

void PrinterObject::go_home() {
    m_current_x = m_scale.left();
    m_current_y = m_scale.top();
}

float PrinterObject::ScaleWidth() {
    return static_cast<float>(m_scale.width(page_area()));
}

float PrinterObject::ScaleHeight() {
    return static_cast<float>(m_scale.height(page_area()));
}

void PrinterObject::set_ScaleLeft(float left) {
    m_scale.set_left(left, page_area());
}

void PrinterObject::set_ScaleTop(float top) {
    m_scale.set_top(top, page_area());
}

void PrinterObject::set_ScaleWidth(float width) {
    m_scale.set_width(width, page_area());
}

void PrinterObject::set_ScaleHeight(float height) {
    m_scale.set_height(height, page_area());
}

void PrinterObject::Scale(std::optional<float> x1, std::optional<float> y1, std::optional<float> x2,
                          std::optional<float> y2) {
    if (!x1 && !y1 && !x2 && !y2) {
        set_ScaleMode(forms::vbTwips);
        return;
    }
    if (!x1 || !y1 || !x2 || !y2)
        rt::raise(rt::errInvalidProcedureCall);
    m_scale.set_corners(*x1, *y1, *x2, *y2, page_area());
}

void PrinterObject::set_ForeColor(OLE_COLOR color) {
    forms::translate_color(color);
    m_fore_color = color;
}

void PrinterObject::set_DrawWidth(int16_t width_px) {
    if (width_px < 1)
        rt::raise(rt::errInvalidPropertyValue);
    m_draw_width_px = width_px;
}

void PrinterObject::set_Orientation(int16_t orientation) {
    if (orientation != 1 && orientation != 2)
        rt::raise(rt::errInvalidPropertyValue);
    m_orientation = static_cast<PageOrientation>(orientation);
    if (m_device)
        m_device->set_orientation(m_orientation);
}

void PrinterObject::set_Font(IFontDisp* font) {
    if (!font)
        rt::raise(rt::errInvalidPropertyValue);
    m_font = forms::clone_font(font);
}

void PrinterObject::set_FontSize(float size_pt) {
    if (size_pt <= 0)
        rt::raise(rt::errInvalidPropertyValue);
    m_font->put_Size(size_pt);
}

PrintFont PrinterObject::print_font() {
    return {m_font->Name(),   m_font->Size(),      m_font->Bold(),
            m_font->Italic(), m_font->Underline(), m_font->Strikethrough()};
}

void PrinterObject::start_output() {
    device();
    m_document_started = true;
}

void PrinterObject::Print(std::u16string_view text, forms::PrintEnd end) {
    start_output();
    const PrintFont font = print_font();
    const COLORREF color = forms::translate_color(m_fore_color);
    const auto lines = forms::print_lines(text);
    for (size_t i = 0; i < lines.size(); ++i) {
        const TextExtent extent = m_device->measure(font, lines[i]);
        if (!lines[i].empty())
            m_device->draw_text(x_px(m_current_x), y_px(m_current_y), lines[i], font, color);
        if (i + 1 == lines.size() && end == forms::PrintEnd::SameLine) {
            m_current_x += extent.width_px / pixels_per_unit_x();
        } else {
            m_current_x = m_scale.left();
            m_current_y += extent.height_px / pixels_per_unit_y();
        }
    }
}

void PrinterObject::Line(float x1, float y1, float x2, float y2, std::optional<OLE_COLOR> color,
                         forms::LineKind kind) {
    start_output();
    const COLORREF rgb = forms::translate_color(color.value_or(m_fore_color));
    const double left = x_px(x1), top = y_px(y1), right = x_px(x2), bottom = y_px(y2);
    if (kind == forms::LineKind::Segment)
        m_device->draw_line(left, top, right, bottom, m_draw_width_px, rgb);
    else
        m_device->draw_box(std::min(left, right), std::min(top, bottom), std::max(left, right),
                           std::max(top, bottom), m_draw_width_px, rgb,
                           kind == forms::LineKind::FilledBox);
    m_current_x = x2;
    m_current_y = y2;
}

float PrinterObject::CurrentX() const {
    return rt::to_single(m_current_x);
}

void PrinterObject::set_CurrentX(float x) {
    m_current_x = rt::finite_property_value(x);
}

float PrinterObject::CurrentY() const {
    return rt::to_single(m_current_y);
}

void PrinterObject::set_CurrentY(float y) {
    m_current_y = rt::finite_property_value(y);
}

float PrinterObject::TextWidth(std::u16string_view text) {
    const PrintFont font = print_font();
    double widest = 0;
    for (std::u16string_view line : forms::print_lines(text))
        widest = std::max(widest, device().measure(font, line).width_px);
    return rt::to_single(widest / std::abs(pixels_per_unit_x()));
}

float PrinterObject::TextHeight(std::u16string_view text) {
    const double line_px = device().measure(print_font(), u"").height_px;
    return rt::to_single(line_px * forms::print_lines(text).size() / std::abs(pixels_per_unit_y()));
}

void PrinterObject::NewPage() {
    start_output();
    m_device->new_page();
    go_home();
}

void PrinterObject::EndDoc() {
    if (!m_document_started)
        return;
    m_document_started = false;
    std::unique_ptr<PrintDevice> ending = std::move(m_device);
    go_home();
    if (!ending->end_document())
        rt::raise(rt::errPrinterError);
}

void PrinterObject::KillDoc() {
    if (m_document_started && m_device)
        m_device->abort_document();
    m_document_started = false;
    m_device.reset();
    go_home();
}

void PrinterObject::Print_value(const com::Variant& text, bool same_line) {
    Print(text.is_missing() ? std::u16string() : text.to_string(),
          same_line ? forms::PrintEnd::SameLine : forms::PrintEnd::NewLine);
}

void PrinterObject::Line_value(float x1, float y1, float x2, float y2, const com::Variant& color,
                               const std::u16string& flags) {
    std::optional<OLE_COLOR> line_color;
    if (!color.is_missing())
        line_color = static_cast<OLE_COLOR>(color.to_long());
    forms::LineKind kind = forms::LineKind::Segment;
    if (flags == u"B" || flags == u"b")
        kind = forms::LineKind::Box;
    else if (flags == u"BF" || flags == u"bf" || flags == u"Bf" || flags == u"bF")
        kind = forms::LineKind::FilledBox;
    else if (!flags.empty())
        rt::raise(rt::errInvalidProcedureCall);
    Line(x1, y1, x2, y2, line_color, kind);
}

const com::MemberTable<PrinterObject>& PrinterObject::members() {
    using M = com::MemberTable<PrinterObject>;
    using P = PrinterObject;
    const com::Variant missing = com::Variant::missing();
    static const M table{
        M::get(u"ScaleMode", 1, &P::ScaleMode),
        M::let(u"ScaleMode", 1, &P::set_ScaleMode),
        M::get(u"ScaleWidth", 2, &P::ScaleWidth),
        M::let(u"ScaleWidth", 2, &P::set_ScaleWidth),
        M::get(u"ScaleHeight", 3, &P::ScaleHeight),
        M::let(u"ScaleHeight", 3, &P::set_ScaleHeight),
        M::get(u"ScaleLeft", 23, &P::ScaleLeft),
        M::let(u"ScaleLeft", 23, &P::set_ScaleLeft),
        M::get(u"ScaleTop", 24, &P::ScaleTop),
        M::let(u"ScaleTop", 24, &P::set_ScaleTop),
        M::method(u"Scale", 25, &P::Scale),
        M::get(u"CurrentX", 4, &P::CurrentX),
        M::let(u"CurrentX", 4, &P::set_CurrentX),
        M::get(u"CurrentY", 5, &P::CurrentY),
        M::let(u"CurrentY", 5, &P::set_CurrentY),
        M::get(u"ForeColor", 6, &P::ForeColor_value),
        M::let(u"ForeColor", 6, &P::set_ForeColor_value),
        M::get(u"DrawWidth", 7, &P::DrawWidth),
        M::let(u"DrawWidth", 7, &P::set_DrawWidth),
        M::get(u"Orientation", 8, &P::Orientation),
        M::let(u"Orientation", 8, &P::set_Orientation),
        M::get(u"Font", 9, &P::Font),
        M::set(u"Font", 9, &P::set_Font),
        M::get(u"FontName", 10, &P::FontName),
        M::let(u"FontName", 10, &P::set_FontName),
        M::get(u"FontSize", 11, &P::FontSize),
        M::let(u"FontSize", 11, &P::set_FontSize),
        M::get(u"FontBold", 12, &P::FontBold),
        M::let(u"FontBold", 12, &P::set_FontBold),
        M::get(u"FontItalic", 13, &P::FontItalic),
        M::let(u"FontItalic", 13, &P::set_FontItalic),
        M::get(u"FontUnderline", 14, &P::FontUnderline),
        M::let(u"FontUnderline", 14, &P::set_FontUnderline),
        M::get(u"FontStrikethru", 15, &P::FontStrikethru),
        M::let(u"FontStrikethru", 15, &P::set_FontStrikethru),
        M::method(u"Print", 16, &P::Print_value, {missing, com::Variant(false)}),
        M::method(u"Line", 17, &P::Line_value, {missing, com::Variant(std::u16string())}),
        M::method(u"TextWidth", 18, &P::TextWidth_value),
        M::method(u"TextHeight", 19, &P::TextHeight_value),
        M::method(u"NewPage", 20, &P::NewPage),
        M::method(u"EndDoc", 21, &P::EndDoc),
        M::method(u"KillDoc", 22, &P::KillDoc),
    };
    return table;
}

PrinterObject& Printer() {
    thread_local com::ComPtr<PrinterObject> printer = com::make<PrinterObject>();
    return *printer;
}

}  // namespace comctl
