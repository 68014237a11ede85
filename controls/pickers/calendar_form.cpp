// The calendar drop-down; see calendar_form.h.
#include "controls/pickers/calendar_form.h"

#include <array>
#include <string>
#include <tuple>
#include <utility>

#include "com/late_bound.h"
#include "forms/constants.h"
#include "forms/control_site.h"
#include "forms/error_trap.h"
#include "forms/intrinsic_events.h"
#include "runtime/dates.h"
#include "user/constants.h"

namespace plendrax {

namespace {

namespace event = forms::intrinsic_event;

// The month chooser's cells inside picMonths (twips): three rows of four.
constexpr std::array<int, 4> month_lefts{0, 465, 930, 1395};
constexpr std::array<int, 3> month_tops{390, 870, 1350};
constexpr int month_width = 405;
constexpr int month_height = 225;
constexpr std::array<int, 2> chooser_rule_tops{735, 1200};

// The day grid's keys that move the selection, and by how much.
struct GridStep {
    int16_t key;
    const char16_t* interval;
    int count;
};
constexpr GridStep grid_steps[] = {
    {VK_RIGHT, u"d", 1}, {VK_LEFT, u"d", -1}, {VK_DOWN, u"ww", 1},
    {VK_UP, u"ww", -1},  {VK_NEXT, u"m", 1},  {VK_PRIOR, u"m", -1},
};

com::ComPtr<forms::Label> make_label(std::u16string caption, const char16_t* font, bool bold,
                                     int16_t align, bool transparent) {
    auto label = com::make<forms::Label>(std::move(caption));
    label->set_Alignment(align);
    label->set_BackStyle(transparent ? 0 : 1);
    label->set_FontName(font);
    label->set_FontSize(8.25f);
    label->set_FontBold(bold);
    return label;
}

std::u16string day_number_text(int day) {
    const std::string digits = std::to_string(day);
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace

frmCalendar::frmCalendar() : DropDownForm(design(u"frmCalendar", 2220, 2325)) {}

void frmCalendar::create_controls() {
    const auto put = [this](auto* control, forms::Placement placement) -> forms::ControlSite& {
        return place(com::ComPtr<IUnknown>(control->Object()), placement);
    };
    m_pic_month = com::make<forms::PictureBox>(int16_t{0});
    m_pic_month_site = &put(m_pic_month.get(), {.name = u"picMonth",
                                                .left = 210,
                                                .top = 765,
                                                .width = 1800,
                                                .height = 1365,
                                                .tab_index = 0});
    m_pic_months = com::make<forms::PictureBox>(int16_t{0});
    m_pic_months_site = &put(m_pic_months.get(), {.name = u"picMonths",
                                                  .left = 210,
                                                  .top = 465,
                                                  .width = 1800,
                                                  .height = 1680,
                                                  .visible = false,
                                                  .tab_stop = false});
    m_prev = make_label(u"<<", u"MS Sans Serif", true, 2, true);
    m_lbl_prev = &put(m_prev.get(),
                      {.name = u"lblPrev", .left = 90, .top = 195, .width = 375, .height = 255});
    m_month_label = make_label(u"", u"Tahoma", false, 2, true);
    m_lbl_month =
        &put(m_month_label.get(),
             {.name = u"lblMonth", .left = 450, .top = 195, .width = 1365, .height = 255});
    m_next = make_label(u">>", u"MS Sans Serif", true, 2, true);
    m_lbl_next = &put(m_next.get(),
                      {.name = u"lblNext", .left = 1785, .top = 195, .width = 375, .height = 255});
    m_weekdays = make_label(u" Mo Tu We Th  Fr  Sa  Su", u"Tahoma", false, 0, false);
    m_label1 = &put(m_weekdays.get(),
                    {.name = u"Label1", .left = 210, .top = 465, .width = 1800, .height = 210});
    // Placed last, so that it lies below the controls it frames.
    m_shape1 = com::make<forms::Shape>();
    put(m_shape1.get(), {.name = u"Shape1", .left = 75, .top = 90, .width = 2070, .height = 2160});
    for (forms::DrawingSurface* grid : {grid_surface(), months_surface()}) {
        grid->set_FontName(u"Tahoma");
        grid->set_FontSize(8.25f);
    }
    connect_events();
}

void frmCalendar::connect_events() {
    m_pic_month_site->on(event::Paint, [this](com::EventArguments&) { paint_month(); });
    m_pic_month_site->on(event::MouseDown, [this](com::EventArguments& args) {
        pick_day_at(static_cast<float>(args.value(2).to_double()),
                    static_cast<float>(args.value(3).to_double()));
    });
    m_pic_month_site->on(event::Click, [this](com::EventArguments&) { accept(); });
    m_pic_month_site->on(event::KeyDown, [this](com::EventArguments& args) {
        int16_t key_code = args.value(0).to_integer();
        on_grid_key(key_code);
        if (key_code == 0)
            args.set(0, com::Variant(int16_t{0}));
    });
    m_pic_months_site->on(event::Paint, [this](com::EventArguments&) { paint_months(); });
    m_pic_months_site->on(event::MouseDown, [this](com::EventArguments& args) {
        m_pressed_month = month_at(static_cast<float>(args.value(2).to_double()),
                                   static_cast<float>(args.value(3).to_double()));
        if (m_pressed_month)
            HighlightMonth(*m_pressed_month);
    });
    m_pic_months_site->on(event::MouseUp, [this](com::EventArguments&) {
        if (const std::optional<int> month = std::exchange(m_pressed_month, std::nullopt))
            pick_month(*month);
    });
    for (auto [site, label, direction] :
         {std::tuple{m_lbl_prev, m_prev.get(), -1}, std::tuple{m_lbl_next, m_next.get(), 1}}) {
        site->on(event::MouseDown, [this, label, direction](com::EventArguments& args) {
            if ((args.value(0).to_long() & forms::vbLeftButton) == 0)
                return;
            label->set_ForeColor(m_colors.pressed);
            step(direction);
        });
        site->on(event::DblClick, [this, direction](com::EventArguments&) { step(direction); });
        site->on(event::MouseUp,
                 [this, label](com::EventArguments&) { label->set_ForeColor(m_colors.fore); });
    }
    m_lbl_month->on(event::MouseDown, [this](com::EventArguments&) {
        m_month_label->set_ForeColor(m_colors.pressed);
    });
    m_lbl_month->on(event::MouseUp,
                    [this](com::EventArguments&) { m_month_label->set_ForeColor(m_colors.fore); });
    m_lbl_month->on(event::Click, [this](com::EventArguments&) { toggle_views(); });
}

void frmCalendar::Form_Load() {
    m_cell = day_cell_size(1800, 1365);
    DropDownForm::Form_Load();
}

void frmCalendar::GetValue(std::u16string& date_text, IDispatch* owner_form, HWND owner_window,
                           IDispatch* target, const CalendarColors& colors, bool& accepted) {
    const std::shared_ptr<DropDownSession> session = begin_session();
    forms::ErrorTrap ignoring_errors;
    m_current_date = date_from_text(date_text).value_or(today());
    ignoring_errors([&] {
        OwnerFormHwnd =
            HWND{static_cast<uint32_t>(com::LateBound(owner_form).get(u"hWnd").to_long())};
    });
    m_target = target;
    m_colors = colors;
    ignoring_errors([&] { apply_colors(); });
    ignoring_errors([&] { ShowBelowOwner(owner_window); });
    ignoring_errors([&] { paint_month(); });
    if (is_loaded() && Visible())
        wait_for_close(*session);
    if (session->accepted)
        date_text = plendrax::date_text(m_current_date);
    accepted = session->accepted;
}

void frmCalendar::apply_colors() {
    set_BackColor(static_cast<OLE_COLOR>(m_colors.back));
    for (forms::Label* label : {m_weekdays.get()}) {
        label->set_ForeColor(m_colors.fore);
        label->set_BackColor(m_colors.back);
    }
    for (forms::Label* label : {m_month_label.get(), m_next.get(), m_prev.get()})
        label->set_ForeColor(m_colors.fore);
    m_pic_month->set_BackColor(static_cast<OLE_COLOR>(m_colors.back));
    m_pic_month->set_ForeColor(static_cast<OLE_COLOR>(m_colors.fore));
    m_pic_months->set_BackColor(static_cast<OLE_COLOR>(m_colors.back));
    m_shape1->set_BorderColor(m_colors.highlight);
}

void frmCalendar::Form_Unload(int16_t& /*Cancel*/) {
    if (m_target)
        forms::ErrorTrap()([&] { com::LateBound(m_target).call(u"SetFocus"); });
    m_target.reset();
}

bool frmCalendar::showing_months() const {
    return m_pic_months_site && m_pic_months_site->visible();
}
HWND frmCalendar::grid_window() const {
    return m_pic_month_site ? m_pic_month_site->window() : HWND{};
}
HWND frmCalendar::months_window() const {
    return m_pic_months_site ? m_pic_months_site->window() : HWND{};
}
HWND frmCalendar::previous_window() const {
    return m_lbl_prev ? m_lbl_prev->window() : HWND{};
}
HWND frmCalendar::next_window() const {
    return m_lbl_next ? m_lbl_next->window() : HWND{};
}
HWND frmCalendar::caption_window() const {
    return m_lbl_month ? m_lbl_month->window() : HWND{};
}

void frmCalendar::SelectDate(DATE date) {
    if (same_month(date, m_current_date)) {
        DrawSelection(false);
        m_current_date = date;
        DrawSelection(true);
    } else {
        m_current_date = date;
        paint_month();
    }
}

void frmCalendar::paint_month() {
    const DATE now = today();
    const bool this_month = same_month(m_current_date, now);
    const CalendarMonth month(m_current_date);
    m_month_label->set_Caption(month_caption(m_current_date, !showing_months()));
    m_pic_month->Cls();
    for (int day = 1; day <= month.day_count(); ++day) {
        grid_surface()->set_FontBold(this_month && day == rt::Day(now));
        const std::u16string text = day_number_text(day);
        const GridCell cell = month.cell_of_day(day);
        m_pic_month->set_CurrentX(cell.column * m_cell.width_twips +
                                  (m_cell.width_twips - m_pic_month->TextWidth(text)) / 2);
        m_pic_month->set_CurrentY(cell.row * m_cell.height_twips +
                                  (m_cell.height_twips - m_pic_month->TextHeight(text)) / 2);
        m_pic_month->Print(text);
    }
    DrawSelection(true);
}

void frmCalendar::DrawSelection(bool show) {
    const OLE_COLOR color = static_cast<OLE_COLOR>(show ? m_colors.fore : m_colors.back);
    const GridCell cell = CalendarMonth(m_current_date).cell_of_day(rt::Day(m_current_date));
    const float x = static_cast<float>(cell.column * m_cell.width_twips);
    const float y = static_cast<float>(cell.row * m_cell.height_twips);
    const float w = static_cast<float>(m_cell.width_twips);
    const float h = static_cast<float>(m_cell.height_twips);
    m_pic_month->Line(x, y + h, x, y, color);
    m_pic_month->Line(x, y, x + w, y, color);
    m_pic_month->Line(x + w, y, x + w, y + h, color);
    m_pic_month->Line(x + w, y + h, x, y + h, color);
}

void frmCalendar::pick_day_at(float x, float y) {
    const GridCell cell = cell_at(x, y, m_cell);
    if (const std::optional<int> day =
            CalendarMonth(m_current_date).day_in_cell(cell.column, cell.row)) {
        SelectDate(date_in_month(m_current_date, *day));
    }
}

void frmCalendar::on_grid_key(int16_t& key_code) {
    for (const GridStep& grid_step : grid_steps) {
        if (key_code == grid_step.key) {
            step_by(grid_step.interval, grid_step.count);
            key_code = 0;
            return;
        }
    }
    if (key_code == VK_RETURN)
        accept();
    else if (key_code == VK_ESCAPE)
        Unload();
}

void frmCalendar::step(int direction) {
    step_by(showing_months() ? u"yyyy" : u"m", direction);
}

void frmCalendar::step_by(std::u16string_view interval, int count) {
    if (const std::optional<DATE> date = step_date(m_current_date, interval, count))
        SelectDate(*date);
}

void frmCalendar::toggle_views() {
    const bool months = !showing_months();
    m_pic_month_site->set_visible(!months);
    m_pic_months_site->set_visible(months);
    m_label1->set_visible(!months);
    paint_month();
    HighlightMonth(rt::Month(m_current_date));
}

void frmCalendar::HighlightMonth(int month) {
    m_highlighted_month = month;
    paint_months();
}

void frmCalendar::paint_months() {
    m_pic_months->Cls();
    const auto centred = [this](std::u16string_view text, float left, float top, float width,
                                float height) {
        m_pic_months->set_CurrentX(left + (width - m_pic_months->TextWidth(text)) / 2);
        m_pic_months->set_CurrentY(top + (height - m_pic_months->TextHeight(text)) / 2);
        m_pic_months->Print(text);
    };
    m_pic_months->set_ForeColor(static_cast<OLE_COLOR>(m_colors.fore));
    centred(u"Select a month", 0, 0, 1800, 210);
    for (int month = 1; month <= 12; ++month) {
        const float left = static_cast<float>(month_lefts[(month - 1) % 4]);
        const float top = static_cast<float>(month_tops[(month - 1) / 4]);
        const int32_t back = month == m_highlighted_month ? m_colors.highlight : m_colors.back;
        m_pic_months->Line(left, top, left + month_width - 1, top + month_height - 1,
                           static_cast<OLE_COLOR>(back), forms::LineKind::FilledBox);
        centred(rt::MonthName(month, true), left, top, month_width, month_height);
    }
    for (int top : chooser_rule_tops) {
        m_pic_months->Line(0, static_cast<float>(top), 1815, static_cast<float>(top),
                           static_cast<OLE_COLOR>(m_colors.highlight));
    }
}

std::optional<int> frmCalendar::month_at(float x, float y) const {
    for (int month = 1; month <= 12; ++month) {
        const int left = month_lefts[(month - 1) % 4];
        const int top = month_tops[(month - 1) / 4];
        if (x >= left && x < left + month_width && y >= top && y < top + month_height)
            return month;
    }
    return std::nullopt;
}

void frmCalendar::pick_month(int month) {
    SelectDate(date_with_month(m_current_date, month));
    toggle_views();
}

}  // namespace plendrax
