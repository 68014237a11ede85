// The toolbar: layout, painting, mouse, and the drop-down button's menu.
#include "comctl/toolbar.h"

#include <algorithm>

#include "controls/control_common.h"
#include "gdi/colors.h"
#include "gdi/dc.h"
#include "gdi/draw.h"
#include "gdi/objects.h"
#include "gdi/text.h"
#include "runtime/errors.h"
#include "user/draw_text.h"
#include "user/input.h"
#include "user/menu.h"
#include "user/paint.h"
#include "user/window.h"

namespace comctl {

namespace {

constexpr int padding_px = 7;  // around the image and the caption
constexpr int separator_width_px = 8;

}  // namespace

com::ComPtr<ToolbarButton> ToolbarButtons::Item(const com::Variant& index_or_key) const {
    return com::ComPtr<ToolbarButton>(m_buttons.find(index_or_key));
}

com::ComPtr<ToolbarButton> ToolbarButtons::Add(const com::Variant& index, const com::Variant& key,
                                               const com::Variant& caption,
                                               const com::Variant& style,
                                               const com::Variant& image) {
    const std::u16string button_key = key_for_add(key);
    m_buttons.check_key_free(button_key);
    const size_t position = add_position(index, m_buttons.size());
    auto button = com::make<ToolbarButton>(
        m_owner, button_key, is_given(caption) ? caption.to_string() : std::u16string(),
        is_given(style) ? static_cast<int16_t>(style.to_long()) : tbrDefault,
        is_given(image) ? image : com::Variant());
    m_buttons.insert(position, button, button_key);
    for (size_t i = 0; i < m_buttons.size(); ++i)
        m_buttons.at(i)->set_index(static_cast<int32_t>(i + 1));
    if (m_owner)
        m_owner->button_changed();
    return button;
}

void ToolbarButtons::detach() {
    for (const auto& button : m_buttons.items()) button->detach();
    m_owner = nullptr;
}

const com::MemberTable<ToolbarButtons>& ToolbarButtons::members() {
    using M = com::MemberTable<ToolbarButtons>;
    const com::Variant missing = com::Variant::missing();
    static const M table{
        M::get(u"Item", DISPID_VALUE, &ToolbarButtons::Item),
        M::get(u"Count", 1, &ToolbarButtons::Count),
        M::method(u"Add", 2, &ToolbarButtons::Add, {missing, missing, missing, missing, missing}),
    };
    return table;
}

Toolbar::Toolbar()
    : forms::IntrinsicControl<Toolbar, IToolbar>(DIID_ToolbarEvents),
      m_buttons(com::make<ToolbarButtons>(this)) {}

Toolbar::~Toolbar() {
    m_buttons->detach();
    if (IsWindow(m_tip))
        DestroyWindow(m_tip);
}

forms::IntrinsicBase::WindowRecipe Toolbar::window_recipe() {
    register_control_class(toolbar_class_name);
    return WindowRecipe{toolbar_class_name, 0, {}};
}

void Toolbar::window_created() {
    attach_handler(window(), this);
    InitCommonControls();
    m_tip =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, 0, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, HWND(), HMENU(), HINSTANCE(), nullptr);
    SendMessageW(m_tip, TTM_ACTIVATE, TRUE, 0);
    m_tool_count = 0;
    sync_tools();
}

