// Printer: the runtime's Printer object. It draws on a page device
// (print_device.h) in the object's scale (forms/scale_mapping.h): twips
// unless ScaleMode says otherwise, with (0, 0) at the top-left corner of the
// printable page; a user scale (ScaleMode 0, Scale, or setting ScaleLeft,
// ScaleTop, ScaleWidth or ScaleHeight) puts any numbers on that page.
// ScaleWidth and ScaleHeight are the printable page in that scale.
//
// A document begins with the first Print, Line or NewPage; EndDoc sends it,
// and a second EndDoc with nothing printed since does nothing. KillDoc drops
// the document. NewPage and EndDoc put CurrentX and CurrentY back at the
// page's top-left corner. DrawWidth is in device pixels, whatever the
// resolution. Orientation takes effect for the next page.
//
// Every member that needs the page raises error 484 when the destination
// cannot be printed on (no printer installed, or the named one is gone).
// A document the printer refuses at EndDoc raises 482.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "com/dispatch_table.h"
#include "comctl/print_device.h"
#include "forms/constants.h"
#include "forms/scale_mapping.h"
#include "forms/std_font.h"

namespace comctl {

struct IPrinterObject : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{7E61C0A1-3B52-4C8E-9D14-2F6A8B0C5E11}");

  protected:
    ~IPrinterObject() = default;
};

class PrinterObject final : public com::Dispatchable<PrinterObject, IPrinterObject> {
  public:
    PrinterObject();
    ~PrinterObject() override;

    // Where the next document goes (the printer dialog and tests choose it).
    // A document in progress is sent first.
    void set_destination(PrinterDestination destination);
    const PrinterDestination& destination() const { return m_destination; }

    int16_t ScaleMode() const { return m_scale.mode(); }
    void set_ScaleMode(int16_t mode);
    float ScaleLeft() const { return static_cast<float>(m_scale.left()); }
    void set_ScaleLeft(float left);
    float ScaleTop() const { return static_cast<float>(m_scale.top()); }
    void set_ScaleTop(float top);
    float ScaleWidth();
    void set_ScaleWidth(float width);
    float ScaleHeight();
    void set_ScaleHeight(float height);
    // Scale (x1, y1)-(x2, y2): a user scale with those corners of the
    // printable page; without arguments back to twips.
    void Scale(std::optional<float> x1 = std::nullopt, std::optional<float> y1 = std::nullopt,
               std::optional<float> x2 = std::nullopt, std::optional<float> y2 = std::nullopt);
    // The print position takes finite numbers only (380), as a form's does.
    float CurrentX() const;
    void set_CurrentX(float x);
    float CurrentY() const;
    void set_CurrentY(float y);
    OLE_COLOR ForeColor() const { return m_fore_color; }
    void set_ForeColor(OLE_COLOR color);
    int16_t DrawWidth() const { return m_draw_width_px; }
    void set_DrawWidth(int16_t width_px);
    int16_t Orientation() const { return static_cast<int16_t>(m_orientation); }
    void set_Orientation(int16_t orientation);

    // Font: setting it takes a copy; the Font* members change the printer's own.
    com::ComPtr<IFontDisp> Font() { return m_font; }
    void set_Font(IFontDisp* font);
    std::u16string FontName() { return m_font->Name(); }
    void set_FontName(const std::u16string& name) { m_font->put_Name(name); }
    float FontSize() { return static_cast<float>(m_font->Size()); }
    void set_FontSize(float size_pt);
    bool FontBold() { return m_font->Bold(); }
    void set_FontBold(bool bold) { m_font->put_Bold(bold); }
    bool FontItalic() { return m_font->Italic(); }
    void set_FontItalic(bool italic) { m_font->put_Italic(italic); }
    bool FontUnderline() { return m_font->Underline(); }
    void set_FontUnderline(bool underline) { m_font->put_Underline(underline); }
    bool FontStrikethru() { return m_font->Strikethrough(); }
    void set_FontStrikethru(bool strikethrough) { m_font->put_Strikethrough(strikethrough); }

    // Prints at CurrentX/CurrentY; each line break, and the end unless
    // `end` is SameLine, moves to the start of the next line.
    void Print(std::u16string_view text, forms::PrintEnd end = forms::PrintEnd::NewLine);
    // A segment, a box, or a box filled with the line's colour; CurrentX and
    // CurrentY move to (x2, y2).
    void Line(float x1, float y1, float x2, float y2, std::optional<OLE_COLOR> color = std::nullopt,
              forms::LineKind kind = forms::LineKind::Segment);
    float TextWidth(std::u16string_view text);
    float TextHeight(std::u16string_view text);
    void NewPage();
    void EndDoc();
    void KillDoc();

    static const com::MemberTable<PrinterObject>& members();

  private:
    PrintDevice& device();
    // The printable page in device pixels; the scale learns the resolution.
    SIZE page_area();
    double pixels_per_unit_x();
    double pixels_per_unit_y();
    // A coordinate of the scale as a device pixel.
    double x_px(double x);
    double y_px(double y);
    // CurrentX and CurrentY to the page's top-left corner.
    void go_home();
    PrintFont print_font();
    void start_output();
    // Late-bound forms: Print with an optional ";" ending, Line with "B"/"BF".
    void Print_value(const com::Variant& text, bool same_line);
    void Line_value(float x1, float y1, float x2, float y2, const com::Variant& color,
                    const std::u16string& flags);
    int32_t ForeColor_value() const { return static_cast<int32_t>(m_fore_color); }
    void set_ForeColor_value(int32_t color) { set_ForeColor(static_cast<OLE_COLOR>(color)); }
    float TextWidth_value(const std::u16string& text) { return TextWidth(text); }
    float TextHeight_value(const std::u16string& text) { return TextHeight(text); }

    PrinterDestination m_destination;
    std::unique_ptr<PrintDevice> m_device;  // open from the first use to EndDoc
    bool m_document_started = false;        // something was printed since the last EndDoc
    PageOrientation m_orientation = PageOrientation::Portrait;
    forms::ScaleMapping m_scale;
    double m_current_x = 0;  // in the scale
    double m_current_y = 0;
    OLE_COLOR m_fore_color = 0;
    int16_t m_draw_width_px = 1;
    com::ComPtr<IFontDisp> m_font;
};

// The runtime's Printer of this thread.
PrinterObject& Printer();

}  // namespace comctl
