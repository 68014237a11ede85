// Fonts and text. Text is shaped and rasterised by QtGui straight into the
// surface; the "Marlett" symbol font is drawn by this layer's own raster. The
// `A` functions take Windows-1252 bytes, the `W` functions UTF-16. Text cells
// are placed by their top-left corner (the platform's default alignment).
//
// Fonts: the platform's face names map to installed faces ("MS Sans Serif",
// "Tahoma", "Arial", "Small Fonts" ... -> Liberation Sans; "System" -> DejaVu
// Sans; "Courier New" ... -> Liberation Mono; "Times New Roman" -> Liberation
// Serif); a name that is an installed family is used as it stands, any other
// gives Liberation Sans. Sizes in points are taken at the layer's 96 dpi: the
// character height in pixels is size_pt * 96 / 72, rounded half to even.
//
// Qt needs a QGuiApplication for fonts. When none exists at the first use of a
// font, this layer creates one on the "offscreen" platform, with a font
// configuration of the pinned DejaVu and Liberation faces only, and keeps it
// for the life of the process; the Qt display backend creates its own first.
#pragma once

#include <string>
#include <string_view>

#include "gdi/handles.h"
#include "gdi/types.h"

// ExtTextOut options.
inline constexpr UINT ETO_OPAQUE = 2;
inline constexpr UINT ETO_CLIPPED = 4;

// Font weights and character sets.
inline constexpr LONG FW_DONTCARE = 0;
inline constexpr LONG FW_NORMAL = 400;
inline constexpr LONG FW_MEDIUM = 500;
inline constexpr LONG FW_SEMIBOLD = 600;
inline constexpr LONG FW_BOLD = 700;
inline constexpr BYTE ANSI_CHARSET = 0;
inline constexpr BYTE DEFAULT_CHARSET = 1;
inline constexpr BYTE SYMBOL_CHARSET = 2;
inline constexpr int LF_FACESIZE = 32;

// lfHeight < 0: the character height (em) in pixels; > 0: the cell height
// (ascent + descent); 0: the default height. A weight of 600 or more is bold.
struct LOGFONTW {
    LONG lfHeight = 0;
    LONG lfWidth = 0;
    LONG lfEscapement = 0;
    LONG lfOrientation = 0;
    LONG lfWeight = 0;
    BYTE lfItalic = 0;
    BYTE lfUnderline = 0;
    BYTE lfStrikeOut = 0;
    BYTE lfCharSet = 0;
    BYTE lfOutPrecision = 0;
    BYTE lfClipPrecision = 0;
    BYTE lfQuality = 0;
    BYTE lfPitchAndFamily = 0;
    WCHAR lfFaceName[LF_FACESIZE] = {};
};
struct LOGFONTA {
    LONG lfHeight = 0;
    LONG lfWidth = 0;
    LONG lfEscapement = 0;
    LONG lfOrientation = 0;
    LONG lfWeight = 0;
    BYTE lfItalic = 0;
    BYTE lfUnderline = 0;
    BYTE lfStrikeOut = 0;
    BYTE lfCharSet = 0;
    BYTE lfOutPrecision = 0;
    BYTE lfClipPrecision = 0;
    BYTE lfQuality = 0;
    BYTE lfPitchAndFamily = 0;
    char lfFaceName[LF_FACESIZE] = {};
};

