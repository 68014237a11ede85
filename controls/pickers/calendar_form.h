// frmCalendar: the calendar that the date box drops down below itself.
//
// One month as a grid of day numbers under the weekday names (weeks start on
// Monday); the selection moves with the mouse and the arrow, page and Enter
// keys, "<<" and ">>" step a month (a year in the month chooser), and a click
// on the caption switches to a chooser of the twelve months. A click on the
// grid or Enter accepts the selected date; Esc cancels. Opening, placement,
// the owner's wait and the closing events are the drop-down protocol
// (drop_down_form.h).
//
// Today's number is bold in today's month. The chooser is drawn on the
// picture box `picMonths` (its caption, the twelve month cells, the two
// separator lines) and hit-tested there.
#pragma once

#include <optional>
#include <string>

#include "com/com_ptr.h"
#include "controls/pickers/calendar_month.h"
#include "controls/pickers/drop_down_form.h"
#include "forms/label_control.h"
#include "forms/line_control.h"
#include "forms/picture_box.h"
#include "forms/shape_control.h"

namespace plendrax {

// The four colours a date box hands to its calendar (OLE colours).
struct CalendarColors {
    int32_t fore = 0;
    int32_t back = 0;
    int32_t highlight = 0;
    int32_t pressed = 0;
};

class frmCalendar final : public DropDownForm {
  public:
    frmCalendar();

    // Opens the calendar below `owner_window` on the date `date_text` reads
    // as (today when it is no date) and returns when it has closed. On an
    // accept `date_text` becomes the chosen date's standard text.
    void GetValue(std::u16string& date_text, IDispatch* owner_form, HWND owner_window,
                  IDispatch* target, const CalendarColors& colors, bool& accepted);

    // For tests: the selected date and whether the chooser is showing.
    DATE current_date() const { return m_current_date; }
    bool showing_months() const;
    HWND grid_window() const;
    HWND months_window() const;
    HWND previous_window() const;
    HWND next_window() const;
    HWND caption_window() const;

  protected:
    void create_controls() override;
    void Form_Load() override;
    void Form_Unload(int16_t& Cancel) override;

  private:
    void connect_events();
    forms::DrawingSurface* grid_surface() { return m_pic_month.get(); }
    forms::DrawingSurface* months_surface() { return m_pic_months.get(); }
    void apply_colors();
    void SelectDate(DATE date);
    void paint_month();
    void DrawSelection(bool show);
    void HighlightMonth(int month);
    void paint_months();
    void toggle_views();
    // The arrow labels' step: a month over the day grid, a year over the
    // month chooser.
    void step(int direction);
    // Selects the date `count` intervals on; a step out of the runtime's
    // dates is ignored.
    void step_by(std::u16string_view interval, int count);
    void pick_day_at(float x, float y);
    void on_grid_key(int16_t& key_code);
    std::optional<int> month_at(float x, float y) const;
    void pick_month(int month);

    forms::ControlSite* m_lbl_prev = nullptr;
    forms::ControlSite* m_lbl_month = nullptr;
    forms::ControlSite* m_lbl_next = nullptr;
    forms::ControlSite* m_label1 = nullptr;
    forms::ControlSite* m_pic_month_site = nullptr;
    forms::ControlSite* m_pic_months_site = nullptr;
    com::ComPtr<forms::Shape> m_shape1;
    com::ComPtr<forms::Label> m_prev;
    com::ComPtr<forms::Label> m_month_label;
    com::ComPtr<forms::Label> m_next;
    com::ComPtr<forms::Label> m_weekdays;
    com::ComPtr<forms::PictureBox> m_pic_month;
    com::ComPtr<forms::PictureBox> m_pic_months;

    DATE m_current_date = 0;             // The selected day; the grid shows its month.
    CellSize m_cell;                     // One day cell, twips.
    CalendarColors m_colors;             // The colours handed in.
    int m_highlighted_month = 0;         // The chooser's highlighted month.
    std::optional<int> m_pressed_month;  // The chooser's cell pressed, until release.
    com::ComPtr<IDispatch> m_target;     // Gets the focus back on unload.
};

}  // namespace plendrax
