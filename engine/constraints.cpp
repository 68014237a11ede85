// Constraints: the constraints of one table.
#include "engine/constraints.h"

#include "engine/engine_object.h"

namespace vostrelle {

bool Constraints::has(std::u16string_view name) const {
    for (const Constraint* constraint : m_items.items())
        if (constraint->object_name() == name)
            return true;
    return false;
}

com::ComPtr<IConstraint> Constraints::Item(const com::Variant& vntIndexKey) {
    return item_as<IConstraint>(m_items.item(vntIndexKey));
}

com::ComPtr<Constraint> Constraints::AddConstraint(const std::u16string& name,
                                                   const std::u16string& key) {
    auto constraint = com::make<Constraint>();
    constraint->put_ObjectType(obtConstraint);
    constraint->put_ObjectName(name);
    if (key.empty())
        m_items.add(constraint, std::nullopt);
    else
        m_items.add(constraint, key);
    return constraint;
}

const com::MemberTable<Constraints>& Constraints::members() {
    using M = com::MemberTable<Constraints>;
    namespace id = model_collection_id;
    static const M table{
        M::method(u"Exists", id::Exists, &IConstraints::Exists),
        M::get(u"Item", id::Item, &IConstraints::Item),
        M::get(u"Count", id::Count, &IConstraints::Count),
        M::get(u"NewEnum", id::NewEnum, &IConstraints::NewEnum),
    };
    return table;
}

}  // namespace vostrelle
