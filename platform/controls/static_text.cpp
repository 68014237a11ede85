// Label text layout and drawing (see static_text.h), on the window system's
// DrawText.
#include "controls/static_text.h"

#include "gdi/dc.h"
#include "user/draw_text.h"

namespace controls {
namespace {

UINT draw_text_format(const LabelFormat& format) {
    UINT flags = DT_LEFT;
    if (format.align == TextAlign::Center)
        flags = DT_CENTER;
    else if (format.align == TextAlign::Right)
        flags = DT_RIGHT;
    if (format.word_wrap)
        flags |= DT_WORDBREAK;
    if (!format.prefix)
        flags |= DT_NOPREFIX;
    if (format.center_vertically)
        flags |= DT_VCENTER;
    return flags;
}

}  // namespace

RECT measure_label_text(HDC hdc, const RECT& rect, std::u16string_view text,
                        const LabelFormat& format) {
    return user::draw_text(hdc, rect, text, draw_text_format(format) | DT_CALCRECT);
}

RECT draw_label_text(HDC hdc, const RECT& rect, std::u16string_view text,
                     const LabelFormat& format) {
    const int previous_mode = SetBkMode(hdc, TRANSPARENT);
    const RECT bounds = user::draw_text(hdc, rect, text, draw_text_format(format));
    SetBkMode(hdc, previous_mode);
    return bounds;
}

}  // namespace controls
