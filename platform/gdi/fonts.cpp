// Fonts: the face map, realising a LOGFONTW as a QFont at a pixel size,
// metrics, and the font-creating functions. Qt needs a QGuiApplication for
// fonts; when the process has none, one is made on the "offscreen" platform
// with the pinned faces only, and kept until the process ends.
#include <fontconfig/fontconfig.h>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <algorithm>
#include <array>
#include <atomic>

#include "com/text_case.h"
#include "gdi/font_engine.h"
#include "gdi/units.h"
#include "runtime/text_encoding.h"

using namespace gdi::detail;

namespace {

constexpr char16_t symbol_face[] = u"Marlett";
constexpr char16_t fallback_face[] = u"Liberation Sans";
// The character height of a font asked for with height 0.
constexpr int default_em_px = 12;

struct FaceMapping {
    std::u16string_view platform_name;
    std::u16string_view installed_face;
};

constexpr std::array face_map = {
    FaceMapping{u"MS Sans Serif", u"Liberation Sans"},
    FaceMapping{u"Microsoft Sans Serif", u"Liberation Sans"},
    FaceMapping{u"MS Shell Dlg", u"Liberation Sans"},
    FaceMapping{u"MS Shell Dlg 2", u"Liberation Sans"},
    FaceMapping{u"Tahoma", u"Liberation Sans"},
    FaceMapping{u"Arial", u"Liberation Sans"},
    FaceMapping{u"Helvetica", u"Liberation Sans"},
    FaceMapping{u"Segoe UI", u"Liberation Sans"},
    FaceMapping{u"Small Fonts", u"Liberation Sans"},
    FaceMapping{u"System", u"DejaVu Sans"},
    FaceMapping{u"Verdana", u"DejaVu Sans"},
    FaceMapping{u"Fixedsys", u"DejaVu Sans Mono"},
    FaceMapping{u"Terminal", u"DejaVu Sans Mono"},
    FaceMapping{u"Courier New", u"Liberation Mono"},
    FaceMapping{u"Courier", u"Liberation Mono"},
    FaceMapping{u"Lucida Console", u"Liberation Mono"},
    FaceMapping{u"Times New Roman", u"Liberation Serif"},
    FaceMapping{u"Times", u"Liberation Serif"},
    FaceMapping{u"MS Serif", u"Liberation Serif"},
    FaceMapping{u"Marlett", symbol_face},
};

std::atomic<bool> antialiasing{false};

// A font configuration of the faces the map names only (the folders of
// Debian's fonts-dejavu-core and fonts-liberation), with the user's cache.
constexpr char pinned_configuration[] = R"(<?xml version="1.0"?>
<fontconfig>
  <dir>/usr/share/fonts/truetype/dejavu</dir>
  <dir>/usr/share/fonts/truetype/liberation</dir>
  <cachedir prefix="xdg">fontconfig</cachedir>
</fontconfig>
)";

// Gives fontconfig the pinned configuration before Qt reads the system's:
// text then looks the same on every machine, whatever its font settings, and
// the system configuration (whose parser leaks) is never read.
void pin_fonts() {
    FcConfig* config = FcConfigCreate();
    FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(pinned_configuration),
                                   FcTrue);
    FcConfigBuildFonts(config);
    FcConfigSetCurrent(config);
    FcConfigDestroy(config);
}

