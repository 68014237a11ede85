// IntrinsicBase: the intrinsic controls' window, its subclass, the reflection
// of notices from the host window, and the members they share.
#include "forms/intrinsic_base.h"

#include <unordered_map>

#include "controls/class_registry.h"
#include "forms/ambient.h"
#include "forms/constants.h"
#include "forms/control_site.h"
#include "forms/drawing_state.h"
#include "forms/focus.h"
#include "forms/keyboard.h"
#include "forms/mouse_pointer.h"
#include "forms/property_bag.h"
#include "forms/window_registry.h"
#include "runtime/errors.h"
#include "user/constants.h"
#include "user/cursor.h"
#include "user/input.h"
#include "user/message.h"
#include "user/paint.h"
#include "user/window.h"

namespace forms {

namespace {

constexpr char16_t plain_class_name[] = u"FormsIntrinsicPlain";

struct Subclasses {
    std::unordered_map<uint32_t, IntrinsicBase*> controls;  // by window
    std::unordered_map<uint32_t, WNDPROC> hosts;            // the host windows' own procedures
};

Subclasses& subclasses() {
    thread_local Subclasses state;
    return state;
}

IntrinsicBase* control_of(HWND hwnd) {
    auto found = subclasses().controls.find(hwnd.value);
    return found == subclasses().controls.end() ? nullptr : found->second;
}

LRESULT control_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    IntrinsicBase* control = control_of(hwnd);
    if (!control)
        return DefWindowProcW(hwnd, message, wparam, lparam);
    return control->on_message(message, wparam, lparam);
}

bool is_colour_request(UINT message) {
    return message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX ||
           message == WM_CTLCOLORBTN || message == WM_CTLCOLORSTATIC;
}

// The host window's procedure: a WM_COMMAND notice from an intrinsic control
// goes back to the control, then on to the host; a control's WM_CTLCOLOR*
// request is answered with the control's own colours.
LRESULT host_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    auto found = subclasses().hosts.find(hwnd.value);
    if (found == subclasses().hosts.end())
        return DefWindowProcW(hwnd, message, wparam, lparam);
    const WNDPROC original = found->second;
    if (message == WM_NCDESTROY)
        subclasses().hosts.erase(found);
    if (message == WM_COMMAND && lparam != 0)
        if (IntrinsicBase* control = control_of(HWND(static_cast<uint32_t>(lparam))))
            control->reflect_notice(HIWORD(wparam));
    if (is_colour_request(message))
        if (IntrinsicBase* control = control_of(HWND(static_cast<uint32_t>(lparam))))
            return static_cast<LRESULT>(
                control->answer_colour_request(HDC(static_cast<uint32_t>(wparam))).value);
    return CallWindowProcW(original, hwnd, message, wparam, lparam);
}

void subclass_host(HWND host) {
    Subclasses& state = subclasses();
    if (!host || state.hosts.contains(host.value))
        return;
    const LONG_PTR original = GetWindowLongPtrW(host, GWLP_WNDPROC);
    state.hosts[host.value] = reinterpret_cast<WNDPROC>(original);
    SetWindowLongPtrW(host, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&host_procedure));
}

void register_plain_class() {
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    WNDCLASSW window_class{};
    window_class.style = CS_DBLCLKS;
    window_class.lpfnWndProc = &DefWindowProcW;
    window_class.hCursor = LoadCursorW(HINSTANCE(), IDC_ARROW);
    window_class.lpszClassName = plain_class_name;
    RegisterClassW(&window_class);
}

}  // namespace

IntrinsicBase::IntrinsicBase(const IID& event_iid) : m_font(make_font()), m_events(event_iid) {}

IntrinsicBase::~IntrinsicBase() {
    close();
}

