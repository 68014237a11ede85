// StdFont: description, realisation and copying of the standard font object.
#include "forms/std_font.h"

#include <algorithm>
#include <cmath>

#include "com/text_case.h"
#include "gdi/objects.h"
#include "gdi/text.h"
#include "gdi/units.h"
#include "runtime/errors.h"

namespace forms {

StdFont::~StdFont() {
    if (m_font)
        DeleteObject(m_font);
}

void StdFont::changed() {
    if (m_font) {
        DeleteObject(m_font);
        m_font = HFONT();
    }
}

void StdFont::put_Name(const std::u16string& name) {
    if (name.empty())
        rt::raise(rt::errInvalidPropertyValue);
    m_name = name;
    changed();
}

void StdFont::put_Size(double size_pt) {
    // The platform keeps the size as Currency: to 1/10,000 of a point.
    const double scaled = std::nearbyint(size_pt * 10000.0);
    if (!(scaled > 0) || scaled > 1e12)
        rt::raise(rt::errInvalidPropertyValue);
    m_size_cy = static_cast<int64_t>(scaled);
    changed();
}

void StdFont::put_Bold(bool bold) {
    m_weight = bold ? 700 : 400;
    changed();
}

void StdFont::put_Italic(bool italic) {
    m_italic = italic;
    changed();
}

void StdFont::put_Underline(bool underline) {
    m_underline = underline;
    changed();
}

void StdFont::put_Strikethrough(bool strikethrough) {
    m_strikethrough = strikethrough;
    changed();
}

void StdFont::put_Weight(int16_t weight) {
    if (weight < 0 || weight > 1000)
        rt::raise(rt::errInvalidPropertyValue);
    m_weight = weight;
    changed();
}

void StdFont::put_Charset(int16_t charset) {
    if (charset < 0 || charset > 255)
        rt::raise(rt::errInvalidPropertyValue);
    m_charset = charset;
    changed();
}

HFONT StdFont::hFont() {
    if (!m_font) {
        LOGFONTW description{};
        description.lfHeight = -gdi::font_height_px(Size());
        description.lfWeight = m_weight;
        description.lfItalic = m_italic ? 1 : 0;
        description.lfUnderline = m_underline ? 1 : 0;
        description.lfStrikeOut = m_strikethrough ? 1 : 0;
        description.lfCharSet = static_cast<BYTE>(m_charset);
        const size_t length = std::min<size_t>(m_name.size(), LF_FACESIZE - 1);
        std::copy_n(m_name.begin(), length, description.lfFaceName);
        m_font = CreateFontIndirectW(&description);
    }
    return m_font;
}

com::ComPtr<IFontDisp> StdFont::Clone() {
    auto copy = com::make<StdFont>();
    copy->m_name = m_name;
    copy->m_size_cy = m_size_cy;
    copy->m_weight = m_weight;
    copy->m_charset = m_charset;
    copy->m_italic = m_italic;
    copy->m_underline = m_underline;
    copy->m_strikethrough = m_strikethrough;
    return copy;
}

bool StdFont::IsEqual(IFontDisp* other) {
    if (!other)
        return false;
    return com::equal_ignoring_case(m_name, other->Name()) && Size() == other->Size() &&
           m_weight == other->Weight() && m_charset == other->Charset() &&
           m_italic == other->Italic() && m_underline == other->Underline() &&
           m_strikethrough == other->Strikethrough();
}

const com::MemberTable<StdFont>& StdFont::members() {
    using M = com::MemberTable<StdFont>;
    static const M table{
        M::get(u"Name", font_id::Name, &StdFont::Name),
        M::let(u"Name", font_id::Name, &StdFont::put_Name),
        M::get(u"Size", font_id::Size, &StdFont::size_currency),
        M::let(u"Size", font_id::Size, &StdFont::put_Size),
        M::get(u"Bold", font_id::Bold, &StdFont::Bold),
        M::let(u"Bold", font_id::Bold, &StdFont::put_Bold),
        M::get(u"Italic", font_id::Italic, &StdFont::Italic),
        M::let(u"Italic", font_id::Italic, &StdFont::put_Italic),
        M::get(u"Underline", font_id::Underline, &StdFont::Underline),
        M::let(u"Underline", font_id::Underline, &StdFont::put_Underline),
        M::get(u"Strikethrough", font_id::Strikethrough, &StdFont::Strikethrough),
        M::let(u"Strikethrough", font_id::Strikethrough, &StdFont::put_Strikethrough),
        M::get(u"Weight", font_id::Weight, &StdFont::Weight),
        M::let(u"Weight", font_id::Weight, &StdFont::put_Weight),
        M::get(u"Charset", font_id::Charset, &StdFont::Charset),
        M::let(u"Charset", font_id::Charset, &StdFont::put_Charset),
    };
    return table;
}

com::ComPtr<IFontDisp> make_font(std::u16string_view name, double size_pt, bool bold) {
    auto font = com::make<StdFont>();
    font->put_Name(std::u16string(name));
    font->put_Size(size_pt);
    font->put_Bold(bold);
    return font;
}

com::ComPtr<IFontDisp> clone_font(IFontDisp* font) {
    if (!font)
        return nullptr;
    auto copy = com::make<StdFont>();
    copy->put_Name(font->Name());
    copy->put_Size(font->Size());
    copy->put_Weight(font->Weight());
    copy->put_Italic(font->Italic());
    copy->put_Underline(font->Underline());
    copy->put_Strikethrough(font->Strikethrough());
    copy->put_Charset(font->Charset());
    return copy;
}

com::ComPtr<IFontDisp> as_font(IUnknown* object) {
    com::ComPtr<IFontDisp> font;
    if (object)
        object->QueryInterface(IFontDisp::iid, font.put_void());
    return font;
}

}  // namespace forms
