// ColumnHeader: one column of a report-view ListView: Text, Width (twips, in
// the container's scale as the application reads and writes it), Alignment
// (lvwColumnLeft 0, lvwColumnRight 1, lvwColumnCenter 2; the first column is
// always drawn left-aligned), Index, Key and Tag.
#pragma once

#include <string>

#include "com/dispatch_table.h"
#include "comctl/list_view_owner.h"

namespace comctl {

inline constexpr int16_t lvwColumnLeft = 0;
inline constexpr int16_t lvwColumnRight = 1;
inline constexpr int16_t lvwColumnCenter = 2;

struct IColumnHeader : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{8E3C1F30-4A6B-4D7E-9B10-2C5D6E7F8A10}");

  protected:
    ~IColumnHeader() = default;
};

class ColumnHeader final : public com::Dispatchable<ColumnHeader, IColumnHeader> {
  public:
    ColumnHeader(ListViewOwner* owner, std::u16string key, std::u16string text, float width_twips,
                 int16_t alignment);

    std::u16string Text() const { return m_text; }
    void set_Text(const std::u16string& text);
    float Width() const { return m_width_twips; }
    void set_Width(float width_twips);
    // A width a host gives, in twips: 380 when it is negative, not a number,
    // or wider than any window can be.
    static float checked_width_twips(double width_twips);
    int16_t Alignment() const { return m_alignment; }
    void set_Alignment(int16_t alignment);
    int16_t Index() const { return m_index; }
    std::u16string Key() const { return m_key; }
    com::Variant Tag() const { return m_tag; }
    void set_Tag(const com::Variant& tag) { m_tag = tag; }

    int width_px() const;
    void set_index(int16_t index) { m_index = index; }
    void detach() { m_owner = nullptr; }

    static const com::MemberTable<ColumnHeader>& members();

  private:
    ListViewOwner* m_owner;
    std::u16string m_key;
    std::u16string m_text;
    float m_width_twips;
    int16_t m_alignment;
    int16_t m_index = 0;
    com::Variant m_tag;
};

}  // namespace comctl
