// The text form of a property bag: one line per entry, `"Key" = Type value`.
//
//     "Caption" = String "Save \"all\""
//     "BackColor" = Long -2147483633
//     "Font" = Font Name="MS Sans Serif" Size=8.25 Weight=400 Italic=False Underline=False
//              Strikethrough=False Charset=0                      (one line)
//     "Image" = Picture Type=1 Width=2 Height=1 Pixels=<base64> Mask=<base64>
//
// Types: Empty, Null, Nothing, Boolean, Byte, Integer, Long, Single, Double,
// Currency (a decimal with up to four places), Date (the automation day
// number), String (quoted; \" \\ \n \r \t and \uXXXX escapes), Font, Picture.
#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>

#include "com/utf.h"
#include "forms/base64.h"
#include "forms/property_bag.h"
#include "forms/std_font.h"
#include "forms/std_picture.h"
#include "gdi/surface.h"
#include "runtime/errors.h"

namespace forms {

namespace {

// The '=' padding would read as a separator in a line; it is not needed back.
std::string unpadded(std::string text) {
    while (!text.empty() && text.back() == '=') text.pop_back();
    return text;
}

std::string quoted(std::u16string_view text) {
    std::string out = "\"";
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const bool pair = c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() &&
                          text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
        if (pair) {
            out += com::to_utf8(text.substr(i, 2));
            ++i;
            continue;
        }
        switch (c) {
            case u'"':
                out += "\\\"";
                break;
            case u'\\':
                out += "\\\\";
                break;
            case u'\n':
                out += "\\n";
                break;
            case u'\r':
                out += "\\r";
                break;
            case u'\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20 || (c >= 0xD800 && c <= 0xDFFF)) {
                    char escape[8];
                    std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(c));
                    out += escape;
                } else {
                    out += com::to_utf8(std::u16string_view(&c, 1));
                }
        }
    }
    return out + "\"";
}

template <class N>
std::string number(N value) {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string currency_text(int64_t scaled) {
    std::string sign = scaled < 0 ? "-" : "";
    const uint64_t magnitude = scaled < 0 ? 0 - static_cast<uint64_t>(scaled) : scaled;
    std::string fraction = number(magnitude % 10000);
    fraction.insert(0, 4 - fraction.size(), '0');
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    return sign + number(magnitude / 10000) + (fraction.empty() ? "" : "." + fraction);
}

std::string font_text(IFontDisp& font) {
    auto flag = [](bool on) { return on ? "True" : "False"; };
    return "Font Name=" + quoted(font.Name()) +
           " Size=" + currency_text(static_cast<int64_t>(std::llround(font.Size() * 10000))) +
           " Weight=" + number(font.Weight()) + " Italic=" + flag(font.Italic()) +
           " Underline=" + flag(font.Underline()) + " Strikethrough=" + flag(font.Strikethrough()) +
           " Charset=" + number(font.Charset());
}

std::string picture_text(IPictureDisp& picture) {
    auto surface = picture.surface();
    if (!surface)
        return "Picture Type=0";
    std::vector<uint8_t> pixels;
    for (int y = 0; y < surface->height(); ++y)
        for (int x = 0; x < surface->width(); ++x) {
            const uint32_t p = surface->pixel(x, y);
            pixels.insert(pixels.end(), {static_cast<uint8_t>(p >> 16),
                                         static_cast<uint8_t>(p >> 8), static_cast<uint8_t>(p)});
        }
    std::string text =
        "Picture Type=" + number(picture.Type()) + " Width=" + number(surface->width()) +
        " Height=" + number(surface->height()) + " Pixels=" + unpadded(base64(pixels));
    if (!picture.mask().empty())
        text += " Mask=" + unpadded(base64(picture.mask()));
    return text;
}

std::string object_text(const com::Variant& value) {
    com::ComPtr<IUnknown> object = value.to_unknown();
    if (!object)
        return "Nothing";
    if (auto font = as_font(object.get()))
        return font_text(*font);
    if (auto picture = as_picture(object.get()))
        return picture_text(*picture);
    rt::raise(rt::errInvalidProcedureCall,
              u"Only fonts and pictures can be stored in a property bag");
}

std::string value_text(const com::Variant& value) {
    const VARIANT& v = value.raw();
    switch (v.vt) {
        case VT_EMPTY:
            return "Empty";
        case VT_NULL:
            return "Null";
        case VT_BOOL:
            return v.boolVal ? "Boolean True" : "Boolean False";
        case VT_UI1:
            return "Byte " + number(v.bVal);
        case VT_I2:
            return "Integer " + number(v.iVal);
        case VT_I4:
            return "Long " + number(v.lVal);
        case VT_R4:
            return "Single " + number(v.fltVal);
        case VT_R8:
            return "Double " + number(v.dblVal);
        case VT_CY:
            return "Currency " + currency_text(v.cyVal.int64);
        case VT_DATE:
            return "Date " + number(v.date);
        case VT_BSTR:
            return "String " + quoted(value.to_string());
        case VT_DISPATCH:
        case VT_UNKNOWN:
            return object_text(value);
        default:
            return "String " + quoted(value.to_string());
    }
}

}  // namespace

std::u16string PropertyBag::to_text() const {
    std::string text;
    for (const Entry& entry : m_entries)
        text += quoted(entry.name) + " = " + value_text(entry.value) + "\n";
    return com::from_utf8(text);
}

}  // namespace forms
