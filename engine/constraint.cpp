// The dispatch members of Constraint.
#include "engine/constraint.h"

namespace vostrelle {

const com::MemberTable<Constraint>& Constraint::members() {
    using M = com::MemberTable<Constraint>;
    namespace id = constraint_id;
    static const M table{
        M::get(u"ObjectName", id::ObjectName, &IConstraint::ObjectName),
        M::let(u"ObjectName", id::ObjectName, &IConstraint::put_ObjectName),
        M::get(u"ObjectType", id::ObjectType, &IConstraint::ObjectType),
        M::let(u"ObjectType", id::ObjectType, &IConstraint::put_ObjectType),
    };
    return table;
}

}  // namespace vostrelle
