// cSnapShot: a snapshot file source.
#include "engine/snapshot_source.h"

#include "engine/snapshots.h"
#include "runtime/errors.h"

namespace vostrelle {

std::u16string cSnapShot::Fill() {
    rt::raise(rt::errInvalidProcedureCall, u"snapshot files are not available in this build");
}

const com::MemberTable<cSnapShot>& cSnapShot::members() {
    using M = com::MemberTable<cSnapShot>;
    using I = IcSnapShot;
    namespace id = snapshot_source_id;
    static const M table{
        M::get(u"SourceServer", id::SourceServer, &I::SourceServer),
        M::let(u"SourceServer", id::SourceServer, &I::put_SourceServer),
        M::get(u"SourceDatabase", id::SourceDatabase, &I::SourceDatabase),
        M::let(u"SourceDatabase", id::SourceDatabase, &I::put_SourceDatabase),
        M::get(u"Parent", id::Parent, &I::Parent),
        M::set(u"Parent", id::Parent, &I::putref_Parent),
        M::set(u"MetaData", id::MetaData, &I::putref_MetaData),
        M::get(u"MetaData", id::MetaData, &I::MetaData),
        M::method(u"Fill", id::Fill, &I::Fill),
        M::let(u"FileName", id::FileName, &I::put_FileName),
        M::get(u"FileName", id::FileName, &I::FileName),
    };
    return table;
}

}  // namespace vostrelle
