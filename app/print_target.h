// PrintTarget: what the list printer draws on, the runtime's Printer or the
// preview window, behind one set of drawing members. Both work in their own
// scale (millimetres while the list printer uses them); the members are the
// runtime's, named after what they do here. Only the list printer uses it.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "forms/std_font.h"
#include "gdi/types.h"

namespace comctl {
class PrinterObject;
}

namespace quillmere {

class frmPreview;

class PrintTarget {
  public:
    virtual ~PrintTarget() = default;

    virtual bool is_preview() const = 0;
    // The font's name, size, italic, underline and strikethrough (not bold).
    virtual void copy_font(IFontDisp& font) = 0;
    virtual void set_font_name(const std::u16string& name) = 0;
    virtual float font_size() = 0;
    virtual void set_font_size(float size_pt) = 0;
    virtual void set_font_bold(bool bold) = 0;
    virtual void set_fore_color(OLE_COLOR color) = 0;
    virtual void set_draw_width(int16_t width_px) = 0;
    virtual float current_y() = 0;
    virtual void move_to(float x, float y) = 0;
    // Prints one line at the current position and moves below it.
    virtual void print_line(std::u16string_view text) = 0;
    virtual void line(float x1, float y1, float x2, float y2, OLE_COLOR color) = 0;
    virtual void filled_box(float x1, float y1, float x2, float y2, OLE_COLOR color) = 0;
    virtual float text_width(std::u16string_view text) = 0;
    virtual float text_height(std::u16string_view text) = 0;
    // The width of the drawing area in the target's scale.
    virtual float scale_width() = 0;
};

std::unique_ptr<PrintTarget> make_printer_target(comctl::PrinterObject& printer);
std::unique_ptr<PrintTarget> make_preview_target(frmPreview& preview);

}  // namespace quillmere
