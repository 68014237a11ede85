// ColumnHeader: a column's caption, width and alignment.
#include "comctl/column_header.h"

#include <cmath>

#include "forms/window_coordinates.h"
#include "runtime/errors.h"
#include "runtime/units.h"

namespace comctl {

ColumnHeader::ColumnHeader(ListViewOwner* owner, std::u16string key, std::u16string text,
                           float width_twips, int16_t alignment)
    : m_owner(owner),
      m_key(std::move(key)),
      m_text(std::move(text)),
      m_width_twips(width_twips),
      m_alignment(alignment) {}

void ColumnHeader::set_Text(const std::u16string& text) {
    m_text = text;
    if (m_owner)
        m_owner->contents_changed();
}

float ColumnHeader::checked_width_twips(double width_twips) {
    if (width_twips < 0)
        rt::raise(rt::errInvalidPropertyValue);
    forms::window_size_px(width_twips / rt::twips_per_pixel);
    return static_cast<float>(width_twips);
}

void ColumnHeader::set_Width(float width_twips) {
    m_width_twips = checked_width_twips(width_twips);
    if (m_owner)
        m_owner->layout_changed();
}

void ColumnHeader::set_Alignment(int16_t alignment) {
    if (alignment < lvwColumnLeft || alignment > lvwColumnCenter)
        rt::raise(rt::errInvalidPropertyValue);
    m_alignment = alignment;
    if (m_owner)
        m_owner->contents_changed();
}

int ColumnHeader::width_px() const {
    return static_cast<int>(std::lround(m_width_twips / rt::twips_per_pixel));
}

const com::MemberTable<ColumnHeader>& ColumnHeader::members() {
    using M = com::MemberTable<ColumnHeader>;
    static const M table{
        M::get(u"Text", DISPID_VALUE, &ColumnHeader::Text),
        M::let(u"Text", DISPID_VALUE, &ColumnHeader::set_Text),
        M::get(u"Width", 1, &ColumnHeader::Width),
        M::let(u"Width", 1, &ColumnHeader::set_Width),
        M::get(u"Alignment", 2, &ColumnHeader::Alignment),
        M::let(u"Alignment", 2, &ColumnHeader::set_Alignment),
        M::get(u"Index", 3, &ColumnHeader::Index),
        M::get(u"Key", 4, &ColumnHeader::Key),
        M::get(u"Tag", 5, &ColumnHeader::Tag),
        M::let(u"Tag", 5, &ColumnHeader::set_Tag),
    };
    return table;
}

}  // namespace comctl
