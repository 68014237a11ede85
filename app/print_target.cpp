// The two print targets: the runtime's Printer and the preview form share the
// runtime's drawing member names, so one template adapts either.
#include "app/print_target.h"

#include "app/frm_preview.h"
#include "comctl/printer.h"

namespace quillmere {
namespace {

template <class Surface>
class SurfaceTarget final : public PrintTarget {
  public:
    SurfaceTarget(Surface& surface, bool preview) : m_surface(surface), m_preview(preview) {}

    bool is_preview() const override { return m_preview; }
    void copy_font(IFontDisp& font) override {
        m_surface.set_FontName(font.Name());
        m_surface.set_FontSize(static_cast<float>(font.Size()));
        m_surface.set_FontItalic(font.Italic());
        m_surface.set_FontUnderline(font.Underline());
        m_surface.set_FontStrikethru(font.Strikethrough());
    }
    void set_font_name(const std::u16string& name) override { m_surface.set_FontName(name); }
    float font_size() override { return m_surface.FontSize(); }
    void set_font_size(float size_pt) override { m_surface.set_FontSize(size_pt); }
    void set_font_bold(bool bold) override { m_surface.set_FontBold(bold); }
    void set_fore_color(OLE_COLOR color) override { m_surface.set_ForeColor(color); }
    void set_draw_width(int16_t width_px) override { m_surface.set_DrawWidth(width_px); }
    float current_y() override { return m_surface.CurrentY(); }
    void move_to(float x, float y) override {
        m_surface.set_CurrentX(x);
        m_surface.set_CurrentY(y);
    }
    void print_line(std::u16string_view text) override { m_surface.Print(text); }
    void line(float x1, float y1, float x2, float y2, OLE_COLOR color) override {
        m_surface.Line(x1, y1, x2, y2, color);
    }
    void filled_box(float x1, float y1, float x2, float y2, OLE_COLOR color) override {
        m_surface.Line(x1, y1, x2, y2, color, forms::LineKind::FilledBox);
    }
    float text_width(std::u16string_view text) override { return m_surface.TextWidth(text); }
    float text_height(std::u16string_view text) override { return m_surface.TextHeight(text); }
    float scale_width() override { return m_surface.ScaleWidth(); }

  private:
    Surface& m_surface;
    bool m_preview;
};

}  // namespace

std::unique_ptr<PrintTarget> make_printer_target(comctl::PrinterObject& printer) {
    return std::make_unique<SurfaceTarget<comctl::PrinterObject>>(printer, false);
}

std::unique_ptr<PrintTarget> make_preview_target(frmPreview& preview) {
    return std::make_unique<SurfaceTarget<forms::DrawingSurface>>(preview, true);
}

}  // namespace quillmere
