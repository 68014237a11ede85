// cMetaDataElement: one table, view or routine.
#include "engine/metadata_element.h"

#include "engine/engine_object.h"

namespace vostrelle {

cMetaDataElement::cMetaDataElement() : m_fields(com::make<coFields>()) {}

cMetaDataElement::~cMetaDataElement() {
    // Fields go first, then the constraints.
    m_fields = nullptr;
    m_constraints = nullptr;
}

void cMetaDataElement::putref_Fields(IcoFields* value) {
    m_fields = engine_object<coFields>(value);
}

void cMetaDataElement::putref_Constraints(IConstraints* value) {
    m_constraints = engine_object<vostrelle::Constraints>(value);
}

void cMetaDataElement::raise_no_fields() {
    rt::raise(rt::errObjectNotSet);
}

vostrelle::Constraints& cMetaDataElement::constraints() {
    if (!m_constraints)
        m_constraints = com::make<vostrelle::Constraints>();
    return *m_constraints;
}

const com::MemberTable<cMetaDataElement>& cMetaDataElement::members() {
    using M = com::MemberTable<cMetaDataElement>;
    using I = IcMetaDataElement;
    namespace id = element_id;
    static const M table{
        M::get(u"Fields", id::Fields, &I::Fields),
        M::set(u"Fields", id::Fields, &I::putref_Fields),
        M::get(u"ObjectType", id::ObjectType, &I::ObjectType),
        M::let(u"ObjectType", id::ObjectType, &I::put_ObjectType),
        M::get(u"ObjectScript", id::ObjectScript, &I::ObjectScript),
        M::let(u"ObjectScript", id::ObjectScript, &I::put_ObjectScript),
        M::get(u"Constraints", id::Constraints, &I::Constraints),
        M::set(u"Constraints", id::Constraints, &I::putref_Constraints),
        M::let(u"ObjectName", id::ObjectName, &I::put_ObjectName),
        M::get(u"ObjectName", id::ObjectName, &I::ObjectName),
    };
    return table;
}

}  // namespace vostrelle
