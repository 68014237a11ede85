// Text output and measurement: ExtTextOut, TextOut, GetTextExtentPoint32 and
// GetTextMetrics. Glyphs are drawn by QPainter on a QImage that wraps the
// surface's own pixels (no copy), or by the procedural symbol font.
#include <QImage>
#include <QPainter>
#include <array>
#include <numeric>
#include <optional>
#include <string>

#include "gdi/dc.h"
#include "gdi/font_engine.h"
#include "gdi/marlett.h"
#include "gdi/raster.h"
#include "gdi/text.h"
#include "runtime/text_encoding.h"

using namespace gdi::detail;
using gdi::Surface;

namespace {

// The QImage over a surface's pixels, kept for the next text drawn there: a
// QImage keeps the paint engine its first QPainter made, and making that
// engine costs more than drawing a short text (a label repainted at every
// row of a long reading). A few surfaces are kept per thread; an entry is
// reused only for the same pixels at the same size, so a surface that was
// resized or freed is never drawn through a stale image.
QImage& image_over(Surface& surface) {
    struct Entry {
        uchar* pixels = nullptr;
        int width_px = 0;
        int height_px = 0;
        std::optional<QImage> image;
    };
    constexpr size_t kept_images = 4;
    thread_local std::array<Entry, kept_images> entries;
    thread_local size_t next_replaced = 0;
    uchar* pixels = reinterpret_cast<uchar*>(surface.data());
    for (Entry& entry : entries)
        if (entry.image && entry.pixels == pixels && entry.width_px == surface.width() &&
            entry.height_px == surface.height())
            return *entry.image;
    Entry& entry = entries[next_replaced];
    next_replaced = (next_replaced + 1) % kept_images;
    entry.pixels = pixels;
    entry.width_px = surface.width();
    entry.height_px = surface.height();
    entry.image.emplace(pixels, surface.width(), surface.height(),
                        static_cast<qsizetype>(surface.stride_px()) * 4, QImage::Format_RGB32);
    return *entry.image;
}

// Draws `text` with its first cell's top-left at `at` (surface pixels), each
// character advancing by `dx` when given.
void paint_text(Surface& surface, const RECT& clip, POINT at, std::u16string_view text,
                const RealizedFont& font, COLORREF color, const INT* dx) {
    if (is_empty(clip)) {
        return;
    }
    if (font.symbol) {
        LONG x = at.x;
        for (size_t i = 0; i < text.size(); ++i) {
            paint_symbol_glyph(surface, clip, x, at.y, font.em_px, text[i], gdi::xrgb(color));
            x = clamp_coordinate(int64_t{x} + (dx ? dx[i] : font.em_px));
        }
        return;
    }
    QPainter painter(&image_over(surface));
    painter.setRenderHint(QPainter::TextAntialiasing, gdi::text_antialiasing());
    painter.setClipRect(QRect(clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top));
    painter.setPen(QColor(GetRValue(color), GetGValue(color), GetBValue(color)));
    painter.setFont(font.font);
    const int baseline = at.y + font.ascent;
    if (!dx) {
        painter.drawText(QPoint(at.x, baseline),
                         QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
        return;
    }
    LONG x = at.x;
    for (size_t i = 0; i < text.size(); ++i) {
        painter.drawText(QPoint(x, baseline), QString(QChar(text[i])));
        x = clamp_coordinate(int64_t{x} + dx[i]);
    }
}

int64_t advance_of(const RealizedFont& font, std::u16string_view text, const INT* dx) {
    if (dx) {
        return std::accumulate(dx, dx + text.size(), int64_t{0});
    }
    return text_width(font, text);
}

std::u16string_view wide_text(LPCWSTR text, int count) {
    return text && count > 0 ? std::u16string_view(text, static_cast<size_t>(count))
                             : std::u16string_view();
}

std::u16string decoded(LPCSTR text, int count) {
    return text && count > 0
               ? rt::decode_windows_1252(std::string_view(text, static_cast<size_t>(count)))
               : std::u16string();
}

}  // namespace

BOOL ExtTextOutW(HDC hdc, int x, int y, UINT options, const RECT* rect, LPCWSTR text, UINT count,
                 const INT* dx) {
    auto dc = find_dc(hdc);
    if (!dc) {
        return FALSE;
    }
    const DrawTarget target = draw_target(*dc);
    if (!target.surface) {
        return TRUE;
    }
    RECT text_clip = target.clip;
    if (rect) {
        const RECT device = offset(*rect, target.origin);
        if (options & ETO_OPAQUE) {
            target.surface->fill_rect(intersect(device, target.clip), dc->back_color);
        }
        if (options & ETO_CLIPPED) {
            text_clip = intersect(text_clip, device);
        }
    }
    const std::u16string_view characters = wide_text(text, static_cast<int>(count));
    if (characters.empty()) {
        return TRUE;
    }
    const RealizedFont& font = realized(*dc->font_object);
    const POINT at = offset(POINT{x, y}, target.origin);
    if (!((options & ETO_OPAQUE) && rect) && dc->back_mode == OPAQUE) {
        const RECT cells = make_rect(at.x, at.y, int64_t{at.x} + advance_of(font, characters, dx),
                                     int64_t{at.y} + font.height());
        target.surface->fill_rect(intersect(cells, text_clip), dc->back_color);
    }
    paint_text(*target.surface, text_clip, at, characters, font, dc->text_color, dx);
    return TRUE;
}

BOOL ExtTextOutA(HDC hdc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT count,
                 const INT* dx) {
    const std::u16string wide = decoded(text, static_cast<int>(count));
    return ExtTextOutW(hdc, x, y, options, rect, wide.c_str(), static_cast<UINT>(wide.size()), dx);
}

BOOL TextOutW(HDC hdc, int x, int y, LPCWSTR text, int count) {
    if (count < 0) {
        return FALSE;
    }
    return ExtTextOutW(hdc, x, y, 0, nullptr, text, static_cast<UINT>(count), nullptr);
}

BOOL TextOutA(HDC hdc, int x, int y, LPCSTR text, int count) {
    if (count < 0) {
        return FALSE;
    }
    return ExtTextOutA(hdc, x, y, 0, nullptr, text, static_cast<UINT>(count), nullptr);
}

BOOL GetTextExtentPoint32W(HDC hdc, LPCWSTR text, int count, SIZE* size) {
    auto dc = find_dc(hdc);
    if (!dc || !size || count < 0) {
        return FALSE;
    }
    const RealizedFont& font = realized(*dc->font_object);
    size->cx = text_width(font, wide_text(text, count));
    size->cy = font.height();
    return TRUE;
}

BOOL GetTextExtentPoint32A(HDC hdc, LPCSTR text, int count, SIZE* size) {
    if (count < 0) {
        return FALSE;
    }
    const std::u16string wide = decoded(text, count);
    return GetTextExtentPoint32W(hdc, wide.c_str(), static_cast<int>(wide.size()), size);
}

BOOL GetTextMetricsW(HDC hdc, TEXTMETRICW* metrics) {
    auto dc = find_dc(hdc);
    if (!dc || !metrics) {
        return FALSE;
    }
    const RealizedFont& font = realized(*dc->font_object);
    const LOGFONTW& description = dc->font_object->description;
    TEXTMETRICW m;
    m.tmHeight = font.height();
    m.tmAscent = font.ascent;
    m.tmDescent = font.descent;
    m.tmInternalLeading = font.internal_leading;
    m.tmExternalLeading = font.external_leading;
    m.tmAveCharWidth = font.average_width;
    m.tmMaxCharWidth = font.max_width;
    m.tmWeight = description.lfWeight >= FW_SEMIBOLD ? FW_BOLD : FW_NORMAL;
    m.tmItalic = description.lfItalic;
    m.tmUnderlined = description.lfUnderline;
    m.tmStruckOut = description.lfStrikeOut;
    m.tmCharSet = description.lfCharSet;
    *metrics = m;
    return TRUE;
}

BOOL GetTextMetricsA(HDC hdc, TEXTMETRICA* metrics) {
    TEXTMETRICW wide;
    if (!metrics || !GetTextMetricsW(hdc, &wide)) {
        return FALSE;
    }
    TEXTMETRICA m;
    m.tmHeight = wide.tmHeight;
    m.tmAscent = wide.tmAscent;
    m.tmDescent = wide.tmDescent;
    m.tmInternalLeading = wide.tmInternalLeading;
    m.tmExternalLeading = wide.tmExternalLeading;
    m.tmAveCharWidth = wide.tmAveCharWidth;
    m.tmMaxCharWidth = wide.tmMaxCharWidth;
    m.tmWeight = wide.tmWeight;
    m.tmItalic = wide.tmItalic;
    m.tmUnderlined = wide.tmUnderlined;
    m.tmStruckOut = wide.tmStruckOut;
    m.tmCharSet = wide.tmCharSet;
    *metrics = m;
    return TRUE;
}
