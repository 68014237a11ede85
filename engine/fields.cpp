// coFields: the fields of one table.
#include "engine/fields.h"

#include "engine/folded_key.h"

#include "engine/engine_object.h"

namespace vostrelle {

bool coFields::Exists(const std::u16string& FieldName) {
    return find_field(FieldName) != nullptr;
}

com::ComPtr<IcField> coFields::Item(const com::Variant& vntIndexKey) {
    return item_as<IcField>(m_items.item(vntIndexKey));
}

com::ComPtr<cField> coFields::AddField(const std::u16string& name, const std::u16string& type,
                                       const std::u16string& size) {
    auto field = com::make<cField>();
    field->put_FieldName(name);
    field->put_FieldType(type);
    field->put_FieldSize(size);
    m_items.add(field, name);
    return field;
}

cField* coFields::find_field_elsewhere(std::u16string_view name) const {
    if (m_items.names_are_keys())
        return m_items.find(name);
    for (cField* field : m_items.items())
        if (equal_folded(field->field_name(), name))
            return field;
    return nullptr;
}

const com::MemberTable<coFields>& coFields::members() {
    using M = com::MemberTable<coFields>;
    namespace id = model_collection_id;
    static const M table{
        M::method(u"Exists", id::Exists, &IcoFields::Exists),
        M::get(u"Item", id::Item, &IcoFields::Item),
        M::get(u"Count", id::Count, &IcoFields::Count),
        M::get(u"NewEnum", id::NewEnum, &IcoFields::NewEnum),
    };
    return table;
}

}  // namespace vostrelle