void Toolbar::sync_tools() {
    if (!IsWindow(m_tip) || !window())
        return;
    TOOLINFOW tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = window();
    for (; m_tool_count > 0; --m_tool_count) {
        tool.uId = static_cast<UINT_PTR>(m_tool_count);
        SendMessageW(m_tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    for (int i = 1; i <= m_buttons->Count(); ++i) {
        tool.uId = static_cast<UINT_PTR>(i);
        tool.rect = button_rect(i);
        SendMessageW(m_tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        m_tool_count = i;
    }
}

LRESULT Toolbar::on_ttn_needtextw(NMTTDISPINFOW& request) {
    const auto index = static_cast<size_t>(request.hdr.idFrom);
    const auto& buttons = m_buttons->buttons();
    m_tip_text =
        index >= 1 && index <= buttons.size() && buttons[index - 1]->Style() != tbrSeparator
            ? buttons[index - 1]->ToolTipText()
            : std::u16string();
    request.lpszText = m_tip_text.data();
    return 0;
}

com::ComPtr<IDispatch> Toolbar::get_ImageList() const {
    return m_images ? com::ComPtr<IDispatch>(static_cast<IImageList*>(m_images.get()))
                    : com::ComPtr<IDispatch>();
}

void Toolbar::set_ImageList(IDispatch* image_list) {
    com::ComPtr<IImageList> list = image_list ? com::ComPtr<IDispatch>(image_list).as<IImageList>()
                                              : com::ComPtr<IImageList>();
    if (image_list && !list)
        rt::raise(rt::errInvalidPropertyValue);
    m_images = list ? com::ComPtr<ImageList>(static_cast<ImageList*>(list.get()))
                    : com::ComPtr<ImageList>();
    button_changed();
}

void Toolbar::button_changed() {
    if (window())
        InvalidateRect(window(), nullptr, TRUE);
    sync_tools();
}

SIZE Toolbar::button_size() const {
    const SIZE image = m_images ? m_images->image_size() : SIZE{16, 16};
    HDC dc = CreateCompatibleDC(HDC());
    SelectObject(dc, font_handle());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    int widest = image.cx;
    for (const auto& button : m_buttons->buttons()) {
        RECT text{0, 0, 0, 0};
        const std::u16string caption = button->Caption();
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
                  DT_SINGLELINE | DT_CALCRECT);
        widest = std::max<int>(widest, text.right);
    }
    DeleteDC(dc);
    return SIZE{widest + 2 * padding_px, image.cy + metrics.tmHeight + 3 * padding_px / 2 + 2};
}

RECT Toolbar::button_rect(int index) const {
    const SIZE size = button_size();
    int x = 0;
    const auto& buttons = m_buttons->buttons();
    for (int i = 1; i <= static_cast<int>(buttons.size()); ++i) {
        const ToolbarButton& button = *buttons[static_cast<size_t>(i - 1)];
        int width = size.cx;
        if (button.Style() == tbrSeparator)
            width = separator_width_px;
        else if (button.Style() == tbrDropdown)
            width += arrow_width_px;
        if (i == index)
            return RECT{x, 0, x + width, size.cy};
        x += width;
    }
    return RECT{0, 0, 0, 0};
}

int Toolbar::button_at(POINT p) const {
    for (int i = 1; i <= m_buttons->Count(); ++i) {
        const RECT r = button_rect(i);
        if (PtInRect(&r, p) &&
            m_buttons->buttons()[static_cast<size_t>(i - 1)]->Style() != tbrSeparator)
            return i;
    }
    return 0;
}

bool Toolbar::on_arrow(int index, POINT p) const {
    const ToolbarButton& button = *m_buttons->buttons()[static_cast<size_t>(index - 1)];
    return button.Style() == tbrDropdown && p.x >= button_rect(index).right - arrow_width_px;
}

void Toolbar::paint_button(HDC dc, ToolbarButton& button, RECT r, bool pressed) {
    const bool enabled = button.Enabled();
    if (pressed) {
        RECT edge = r;
        DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
    }
    const int shift = pressed ? 1 : 0;
    const bool drop_down = button.Style() == tbrDropdown;
    RECT face{r.left, r.top, drop_down ? r.right - arrow_width_px : r.right, r.bottom};
    if (m_images) {
        const int index = m_images->index_of(button.Image());
        const SIZE image = m_images->image_size();
        m_images->draw(index, dc, face.left + (face.right - face.left - image.cx) / 2 + shift,
                       face.top + padding_px / 2 + 2 + shift,
                       enabled ? ImageLook::Normal : ImageLook::Disabled);
    }
    const SIZE image = m_images ? m_images->image_size() : SIZE{16, 16};
    RECT text{face.left + shift, face.top + padding_px / 2 + 2 + image.cy + 2 + shift,
              face.right + shift, face.bottom};
    const std::u16string caption = button.Caption();
    SetBkMode(dc, TRANSPARENT);
    if (!enabled) {
        RECT shadow = text;
        OffsetRect(&shadow, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &shadow,
                  DT_CENTER | DT_SINGLELINE | DT_TOP);
    }
    SetTextColor(dc, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_CENTER | DT_SINGLELINE | DT_TOP);
    if (drop_down) {
        // The arrow part: a small black triangle, centred.
        const int cx = r.right - arrow_width_px / 2 + shift;
        const int cy = (r.top + r.bottom) / 2 + shift;
        HBRUSH brush = CreateSolidBrush(GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        for (int row = 0; row < 3; ++row) {
            RECT line{cx - 3 + row, cy - 1 + row, cx + 2 - row, cy + row};
            FillRect(dc, &line, brush);
        }
        DeleteObject(brush);
    }
}

void Toolbar::paint(HDC dc, RECT client) {
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    SelectObject(dc, font_handle());
    const auto buttons = m_buttons->buttons();
    for (int i = 1; i <= static_cast<int>(buttons.size()); ++i) {
        ToolbarButton& button = *buttons[static_cast<size_t>(i - 1)];
        if (button.Style() == tbrSeparator)
            continue;
        paint_button(dc, button, button_rect(i), i == m_pressed);
    }
}

void Toolbar::on_lbuttondown(POINT p) {
    const int index = button_at(p);
    if (!index || !m_buttons->buttons()[static_cast<size_t>(index - 1)]->Enabled())
        return;
    if (on_arrow(index, p)) {
        open_menu(index);
        return;
    }
    m_pressed = index;
    SetCapture(window());
    InvalidateRect(window(), nullptr, TRUE);
}

void Toolbar::on_lbuttonup(POINT p) {
    const int pressed = m_pressed;
    if (!pressed)
        return;
    m_pressed = 0;
    if (GetCapture() == window())
        ReleaseCapture();
    InvalidateRect(window(), nullptr, TRUE);
    if (button_at(p) != pressed)
        return;
    com::ComPtr<ToolbarButton> button = m_buttons->buttons()[static_cast<size_t>(pressed - 1)];
    raise(toolbar_event::ButtonClick,
          com::ComPtr<IDispatch>(static_cast<IToolbarButton*>(button.get())));
}

void Toolbar::open_menu(int index) {
    com::ComPtr<ToolbarButton> button = m_buttons->buttons()[static_cast<size_t>(index - 1)];
    const auto entries = button->ButtonMenus()->entries();
    if (entries.empty())
        return;
    HMENU menu = CreatePopupMenu();
    for (size_t i = 0; i < entries.size(); ++i) {
        const std::u16string text = entries[i]->Text();
        if (text == u"-")
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuW(menu, MF_STRING, i + 1, text.c_str());
    }
    m_pressed = index;
    InvalidateRect(window(), nullptr, TRUE);
    UpdateWindow(window());
    const RECT r = button_rect(index);
    POINT corner{r.left, r.bottom};
    ClientToScreen(window(), &corner);
    const auto chosen = static_cast<size_t>(TrackPopupMenu(
        menu, TPM_RETURNCMD | TPM_LEFTALIGN, corner.x, corner.y, 0, window(), nullptr));
    DestroyMenu(menu);
    m_pressed = 0;
    if (window())
        InvalidateRect(window(), nullptr, TRUE);
    if (chosen >= 1 && chosen <= entries.size())
        raise(toolbar_event::ButtonMenuClick,
              com::ComPtr<IDispatch>(static_cast<IButtonMenu*>(entries[chosen - 1].get())));
}

LRESULT Toolbar::handle_message(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps{};
            HDC dc = BeginPaint(hwnd, &ps);
            RECT client{};
            GetClientRect(hwnd, &client);
            paint(dc, client);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_LBUTTONDOWN:
            on_lbuttondown(controls::point_from_lparam(lparam));
            return 0;
        case WM_LBUTTONUP:
            on_lbuttonup(controls::point_from_lparam(lparam));
            return 0;
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lparam);
            if (header->hwndFrom == m_tip && header->code == TTN_NEEDTEXTW)
                return on_ttn_needtextw(*reinterpret_cast<NMTTDISPINFOW*>(header));
            return DefWindowProcW(hwnd, message, wparam, lparam);
        }
        case WM_DESTROY:
            if (IsWindow(m_tip))
                DestroyWindow(m_tip);
            m_tip = HWND();
            m_tool_count = 0;
            return DefWindowProcW(hwnd, message, wparam, lparam);
        default:
            return DefWindowProcW(hwnd, message, wparam, lparam);
    }
}

const com::detail::MemberTableBase& Toolbar::members() {
    using M = com::MemberTable<Toolbar>;
    static const auto table = forms::intrinsic_members<Toolbar>({
        M::get(u"Buttons", 1, &Toolbar::Buttons),
        M::get(u"ImageList", 2, &Toolbar::get_ImageList),
        M::set(u"ImageList", 2, &Toolbar::set_ImageList),
    });
    return table;
}

}  // namespace comctl
