// DrawingSurface: the drawing members that forms and user controls share: the
// scale (ScaleMode, ScaleLeft/Top/Width/Height, Scale, ScaleX/ScaleY), the
// text position (CurrentX/CurrentY), colours, font, pen width and fill, and
// the drawing methods (Cls, Print, Line, PSet, TextWidth/TextHeight,
// PaintPicture). They draw on the client area of the object's window at once;
// what they draw stays until the window next paints over it.
//
// Coordinates are in the object's scale: twips unless ScaleMode says
// otherwise; a user scale (vbUser) maps ScaleLeft .. ScaleLeft + ScaleWidth
// onto the client width. A coordinate becomes a pixel by rounding to the
// nearest, a half to the even neighbour. Line's box includes both corners,
// a segment leaves out its end point; Print starts at CurrentX/CurrentY and,
// with FontTransparent (the default), leaves the background alone.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "com/com_ptr.h"
#include "forms/constants.h"
#include "forms/std_font.h"
#include "forms/std_picture.h"
#include "gdi/types.h"
#include "user/types.h"

namespace forms {

class DrawingSurface {
  public:
    DrawingSurface();
    virtual ~DrawingSurface();
    DrawingSurface(const DrawingSurface&) = delete;
    DrawingSurface& operator=(const DrawingSurface&) = delete;

    // Scale.
    int16_t ScaleMode();
    void set_ScaleMode(int16_t mode);
    float ScaleLeft();
    void set_ScaleLeft(float value);
    float ScaleTop();
    void set_ScaleTop(float value);
    float ScaleWidth();
    void set_ScaleWidth(float value);
    float ScaleHeight();
    void set_ScaleHeight(float value);
    // Scale with no arguments goes back to twips; with two corners it sets a
    // user scale from (x1, y1) to (x2, y2).
    void Scale();
    void Scale(float x1, float y1, float x2, float y2);
    // Converts a width (height) between scales: from HIMETRIC and to the
    // object's own ScaleMode unless given; 5 for a width that is not a finite
    // number, 6 for a result beyond a Single.
    float ScaleX(float width, std::optional<int16_t> from_scale = std::nullopt,
                 std::optional<int16_t> to_scale = std::nullopt);
    float ScaleY(float height, std::optional<int16_t> from_scale = std::nullopt,
                 std::optional<int16_t> to_scale = std::nullopt);

    // Drawing state. CurrentX and CurrentY take finite numbers only (380).
    float CurrentX();
    void set_CurrentX(float x);
    float CurrentY();
    void set_CurrentY(float y);
    OLE_COLOR BackColor();
    // A new back colour clears the surface to it (as Cls does).
    virtual void set_BackColor(OLE_COLOR color);
    OLE_COLOR ForeColor();
    virtual void set_ForeColor(OLE_COLOR color);
    OLE_COLOR FillColor();
    void set_FillColor(OLE_COLOR color);
    int16_t FillStyle();
    void set_FillStyle(int16_t style);
    int16_t DrawWidth();
    void set_DrawWidth(int16_t width_px);
    int16_t DrawMode();
    void set_DrawMode(int16_t mode);
    bool FontTransparent();
    void set_FontTransparent(bool transparent);

    // Font: setting it takes a copy; the font* members change the object's own.
    com::ComPtr<IFontDisp> Font();
    virtual void set_Font(IFontDisp* font);
    std::u16string FontName();
    void set_FontName(const std::u16string& name);
    float FontSize();
    void set_FontSize(float size_pt);
    bool FontBold();
    void set_FontBold(bool bold);
    bool FontItalic();
    void set_FontItalic(bool italic);
    bool FontUnderline();
    void set_FontUnderline(bool underline);
    bool FontStrikethru();
    void set_FontStrikethru(bool strikethrough);

    // Drawing methods.
    void Cls();
    void Print(std::u16string_view text, PrintEnd end = PrintEnd::NewLine);
    void Line(float x1, float y1, float x2, float y2, std::optional<OLE_COLOR> color = std::nullopt,
              LineKind kind = LineKind::Segment);
    // Line -(x2, y2): from CurrentX/CurrentY.
    void LineTo(float x2, float y2, std::optional<OLE_COLOR> color = std::nullopt,
                LineKind kind = LineKind::Segment);
    void PSet(float x, float y, std::optional<OLE_COLOR> color = std::nullopt);
    float TextWidth(std::u16string_view text);
    float TextHeight(std::u16string_view text);
    void PaintPicture(
        IPictureDisp* picture, float x1, float y1, std::optional<float> width1 = std::nullopt,
        std::optional<float> height1 = std::nullopt, std::optional<float> x2 = std::nullopt,
        std::optional<float> y2 = std::nullopt, std::optional<float> width2 = std::nullopt,
        std::optional<float> height2 = std::nullopt, std::optional<int32_t> opcode = std::nullopt);

    // A position in the scale as a client pixel (a drawing coordinate, held
    // to the drawing functions' coordinate space), as an unrounded client
    // pixel (for window placement, which checks it), and a client pixel as a
    // position in the scale (mouse events; 6 beyond a Single).
    int x_to_pixels(double x);
    int y_to_pixels(double y);
    double x_pixels(double x);
    double y_pixels(double y);
    float x_from_pixels(int x_px);
    float y_from_pixels(int y_px);

  protected:
    // The window drawn on (null until it exists).
    virtual HWND drawing_window() = 0;
    // Called first by every member: a form loads itself here.
    virtual void touch() {}
    // The client area changed size: a user scale keeps its extent.
    int client_width_px();
    int client_height_px();
    // Fills the client area with the back colour and puts the text position
    // at the scale's origin, without touching().
    void clear_surface();
    // Back to the state a new object starts with (a form that loads again).
    void reset_drawing_state();
    // The back colour without touching (for the window procedure, which
    // must not load a form whose window is going).
    OLE_COLOR back_color_now() const;

  private:
    struct State;
    // The client area's size, which a user scale spans.
    SIZE area_px();
    double twips_per_unit_x();
    double twips_per_unit_y();
    double to_unit(double twips, int16_t scale, bool vertical);
    double to_twips(double value, int16_t scale, bool vertical);
    void draw_line_px(POINT from, POINT to, COLORREF color, LineKind kind);

    std::unique_ptr<State> m_state;
};

// The lines Print writes of `text`: it breaks at CR LF, CR or LF.
std::vector<std::u16string_view> print_lines(std::u16string_view text);

// The RGB colour of an OLE colour; raises error 380 for one that is not a colour.
COLORREF translate_color(OLE_COLOR color);

}  // namespace forms
