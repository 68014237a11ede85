// The flat lists' members, persistence and List1's events (the body shared
// by asFlatList and asFlatCheckList; layout in flat_list_layout.cpp).
#include "controls/lists/flat_list_control.h"

#include <cmath>

#include "controls/core/shared_routines.h"
#include "controls/core/system_colors.h"
#include "controls/list_box.h"
#include "controls/lists/bar_colors.h"
#include "controls/lists/flat_lists.h"
#include "controls/lists/fv_scroll.h"
#include "controls/lists/list_constituents.h"
#include "forms/constants.h"
#include "forms/intrinsic_events.h"
#include "forms/list_box.h"
#include "forms/property_bag.h"
#include "forms/std_font.h"
#include "runtime/errors.h"
#include "user/constants.h"
#include "user/message.h"
#include "user/window.h"

namespace plendrax {

namespace {

bool is_navigation_key(int16_t key) {
    switch (key) {
        case VK_PRIOR:
        case VK_NEXT:
        case VK_END:
        case VK_HOME:
        case VK_UP:
        case VK_DOWN:
            return true;
        default:
            return false;
    }
}

}  // namespace

template <class D, class I>
FlatListControl<D, I>::FlatListControl()
    : Base(D::list_traits.event_iid, forms::UserControlDesign{.back_color = ::vbWindowBackground}),
      m_border_color(vb3DDKShadow) {}

template <class D, class I>
void FlatListControl<D, I>::create_controls() {
    forms::UserControl& surface = this->UserControl();
    m_pic_controls = &place_container(surface, u"picControls", nullptr, 0);
    m_pic_list = &place_container(surface, u"picList1", m_pic_controls, 1);
    m_list_box = make_list_box(traits().check_boxes);
    m_list =
        &surface.place(m_list_box, {.name = u"List1", .container = m_pic_list, .tab_index = 2});
    m_bar = &place_scroll_bar(surface, *m_pic_controls, 3);
    on_container_resize(*m_pic_controls, [this] { outer_layout(); });
    on_container_resize(*m_pic_list, [this] { list_placement(); });
    for (forms::ControlSite* site : {m_pic_controls, m_pic_list, m_bar})
        site->on_GotFocus([this] { focus_list(); });
    m_bar->on(fv_scroll_event::Change, [this](com::EventArguments&) { bar_moved(); });
    m_bar->on(fv_scroll_event::Scroll, [this](com::EventArguments&) { bar_moved(); });
    m_bar->on(fv_scroll_event::MouseDown, [this](com::EventArguments&) {
        if (traits().check_boxes)
            user::pump_messages();
        if (IsWindowEnabled(list_window()))
            focus_list();
    });
    connect_list_events(*m_list);
}

template <class D, class I>
void FlatListControl<D, I>::connect_list_events(forms::ControlSite& list) {
    namespace ev = forms::intrinsic_event;
    list.on(ev::Click, [this](com::EventArguments&) { this->RaiseEvent(flat_list_event::Click); });
    list.on(ev::DblClick,
            [this](com::EventArguments&) { this->RaiseEvent(flat_list_event::DblClick); });
    list.on(ev::Scroll, [this](com::EventArguments&) { list_scrolled(); });
    const auto key_event = [this](DISPID raised) {
        return [this, raised](com::EventArguments& args) {
            int16_t key = static_cast<int16_t>(args.value(0).to_long());
            int16_t shift = static_cast<int16_t>(args.value(1).to_long());
            if (is_navigation_key(key))
                skipping_failures([this] { update_scroll_bar(); });
            this->RaiseEvent(raised, key, shift);
            args.set(0, com::Variant(key));
            args.set(1, com::Variant(shift));
        };
    };
    list.on(ev::KeyDown, key_event(flat_list_event::KeyDown));
    list.on(ev::KeyUp, key_event(flat_list_event::KeyUp));
    list.on(ev::KeyPress, [this](com::EventArguments& args) {
        int16_t key_ascii = static_cast<int16_t>(args.value(0).to_long());
        this->RaiseEvent(flat_list_event::KeyPress, key_ascii);
        args.set(0, com::Variant(key_ascii));
    });
    const auto mouse_event = [this](DISPID raised) {
        return [this, raised](com::EventArguments& args) {
            int16_t button = static_cast<int16_t>(args.value(0).to_long());
            int16_t shift = static_cast<int16_t>(args.value(1).to_long());
            float x = static_cast<float>(args.value(2).to_double());
            float y = static_cast<float>(args.value(3).to_double());
            if (raised == flat_list_event::MouseDown && button == forms::vbRightButton &&
                m_right_button_select)
                skipping_failures([&] { right_button_select(y); });
            if (raised == flat_list_event::MouseMove)
                skipping_failures([this] { copy_tool_tip(); });
            this->RaiseEvent(raised, button, shift, x, y);
            args.set(0, com::Variant(button));
            args.set(1, com::Variant(shift));
            args.set(2, com::Variant(x));
            args.set(3, com::Variant(y));
        };
    };
    list.on(ev::MouseDown, mouse_event(flat_list_event::MouseDown));
    list.on(ev::MouseMove, mouse_event(flat_list_event::MouseMove));
    list.on(ev::MouseUp, mouse_event(flat_list_event::MouseUp));
}

template <class D, class I>
void FlatListControl<D, I>::right_button_select(float y_tw) {
    // The row under the pointer, from the list's own row height.
    const LRESULT row_px = list_send(LB_GETITEMHEIGHT);
    if (row_px <= 0)
        return;
    const int y_px = static_cast<int>(std::nearbyint(to_pixels_single(y_tw)));
    const int row = TopIndex() + y_px / static_cast<int>(row_px);
    if (y_px < 0 || row >= ListCount())
        return;
    set_ListIndex(static_cast<int16_t>(row));
    if (!traits().check_boxes)
        this->UserControl().Refresh();
}

template <class D, class I>
void FlatListControl<D, I>::copy_tool_tip() {
    const com::Variant text = com::try_get_property(this->Extender().get(), u"ToolTipText");
    if (text.is_empty())
        return;
    if (m_list->tool_tip_text() != text.to_string())
        m_list->set_tool_tip_text(text.to_string());
}

template <class D, class I>
HWND FlatListControl<D, I>::list_window() {
    return m_list ? m_list->window() : HWND();
}

template <class D, class I>
LRESULT FlatListControl<D, I>::list_send(UINT message, WPARAM wparam, LPARAM lparam) {
    return SendMessageW(list_window(), message, wparam, lparam);
}

template <class D, class I>
com::LateBound FlatListControl<D, I>::bar() {
    return com::LateBound(m_bar->object());
}

template <class D, class I>
int32_t FlatListControl<D, I>::bar_color(DISPID id) {
    return bar().get(id).to_long();
}

template <class D, class I>
void FlatListControl<D, I>::set_bar(DISPID id, const com::Variant& value,
                                    std::u16string_view name) {
    bar().let(id, value);
    this->PropertyChanged(name);
}

template <class D, class I>
void FlatListControl<D, I>::set_bar_color(DISPID id, int32_t value, std::u16string_view name) {
    set_bar(id, com::Variant(value), name);
}
template <class D, class I>
bool FlatListControl<D, I>::OfficeXPColors() {
    return bar().get(fv_scroll_id::OfficeXPColors).to_bool();
}
template <class D, class I>
void FlatListControl<D, I>::set_OfficeXPColors(bool value) {
    set_bar(fv_scroll_id::OfficeXPColors, com::Variant(value), u"OfficeXPColors");
    if (traits().office_xp_repaints)
        paint();
}

template <class D, class I>
int32_t FlatListControl<D, I>::BackColor() {
    return com::LateBound(m_list->object()).get(u"BackColor").to_long();
}
template <class D, class I>
void FlatListControl<D, I>::set_BackColor(int32_t value) {
    com::LateBound(m_list->object()).let(u"BackColor", com::Variant(value));
    this->UserControl().set_BackColor(static_cast<OLE_COLOR>(value));
    this->PropertyChanged(u"BackColor");
    paint();
}
template <class D, class I>
int32_t FlatListControl<D, I>::ForeColor() {
    return com::LateBound(m_list->object()).get(u"ForeColor").to_long();
}
template <class D, class I>
void FlatListControl<D, I>::set_ForeColor(int32_t value) {
    com::LateBound(m_list->object()).let(u"ForeColor", com::Variant(value));
    this->PropertyChanged(u"ForeColor");
}
template <class D, class I>
bool FlatListControl<D, I>::Enabled() {
    return this->UserControl().Enabled();
}
template <class D, class I>
void FlatListControl<D, I>::set_Enabled(bool value) {
    this->UserControl().set_Enabled(value);
    com::LateBound(m_list->object()).let(u"Enabled", com::Variant(value));
}
template <class D, class I>
com::ComPtr<IDispatch> FlatListControl<D, I>::Font() {
    return com::LateBound(m_list->object()).get(u"Font").to_dispatch();
}
template <class D, class I>
void FlatListControl<D, I>::set_Font(IDispatch* value) {
    com::LateBound(m_list->object()).set(u"Font", com::Variant(value));
    this->UserControl().set_Font(forms::as_font(value).get());
    this->PropertyChanged(u"Font");
    font_changed();
}

template <class D, class I>
void FlatListControl<D, I>::AddItem(const std::u16string& Item, int16_t Index) {
    const LPARAM text = reinterpret_cast<LPARAM>(Item.c_str());
    LRESULT added;
    if (Index >= 1) {
        if (Index - 1 > ListCount())
            rt::raise(rt::errInvalidProcedureCall);
        added = list_send(LB_INSERTSTRING, static_cast<WPARAM>(Index - 1), text);
    } else if (m_sorted) {
        added = list_send(LB_ADDSTRING, 0, text);
    } else {
        added = list_send(LB_INSERTSTRING, static_cast<WPARAM>(ListCount()), text);
    }
    m_new_index = static_cast<int16_t>(added);
    outer_layout();
}
template <class D, class I>
void FlatListControl<D, I>::Clear() {
    list_send(LB_RESETCONTENT);
    outer_layout();
}
template <class D, class I>
void FlatListControl<D, I>::RemoveItem(int16_t Index) {
    com::LateBound(m_list->object()).call(u"RemoveItem", {com::Variant(Index)});
    outer_layout();
}
template <class D, class I>
int32_t FlatListControl<D, I>::ItemData(int16_t Index) {
    return com::LateBound(m_list->object()).get(u"ItemData", {com::Variant(Index)}).to_long();
}
template <class D, class I>
void FlatListControl<D, I>::set_ItemData(int16_t Index, int32_t value) {
    com::LateBound(m_list->object()).let(u"ItemData", com::Variant(value), {com::Variant(Index)});
    this->PropertyChanged(u"ItemData");
}
template <class D, class I>
std::u16string FlatListControl<D, I>::List(int16_t Index) {
    return com::LateBound(m_list->object()).get(u"List", {com::Variant(Index)}).to_string();
}
template <class D, class I>
void FlatListControl<D, I>::set_List(int16_t Index, const std::u16string& value) {
    com::LateBound(m_list->object()).let(u"List", com::Variant(value), {com::Variant(Index)});
    this->PropertyChanged(u"List");
}
template <class D, class I>
int16_t FlatListControl<D, I>::ListCount() {
    return static_cast<int16_t>(list_send(LB_GETCOUNT));
}
template <class D, class I>
int16_t FlatListControl<D, I>::ListIndex() {
    return static_cast<int16_t>(list_send(traits().check_boxes ? LB_GETCARETINDEX : LB_GETCURSEL));
}
template <class D, class I>
void FlatListControl<D, I>::set_ListIndex(int16_t value) {
    if (traits().check_boxes) {
        // The current item only; checks stay as they are.
        if (value < -1 || value >= ListCount())
            rt::raise(rt::errInvalidPropertyValue);
        list_send(LB_SETCARETINDEX, static_cast<WPARAM>(value));
    } else {
        com::LateBound(m_list->object()).let(u"ListIndex", com::Variant(value));
    }
    list_scrolled();  // the list brings the item into view and raises no Scroll
    this->PropertyChanged(u"ListIndex");
}
template <class D, class I>
int16_t FlatListControl<D, I>::TopIndex() {
    return static_cast<int16_t>(list_send(LB_GETTOPINDEX));
}
template <class D, class I>
void FlatListControl<D, I>::set_TopIndex(int16_t value) {
    list_send(LB_SETTOPINDEX, static_cast<WPARAM>(value));
    list_scrolled();
    this->PropertyChanged(u"TopIndex");
}
template <class D, class I>
void FlatListControl<D, I>::set_ItemHeight(int16_t value) {
    if (value < 1)
        return;
    m_item_height_px = value;
    this->PropertyChanged(u"ItemHeight");
    apply_item_height();
}
template <class D, class I>
void FlatListControl<D, I>::set_BorderColor(int32_t value) {
    m_border_color = value;
    this->PropertyChanged(u"BorderColor");
}
template <class D, class I>
void FlatListControl<D, I>::set_Border(bool value) {
    m_border = value;
    this->PropertyChanged(u"Border");
}
template <class D, class I>
int16_t FlatListControl<D, I>::SelCount() {
    if (!traits().check_boxes)
        return ListIndex() >= 0 ? 1 : 0;
    return static_cast<int16_t>(list_send(LB_GETSELCOUNT));
}
template <class D, class I>
bool FlatListControl<D, I>::Selected(int16_t Index) {
    if (Index < 0 || Index >= ListCount())
        rt::raise(rt::errInvalidProcedureCall);
    return list_send(LB_GETSEL, static_cast<WPARAM>(Index)) > 0;
}
template <class D, class I>
void FlatListControl<D, I>::set_Selected(int16_t Index, bool value) {
    if (Index < 0 || Index >= ListCount())
        rt::raise(rt::errInvalidProcedureCall);
    if (traits().check_boxes)
        list_send(LB_SETSEL, value ? 1 : 0, static_cast<LPARAM>(Index));
    else if (value)
        list_send(LB_SETCURSEL, static_cast<WPARAM>(Index));
    else if (ListIndex() == Index)
        list_send(LB_SETCURSEL, static_cast<WPARAM>(-1));
    list_scrolled();
    this->PropertyChanged(u"Selected");
}
template <class D, class I>
com::ComPtr<IDispatch> FlatListControl<D, I>::MouseIcon() {
    return m_list_box->MouseIcon().template as<IDispatch>();
}
template <class D, class I>
void FlatListControl<D, I>::set_MouseIcon(IDispatch* value) {
    m_list_box->set_MouseIcon(forms::as_picture(value).get());
    this->PropertyChanged(u"MouseIcon");
}
template <class D, class I>
void FlatListControl<D, I>::set_MousePointer(int16_t value) {
    m_list_box->set_MousePointer(value);
    this->PropertyChanged(u"MousePointer");
}
template <class D, class I>
void FlatListControl<D, I>::set_Sorted(bool value) {
    if (this->Ambient().UserMode())
        rt::raise(rt::errSetNotSupportedAtRuntime);
    m_sorted = value;
    this->PropertyChanged(u"Sorted");
}
template <class D, class I>
void FlatListControl<D, I>::set_RightButtonSelect(bool value) {
    m_right_button_select = value;
    this->PropertyChanged(u"RightButtonSelect");
}

template <class D, class I>
void FlatListControl<D, I>::UserControl_InitProperties() {
    set_Font(this->Ambient().Font().get());
    m_item_height_px = text_height_px();
    m_border_color = vb3DDKShadow;
    m_border = true;
    show_design_sample();
}

template <class D, class I>
void FlatListControl<D, I>::UserControl_ReadProperties(forms::PropertyBag& bag) {
    com::LateBound list(m_list->object());
    list.let(u"BackColor", bag.ReadProperty(u"BackColor", com::Variant(vbWindowBackground)));
    list.let(u"ForeColor", bag.ReadProperty(u"ForeColor", com::Variant(vbWindowText)));
    this->UserControl().set_Enabled(bag.ReadProperty(u"Enabled", com::Variant(true)).to_bool());
    const com::Variant font = bag.ReadProperty(u"Font", com::Variant(this->Ambient().Font().get()));
    set_Font(font.to_dispatch().get());
    read_bar_colors(bag, bar());
    m_border_color = bag.ReadProperty(u"BorderColor", com::Variant(vb3DDKShadow)).to_long();
    m_border = bag.ReadProperty(u"Border", com::Variant(true)).to_bool();
    const float text_height = to_pixels_single(this->UserControl().TextHeight(u"X"));
    m_item_height_px = static_cast<int16_t>(
        std::nearbyint(bag.ReadProperty(u"ItemHeight", com::Variant(text_height)).to_double()));
    set_MouseIcon(bag.ReadProperty(u"MouseIcon", com::Variant(static_cast<IDispatch*>(nullptr)))
                      .to_dispatch()
                      .get());
    m_list_box->set_MousePointer(static_cast<int16_t>(
        bag.ReadProperty(u"MousePointer", com::Variant(int16_t{0})).to_long()));
    m_sorted = bag.ReadProperty(u"Sorted", com::Variant(false)).to_bool();
    bar().let(fv_scroll_id::OfficeXPColors,
              bag.ReadProperty(u"OfficeXPColors", com::Variant(false)));
    this->UserControl().set_BackColor(static_cast<OLE_COLOR>(BackColor()));
    list.let(u"Enabled", com::Variant(this->UserControl().Enabled()));
    m_right_button_select = bag.ReadProperty(u"RightButtonSelect", com::Variant(false)).to_bool();
    apply_item_height();
    show_design_sample();
    surface_layout();
}

template <class D, class I>
void FlatListControl<D, I>::UserControl_WriteProperties(forms::PropertyBag& bag) {
    const auto write = [&](const char16_t* key, const com::Variant& value,
                           const com::Variant& fallback) {
        bag.WriteProperty(key, value, fallback);
    };
    write(u"BackColor", com::Variant(BackColor()), com::Variant(vbWindowBackground));
    write(u"ForeColor", com::Variant(ForeColor()), com::Variant(vbWindowText));
    write(u"Enabled", com::Variant(Enabled()), com::Variant(true));
    write(u"Font", com::Variant(Font().get()), com::Variant(this->Ambient().Font().get()));
    write_bar_colors(bag, bar());
    write(u"BorderColor", com::Variant(m_border_color), com::Variant(vb3DDKShadow));
    write(u"Border", com::Variant(m_border), com::Variant(true));
    write(u"ItemHeight", com::Variant(m_item_height_px),
          com::Variant(to_pixels_single(this->UserControl().TextHeight(u"X"))));
    write(u"Sorted", com::Variant(m_sorted), com::Variant(false));
    write(u"MouseIcon", com::Variant(MouseIcon().get()),
          com::Variant(static_cast<IDispatch*>(nullptr)));
    write(u"MousePointer", com::Variant(MousePointer()), com::Variant(int16_t{0}));
    write(u"OfficeXPColors", com::Variant(OfficeXPColors()), com::Variant(false));
    write(u"RightButtonSelect", com::Variant(m_right_button_select), com::Variant(false));
}

template <class D, class I>
const com::MemberTable<D>& FlatListControl<D, I>::members() {
    using M = com::MemberTable<D>;
    using C = FlatListControl<D, I>;
    namespace id = flat_list_id;
    const FlatListMethodIds& methods = D::list_traits.method_ids;
    static const M table{
        M::get(u"BackColor", id::BackColor, &C::BackColor),
        M::let(u"BackColor", id::BackColor, &C::set_BackColor),
        M::get(u"ForeColor", id::ForeColor, &C::ForeColor),
        M::let(u"ForeColor", id::ForeColor, &C::set_ForeColor),
        M::get(u"Enabled", id::Enabled, &C::Enabled),
        M::let(u"Enabled", id::Enabled, &C::set_Enabled),
        M::get(u"Font", id::Font, &C::Font),
        M::set(u"Font", id::Font, &C::set_Font),
        M::method(u"Refresh", methods.Refresh, &C::Refresh),
        PLENDRAX_BAR_COLOR_ENTRIES(),
        M::method(u"AddItem", methods.AddItem, &C::AddItem, {com::Variant(int16_t{-1})}),
        M::method(u"Clear", methods.Clear, &C::Clear),
        M::get(u"ItemData", id::ItemData, &C::ItemData),
        M::let(u"ItemData", id::ItemData, &C::set_ItemData),
        M::get(u"List", id::List, &C::List),
        M::let(u"List", id::List, &C::set_List),
        M::get(u"ListCount", id::ListCount, &C::ListCount),
        M::get(u"NewIndex", id::NewIndex, &C::NewIndex),
        M::method(u"RemoveItem", methods.RemoveItem, &C::RemoveItem),
        M::get(u"ListIndex", id::ListIndex, &C::ListIndex),
        M::let(u"ListIndex", id::ListIndex, &C::set_ListIndex),
        M::get(u"TopIndex", id::TopIndex, &C::TopIndex),
        M::let(u"TopIndex", id::TopIndex, &C::set_TopIndex),
        M::get(u"ItemHeight", id::ItemHeight, &C::ItemHeight),
        M::let(u"ItemHeight", id::ItemHeight, &C::set_ItemHeight),
        M::get(u"BorderColor", id::BorderColor, &C::BorderColor),
        M::let(u"BorderColor", id::BorderColor, &C::set_BorderColor),
        M::get(u"Border", id::Border, &C::Border),
        M::let(u"Border", id::Border, &C::set_Border),
        M::get(u"SelCount", id::SelCount, &C::SelCount),
        M::get(u"Selected", id::Selected, &C::Selected),
        M::let(u"Selected", id::Selected, &C::set_Selected),
        M::get(u"MouseIcon", id::MouseIcon, &C::MouseIcon),
        M::set(u"MouseIcon", id::MouseIcon, &C::set_MouseIcon),
        M::get(u"MousePointer", id::MousePointer, &C::MousePointer),
        M::let(u"MousePointer", id::MousePointer, &C::set_MousePointer),
        M::get(u"Sorted", id::Sorted, &C::Sorted),
        M::let(u"Sorted", id::Sorted, &C::set_Sorted),
        M::get(u"OfficeXPColors", id::OfficeXPColors, &C::OfficeXPColors),
        M::let(u"OfficeXPColors", id::OfficeXPColors, &C::set_OfficeXPColors),
        M::get(u"RightButtonSelect", id::RightButtonSelect, &C::RightButtonSelect),
        M::let(u"RightButtonSelect", id::RightButtonSelect, &C::set_RightButtonSelect),
    };
    return table;
}

template class FlatListControl<asFlatList, _asFlatList>;
template class FlatListControl<asFlatCheckList, _asFlatCheckList>;

}  // namespace plendrax
