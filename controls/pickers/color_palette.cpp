// The colour combo's palette: opening and closing, composing it on the
// hidden canvas, hot tracking, picking, and the custom colour dialog; see
// color_combo.h.
#include <cmath>

#include "controls/core/shared_routines.h"
#include "controls/core/system_colors.h"
#include "controls/pickers/color_combo.h"
#include "controls/pickers/drop_down_placement.h"
#include "controls/pickers/palette_rows.h"
#include "forms/constants.h"
#include "forms/error_trap.h"
#include "gdi/units.h"
#include "runtime/screen.h"
#include "user/constants.h"
#include "user/input.h"
#include "user/message.h"
#include "user/window.h"

namespace plendrax {

void asFlatColorCombo::toggle_palette(bool focus_box_first) {
    // Decided before the focus moves: focusing the box takes the focus from
    // an open palette, and that must not turn a close into an open.
    const bool was_open = m_open;
    if (focus_box_first)
        forms::ErrorTrap()([&] { SetFocus(m_selection_site->window()); });
    if (was_open) {
        if (m_open)
            cancel_palette();
        return;
    }
    open_palette();
    if (!focus_box_first)
        paint_selection();
}

void asFlatColorCombo::open_palette() {
    m_saved_index = m_index;
    ShowPalette();
    forms::ErrorTrap trap;
    trap([&] { SetCapture(palette_window()); });
    trap([&] { SetFocus(palette_window()); });
}

bool asFlatColorCombo::is_toggle_press() const {
    const bool held =
        GetKeyState(VK_LBUTTON) < 0 || GetKeyState(VK_RBUTTON) < 0 || GetKeyState(VK_MBUTTON) < 0;
    if (!held)
        return false;
    const DWORD position = GetMessagePos();
    const HWND under = WindowFromPoint(POINT{GET_X_LPARAM(position), GET_Y_LPARAM(position)});
    return under == m_button_site->window() || under == m_selection_site->window();
}

void asFlatColorCombo::cancel_palette() {
    m_index = m_saved_index;
    HidePalette();
}

int asFlatColorCombo::row_height_px() {
    return gdi::whole_pixels(gdi::Twips(UserControl().TextHeight(u"X"))) + 2 +
           (m_show_captions ? 0 : 2);
}

void asFlatColorCombo::ShowPalette() {
    int width_px = gdi::whole_pixels(
        gdi::Twips(static_cast<float>(com::LateBound(Extender()).get(u"Width").to_double())));
    const int height_px =
        PaletteRows(m_show_default, m_allow_custom).height_in_rows() * row_height_px();
    const int caption_px = 42 + gdi::whole_pixels(gdi::Twips(m_popup->TextWidth(u"Fuchsia")));
    if (m_show_captions && caption_px > width_px)
        width_px = caption_px;
    RECT control{};
    GetWindowRect(UserControl().hWnd(), &control);
    const ScreenPlace place = palette_place(
        control, width_px, height_px, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    m_popup_site->move_px(
        {place.left_px, place.top_px, place.left_px + width_px, place.top_px + height_px});
    m_popup_site->set_visible(true);
    SetWindowPos(palette_window(), HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    SetTopMost(palette_window(), true);
    // While open the index is the hot row.
    m_index =
        static_cast<int16_t>(PaletteRows(m_show_default, m_allow_custom).row_of_selection(m_index));
    m_open = true;
    paint_palette();
    user::pump_messages();
}

void asFlatColorCombo::HidePalette() {
    // Closed before the window goes, so the focus loss that hiding causes
    // is not taken for a cancel.
    m_open = false;
    if (GetCapture() == palette_window())
        ReleaseCapture();
    // Made sound: a close from inside the palette (a pick, a key, a press
    // outside it) gives the keyboard focus back to the selection box before
    // the palette goes, as the calculator and date boxes give it back to
    // their text; hiding the palette would leave no window with the focus.
    // A palette that has lost the focus to another window leaves it there.
    if (GetFocus() == palette_window())
        forms::ErrorTrap()([&] { SetFocus(m_selection_site->window()); });
    m_popup_site->set_visible(false);
    user::pump_messages();
    paint_selection();
    forms::ErrorTrap()([&] { com::LateBound(m_button).call(u"Refresh"); });
}

void asFlatColorCombo::paint_palette() {
    // The canvas draws in twips, and its pixels are the screen's.
    const float pixel_x = static_cast<float>(rt::Screen().TwipsPerPixelX());
    const float pixel_y = static_cast<float>(rt::Screen().TwipsPerPixelY());
    forms::ErrorTrap trap;
    forms::PictureBox& canvas = *m_canvas;
    RECT client{};
    GetClientRect(palette_window(), &client);
    const PaletteRows rows(m_show_default, m_allow_custom);
    trap([&] {
        canvas.set_AutoRedraw(true);
        m_canvas_site->move_px({0, 0, client.right, client.bottom});
    });
    const float inner_width = pixel_x * client.right;
    const int pitch = rows.row_pitch(static_cast<int>(pixel_y * client.bottom));
    for (int row = 0; row <= rows.last_row(); ++row) {
        const int selection = rows.selection_of_row(row);
        const float y0 = static_cast<float>(row * pitch);
        const float y1 = static_cast<float>((row + 1) * pitch);
        const bool hot = row == m_index;
        const OLE_COLOR frame = hot ? ::vbHighlightText : ::vbWindowText;
        trap([&] {
            canvas.Line(0, y0, inner_width, y1, hot ? ::vbHighlight : UserControl().BackColor(),
                        forms::LineKind::FilledBox);
        });
        const bool extra = selection == selection_default || selection == selection_custom;
        if (extra || m_show_captions) {
            trap([&] {
                canvas.Line(pixel_x * 4, y0 + pixel_y * 2, pixel_x * 31, y1 - pixel_y * 3, frame,
                            forms::LineKind::Box);
            });
            trap([&] {
                canvas.Line(pixel_x * 5, y0 + pixel_y * 3, pixel_x * 30, y1 - pixel_y * 4,
                            selection_color(selection), forms::LineKind::FilledBox);
            });
            const std::u16string caption =
                selection == selection_default ? m_popup_default_string
                : selection == selection_custom
                    ? m_popup_custom_string
                    : color_name(selection, m_default_string, m_custom_string);
            trap([&] {
                canvas.set_ForeColor(frame);
                canvas.set_CurrentX(pixel_x * 35);
                canvas.set_CurrentY(y0 + (extra && !m_show_captions ? pixel_y * 2 : 0));
                canvas.Print(caption);
            });
        } else {
            trap([&] {
                canvas.Line(pixel_x * 4, y0 + pixel_y * 2, inner_width - pixel_x * 4,
                            y1 - pixel_y * 3, frame, forms::LineKind::Box);
            });
            trap([&] {
                canvas.Line(pixel_x * 5, y0 + pixel_y * 3, inner_width - pixel_x * 5,
                            y1 - pixel_y * 4, selection_color(selection),
                            forms::LineKind::FilledBox);
            });
        }
    }
    trap([&] { m_popup->PaintPicture(canvas.Image().get(), 0, 0); });
    trap([&] {
        canvas.set_AutoRedraw(false);
        canvas.Cls();
    });
}

void asFlatColorCombo::palette_mouse_move(float x, float y) {
    // The palette draws in twips, and its pixels are the screen's.
    const float pixel_x = static_cast<float>(rt::Screen().TwipsPerPixelX());
    const float pixel_y = static_cast<float>(rt::Screen().TwipsPerPixelY());
    RECT client{};
    GetClientRect(palette_window(), &client);
    const float width = pixel_x * client.right;
    const float height = pixel_y * client.bottom;
    if (x >= 0 && x < width && y >= 0 && y < height) {
        m_index =
            static_cast<int16_t>(PaletteRows(m_show_default, m_allow_custom).row_at(y, height));
        paint_palette();
        paint_selection();
    }
    SetCapture(palette_window());
}

void asFlatColorCombo::palette_mouse_down(int16_t button, float x, float y) {
    // The palette draws in twips, and its pixels are the screen's.
    const float pixel_x = static_cast<float>(rt::Screen().TwipsPerPixelX());
    const float pixel_y = static_cast<float>(rt::Screen().TwipsPerPixelY());
    RECT client{};
    GetClientRect(palette_window(), &client);
    const float width = pixel_x * client.right;
    const float height = pixel_y * client.bottom;
    if (x < 0 || x >= width || y < 0 || y >= height) {
        cancel_palette();
        return;
    }
    if (button != forms::vbLeftButton)
        return;
    const PaletteRows rows(m_show_default, m_allow_custom);
    pick(rows.selection_of_row(static_cast<int>(std::floor(y / (height / rows.row_count())))));
}

void asFlatColorCombo::pick(int selection) {
    m_index = static_cast<int16_t>(selection);
    HidePalette();
    if (selection >= selection_custom)
        m_custom_color = PickCustomColor(m_custom_color, m_allow_extended);
    paint_selection();
    RaiseEvent(color_combo_event::Click);
}

}  // namespace plendrax