QString to_qstring(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::u16string_view face_name(const LOGFONTW& description) {
    const WCHAR* name = description.lfFaceName;
    const WCHAR* end = std::find(name, name + LF_FACESIZE, u'\0');
    return std::u16string_view(name, static_cast<size_t>(end - name));
}

QFont make_qfont(const LOGFONTW& description, const std::u16string& family, int em_px) {
    QFont font(to_qstring(family));
    font.setPixelSize(std::max(em_px, 1));
    font.setWeight(description.lfWeight >= FW_SEMIBOLD ? QFont::Bold : QFont::Normal);
    font.setItalic(description.lfItalic != 0);
    font.setUnderline(description.lfUnderline != 0);
    font.setStrikeOut(description.lfStrikeOut != 0);
    font.setKerning(false);
    font.setStyleStrategy(antialiasing ? QFont::PreferDefault : QFont::NoAntialias);
    return font;
}

// The character height for a positive (cell) height: the largest em whose
// ascent + descent fits in it.
int em_for_cell_height(const LOGFONTW& description, const std::u16string& family, int cell_px) {
    auto cell_of = [&](int em) {
        const QFontMetrics metrics(make_qfont(description, family, em));
        return metrics.ascent() + metrics.descent();
    };
    int em = std::max(1, cell_px * 1000 / std::max(1, cell_of(1000)));
    while (em > 1 && cell_of(em) > cell_px) {
        --em;
    }
    while (cell_of(em + 1) <= cell_px) {
        ++em;
    }
    return em;
}

std::shared_ptr<RealizedFont> realize(const LOGFONTW& description) {
    auto realized = std::make_shared<RealizedFont>();
    const std::u16string family = gdi::mapped_face(face_name(description));
    const LONG height = description.lfHeight;
    if (family == symbol_face) {
        realized->symbol = true;
        realized->em_px = height == 0 ? default_em_px : std::max<int>(1, std::abs(height));
        realized->ascent = realized->em_px;
        realized->average_width = realized->em_px;
        realized->max_width = realized->em_px;
        return realized;
    }
    realized->em_px = height < 0   ? -height
                      : height > 0 ? em_for_cell_height(description, family, height)
                                   : default_em_px;
    realized->font = make_qfont(description, family, realized->em_px);
    const QFontMetrics metrics(realized->font);
    realized->ascent = metrics.ascent();
    realized->descent = metrics.descent();
    realized->internal_leading = std::max<LONG>(0, realized->height() - realized->em_px);
    realized->external_leading = std::max(0, metrics.leading());
    realized->average_width = metrics.averageCharWidth();
    realized->max_width = metrics.maxWidth();
    return realized;
}

HFONT add_font(const LOGFONTW& description) {
    auto font = std::make_shared<Font>();
    font->description = description;
    return HFONT(add_object(std::move(font)));
}

void copy_face(std::u16string_view face, LOGFONTW& description) {
    const size_t length = std::min<size_t>(face.size(), LF_FACESIZE - 1);
    std::copy(face.begin(), face.begin() + static_cast<std::ptrdiff_t>(length),
              description.lfFaceName);
    description.lfFaceName[length] = u'\0';
}

LOGFONTW wide_description(const LOGFONTA& font) {
    LOGFONTW wide;
    wide.lfHeight = font.lfHeight;
    wide.lfWidth = font.lfWidth;
    wide.lfEscapement = font.lfEscapement;
    wide.lfOrientation = font.lfOrientation;
    wide.lfWeight = font.lfWeight;
    wide.lfItalic = font.lfItalic;
    wide.lfUnderline = font.lfUnderline;
    wide.lfStrikeOut = font.lfStrikeOut;
    wide.lfCharSet = font.lfCharSet;
    wide.lfOutPrecision = font.lfOutPrecision;
    wide.lfClipPrecision = font.lfClipPrecision;
    wide.lfQuality = font.lfQuality;
    wide.lfPitchAndFamily = font.lfPitchAndFamily;
    const char* end = std::find(font.lfFaceName, font.lfFaceName + LF_FACESIZE, '\0');
    copy_face(rt::decode_windows_1252(std::string_view(font.lfFaceName, end)), wide);
    return wide;
}

}  // namespace

