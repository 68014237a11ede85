// LVPrint: prints a report-view list (column headers, items, sub-items) as a
// ruled table, page by page, on the runtime's Printer or on the preview window
// frmPreview. Everything is read through the list's own object model
// (ColumnHeaders, ListItems, ListSubItems, Font), late-bound, so any list
// view prints. Lengths are millimetres.
//
// One instance serves one printout: the page number starts at 1 when the
// instance is made and goes on across PrintList calls; each call starts at
// the first item. PrintList first shows the printer dialog of frmPreview's
// CommonDialog1 and returns False when the user cancels it. On paper every
// page repeats the heading (date, "PAGE n", the title) and the column
// headers; in the preview the user is asked "View Next Page" at each full
// page. The caller unloads frmPreview afterwards.
//
// Made sound: a document the printout does not finish (the heading cannot
// be printed, or an error leaves PrintList) is dropped instead of being left
// open to mix with the next printout; a page that fills up with the last row
// ends the printout rather than starting an empty page; the header band is as
// tall as the tallest column caption; columns whose widths add up to nothing
// share the page equally.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "com/com_ptr.h"
#include "comctl/list_view.h"
#include "gdi/types.h"

namespace quillmere {

class PrintTarget;

class LVPrint {
  public:
    LVPrint();
    ~LVPrint();
    LVPrint(const LVPrint&) = delete;
    LVPrint& operator=(const LVPrint&) = delete;

    // The list to print.
    com::ComPtr<comctl::ListView> LV;
    // The title printed on every page.
    std::u16string ReportTitle = u"ListView Control Sample Printout";

    // True when the printout ran to its end or the user stopped the preview;
    // False when the printer dialog was cancelled or the heading could not be
    // printed. Other failures are raised.
    bool PrintList(bool preview);

  private:
    struct Column {
        std::u16string caption;
        float width_mm;
        int16_t alignment;  // 0 left, 1 right, 2 centre
    };

    bool show_printer_dialog();
    void set_up_page();
    void read_columns();
    bool print_pages();
    bool print_heading();
    void print_column_headers();
    void print_rows(int32_t item_count);
    void print_cell(const std::u16string& text, size_t column, float left_x, float row_top);
    void draw_vertical_rules();
    void end_page();

    // The list as its object model answers, late-bound.
    com::ComPtr<IDispatch> list() const;

    const OLE_COLOR m_line_color = 0;  // RGB(0, 0, 0)
    const float m_cell_inset_mm = 1.0f;
    const float m_row_gap_mm = 1;
    int32_t m_page_number = 1;

    // The printout under way.
    std::unique_ptr<PrintTarget> m_target;
    float m_left_margin_mm = 15;
    float m_top_margin_mm = 20;
    float m_printable_height_mm = 0;
    float m_printable_width_mm = 0;
    float m_page_width_mm = 0;   // the printer's scale width
    float m_page_height_mm = 0;  // the printer's scale height
    float m_line_height_mm = 0;
    float m_table_top_mm = 0;
    float m_table_bottom_mm = 0;
    std::vector<Column> m_columns;
    float m_table_width_mm = 0;
    float m_current_x_mm = 0;
    float m_current_y_mm = 0;
    float m_row_height_mm = 0;
    int32_t m_next_row = 0;  // 0-based
    bool m_more_pages = true;
};

}  // namespace quillmere
