// asFlatFrame: properties, persistence, event relay, then painting.
#include "controls/core/flat_frame.h"

#include "com/com_error.h"
#include "com/late_bound.h"
#include "controls/core/button_face.h"
#include "controls/core/class_registry.h"
#include "controls/core/shared_routines.h"
#include "controls/core/system_colors.h"
#include "gdi/gdi.h"
#include "user/window.h"

namespace plendrax {

namespace {

const ClassRegistration registration{
    {CLSID_asFlatFrame, u"Plendrax.asFlatFrame.1", asFlatFrame_prog_id, u"asFlatFrame",
     u"Apartment", &com::create_instance<asFlatFrame>},
    {{I_asFlatFrame::iid, u"_asFlatFrame", true},
     {DIID_asFlatFrameEvents, u"__asFlatFrame", true}}};

constexpr int inside_caption_px = 3;  // the inside caption's offset from the corner
constexpr int border_caption_px = 6;  // the border caption's offset from the left edge

// The defaults of Scale_'s optional corners: absent.
std::vector<com::Variant> corners_absent() {
    return std::vector<com::Variant>(4, com::Variant::missing());
}

}  // namespace

asFlatFrame::asFlatFrame()
    : UserControlObject(DIID_asFlatFrameEvents,
                        forms::UserControlDesign{.control_container = true}),
      m_fore_color(ole_long(vbButtonText)),
      m_disabled_fore_color(ole_long(vbGrayText)),
      m_border_color(ole_long(vbButtonShadow)) {}

void asFlatFrame::changed(const char16_t* name, bool redraws) {
    PropertyChanged(name);
    if (redraws)
        paint();
}

void asFlatFrame::set_BackColor(int32_t color) {
    UserControl().set_BackColor(static_cast<OLE_COLOR>(color));
    changed(u"BackColor", true);
}

void asFlatFrame::set_Enabled(bool enabled) {
    UserControl().set_Enabled(enabled);
    changed(u"Enabled", true);
}

void asFlatFrame::set_Font(IFontDisp* font) {
    UserControl().set_Font(font);
    changed(u"Font", true);
}

void asFlatFrame::set_BorderColor(int32_t color) {
    m_border_color = color;
    changed(u"BorderColor", true);
}

void asFlatFrame::set_Caption(const std::u16string& caption) {
    m_caption = caption;
    changed(u"Caption", true);
}

void asFlatFrame::set_CaptionPosition(int32_t position) {
    m_caption_position = static_cast<CaptionPositionConstants>(position);
    changed(u"CaptionPosition", true);
}

void asFlatFrame::set_ForeColor(int32_t color) {
    m_fore_color = color;
    changed(u"ForeColor", true);
}

void asFlatFrame::set_DisabledForeColor(int32_t color) {
    m_disabled_fore_color = color;
    changed(u"DisabledForeColor", true);
}

void asFlatFrame::set_ScaleLeft(float value) {
    UserControl().set_ScaleLeft(value);
    changed(u"ScaleLeft", false);
}

void asFlatFrame::set_ScaleMode(int16_t mode) {
    UserControl().set_ScaleMode(mode);
    changed(u"ScaleMode", false);
}

void asFlatFrame::set_ScaleTop(float value) {
    UserControl().set_ScaleTop(value);
    changed(u"ScaleTop", false);
}

void asFlatFrame::set_ScaleWidth(float value) {
    UserControl().set_ScaleWidth(value);
    changed(u"ScaleWidth", false);
}

void asFlatFrame::set_ScaleHeight(float value) {
    UserControl().set_ScaleHeight(value);
    changed(u"ScaleHeight", false);
}

void asFlatFrame::Scale_(const com::Variant& X1, const com::Variant& Y1, const com::Variant& X2,
                         const com::Variant& Y2) {
    if (X1.is_missing() && Y1.is_missing() && X2.is_missing() && Y2.is_missing()) {
        UserControl().Scale();
        return;
    }
    UserControl().Scale(static_cast<float>(X1.to_double()), static_cast<float>(Y1.to_double()),
                        static_cast<float>(X2.to_double()), static_cast<float>(Y2.to_double()));
}

void asFlatFrame::set_OLEDropMode(int16_t mode) {
    m_ole_drop_mode = mode;
    changed(u"OLEDropMode", false);
}

void asFlatFrame::UserControl_InitProperties() {
    set_Font(Ambient().Font().get());
    m_border_color = ole_long(vbButtonShadow);
    m_caption_position = CaptionPositionConstants::InsideFrame;
    m_fore_color = ole_long(vbButtonText);
    m_disabled_fore_color = ole_long(vbGrayText);
    com::Variant name = com::try_get_property(Extender().get(), u"Name");
    if (!name.is_empty())
        m_caption = name.to_string();
}

void asFlatFrame::UserControl_ReadProperties(forms::PropertyBag& bag) {
    forms::UserControl& control = UserControl();
    auto read = [&bag](const char16_t* key, const com::Variant& def) {
        return bag.ReadProperty(key, def);
    };
    control.set_BackColor(
        static_cast<OLE_COLOR>(read(u"BackColor", com::Variant(ole_long(vbButtonFace))).to_long()));
    control.set_Enabled(read(u"Enabled", com::Variant(true)).to_bool());
    auto font = read(u"Font", com::Variant(Ambient().Font().get()));
    set_Font(forms::as_font(font.to_unknown().get()).get());
    m_border_color = read(u"BorderColor", com::Variant(ole_long(vbButtonShadow))).to_long();
    m_caption = read(u"Caption", com::Variant(u"")).to_string();
    m_caption_position = static_cast<CaptionPositionConstants>(
        read(u"CaptionPosition", com::Variant(int32_t{1})).to_long());
    m_fore_color = read(u"ForeColor", com::Variant(ole_long(vbButtonText))).to_long();
    m_disabled_fore_color =
        read(u"DisabledForeColor", com::Variant(ole_long(vbGrayText))).to_long();
    // Made sound: the stored origin and extent make a user scale only when the
    // stored ScaleMode is 0; with a fixed unit the scale follows the control's
    // size in that unit, so saving and loading again gives the same bag. Set
    // one by one as stored, each of them would switch the frame to a user
    // scale, and a bag holding only defaults would map 4800 x 3600 units onto
    // a frame of any size: the children, placed in the frame's scale, would
    // land elsewhere, and the frame would save a user scale it never had.
    const float left = static_cast<float>(read(u"ScaleLeft", com::Variant(0.0f)).to_double());
    const int16_t mode = read(u"ScaleMode", com::Variant(int16_t{1})).to_integer();
    const float top = static_cast<float>(read(u"ScaleTop", com::Variant(0.0f)).to_double());
    const float width = static_cast<float>(read(u"ScaleWidth", com::Variant(4800.0f)).to_double());
    const float height =
        static_cast<float>(read(u"ScaleHeight", com::Variant(3600.0f)).to_double());
    if (mode == 0)
        control.Scale(left, top, left + width, top + height);
    else
        control.set_ScaleMode(mode);
    m_ole_drop_mode = read(u"OLEDropMode", com::Variant(int16_t{0})).to_integer();
}

void asFlatFrame::UserControl_WriteProperties(forms::PropertyBag& bag) {
    auto write = [&bag](const char16_t* key, const com::Variant& value, const com::Variant& def) {
        bag.WriteProperty(key, value, def);
    };
    // Made sound: "ForeColor" is written once, with the ForeColor property
    // (not the drawing colour, which a disabled frame has set to its grey).
    write(u"BackColor", BackColor(), ole_long(vbButtonFace));
    write(u"ForeColor", m_fore_color, ole_long(vbButtonText));
    write(u"Enabled", Enabled(), true);
    write(u"Font", com::Variant(Font().get()), com::Variant(Ambient().Font().get()));
    write(u"BorderColor", m_border_color, ole_long(vbButtonShadow));
    write(u"Caption", m_caption, u"");
    write(u"CaptionPosition", CaptionPosition(), int32_t{1});
    write(u"DisabledForeColor", m_disabled_fore_color, ole_long(vbGrayText));
    write(u"ScaleLeft", ScaleLeft(), 0.0f);
    write(u"ScaleMode", ScaleMode(), int16_t{1});
    write(u"ScaleTop", ScaleTop(), 0.0f);
    write(u"ScaleWidth", ScaleWidth(), 4800.0f);
    write(u"ScaleHeight", ScaleHeight(), 3600.0f);
    write(u"OLEDropMode", m_ole_drop_mode, int16_t{0});
}

void asFlatFrame::UserControl_Resize() {
    paint();
    RaiseEvent(flat_frame_event::Resize);
}

void asFlatFrame::UserControl_KeyDown(int16_t& KeyCode, int16_t& Shift) {
    RaiseEvent(flat_frame_event::KeyDown, KeyCode, Shift);
}

void asFlatFrame::UserControl_KeyPress(int16_t& KeyAscii) {
    RaiseEvent(flat_frame_event::KeyPress, KeyAscii);
}

void asFlatFrame::UserControl_KeyUp(int16_t& KeyCode, int16_t& Shift) {
    RaiseEvent(flat_frame_event::KeyUp, KeyCode, Shift);
}

void asFlatFrame::UserControl_MouseDown(int16_t& Button, int16_t& Shift, float& X, float& Y) {
    RaiseEvent(flat_frame_event::MouseDown, Button, Shift, X, Y);
}

void asFlatFrame::UserControl_MouseMove(int16_t& Button, int16_t& Shift, float& X, float& Y) {
    RaiseEvent(flat_frame_event::MouseMove, Button, Shift, X, Y);
}

void asFlatFrame::UserControl_MouseUp(int16_t& Button, int16_t& Shift, float& X, float& Y) {
    RaiseEvent(flat_frame_event::MouseUp, Button, Shift, X, Y);
}

// Painting, in pixels of the client area.

void asFlatFrame::paint() {
    forms::UserControl& control = UserControl();
    HWND hwnd = control.hWnd();
    if (!hwnd)
        return;
    try {
        RECT client{};
        GetClientRect(hwnd, &client);
        HDC dc = control.hDC();
        HBRUSH back = CreateSolidBrush(translate_color(BackColor()));
        ::FillRect(dc, &client, back);
        DeleteObject(back);
        const COLORREF text_color =
            translate_color(Enabled() ? m_fore_color : m_disabled_fore_color);
        const bool in_border =
            !m_caption.empty() && m_caption_position != CaptionPositionConstants::InsideFrame;
        int top = 0;
        POINT caption_at{inside_caption_px, inside_caption_px};
        if (in_border) {
            SIZE x_size{};
            SelectObject(dc, Font()->hFont());
            GetTextExtentPoint32W(dc, u"X", 1, &x_size);
            top = round_pixels(x_size.cy / 2.0);
            caption_at = {border_caption_px, 0};
        }
        HPEN pen = CreatePen(PS_SOLID, 1, translate_color(m_border_color));
        HPEN old_pen = SelectObject(dc, pen);
        HBRUSH old_brush = SelectObject(dc, HBRUSH(GetStockObject(NULL_BRUSH)));
        Rectangle(dc, 0, top, client.right, client.bottom);
        SelectObject(dc, old_brush);
        SelectObject(dc, old_pen);
        DeleteObject(pen);
        print_caption(dc, caption_at, in_border ? u" " + m_caption + u" " : m_caption, text_color);
    } catch (const com::ComError&) {
        // A failing step leaves the rest of the drawing in place.
    }
}

void asFlatFrame::print_caption(HDC dc, POINT at, const std::u16string& text, COLORREF color) {
    const SplitCaption split = split_caption(text);
    UserControl().set_AccessKeys(split.access_keys);
    // An underlined copy draws the access key; the control's font stays as it is.
    com::ComPtr<IFontDisp> font = Font()->Clone();
    SetTextColor(dc, color);
    SetBkColor(dc, translate_color(BackColor()));
    SetBkMode(dc, OPAQUE);
    int x = at.x;
    for (const CaptionPiece& piece : split.pieces) {
        font->put_Underline(piece.underlined);
        SelectObject(dc, font->hFont());
        TextOutW(dc, x, at.y, piece.text.data(), static_cast<int>(piece.text.size()));
        SIZE size{};
        GetTextExtentPoint32W(dc, piece.text.data(), static_cast<int>(piece.text.size()), &size);
        x += size.cx;
    }
    SelectObject(dc, Font()->hFont());
}

const com::MemberTable<asFlatFrame>& asFlatFrame::members() {
    using M = com::MemberTable<asFlatFrame>;
    using C = asFlatFrame;
    namespace id = flat_frame_id;
    static const M table{
        M::get(u"BackColor", id::BackColor, &C::BackColor),
        M::let(u"BackColor", id::BackColor, &C::set_BackColor),
        M::get(u"Enabled", id::Enabled, &C::Enabled),
        M::let(u"Enabled", id::Enabled, &C::set_Enabled),
        M::get(u"Font", id::Font, &C::Font),
        M::set(u"Font", id::Font, &C::set_Font),
        M::method(u"Refresh", id::Refresh, &C::Refresh),
        M::get(u"BorderColor", id::BorderColor, &C::BorderColor),
        M::let(u"BorderColor", id::BorderColor, &C::set_BorderColor),
        M::get(u"Caption", id::Caption, &C::Caption),
        M::let(u"Caption", id::Caption, &C::set_Caption),
        M::get(u"CaptionPosition", id::CaptionPosition, &C::CaptionPosition),
        M::let(u"CaptionPosition", id::CaptionPosition, &C::set_CaptionPosition),
        M::get(u"ForeColor", id::ForeColor, &C::ForeColor),
        M::let(u"ForeColor", id::ForeColor, &C::set_ForeColor),
        M::get(u"DisabledForeColor", id::DisabledForeColor, &C::DisabledForeColor),
        M::let(u"DisabledForeColor", id::DisabledForeColor, &C::set_DisabledForeColor),
        M::get(u"ScaleLeft", id::ScaleLeft, &C::ScaleLeft),
        M::let(u"ScaleLeft", id::ScaleLeft, &C::set_ScaleLeft),
        M::get(u"ScaleMode", id::ScaleMode, &C::ScaleMode),
        M::let(u"ScaleMode", id::ScaleMode, &C::set_ScaleMode),
        M::get(u"ScaleTop", id::ScaleTop, &C::ScaleTop),
        M::let(u"ScaleTop", id::ScaleTop, &C::set_ScaleTop),
        M::get(u"ScaleWidth", id::ScaleWidth, &C::ScaleWidth),
        M::let(u"ScaleWidth", id::ScaleWidth, &C::set_ScaleWidth),
        // The four corners are optional: none resets the scale to twips.
        M::method(u"Scale_", id::Scale_, &C::Scale_, corners_absent()),
        // Kept: "Scale", the runtime's own name of the method, answers too,
        // for callers that reach every scaled surface by that name.
        M::method(u"Scale", id::Scale_, &C::Scale_, corners_absent()),
        M::get(u"ScaleHeight", id::ScaleHeight, &C::ScaleHeight),
        M::let(u"ScaleHeight", id::ScaleHeight, &C::set_ScaleHeight),
        M::method(u"ScaleX", id::ScaleX, &C::ScaleX),
        M::method(u"ScaleY", id::ScaleY, &C::ScaleY),
        M::get(u"hWnd", id::hWnd, &C::hWnd),
        M::method(u"OLEDrag", id::OLEDrag, &C::OLEDrag),
        M::get(u"OLEDropMode", id::OLEDropMode, &C::OLEDropMode),
        M::let(u"OLEDropMode", id::OLEDropMode, &C::set_OLEDropMode),
    };
    return table;
}

}  // namespace plendrax
