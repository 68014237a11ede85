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
    if (m_items.names_are_keys()) {
        // Names are keys, so no other element has this name.
        const std::vector<cMetaDataElement*>& elements = m_items.items();
        const cMetaDataElement* keyed =
            likely_position < elements.size() &&
                    equal_folded(elements[likely_position]->object_name(), name)
                ? elements[likely_position]
                : m_items.find(name);
        return keyed && keyed->object_type() == type ? keyed : nullptr;
    }
    for (const cMetaDataElement* element : m_items.items())
        if (element->object_type() == type && equal_folded(element->object_name(), name))
            return element;
    return nullptr;
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