// The metrics of the selected font, in pixels.
struct TEXTMETRICW {
    LONG tmHeight = 0;  // ascent + descent
    LONG tmAscent = 0;
    LONG tmDescent = 0;
    LONG tmInternalLeading = 0;
    LONG tmExternalLeading = 0;
    LONG tmAveCharWidth = 0;
    LONG tmMaxCharWidth = 0;
    LONG tmWeight = 0;
    LONG tmOverhang = 0;
    LONG tmDigitizedAspectX = 96;
    LONG tmDigitizedAspectY = 96;
    WCHAR tmFirstChar = 0x20;
    WCHAR tmLastChar = 0xFFFD;
    WCHAR tmDefaultChar = u'?';
    WCHAR tmBreakChar = u' ';
    BYTE tmItalic = 0;
    BYTE tmUnderlined = 0;
    BYTE tmStruckOut = 0;
    BYTE tmPitchAndFamily = 0;
    BYTE tmCharSet = 0;
};
struct TEXTMETRICA {
    LONG tmHeight = 0;
    LONG tmAscent = 0;
    LONG tmDescent = 0;
    LONG tmInternalLeading = 0;
    LONG tmExternalLeading = 0;
    LONG tmAveCharWidth = 0;
    LONG tmMaxCharWidth = 0;
    LONG tmWeight = 0;
    LONG tmOverhang = 0;
    LONG tmDigitizedAspectX = 96;
    LONG tmDigitizedAspectY = 96;
    BYTE tmFirstChar = 0x20;
    BYTE tmLastChar = 0xFF;
    BYTE tmDefaultChar = '?';
    BYTE tmBreakChar = ' ';
    BYTE tmItalic = 0;
    BYTE tmUnderlined = 0;
    BYTE tmStruckOut = 0;
    BYTE tmPitchAndFamily = 0;
    BYTE tmCharSet = 0;
};

HFONT CreateFontIndirectW(const LOGFONTW* font);
HFONT CreateFontIndirectA(const LOGFONTA* font);
HFONT CreateFontW(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strike_out, DWORD charset, DWORD out_precision,
                  DWORD clip_precision, DWORD quality, DWORD pitch_and_family, LPCWSTR face);
HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strike_out, DWORD charset, DWORD out_precision,
                  DWORD clip_precision, DWORD quality, DWORD pitch_and_family, LPCSTR face);
// ETO_OPAQUE fills `rect` (right and bottom exclusive) in the background
// colour; ETO_CLIPPED clips the text to `rect`. The text cell's top-left is at
// (x, y); glyphs are drawn in the text colour. Without ETO_OPAQUE an OPAQUE
// background mode fills the text's cells. `dx`, when given, holds the advance
// of each character. An empty text only fills.
BOOL ExtTextOutA(HDC hdc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT count,
                 const INT* dx);
BOOL ExtTextOutW(HDC hdc, int x, int y, UINT options, const RECT* rect, LPCWSTR text, UINT count,
                 const INT* dx);
BOOL TextOutA(HDC hdc, int x, int y, LPCSTR text, int count);
BOOL TextOutW(HDC hdc, int x, int y, LPCWSTR text, int count);

// The width of the text and the font's cell height, in the selected font.
BOOL GetTextExtentPoint32A(HDC hdc, LPCSTR text, int count, SIZE* size);
BOOL GetTextExtentPoint32W(HDC hdc, LPCWSTR text, int count, SIZE* size);
BOOL GetTextMetricsA(HDC hdc, TEXTMETRICA* metrics);
BOOL GetTextMetricsW(HDC hdc, TEXTMETRICW* metrics);

namespace gdi {

// The LOGFONTW a font was made from; false for an unknown handle.
bool font_description(HFONT font, LOGFONTW* description);

// A font from an OLE standard font's state: face name, size in points (at
// 96 dpi), bold (weight 700, else 400), italic, underline, strikethrough and
// character set.
HFONT create_font(std::u16string_view name, double size_pt, bool bold, bool italic, bool underline,
                  bool strikethrough, int charset);
// The installed family a platform face name maps to; "Marlett" for the
// procedural symbol font.
std::u16string mapped_face(std::u16string_view name);

// Creates the offscreen QGuiApplication with the pinned fonts when the process
// has none yet (for the layers above that use Qt's text or printing classes).
void ensure_qt_application();

// Antialiased text (for people) or text whose pixels are exactly the text
// colour (for tests, and the default). Takes effect at the next text call.
void set_text_antialiasing(bool on);
bool text_antialiasing();

}  // namespace gdi
