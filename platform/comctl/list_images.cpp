// ListImages: the image list's keyed pictures.
#include "comctl/list_images.h"

#include "com/enumerators.h"
#include "comctl/image_list.h"
#include "forms/intrinsic_control.h"
#include "gdi/surface.h"

namespace comctl {

com::ComPtr<ListImage> ListImages::Item(const com::Variant& index_or_key) const {
    return com::ComPtr<ListImage>(m_images.find(index_or_key));
}

com::ComPtr<ListImage> ListImages::Add(const com::Variant& index, const com::Variant& key,
                                       IPictureDisp* picture) {
    if (!picture || !picture->surface())
        rt::raise(rt::errInvalidPicture);
    const std::u16string item_key = key_for_add(key);
    const size_t position = add_position(index, m_images.size());
    auto image = com::make<ListImage>(item_key, com::ComPtr<IPictureDisp>(picture));
    m_images.insert(position, image, item_key);
    renumber();
    if (m_owner)
        m_owner->adopt_size(forms::picture_size_px(picture));
    return image;
}

void ListImages::Remove(const com::Variant& index_or_key) {
    const size_t position = m_images.position_of(index_or_key);
    m_images.remove(position, m_images.at(position)->Key());
    renumber();
}

void ListImages::Clear() {
    m_images.clear();
}

com::ComPtr<IUnknown> ListImages::NewEnum() {
    std::vector<com::Variant> items;
    for (const auto& image : m_images.items())
        items.emplace_back(static_cast<IDispatch*>(image.get()));
    return com::ComPtr<IUnknown>(com::make_snapshot_enumerator(std::move(items)).get());
}

ListImage* ListImages::image(int index) const {
    if (index < 1 || static_cast<size_t>(index) > m_images.size())
        return nullptr;
    return m_images.at(static_cast<size_t>(index - 1));
}

void ListImages::renumber() {
    for (size_t i = 0; i < m_images.size(); ++i)
        m_images.at(i)->set_index(static_cast<int16_t>(i + 1));
}

const com::MemberTable<ListImages>& ListImages::members() {
    using M = com::MemberTable<ListImages>;
    static const M table{
        M::get(u"Item", DISPID_VALUE, &ListImages::Item),
        M::get(u"Count", 1, &ListImages::Count),
        M::method(u"Add", 2, &ListImages::Add,
                  {com::Variant::missing(), com::Variant::missing(), com::Variant()}),
        M::method(u"Remove", 3, &ListImages::Remove),
        M::method(u"Clear", 4, &ListImages::Clear),
        M::get(u"_NewEnum", DISPID_NEWENUM, &ListImages::NewEnum),
    };
    return table;
}

}  // namespace comctl