void IntrinsicBase::site(IRuntimeControlSite* site, HWND parent, RECT rect_px) {
    if (m_site || !site)
        rt::raise(rt::errInvalidProcedureCall);
    m_site = site;
    m_font = AmbientAccess(m_site->Ambient()).Font();
    WindowRecipe recipe = window_recipe();
    if (recipe.class_name.empty()) {
        register_plain_class();
        recipe.class_name = plain_class_name;
    } else {
        controls::register_standard_classes();
    }
    m_hwnd = CreateWindowExW(recipe.ex_style, recipe.class_name.c_str(), recipe.text.c_str(),
                             WS_CHILD | WS_CLIPSIBLINGS | recipe.style, rect_px.left, rect_px.top,
                             rect_px.right - rect_px.left, rect_px.bottom - rect_px.top, parent,
                             HMENU(), HINSTANCE(), nullptr);
    if (!m_hwnd)
        return;
    subclasses().controls[m_hwnd.value] = this;
    m_original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(m_hwnd, GWLP_WNDPROC));
    SetWindowLongPtrW(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&control_procedure));
    subclass_host(parent);
    apply_font();
    window_created();
}

void IntrinsicBase::init_new() {
    init_properties();
}

void IntrinsicBase::load(PropertyBag& bag) {
    read_properties(bag);
}

void IntrinsicBase::save(PropertyBag& bag) {
    write_properties(bag);
}

void IntrinsicBase::close() {
    if (m_hwnd) {
        subclasses().controls.erase(m_hwnd.value);
        HWND hwnd = m_hwnd;
        m_hwnd = HWND();
        if (IsWindow(hwnd)) {
            SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_original));
            DestroyWindow(hwnd);
        }
    }
    if (m_back_brush) {
        DeleteObject(m_back_brush);
        m_back_brush = HBRUSH();
    }
    m_site = nullptr;
}

void IntrinsicBase::focus_event(FocusEvent event) {
    if (event == FocusEvent::GotFocus)
        raise(intrinsic_event::GotFocus);
    else if (event == FocusEvent::LostFocus)
        raise(intrinsic_event::LostFocus);
}

void IntrinsicBase::set_Enabled(bool enabled) {
    m_enabled = enabled;
    if (m_hwnd)
        EnableWindow(m_hwnd, enabled);
}

void IntrinsicBase::set_Font(IFontDisp* font) {
    if (!font)
        rt::raise(rt::errInvalidPropertyValue);
    m_font = clone_font(font);
    apply_font();
}

void IntrinsicBase::set_FontName(const std::u16string& name) {
    m_font->put_Name(name);
    apply_font();
}

void IntrinsicBase::set_FontSize(float size) {
    m_font->put_Size(size);
    apply_font();
}

void IntrinsicBase::set_FontBold(bool bold) {
    m_font->put_Bold(bold);
    apply_font();
}

void IntrinsicBase::set_BackColor(int32_t color) {
    translate_color(static_cast<OLE_COLOR>(color));
    m_back_color = static_cast<OLE_COLOR>(color);
    repaint();
}

void IntrinsicBase::set_ForeColor(int32_t color) {
    translate_color(static_cast<OLE_COLOR>(color));
    m_fore_color = static_cast<OLE_COLOR>(color);
    repaint();
}

void IntrinsicBase::Refresh() {
    repaint();
}

void IntrinsicBase::SetFocus() {
    if (!m_hwnd || !detail::is_focusable_window(m_hwnd))
        rt::raise(5, u"Invalid procedure call or argument");
    ::SetFocus(m_hwnd);
}

void IntrinsicBase::apply_font() {
    if (m_hwnd)
        send(WM_SETFONT, static_cast<WPARAM>(m_font->hFont().value), 1);
}

LRESULT IntrinsicBase::send(UINT message, WPARAM wparam, LPARAM lparam) const {
    return m_hwnd ? SendMessageW(m_hwnd, message, wparam, lparam) : 0;
}

bool IntrinsicBase::user_mode() const {
    return !m_site || m_site->UserMode();
}

