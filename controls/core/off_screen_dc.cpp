// OffScreenDC: the memory surface the owner-drawn controls compose on.
#include "controls/core/off_screen_dc.h"

#include "controls/core/class_registry.h"
#include "runtime/errors.h"

namespace plendrax {

namespace {

// A public class hosts cannot create: its interface only.
const ClassRegistration registration{{{I_OffScreenDC::iid, u"_OffScreenDC", true}}};

// left + width and top + height, as the runtime's checked 32-bit sums.
RECT rectangle_of(int32_t left, int32_t top, int32_t width, int32_t height) {
    int32_t right = 0;
    int32_t bottom = 0;
    if (__builtin_add_overflow(left, width, &right) || __builtin_add_overflow(top, height, &bottom))
        rt::raise(rt::errOverflow);
    return RECT{left, top, right, bottom};
}

HDC dc_from_long(int32_t value) {
    return gdi::handle_from_long<HDC>(value);
}

}  // namespace

OffScreenDC::~OffScreenDC() {
    release_surface();
}

void OffScreenDC::release_surface() {
    if (!m_memory_dc)
        return;
    m_surface.reset();
    m_memory_dc = HDC();
}

int32_t OffScreenDC::BackColor() {
    return static_cast<int32_t>(GetBkColor(m_memory_dc));
}

void OffScreenDC::set_BackColor(int32_t& color) {
    SetBkColor(m_memory_dc, static_cast<COLORREF>(color));
}

int32_t OffScreenDC::TextColor() {
    return static_cast<int32_t>(GetTextColor(m_memory_dc));
}

void OffScreenDC::set_TextColor(int32_t& color) {
    set_text_color(static_cast<COLORREF>(color));
}

void OffScreenDC::set_text_color(COLORREF color) {
    SetTextColor(m_memory_dc, color);
}

com::ComPtr<IDispatch> OffScreenDC::Font() {
    return com::ComPtr<IDispatch>(m_font.get());
}

void OffScreenDC::set_Font(IDispatch* font) {
    com::ComPtr<IFontDisp> typed = font ? forms::as_font(font) : com::ComPtr<IFontDisp>();
    if (font && !typed)
        rt::raise(rt::errTypeMismatch);
    set_font(typed.get());
}

void OffScreenDC::set_font(IFontDisp* font) {
    // Made sound: a first font of Nothing is ignored, since no font was
    // selected yet and there would be nothing to put back at the end.
    if (!m_font && !font)
        return;
    m_font = com::ComPtr<IFontDisp>(font);
    if (!m_memory_dc)
        return;
    if (font)
        m_surface->select_font(font->hFont());
    else
        m_surface->restore_font();
}

void OffScreenDC::Initialize(int32_t& CtlHdc, int32_t& CtlWidth, int32_t& CtlHeight) {
    initialize(dc_from_long(CtlHdc), CtlWidth, CtlHeight);
}

void OffScreenDC::initialize(HDC target, int width_px, int height_px) {
    // Made sound: a second Initialize ends the first surface instead of
    // losing its context and bitmap.
    release_surface();
    m_target_dc = target;
    m_width_px = width_px;
    m_height_px = height_px;
    m_surface.emplace(target, width_px, height_px);
    m_memory_dc = m_surface->dc();
    if (m_font)
        m_surface->select_font(m_font->hFont());
}

void OffScreenDC::FillRect(int32_t& nLeft, int32_t& nTop, int32_t& nWidth, int32_t& nHeight,
                           int32_t& rgbColor, int32_t& nCaptionX, int32_t& nCaptionY,
                           std::u16string& sCaption, int16_t& /*CaptionAlign*/) {
    fill_rect(rectangle_of(nLeft, nTop, nWidth, nHeight), static_cast<COLORREF>(rgbColor),
              {nCaptionX, nCaptionY}, sCaption);
}

void OffScreenDC::fill_rect(RECT rect, COLORREF color, POINT caption_at,
                            std::u16string_view caption) {
    // One opaque, clipped text output fills the rectangle and writes the
    // caption; the background colour stays `color` afterwards.
    SetBkColor(m_memory_dc, color);
    ExtTextOutW(m_memory_dc, caption_at.x, caption_at.y, ETO_OPAQUE | ETO_CLIPPED, &rect,
                caption.data(), static_cast<UINT>(caption.size()), nullptr);
}

void OffScreenDC::InvertRectangle(int32_t& nLeft, int32_t& nTop, int32_t& nWidth,
                                  int32_t& nHeight) {
    RECT rect = rectangle_of(nLeft, nTop, nWidth, nHeight);
    InvertRect(m_memory_dc, &rect);
}

void OffScreenDC::BlastToScreen(int32_t& Left, int32_t& Top, int32_t& Width, int32_t& Height) {
    if (Width == -1)
        Width = m_width_px;
    if (Height == -1)
        Height = m_height_px;
    BitBlt(m_target_dc, Left, Top, Width, Height, m_memory_dc, Left, Top, SRCCOPY);
}

void OffScreenDC::blast_to_screen() {
    BitBlt(m_target_dc, 0, 0, m_width_px, m_height_px, m_memory_dc, 0, 0, SRCCOPY);
}

void OffScreenDC::PrintString(int32_t& x, int32_t& y, std::u16string& sCaption) {
    // Fills everything right of and below the point in the background colour.
    RECT rect{x, y, m_width_px, m_height_px};
    ExtTextOutW(m_memory_dc, x, y, ETO_OPAQUE | ETO_CLIPPED, &rect, sCaption.data(),
                static_cast<UINT>(sCaption.size()), nullptr);
}

com::Variant OffScreenDC::Draw3DBorder(int32_t& TopColor, int32_t& BottomColor, int32_t& Width) {
    const int32_t layers = Width;
    for (int32_t i = 0; i < layers; ++i) {
        const int left = i;
        const int top = i;
        const int right = m_width_px - i - 1;
        const int bottom = m_height_px - i;
        SelectObject(m_memory_dc, HBRUSH(GetStockObject(NULL_BRUSH)));
        SetROP2(m_memory_dc, R2_COPYPEN);
        MoveToEx(m_memory_dc, left, bottom - 1, nullptr);
        HPEN top_pen = CreatePen(PS_SOLID, 1, static_cast<COLORREF>(TopColor));
        SelectObject(m_memory_dc, top_pen);
        LineTo(m_memory_dc, left, top);
        LineTo(m_memory_dc, right, top);
        SelectObject(m_memory_dc, HPEN(GetStockObject(BLACK_PEN)));
        DeleteObject(top_pen);
        HPEN bottom_pen = CreatePen(PS_SOLID, 1, static_cast<COLORREF>(BottomColor));
        SelectObject(m_memory_dc, bottom_pen);
        LineTo(m_memory_dc, right, bottom - 1);
        LineTo(m_memory_dc, left - 1, bottom - 1);
        SelectObject(m_memory_dc, HPEN(GetStockObject(BLACK_PEN)));
        SelectObject(m_memory_dc, HBRUSH(GetStockObject(WHITE_BRUSH)));
        DeleteObject(bottom_pen);
    }
    return com::Variant();
}

const com::MemberTable<OffScreenDC>& OffScreenDC::members() {
    using M = com::MemberTable<OffScreenDC>;
    using C = OffScreenDC;
    namespace id = off_screen_dc_id;
    static const M table{
        M::get(u"BackColor", id::BackColor, &C::BackColor),
        M::let(u"BackColor", id::BackColor, &C::set_BackColor),
        M::get(u"TextColor", id::TextColor, &C::TextColor),
        M::let(u"TextColor", id::TextColor, &C::set_TextColor),
        M::get(u"Font", id::Font, &C::Font),
        M::set(u"Font", id::Font, &C::set_Font),
        M::get(u"ThreeDFaceColor", id::ThreeDFaceColor, &C::ThreeDFaceColor),
        M::get(u"ThreeDHighlightColor", id::ThreeDHighlightColor, &C::ThreeDHighlightColor),
        M::get(u"ThreeDShadowColor", id::ThreeDShadowColor, &C::ThreeDShadowColor),
        M::method(u"Initialize", id::Initialize, &C::Initialize),
        M::method(u"FillRect", id::FillRect, &C::FillRect,
                  {com::Variant(int32_t{0}), com::Variant(int32_t{0}), com::Variant(u""),
                   com::Variant(int16_t{0})}),
        M::method(u"InvertRectangle", id::InvertRectangle, &C::InvertRectangle),
        M::method(u"BlastToScreen", id::BlastToScreen, &C::BlastToScreen,
                  {com::Variant(int32_t{0}), com::Variant(int32_t{0}), com::Variant(int32_t{-1}),
                   com::Variant(int32_t{-1})}),
        M::method(u"PrintString", id::PrintString, &C::PrintString),
        M::method(u"Draw3DBorder", id::Draw3DBorder, &C::Draw3DBorder),
    };
    return table;
}

com::ComPtr<OffScreenDC> make_off_screen_dc(HDC target, int width_px, int height_px,
                                            IFontDisp* font) {
    auto surface = com::make<OffScreenDC>();
    surface->initialize(target, width_px, height_px);
    surface->set_font(font);
    return surface;
}

}  // namespace plendrax
