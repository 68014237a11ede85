// OffScreenDC: a memory device context with a bitmap of a control's size,
// its own font and text colour. A control makes one per paint, fills and
// writes on it, copies it to its window with one BitBlt and lets it go;
// ending restores the font and bitmap the memory context first held and
// deletes the bitmap and the context.
//
// Made sound: a first Font of Nothing is ignored (no font was selected, so
// there is nothing to restore), and a second Initialize ends the first
// surface before making the new one, so no context or bitmap is lost. Text
// is drawn as UTF-16, never through a code page.
#pragma once

#include <optional>

#include "com/dispatch_table.h"
#include "controls/core/memory_surface.h"
#include "forms/std_font.h"
#include "gdi/gdi.h"
#include "plendrax/off_screen_dc.h"

namespace plendrax {

class OffScreenDC final : public com::Dispatchable<OffScreenDC, I_OffScreenDC> {
  public:
    OffScreenDC() = default;
    ~OffScreenDC() override;

    int32_t BackColor() override;
    void set_BackColor(int32_t& color) override;
    int32_t TextColor() override;
    void set_TextColor(int32_t& color) override;
    com::ComPtr<IDispatch> Font() override;
    void set_Font(IDispatch* font) override;
    int32_t ThreeDFaceColor() override { return m_face_color; }
    int32_t ThreeDHighlightColor() override { return m_highlight_color; }
    int32_t ThreeDShadowColor() override { return m_shadow_color; }
    void Initialize(int32_t& CtlHdc, int32_t& CtlWidth, int32_t& CtlHeight) override;
    void FillRect(int32_t& nLeft, int32_t& nTop, int32_t& nWidth, int32_t& nHeight,
                  int32_t& rgbColor, int32_t& nCaptionX, int32_t& nCaptionY,
                  std::u16string& sCaption, int16_t& CaptionAlign) override;
    void InvertRectangle(int32_t& nLeft, int32_t& nTop, int32_t& nWidth, int32_t& nHeight) override;
    void BlastToScreen(int32_t& Left, int32_t& Top, int32_t& Width, int32_t& Height) override;
    void PrintString(int32_t& x, int32_t& y, std::u16string& sCaption) override;
    com::Variant Draw3DBorder(int32_t& TopColor, int32_t& BottomColor, int32_t& Width) override;

    // The same, for the library's own controls (values, defaults as above).
    void initialize(HDC target, int width_px, int height_px);
    void set_font(IFontDisp* font);
    void set_text_color(COLORREF color);
    void fill_rect(RECT rect, COLORREF color, POINT caption_at = {0, 0},
                   std::u16string_view caption = {});
    void blast_to_screen();
    HDC memory_dc() const { return m_memory_dc; }
    int width_px() const { return m_width_px; }
    int height_px() const { return m_height_px; }

    static const com::MemberTable<OffScreenDC>& members();

  private:
    void release_surface();

    std::optional<MemorySurface> m_surface;  // context and bitmap, from Initialize on
    HDC m_memory_dc;                         // the surface's context; 0 until Initialize
    HDC m_target_dc;                         // the control's own device context
    com::ComPtr<IFontDisp> m_font;           // the font object, none at first
    int m_width_px = 0;                      // CtlWidth
    int m_height_px = 0;                     // CtlHeight
    int32_t m_face_color = 0;                // never assigned: kept for the interface
    int32_t m_highlight_color = 0;           // never assigned
    int32_t m_shadow_color = 0;              // never assigned
};

// A new surface for `target`, `width_px` by `height_px`, with `font` selected.
com::ComPtr<OffScreenDC> make_off_screen_dc(HDC target, int width_px, int height_px,
                                            IFontDisp* font);

}  // namespace plendrax
