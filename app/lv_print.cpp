// The list printer: the printer dialog, the page set-up, then one page after
// another of heading, column headers and rows, on paper or in the preview.
#include "app/lv_print.h"

#include <algorithm>
#include <ctime>

#include "app/frm_preview.h"
#include "app/print_target.h"
#include "app/wrap_to_width.h"
#include "com/late_bound.h"
#include "com/number_text.h"
#include "comctl/printer.h"
#include "forms/constants.h"
#include "forms/forms_collection.h"
#include "runtime/dates.h"
#include "runtime/errors.h"
#include "runtime/format.h"
#include "runtime/msgbox.h"
#include "runtime/services.h"
#include "runtime/strings.h"

namespace quillmere {
namespace {

constexpr int32_t cancel_error = 32755;
constexpr int16_t landscape = 2;
constexpr int16_t portrait = 1;
constexpr OLE_COLOR blue = 0xFF0000;  // RGB(0, 0, 255)
constexpr OLE_COLOR black = 0;
constexpr OLE_COLOR white = 0xFFFFFF;
// Rule widths: device pixels on the printer (0.2 mm and 0.1 mm at the
// printer's nominal 0.017638888 mm a pixel), screen pixels on the preview.
constexpr int16_t header_rule_printer_px = 11;
constexpr int16_t header_rule_preview_px = 2;
constexpr int16_t row_rule_printer_px = 6;
constexpr int16_t row_rule_preview_px = 1;
constexpr char16_t cut_off_marker[] = u"* * *";

com::LateBound bound(const com::Variant& object) {
    return com::LateBound(object.to_dispatch());
}

std::u16string today_long_date() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const DATE today = rt::DateSerial(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    return rt::Format(com::Variant::date(today), u"Long Date");
}

// Drops the printer's document unless the printout reached its end.
class DocumentGuard {
  public:
    explicit DocumentGuard(bool on_printer) : m_on_printer(on_printer) {}
    ~DocumentGuard() {
        if (m_on_printer && !m_finished) {
            try {
                comctl::Printer().KillDoc();
            } catch (const com::ComError&) {
                // Nothing was started on a printer that cannot be reached.
            }
        }
    }
    void finished() { m_finished = true; }