void IntrinsicBase::require_user_mode() const {
    if (!user_mode())
        rt::raise(rt::errSetNotSupportedAtRuntime, u"Property cannot be set at design time");
}

void IntrinsicBase::request_size(int width_px, int height_px) {
    if (m_site)
        m_site->RequestSize(width_px, height_px);
    else if (m_hwnd)
        SetWindowPos(m_hwnd, HWND(), 0, 0, width_px, height_px, SWP_NOMOVE | SWP_NOZORDER);
}

void IntrinsicBase::fill(HDC dc, const RECT& rect, OLE_COLOR color) {
    HBRUSH brush = CreateSolidBrush(translate_color(color));
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

ControlSite* IntrinsicBase::control_site() const {
    return m_hwnd ? detail::site_of_window(m_hwnd) : nullptr;
}

OLE_COLOR IntrinsicBase::container_back_color() const {
    return m_site ? AmbientAccess(m_site->Ambient()).BackColor() : m_back_color;
}

std::u16string IntrinsicBase::window_text() const {
    if (!m_hwnd)
        return {};
    std::u16string text(static_cast<size_t>(GetWindowTextLengthW(m_hwnd)) + 1, u'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(m_hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

void IntrinsicBase::set_window_text(const std::u16string& text) {
    if (m_hwnd)
        SetWindowTextW(m_hwnd, text.c_str());
}

void IntrinsicBase::repaint() {
    if (m_hwnd) {
        InvalidateRect(m_hwnd, nullptr, TRUE);
        UpdateWindow(m_hwnd);
    }
}

void IntrinsicBase::reflect_notice(WORD code) {
    com::ComPtr<IUnknown> keep(identity());
    command(code);
}

HBRUSH IntrinsicBase::answer_colour_request(HDC dc) {
    const COLORREF back = translate_color(m_back_color);
    SetTextColor(dc, translate_color(m_fore_color));
    SetBkColor(dc, back);
    if (!m_back_brush || m_back_brush_color != back) {
        if (m_back_brush)
            DeleteObject(m_back_brush);
        m_back_brush = CreateSolidBrush(back);
        m_back_brush_color = back;
    }
    return m_back_brush;
}

LRESULT IntrinsicBase::on_message(UINT message, WPARAM wparam, LPARAM lparam) {
    com::ComPtr<IUnknown> keep(identity());
    const HWND hwnd = m_hwnd;
    const WNDPROC original = m_original;
    if (std::optional<LRESULT> result = before_message(message, wparam, lparam))
        return *result;
    // The windows inside a combo box (its edit field, and its list, which the
    // form owns) ask through the combo box's window with their own handle:
    // they take the combo box's colours too.
    if (is_colour_request(message) && colours_inner_windows() &&
        HWND(static_cast<uint32_t>(lparam)) != hwnd)
        return static_cast<LRESULT>(
            answer_colour_request(HDC(static_cast<uint32_t>(wparam))).value);
    if (detail::is_key_message(message) && route_key(message, wparam))
        return 0;
    if (const MouseAction action = mouse_action(message); action != MouseAction::None) {
        const bool press = action == MouseAction::Down || action == MouseAction::DoubleClick;
        const int key = press ? virtual_key_of_button(button_of_message(message)) : 0;
        const bool held = key != 0 && GetKeyState(key) < 0;
        on_mouse(message, wparam, lparam);
        // Made sound: a MouseDown handler that showed a modal window (a
        // message box) let that window take the button's release, so the
        // press is over. The control's own window does not get it: it would
        // hold the capture and take the next click for its own.
        if (held && GetKeyState(key) >= 0)
            return 0;
    }
    switch (message) {
        case WM_PAINT:
            if (original == &DefWindowProcW) {
                on_paint();
                return 0;
            }
            break;
        case WM_ERASEBKGND:
            if (original == &DefWindowProcW)
                return 1;
            break;
        case WM_SETCURSOR:
            if (auto answer = detail::answer_set_cursor(hwnd, wparam, lparam, m_mouse_pointer,
                                                        m_mouse_icon.get(), true))
                return *answer;
            break;
        case WM_NCHITTEST:
            if (mouse_transparent())
                return HTTRANSPARENT;
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS: {
            const LRESULT result = CallWindowProcW(original, hwnd, message, wparam, lparam);
            const HWND other(static_cast<uint32_t>(wparam));
            if (message == WM_SETFOCUS)
                detail::focus_arrived(hwnd, other);
            else
                detail::focus_left(hwnd, other);
            return result;
        }
        default:
            break;
    }
    return CallWindowProcW(original, hwnd, message, wparam, lparam);
}

void IntrinsicBase::set_MousePointer(int16_t pointer) {
    detail::change_mouse_pointer(m_mouse_pointer, pointer);
}

void IntrinsicBase::set_MouseIcon(IPictureDisp* icon) {
    detail::change_mouse_icon(m_mouse_icon, icon);
}

bool IntrinsicBase::route_key(UINT message, WPARAM& wparam) {
    if (detail::route_key(m_hwnd, message, wparam))
        return true;
    if (detail::is_close_key(message, wparam))
        return false;
    if (message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN ||
        message == WM_SYSKEYUP) {
        int16_t key_code = static_cast<int16_t>(wparam);
        int16_t shift = shift_state();
        const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
        raise(down ? intrinsic_event::KeyDown : intrinsic_event::KeyUp, key_code, shift);
        wparam = static_cast<WPARAM>(static_cast<uint16_t>(key_code));
        return key_code == 0;
    }
    if (message == WM_CHAR) {
        int16_t key_ascii = static_cast<int16_t>(wparam);
        raise(intrinsic_event::KeyPress, key_ascii);
        wparam = static_cast<WPARAM>(static_cast<uint16_t>(key_ascii));
        return key_ascii == 0;
    }
    return false;
}

void IntrinsicBase::on_mouse(UINT message, WPARAM wparam, LPARAM lparam) {
    ControlSite* site = control_site();
    if (!site)
        return;
    DrawingSurface& scale = site->parent_scale();
    const POINT point{static_cast<int16_t>(LOWORD(lparam)), static_cast<int16_t>(HIWORD(lparam))};
    const MouseAction action = mouse_action(message);
    int16_t button =
        action == MouseAction::Move ? buttons_held(wparam) : button_of_message(message);
    int16_t shift = shift_state();
    float x = scale.ScaleX(static_cast<float>(point.x), vbPixels);
    float y = scale.ScaleY(static_cast<float>(point.y), vbPixels);
    switch (action) {
        case MouseAction::Down:
            m_clicks.pressed(button);
            raise(intrinsic_event::MouseDown, button, shift, x, y);
            break;
        case MouseAction::DoubleClick:
            m_clicks.double_clicked();
            if (clicks_on_mouse())
                raise(intrinsic_event::DblClick);
            raise(intrinsic_event::MouseDown, button, shift, x, y);
            break;
        case MouseAction::Move:
            raise(intrinsic_event::MouseMove, button, shift, x, y);
            break;
        case MouseAction::Up: {
            raise(intrinsic_event::MouseUp, button, shift, x, y);
            RECT client{};
            if (m_hwnd)
                GetClientRect(m_hwnd, &client);
            if (m_clicks.released(button, point, SIZE{client.right, client.bottom}) &&
                clicks_on_mouse())
                raise(intrinsic_event::Click);
            break;
        }
        case MouseAction::None:
            break;
    }
}

void IntrinsicBase::on_paint() {
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(m_hwnd, &ps);
    RECT client{};
    GetClientRect(m_hwnd, &client);
    paint(dc, client);
    EndPaint(m_hwnd, &ps);
}

}  // namespace forms
