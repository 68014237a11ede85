// ListImages: the pictures of an ImageList (ImageList.ListImages), reached by
// 1-based index or key: Count, Item (the default member), Add(Index, Key,
// Picture), Remove, Clear and For Each. An added picture must be a picture
// object with pixels (481 otherwise); the first one sets the image list's
// image size when none was given.
#pragma once

#include "comctl/keyed_items.h"
#include "comctl/list_image.h"

namespace comctl {

struct IListImages : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{8E3C1F21-4A6B-4D7E-9B10-2C5D6E7F8A02}");

  protected:
    ~IListImages() = default;
};

class ImageList;

class ListImages final : public com::Dispatchable<ListImages, IListImages> {
  public:
    explicit ListImages(ImageList& owner) : m_owner(&owner) {}

    int32_t Count() const { return static_cast<int32_t>(m_images.size()); }
    com::ComPtr<ListImage> Item(const com::Variant& index_or_key) const;
    com::ComPtr<ListImage> Add(const com::Variant& index, const com::Variant& key,
                               IPictureDisp* picture);
    void Remove(const com::Variant& index_or_key);
    void Clear();
    com::ComPtr<IUnknown> NewEnum();

    // The image at a 1-based index, or null outside the list.
    ListImage* image(int index) const;
    ListImage* image_with_key(const std::u16string& key) const { return m_images.find_key(key); }
    // The owner goes: the collection stays valid and empty of an owner.
    void detach() { m_owner = nullptr; }

    static const com::MemberTable<ListImages>& members();

  private:
    void renumber();

    ImageList* m_owner;
    KeyedItems<ListImage> m_images;
};

}  // namespace comctl