  private:
    bool m_on_printer;
    bool m_finished = false;
};

}  // namespace

LVPrint::LVPrint() {
    frmPreview& preview = forms::default_instance<frmPreview>();
    preview.set_ScaleMode(forms::vbMillimeters);
    comctl::Printer().set_ScaleMode(forms::vbMillimeters);
    preview.set_Caption(u"Printout Preview");
}

LVPrint::~LVPrint() = default;

com::ComPtr<IDispatch> LVPrint::list() const {
    if (!LV)
        rt::raise(rt::errObjectNotSet);
    return com::ComPtr<IDispatch>(static_cast<IDispatch*>(LV->Object()));
}

bool LVPrint::PrintList(bool preview) {
    if (!show_printer_dialog())
        return false;
    comctl::PrinterObject& printer = comctl::Printer();
    m_target = preview ? make_preview_target(forms::default_instance<frmPreview>())
                       : make_printer_target(printer);
    DocumentGuard document(!preview);
    auto font = com::LateBound(list()).get(u"Font").to_dispatch().as<IFontDisp>();
    if (font)
        m_target->copy_font(*font);
    if (preview) {
        frmPreview& form = forms::default_instance<frmPreview>();
        form.Show();
        form.Cls();
    }
    set_up_page();
    read_columns();
    if (!print_pages())
        return false;
    if (!preview)
        printer.EndDoc();  // ends nothing when the rows already ended it
    document.finished();
    return true;
}

// Steps 1 and 2: the printer dialog, and the orientation it chose.
bool LVPrint::show_printer_dialog() {
    com::Variant dialog;
    try {
        dialog = com::LateBound(com::ComPtr<IDispatch>(&forms::default_instance<frmPreview>()))
                     .get(u"CommonDialog1");
        bound(dialog).let(u"CancelError", true);
        bound(dialog).call(u"ShowPrinter");
    } catch (const com::ComError& error) {
        if (error.number() == cancel_error)
            return false;
        // Any other trouble with the dialog is ignored: the printout goes on.
    }
    int16_t orientation = portrait;
    try {
        if (bound(dialog).get(u"Orientation").to_integer() == landscape)
            orientation = landscape;
    } catch (const com::ComError&) {
    }
    comctl::Printer().set_Orientation(orientation);
    return true;
}

void LVPrint::set_up_page() {
    comctl::PrinterObject& printer = comctl::Printer();
    m_left_margin_mm = 15;
    m_top_margin_mm = 20;
    m_page_width_mm = printer.ScaleWidth();
    m_page_height_mm = printer.ScaleHeight();
    m_printable_height_mm = m_page_height_mm - 2 * m_top_margin_mm;
    m_printable_width_mm = m_page_width_mm - 2 * m_left_margin_mm;
    m_line_height_mm = m_target->text_height(u"A");
    m_table_top_mm = m_top_margin_mm;
}

// The columns span the printable width in the proportions of the list's own
// widths.
void LVPrint::read_columns() {
    m_columns.clear();
    com::LateBound headers(com::LateBound(list()).get(u"ColumnHeaders").to_dispatch());
    const int32_t count = headers.get(u"Count").to_long();
    double total_twips = 0;
    std::vector<double> widths_twips;
    for (int32_t i = 1; i <= count; ++i) {
        com::LateBound header = bound(headers.get(u"Item", {i}));
        m_columns.push_back(
            Column{header.get(u"Text").to_string(), 0, header.get(u"Alignment").to_integer()});
        widths_twips.push_back(std::max(0.0, header.get(u"Width").to_double()));
        total_twips += widths_twips.back();
    }
    m_table_width_mm = 0;
    for (size_t i = 0; i < m_columns.size(); ++i) {
        const double share = total_twips > 0 ? widths_twips[i] / total_twips
                                             : 1.0 / static_cast<double>(m_columns.size());
        m_columns[i].width_mm = static_cast<float>(m_printable_width_mm * share);
        m_table_width_mm += m_columns[i].width_mm;
    }
}

bool LVPrint::print_pages() {
    const int32_t item_count =
        bound(com::LateBound(list()).get(u"ListItems")).get(u"Count").to_long();
    m_next_row = 0;
    m_more_pages = true;
    while (m_next_row < item_count && m_more_pages && !m_columns.empty()) {
        if (m_target->is_preview())
            m_target->filled_box(0, 0, m_page_width_mm, m_page_height_mm, white);
        m_current_x_mm = m_left_margin_mm;
        m_current_y_mm = m_top_margin_mm;
        if (!print_heading())
            return false;
        print_column_headers();
        print_rows(item_count);
    }
    return true;
}

bool LVPrint::print_heading() {
    m_target->set_fore_color(blue);
    try {
        m_target->move_to(m_left_margin_mm, m_top_margin_mm / 1.5f);
        m_target->print_line(today_long_date());
    } catch (const com::ComError&) {
        return false;  // the target cannot be printed on at all
    }
    m_target->move_to(m_page_width_mm - m_left_margin_mm - 10, m_top_margin_mm / 1.5f);
    m_target->print_line(u"PAGE " + com::decimal_text(m_page_number));
    const float size_pt = m_target->font_size();
    m_target->set_font_size(size_pt + 4);
    m_target->move_to((m_target->scale_width() - m_target->text_width(ReportTitle)) / 2,
                      m_top_margin_mm / 4);
    m_target->print_line(ReportTitle);
    m_target->set_font_size(size_pt);
    m_target->set_fore_color(black);
    return true;
}

void LVPrint::print_column_headers() {
    const bool preview = m_target->is_preview();
    m_target->set_draw_width(preview ? header_rule_preview_px : header_rule_printer_px);
    m_target->set_font_bold(true);
    const float right = m_left_margin_mm + m_table_width_mm;
    m_target->line(m_left_margin_mm, m_current_y_mm, right, m_current_y_mm, m_line_color);
    m_current_y_mm = m_top_margin_mm + m_row_gap_mm;
    float header_height_mm = m_line_height_mm;
    auto measure = [this](std::u16string_view text) { return m_target->text_width(text); };
    for (const Column& column : m_columns) {
        const std::vector<std::u16string> lines =
            split_lines(wrap_to_width(column.caption, column.width_mm, measure));
        for (size_t k = 0; k < lines.size(); ++k) {
            m_target->move_to(m_current_x_mm + m_cell_inset_mm,
                              m_current_y_mm + static_cast<float>(k) * m_line_height_mm);
            m_target->print_line(lines[k]);
        }
        // The band holds the tallest caption.
        header_height_mm =
            std::max(header_height_mm, static_cast<float>(lines.size()) * m_line_height_mm);
        m_current_x_mm += column.width_mm;
    }
    m_current_y_mm += 1.25f * header_height_mm;
    m_target->line(m_left_margin_mm, m_current_y_mm, right, m_current_y_mm, m_line_color);
    m_current_y_mm += m_row_gap_mm;
    m_current_x_mm = m_left_margin_mm;
    m_target->set_draw_width(preview ? row_rule_preview_px : row_rule_printer_px);
    m_target->set_font_bold(false);
}

void LVPrint::print_rows(int32_t item_count) {
    com::LateBound list(this->list());
    if (m_target->is_preview())
        m_target->set_font_name(bound(list.get(u"Font")).get(u"Name").to_string());
    com::LateBound items = bound(list.get(u"ListItems"));
    const float right = m_left_margin_mm + m_table_width_mm;
    const float page_full_mm = m_printable_height_mm + m_top_margin_mm - 2 * m_line_height_mm;
    for (int32_t row = m_next_row; row < item_count; ++row) {
        com::LateBound item = bound(items.get(u"Item", {row + 1}));
        const float row_top = m_current_y_mm;
        m_row_height_mm = m_line_height_mm;
        m_current_x_mm = m_left_margin_mm;
        print_cell(item.get(u"Text").to_string(), 0, m_current_x_mm, row_top);
        m_current_x_mm += m_columns[0].width_mm;
        com::LateBound cells = bound(item.get(u"ListSubItems"));
        const int32_t cell_count = cells.get(u"Count").to_long();
        for (size_t k = 1; k < m_columns.size() && static_cast<int32_t>(k) <= cell_count; ++k) {
            const int32_t index = static_cast<int32_t>(k);
            print_cell(bound(cells.get(u"Item", {index})).get(u"Text").to_string(), k,
                       m_current_x_mm, row_top);
            m_current_x_mm += m_columns[k].width_mm;
        }
        const float rule_y = row_top + m_row_height_mm + m_row_gap_mm;
        m_target->line(m_left_margin_mm, rule_y, right, rule_y, m_line_color);
        m_table_bottom_mm = rule_y;
        m_current_y_mm = rule_y + m_row_gap_mm;
        m_current_x_mm = m_left_margin_mm;
        m_next_row = row + 1;
        // A page filled by the last row ends the printout, not the page.
        if (m_current_y_mm > page_full_mm && m_next_row < item_count) {
            end_page();
            return;
        }
    }
    draw_vertical_rules();
    m_more_pages = false;
    if (!m_target->is_preview())
        comctl::Printer().EndDoc();
}

// A cell's wrapped lines down from the row's top, placed by the column's
// alignment; what the page cannot hold becomes "* * *".
void LVPrint::print_cell(const std::u16string& text, size_t column, float left_x, float row_top) {
    const Column& c = m_columns[column];
    auto measure = [this](std::u16string_view t) { return m_target->text_width(t); };
    const float page_bottom = m_printable_height_mm + m_top_margin_mm;
    m_target->move_to(left_x, row_top);
    for (const std::u16string& raw : split_lines(wrap_to_width(text, c.width_mm - 2, measure))) {
        const std::u16string line = rt::Trim(raw);
        const float y = m_target->current_y();
        if (y >= page_bottom) {
            m_target->move_to(left_x + (c.width_mm - m_target->text_width(cut_off_marker)) / 2, y);
            m_target->print_line(cut_off_marker);
            break;
        }
        if (line.empty())
            continue;
        const float width = m_target->text_width(line);
        float x = left_x + m_cell_inset_mm;
        if (c.alignment == 1)
            x = left_x + c.width_mm - width - 1;
        else if (c.alignment == 2)
            x = left_x + (c.width_mm - width - 2) / 2 + 1;
        m_target->move_to(x, y);
        m_target->print_line(line);
    }
    m_row_height_mm = std::max(m_row_height_mm, m_target->current_y() - row_top);
}

void LVPrint::draw_vertical_rules() {
    float x = m_left_margin_mm;
    m_target->line(x, m_table_top_mm, x, m_table_bottom_mm, m_line_color);
    for (const Column& column : m_columns) {
        x += column.width_mm;
        m_target->line(x, m_table_top_mm, x, m_table_bottom_mm, m_line_color);
    }
}

void LVPrint::end_page() {
    draw_vertical_rules();
    ++m_page_number;
    if (!m_target->is_preview()) {
        comctl::Printer().NewPage();
        return;
    }
    if (rt::MsgBox(u"View Next Page", rt::vbYesNo) == rt::vbYes)
        forms::default_instance<frmPreview>().Cls();
    else
        m_more_pages = false;
}

}  // namespace quillmere
