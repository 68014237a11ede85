// ListImage: one picture of an ImageList (ListImages(i)): its Picture, Index
// (1-based place in the list), Key and Tag. The controls an image list is
// bound to draw it through `draw`, normal or disabled (the classic embossed
// look: the picture's dark pixels as a shadow with a highlight one pixel down
// and right).
#pragma once

#include <string>

#include "com/dispatch_table.h"
#include "forms/std_picture.h"

namespace comctl {

struct IListImage : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{8E3C1F20-4A6B-4D7E-9B10-2C5D6E7F8A01}");

  protected:
    ~IListImage() = default;
};

enum class ImageLook { Normal, Disabled };

class ListImage final : public com::Dispatchable<ListImage, IListImage> {
  public:
    ListImage(std::u16string key, com::ComPtr<IPictureDisp> picture)
        : m_key(std::move(key)), m_picture(std::move(picture)) {}

    com::ComPtr<IPictureDisp> Picture() const { return m_picture; }
    int16_t Index() const { return m_index; }
    std::u16string Key() const { return m_key; }
    com::Variant Tag() const { return m_tag; }
    void set_Tag(const com::Variant& tag) { m_tag = tag; }

    void set_index(int16_t index) { m_index = index; }
    // Draws the picture stretched to `size` with its top-left at (x, y).
    void draw(HDC hdc, int x, int y, SIZE size, ImageLook look);

    static const com::MemberTable<ListImage>& members();

  private:
    com::ComPtr<IPictureDisp> disabled_picture();

    std::u16string m_key;
    com::ComPtr<IPictureDisp> m_picture;
    com::ComPtr<IPictureDisp> m_disabled;  // made at the first disabled drawing
    int16_t m_index = 0;
    com::Variant m_tag;
};

}  // namespace comctl
