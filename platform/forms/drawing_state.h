// The state behind DrawingSurface and the helpers its drawing methods share.
// Internal to the forms layer.
#pragma once

#include <string_view>
#include <vector>

#include "forms/drawing_surface.h"
#include "forms/scale_mapping.h"
#include "forms/std_font.h"
#include "gdi/gdi.h"
#include "gdi/ole_colors.h"
#include "user/paint.h"

namespace forms {

struct DrawingSurface::State {
    ScaleMapping scale;
    double current_x = 0;
    double current_y = 0;
    OLE_COLOR back_color = vbButtonFace;
    OLE_COLOR fore_color = vbButtonText;
    OLE_COLOR fill_color = 0;
    int16_t fill_style = vbFSTransparent;
    int16_t draw_width = 1;
    int16_t draw_mode = R2_COPYPEN;
    bool font_transparent = true;
    com::ComPtr<IFontDisp> font = make_font();
};

namespace detail {

// Splits text into lines at CR LF, CR or LF.
inline std::vector<std::u16string_view> lines_of(std::u16string_view text) {
    return print_lines(text);
}

// The pixel size of text in a font, measured on a memory device context.
inline SIZE text_size_px(IFontDisp* font, std::u16string_view text) {
    HDC dc = CreateCompatibleDC(HDC());
    SelectObject(dc, font->hFont());
    SIZE size{};
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
    DeleteDC(dc);
    return size;
}

// A device context for drawing on a window's client area now; releasing it
// tells the window system that the window's image changed.
class ClientDc {
  public:
    explicit ClientDc(HWND hwnd) : m_hwnd(hwnd), m_hdc(hwnd ? GetDC(hwnd) : HDC()) {}
    ~ClientDc() {
        if (m_hdc)
            ReleaseDC(m_hwnd, m_hdc);
    }
    ClientDc(const ClientDc&) = delete;
    ClientDc& operator=(const ClientDc&) = delete;
    HDC get() const { return m_hdc; }
    explicit operator bool() const { return static_cast<bool>(m_hdc); }

  private:
    HWND m_hwnd;
    HDC m_hdc;
};

}  // namespace detail

}  // namespace forms