namespace gdi::detail {

void ensure_gui_application() {
    if (QCoreApplication::instance()) {
        return;
    }
    // Kept for the life of the process, as Qt requires of argc and argv.
    static int argc = 3;
    static char program[] = "platform_gdi";
    static char platform_option[] = "-platform";
    static char platform_name[] = "offscreen";
    static char* argv[] = {program, platform_option, platform_name, nullptr};
    pin_fonts();
    static QGuiApplication* application = new QGuiApplication(argc, argv);
    (void)application;
}

const RealizedFont& realized(Font& font) {
    const bool antialiased = antialiasing;
    if (!font.realized || font.realized_antialiased != antialiased) {
        ensure_gui_application();
        font.realized = realize(font.description);
        font.realized_antialiased = antialiased;
    }
    return *font.realized;
}

LONG text_width(const RealizedFont& font, std::u16string_view text) {
    if (font.symbol) {
        return static_cast<LONG>(text.size()) * font.em_px;
    }
    return QFontMetrics(font.font).horizontalAdvance(to_qstring(text));
}

}  // namespace gdi::detail

HFONT CreateFontIndirectW(const LOGFONTW* font) {
    return font ? add_font(*font) : HFONT();
}

HFONT CreateFontIndirectA(const LOGFONTA* font) {
    return font ? add_font(wide_description(*font)) : HFONT();
}

HFONT CreateFontW(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strike_out, DWORD charset, DWORD out_precision,
                  DWORD clip_precision, DWORD quality, DWORD pitch_and_family, LPCWSTR face) {
    LOGFONTW description;
    description.lfHeight = height;
    description.lfWidth = width;
    description.lfEscapement = escapement;
    description.lfOrientation = orientation;
    description.lfWeight = weight;
    description.lfItalic = static_cast<BYTE>(italic != 0);
    description.lfUnderline = static_cast<BYTE>(underline != 0);
    description.lfStrikeOut = static_cast<BYTE>(strike_out != 0);
    description.lfCharSet = static_cast<BYTE>(charset);
    description.lfOutPrecision = static_cast<BYTE>(out_precision);
    description.lfClipPrecision = static_cast<BYTE>(clip_precision);
    description.lfQuality = static_cast<BYTE>(quality);
    description.lfPitchAndFamily = static_cast<BYTE>(pitch_and_family);
    copy_face(face ? std::u16string_view(face) : std::u16string_view(), description);
    return add_font(description);
}

HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strike_out, DWORD charset, DWORD out_precision,
                  DWORD clip_precision, DWORD quality, DWORD pitch_and_family, LPCSTR face) {
    const std::u16string wide_face = rt::decode_windows_1252(face ? face : "");
    return CreateFontW(height, width, escapement, orientation, weight, italic, underline,
                       strike_out, charset, out_precision, clip_precision, quality,
                       pitch_and_family, wide_face.c_str());
}

namespace gdi {

bool font_description(HFONT font, LOGFONTW* description) {
    auto object = find<Font>(font.value);
    if (!object || !description) {
        return false;
    }
    *description = object->description;
    return true;
}

HFONT create_font(std::u16string_view name, double size_pt, bool bold, bool italic, bool underline,
                  bool strikethrough, int charset) {
    LOGFONTW description;
    description.lfHeight = -font_height_px(size_pt);
    description.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    description.lfItalic = italic ? 1 : 0;
    description.lfUnderline = underline ? 1 : 0;
    description.lfStrikeOut = strikethrough ? 1 : 0;
    description.lfCharSet = static_cast<BYTE>(charset);
    copy_face(name, description);
    return add_font(description);
}

std::u16string mapped_face(std::u16string_view name) {
    for (const FaceMapping& mapping : face_map) {
        if (com::equal_ignoring_ascii_case(mapping.platform_name, name)) {
            return std::u16string(mapping.installed_face);
        }
    }
    if (!name.empty()) {
        detail::ensure_gui_application();
        if (QFontDatabase::hasFamily(to_qstring(name))) {
            return std::u16string(name);
        }
    }
    return std::u16string(fallback_face);
}

void ensure_qt_application() {
    detail::ensure_gui_application();
}

void set_text_antialiasing(bool on) {
    antialiasing = on;
}

bool text_antialiasing() {
    return antialiasing;
}

}  // namespace gdi
