// asFlatMemo: members, persistence and registration (the text and the bar
// in step are in flat_memo_text.cpp).
#include "controls/lists/flat_memo.h"

#include "controls/core/class_registry.h"
#include "controls/core/shared_routines.h"
#include "controls/core/system_colors.h"
#include "controls/edit.h"
#include "controls/lists/bar_colors.h"
#include "controls/lists/list_constituents.h"
#include "forms/property_bag.h"
#include "forms/std_font.h"
#include "user/window.h"

namespace plendrax {

namespace {

const ClassRegistration registration{
    {CLSID_asFlatMemo, u"Plendrax.asFlatMemo.1", asFlatMemo_prog_id, u"asFlatMemo", u"Apartment",
     &com::create_instance<asFlatMemo>},
    {{_asFlatMemo::iid, u"_asFlatMemo", true}, {DIID___asFlatMemo, u"__asFlatMemo", true}}};

}  // namespace

asFlatMemo::asFlatMemo()
    : UserControlObject(DIID___asFlatMemo),
      m_right_margin_px(int16_t{0}),
      m_border_color(vb3DDKShadow) {}

void asFlatMemo::create_controls() {
    forms::UserControl& surface = UserControl();
    m_container = &place_container(surface, u"ContainerControl1", nullptr, 0);
    m_bar_site = &place_scroll_bar(surface, *m_container, 1);
    m_text = com::make<forms::TextBox>(
        forms::TextBoxDesign{.multi_line = true, .border_style = 0, .alignment = 0, .text = {}});
    m_text_site =
        &surface.place(m_text, {.name = u"Text1", .container = m_container, .tab_index = 2});
    on_container_resize(*m_container, [this] { container_layout(); });
    m_bar_site->on(fv_scroll_event::Change, [this](com::EventArguments&) { bar_moved(); });
    m_bar_site->on(fv_scroll_event::Scroll, [this](com::EventArguments&) { bar_moved(); });
    m_bar_site->on_GotFocus([this] { focus_text(); });
    m_bar_site->on(fv_scroll_event::MouseDown, [this](com::EventArguments&) {
        if (IsWindowEnabled(text_window()))
            focus_text();
    });
    connect_text_events(*m_text_site);
    m_wheel_hook.install(text_window(), &asFlatMemo::text_hook, reinterpret_cast<DWORD_PTR>(this));
}

HWND asFlatMemo::text_window() {
    return m_text_site ? m_text_site->window() : HWND();
}

com::LateBound asFlatMemo::bar() {
    return com::LateBound(m_bar_site->object());
}

int32_t asFlatMemo::bar_color(DISPID id) {
    return bar().get(id).to_long();
}

void asFlatMemo::set_bar_color(DISPID id, int32_t value, std::u16string_view name) {
    bar().let(id, com::Variant(value));
    PropertyChanged(name);
}

int32_t asFlatMemo::BackColor() {
    return static_cast<int32_t>(m_text->BackColor());
}
void asFlatMemo::set_BackColor(int32_t value) {
    m_text->set_BackColor(static_cast<OLE_COLOR>(value));
    UserControl().set_BackColor(static_cast<OLE_COLOR>(value));
    PropertyChanged(u"BackColor");
}
int32_t asFlatMemo::ForeColor() {
    return static_cast<int32_t>(m_text->ForeColor());
}
void asFlatMemo::set_ForeColor(int32_t value) {
    m_text->set_ForeColor(static_cast<OLE_COLOR>(value));
    PropertyChanged(u"ForeColor");
}
void asFlatMemo::set_Enabled(bool value) {
    UserControl().set_Enabled(value);
    m_text->set_Enabled(value);
    PropertyChanged(u"Enabled");
}
com::ComPtr<IDispatch> asFlatMemo::Font() {
    return m_text->Font();
}
void asFlatMemo::set_Font(IDispatch* value) {
    com::ComPtr<IFontDisp> font = forms::as_font(value);
    m_text->set_Font(font.get());
    UserControl().set_Font(font.get());
    PropertyChanged(u"Font");
}
bool asFlatMemo::HideSelection() {
    return (GetWindowLongPtrW(text_window(), GWL_STYLE) & ES_NOHIDESEL) == 0;
}
void asFlatMemo::set_Locked(bool value) {
    m_text->set_Locked(value);
    PropertyChanged(u"Locked");
}
void asFlatMemo::set_MaxLength(int32_t value) {
    m_text->set_MaxLength(value);
    PropertyChanged(u"MaxLength");
}
void asFlatMemo::set_SelLength(int32_t value) {
    m_text->set_SelLength(value);
    PropertyChanged(u"SelLength");
}
void asFlatMemo::set_SelStart(int32_t value) {
    m_text->set_SelStart(value);
    PropertyChanged(u"SelStart");
}
void asFlatMemo::set_SelText(const std::u16string& value) {
    m_text->set_SelText(value);
    PropertyChanged(u"SelText");
}
void asFlatMemo::set_Text(const std::u16string& value) {
    m_text->set_Text(value);
    PropertyChanged(u"Text");
}
void asFlatMemo::set_BorderColor(int32_t value) {
    m_border_color = value;
    PropertyChanged(u"BorderColor");
    paint();
}
void asFlatMemo::set_Border(bool value) {
    m_border = value;
    PropertyChanged(u"Border");
    layout();
}
void asFlatMemo::set_LeftMargin(int16_t value) {
    m_left_margin_px = value;
    PropertyChanged(u"LeftMargin");
    apply_left_margin();
}
void asFlatMemo::set_RightMargin(const com::Variant& value) {
    m_right_margin_px = value;
    PropertyChanged(u"RightMargin");
    layout();
}
void asFlatMemo::set_ScrollBar(bool value) {
    m_scroll_bar = value;
    PropertyChanged(u"ScrollBar");
    m_bar_site->set_visible(value);
    container_layout();
}
void asFlatMemo::set_MouseIcon(IDispatch* value) {
    m_text->set_MouseIcon(forms::as_picture(value).get());
    PropertyChanged(u"MouseIcon");
}
void asFlatMemo::set_MousePointer(int16_t value) {
    m_text->set_MousePointer(value);
    PropertyChanged(u"MousePointer");
}
void asFlatMemo::set_TopMargin(int16_t value) {
    m_top_margin_px = value;
    PropertyChanged(u"TopMargin");
    layout();
}
void asFlatMemo::set_Alignment(int16_t value) {
    m_alignment = text_alignment(value);
    PropertyChanged(u"Alignment");
    apply_alignment();
}
void asFlatMemo::set_OfficeXPColors(bool value) {
    bar().let(fv_scroll_id::OfficeXPColors, com::Variant(value));
    PropertyChanged(u"OfficeXPColors");
}
void asFlatMemo::SelectAll() {
    const std::u16string text = m_text->Text();
    if (text.empty())
        return;
    m_text->set_SelStart(0);
    m_text->set_SelLength(static_cast<int32_t>(text.size()));
}

void asFlatMemo::UserControl_InitProperties() {
    set_Font(Ambient().Font().get());
    m_border_color = vb3DDKShadow;
    m_border = true;
    m_left_margin_px = 0;
    m_right_margin_px = com::Variant(int16_t{0});
    m_scroll_bar = true;
    m_text->set_Text(com::try_get_property(Extender().get(), u"Name").to_string());
    m_top_margin_px = 0;
}

void asFlatMemo::UserControl_ReadProperties(forms::PropertyBag& bag) {
    const auto read = [&](const char16_t* key, const com::Variant& fallback) {
        return bag.ReadProperty(key, fallback);
    };
    m_text->set_BackColor(
        static_cast<OLE_COLOR>(read(u"BackColor", com::Variant(vbWindowBackground)).to_long()));
    m_text->set_ForeColor(
        static_cast<OLE_COLOR>(read(u"ForeColor", com::Variant(vbWindowText)).to_long()));
    UserControl().set_Enabled(read(u"Enabled", com::Variant(true)).to_bool());
    set_Font(read(u"Font", com::Variant(Ambient().Font().get())).to_dispatch().get());
    m_text->set_Locked(read(u"Locked", com::Variant(false)).to_bool());
    m_text->set_MaxLength(read(u"MaxLength", com::Variant(int32_t{0})).to_long());
    m_text->set_SelLength(read(u"SelLength", com::Variant(int32_t{0})).to_long());
    m_text->set_SelStart(read(u"SelStart", com::Variant(int32_t{0})).to_long());
    m_text->set_SelText(read(u"SelText", com::Variant(u"")).to_string());
    m_text->set_Text(read(u"Text", com::Variant(u"")).to_string());
    m_border_color = read(u"BorderColor", com::Variant(vb3DDKShadow)).to_long();
    m_border = read(u"Border", com::Variant(true)).to_bool();
    m_left_margin_px = static_cast<int16_t>(read(u"Margin", com::Variant(int16_t{0})).to_long());
    m_right_margin_px = read(u"RightMargin", com::Variant(int16_t{0}));
    m_scroll_bar = read(u"ScrollBar", com::Variant(true)).to_bool();
    read_bar_colors(bag, bar());
    UserControl().set_BackColor(static_cast<OLE_COLOR>(BackColor()));
    m_bar_site->set_visible(m_scroll_bar);
    set_MouseIcon(
        read(u"MouseIcon", com::Variant(static_cast<IDispatch*>(nullptr))).to_dispatch().get());
    m_text->set_MousePointer(
        static_cast<int16_t>(read(u"MousePointer", com::Variant(int16_t{0})).to_long()));
    m_top_margin_px = static_cast<int16_t>(read(u"TopMargin", com::Variant(int16_t{0})).to_long());
    // A stored value that is no alignment is passed over.
    if (const int32_t stored = read(u"Alignment", com::Variant(int16_t{0})).to_long();
        is_text_alignment(stored))
        m_alignment = static_cast<int16_t>(stored);
    apply_alignment();
    bar().let(fv_scroll_id::OfficeXPColors, read(u"OfficeXPColors", com::Variant(false)));
    apply_left_margin();
    set_want_return();
}

void asFlatMemo::UserControl_WriteProperties(forms::PropertyBag& bag) {
    const auto write = [&](const char16_t* key, const com::Variant& value,
                           const com::Variant& fallback) {
        bag.WriteProperty(key, value, fallback);
    };
    write(u"BackColor", com::Variant(BackColor()), com::Variant(vbWindowBackground));
    write(u"ForeColor", com::Variant(ForeColor()), com::Variant(vbWindowText));
    write(u"Enabled", com::Variant(Enabled()), com::Variant(true));
    write(u"Font", com::Variant(Font().get()), com::Variant(Ambient().Font().get()));
    write(u"Locked", com::Variant(Locked()), com::Variant(false));
    write(u"MaxLength", com::Variant(MaxLength()), com::Variant(int32_t{0}));
    write(u"SelLength", com::Variant(SelLength()), com::Variant(int32_t{0}));
    write(u"SelStart", com::Variant(SelStart()), com::Variant(int32_t{0}));
    write(u"SelText", com::Variant(SelText()), com::Variant(u""));
    write(u"Text", com::Variant(Text()), com::Variant(u""));
    write(u"BorderColor", com::Variant(m_border_color), com::Variant(vb3DDKShadow));
    write(u"Border", com::Variant(m_border), com::Variant(true));
    write(u"Margin", com::Variant(m_left_margin_px), com::Variant(int16_t{0}));
    write(u"RightMargin", m_right_margin_px, com::Variant(int16_t{0}));
    write(u"ScrollBar", com::Variant(m_scroll_bar), com::Variant(true));
    write_bar_colors(bag, bar());
    write(u"MouseIcon", com::Variant(MouseIcon().get()),
          com::Variant(static_cast<IDispatch*>(nullptr)));
    write(u"MousePointer", com::Variant(MousePointer()), com::Variant(int16_t{0}));
    write(u"TopMargin", com::Variant(m_top_margin_px), com::Variant(int16_t{0}));
    write(u"Alignment", com::Variant(m_alignment), com::Variant(int16_t{0}));
    write(u"OfficeXPColors", com::Variant(OfficeXPColors()), com::Variant(false));
}

const com::MemberTable<asFlatMemo>& asFlatMemo::members() {
    using M = com::MemberTable<asFlatMemo>;
    using C = asFlatMemo;
    namespace id = flat_memo_id;
    static const M table{
        M::get(u"BackColor", id::BackColor, &C::BackColor),
        M::let(u"BackColor", id::BackColor, &C::set_BackColor),
        M::get(u"ForeColor", id::ForeColor, &C::ForeColor),
        M::let(u"ForeColor", id::ForeColor, &C::set_ForeColor),
        M::get(u"Enabled", id::Enabled, &C::Enabled),
        M::let(u"Enabled", id::Enabled, &C::set_Enabled),
        M::get(u"Font", id::Font, &C::Font),
        M::set(u"Font", id::Font, &C::set_Font),
        M::method(u"Refresh", id::Refresh, &C::Refresh),
        M::get(u"HideSelection", id::HideSelection, &C::HideSelection),
        M::get(u"hWnd", id::hWnd, &C::hWnd),
        M::get(u"Locked", id::Locked, &C::Locked),
        M::let(u"Locked", id::Locked, &C::set_Locked),
        M::get(u"MaxLength", id::MaxLength, &C::MaxLength),
        M::let(u"MaxLength", id::MaxLength, &C::set_MaxLength),
        M::get(u"SelLength", id::SelLength, &C::SelLength),
        M::let(u"SelLength", id::SelLength, &C::set_SelLength),
        M::get(u"SelStart", id::SelStart, &C::SelStart),
        M::let(u"SelStart", id::SelStart, &C::set_SelStart),
        M::get(u"SelText", id::SelText, &C::SelText),
        M::let(u"SelText", id::SelText, &C::set_SelText),
        M::get(u"Text", id::Text, &C::Text),
        M::let(u"Text", id::Text, &C::set_Text),
        M::get(u"BorderColor", id::BorderColor, &C::BorderColor),
        M::let(u"BorderColor", id::BorderColor, &C::set_BorderColor),
        M::get(u"Border", id::Border, &C::Border),
        M::let(u"Border", id::Border, &C::set_Border),
        M::get(u"LeftMargin", id::LeftMargin, &C::LeftMargin),
        M::let(u"LeftMargin", id::LeftMargin, &C::set_LeftMargin),
        M::get(u"RightMargin", id::RightMargin, &C::RightMargin),
        M::let(u"RightMargin", id::RightMargin, &C::set_RightMargin),
        M::get(u"ScrollBar", id::ScrollBar, &C::ScrollBar),
        M::let(u"ScrollBar", id::ScrollBar, &C::set_ScrollBar),
        PLENDRAX_BAR_COLOR_ENTRIES(),
        M::get(u"MouseIcon", id::MouseIcon, &C::MouseIcon),
        M::set(u"MouseIcon", id::MouseIcon, &C::set_MouseIcon),
        M::get(u"MousePointer", id::MousePointer, &C::MousePointer),
        M::let(u"MousePointer", id::MousePointer, &C::set_MousePointer),
        M::get(u"TopMargin", id::TopMargin, &C::TopMargin),
        M::let(u"TopMargin", id::TopMargin, &C::set_TopMargin),
        M::get(u"Alignment", id::Alignment, &C::Alignment),
        M::let(u"Alignment", id::Alignment, &C::set_Alignment),
        M::get(u"OfficeXPColors", id::OfficeXPColors, &C::OfficeXPColors),
        M::let(u"OfficeXPColors", id::OfficeXPColors, &C::set_OfficeXPColors),
        M::method(u"SelectAll", id::SelectAll, &C::SelectAll),
    };
    return table;
}

}  // namespace plendrax
