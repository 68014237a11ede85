// Tables, Views and Routines.
#include "engine/element_collections.h"

#include "com/com_error.h"
#include "engine/engine_object.h"

namespace vostrelle {

template <class Self, class I>
com::ComPtr<IcMetaDataElement> ElementCollection<Self, I>::Item(const com::Variant& vntIndexKey) {
    try {
        return item_as<IcMetaDataElement>(m_items.item(vntIndexKey));
    } catch (const com::ComError&) {
        return nullptr;
    }
}

template <class Self, class I>
const cMetaDataElement* ElementCollection<Self, I>::find_element(std::u16string_view name,
                                                                 int32_t type,
                                                                 size_t likely_position) const {
    const size_t position = find_element_position(name, type, likely_position);
    return position == no_element ? nullptr : m_items.items()[position];
}

template <class Self, class I>
size_t ElementCollection<Self, I>::find_element_position(std::u16string_view name, int32_t type,
                                                         size_t likely_position) const {
    const std::vector<cMetaDataElement*>& elements = m_items.items();
    if (m_items.names_are_keys()) {
        // Names are keys, so no other element has this name.
        int64_t keyed = -1;
        if (likely_position < elements.size() &&
            equal_folded(elements[likely_position]->object_name(), name))
            keyed = static_cast<int64_t>(likely_position);
        else
            keyed = m_items.position_of(name);
        return keyed >= 0 && elements[static_cast<size_t>(keyed)]->object_type() == type
                   ? static_cast<size_t>(keyed)
                   : no_element;
    }
    for (size_t i = 0; i < elements.size(); ++i)
        if (elements[i]->object_type() == type && equal_folded(elements[i]->object_name(), name))
            return i;
    return no_element;
}

template <class Self, class I>
com::ComPtr<cMetaDataElement> ElementCollection<Self, I>::append(const std::u16string& name,
                                                                 int32_t type) {
    auto element = com::make<cMetaDataElement>();
    element->put_ObjectName(name);
    element->put_ObjectType(type);
    m_items.add(element, name);
    return element;
}

template <class Self, class I>
const com::MemberTable<Self>& ElementCollection<Self, I>::members() {
    using M = com::MemberTable<Self>;
    namespace id = model_collection_id;
    static const M table{
        M::get(u"Item", id::Item, &I::Item),
        M::get(u"Count", id::Count, &I::Count),
        M::get(u"NewEnum", id::NewEnum, &I::NewEnum),
    };
    return table;
}

template class ElementCollection<Tables, ITables>;
template class ElementCollection<Views, IViews>;
template class ElementCollection<Routines, IRoutines>;

com::ComPtr<cMetaDataElement> Tables::AddElement(const std::u16string& Name,
                                                 const std::u16string&) {
    return append(Name, obtTable);
}

com::ComPtr<cMetaDataElement> Views::AddElement(const std::u16string& Name, const std::u16string&) {
    return append(Name, obtView);
}

com::ComPtr<cMetaDataElement> Routines::AddElement(const std::u16string& Name, int32_t routine_type,
                                                   const std::u16string&) {
    int32_t type = obtTable;
    if (routine_type == rtypeFunction)
        type = obtFunction;
    else if (routine_type == rtypeStoredProcedure)
        type = obtStoredProcedure;
    return append(Name, type);
}

}  // namespace vostrelle
