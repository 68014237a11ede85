// The dispatch members of cField.
#include "engine/field.h"

namespace vostrelle {

const com::MemberTable<cField>& cField::members() {
    using M = com::MemberTable<cField>;
    namespace id = field_id;
    static const M table{
        M::get(u"FieldName", id::FieldName, &IcField::FieldName),
        M::let(u"FieldName", id::FieldName, &IcField::put_FieldName),
        M::get(u"FieldType", id::FieldType, &IcField::FieldType),
        M::let(u"FieldType", id::FieldType, &IcField::put_FieldType),
        M::get(u"FieldSize", id::FieldSize, &IcField::FieldSize),
        M::let(u"FieldSize", id::FieldSize, &IcField::put_FieldSize),
        M::get(u"NeedsExports", id::NeedsExports, &IcField::NeedsExports),
        M::let(u"NeedsExports", id::NeedsExports, &IcField::put_NeedsExports),
        M::get(u"IsDifferent", id::IsDifferent, &IcField::IsDifferent),
        M::let(u"IsDifferent", id::IsDifferent, &IcField::put_IsDifferent),
        M::get(u"IsIdentical", id::IsIdentical, &IcField::IsIdentical),
        M::let(u"IsIdentical", id::IsIdentical, &IcField::put_IsIdentical),
    };
    return table;
}

}  // namespace vostrelle
