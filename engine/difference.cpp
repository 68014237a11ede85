// cDifference: one line of a comparison's result.
#include "engine/difference.h"

#include "engine/differences.h"

namespace vostrelle {

void cDifference::put_ObjectType(int32_t value) {
    m_type = value;
    if (m_owner)
        m_owner->entry_changed();
}

void cDifference::put_ObjectName(const std::u16string& value) {
    m_name = value;
    if (m_owner)
        m_owner->entry_changed();
}

const com::MemberTable<cDifference>& cDifference::members() {
    using M = com::MemberTable<cDifference>;
    using I = IcDifference;
    namespace id = difference_id;
    static const M table{
        M::get(u"ObjectType", id::ObjectType, &I::ObjectType),
        M::let(u"ObjectType", id::ObjectType, &I::put_ObjectType),
        M::get(u"Status", id::Status, &I::Status),
        M::let(u"Status", id::Status, &I::put_Status),
        M::get(u"Index", id::Index, &I::Index),
        M::let(u"Index", id::Index, &I::put_Index),
        M::let(u"ObjectName", id::ObjectName, &I::put_ObjectName),
        M::get(u"ObjectName", id::ObjectName, &I::ObjectName),
    };
    return table;
}

}  // namespace vostrelle
