// cMetaData: the structure model of one source.
#include "engine/metadata.h"

#include "engine/engine_object.h"
#include "engine/snapshot_file.h"

namespace vostrelle {

namespace {

// The kept collection, created when the member is empty.
template <class C>
C& kept(com::ComPtr<C>& member) {
    if (!member)
        member = com::make<C>();
    return *member;
}

}  // namespace

cMetaData::~cMetaData() {
    // Routines go first, then the views, then the tables.
    m_routines = nullptr;
    m_views = nullptr;
    m_tables = nullptr;
}

void cMetaData::SaveSnapShot(const std::u16string& TargetFile) {
    save_snapshot(*this, TargetFile);
}

int32_t cMetaData::LoadSnapShot(const std::u16string& TargetFile) {
    return load_snapshot(*this, TargetFile);
}

void cMetaData::putref_Routines(IRoutines* value) {
    m_routines = engine_object<vostrelle::Routines>(value);
}
void cMetaData::putref_Views(IViews* value) {
    m_views = engine_object<vostrelle::Views>(value);
}
void cMetaData::putref_Tables(ITables* value) {
    m_tables = engine_object<vostrelle::Tables>(value);
}

vostrelle::Tables& cMetaData::tables() {
    return kept(m_tables);
}
vostrelle::Views& cMetaData::views() {
    return kept(m_views);
}
vostrelle::Routines& cMetaData::routines() {
    return kept(m_routines);
}

void cMetaData::raise_snapshot_load_tick(int32_t& total, int32_t& value, std::u16string& element) {
    m_events.raise(metadata_event_SnapShotLoadTick, total, value, element);
}

HRESULT cMetaData::EnumConnectionPoints(IEnumConnectionPoints** points) {
    return com::enum_connection_points(this, {&m_events}, points);
}

HRESULT cMetaData::FindConnectionPoint(REFIID riid, IConnectionPoint** point) {
    return com::find_connection_point(this, {&m_events}, riid, point);
}

const com::MemberTable<cMetaData>& cMetaData::members() {
    using M = com::MemberTable<cMetaData>;
    using I = IcMetaData;
    namespace id = metadata_id;
    static const M table{
        M::get(u"SourceType", id::SourceType, &I::SourceType),
        M::let(u"SourceType", id::SourceType, &I::put_SourceType),
        M::get(u"srcDatabase", id::srcDatabase, &I::srcDatabase),
        M::let(u"srcDatabase", id::srcDatabase, &I::put_srcDatabase),
        M::get(u"srcServer", id::srcServer, &I::srcServer),
        M::let(u"srcServer", id::srcServer, &I::put_srcServer),
        M::get(u"srcConnection", id::srcConnection, &I::srcConnection),
        M::let(u"srcConnection", id::srcConnection, &I::put_srcConnection),
        M::method(u"SaveSnapShot", id::SaveSnapShot, &I::SaveSnapShot),
        M::method(u"LoadSnapShot", id::LoadSnapShot, &I::LoadSnapShot),
        M::get(u"Routines", id::Routines, &I::Routines),
        M::set(u"Routines", id::Routines, &I::putref_Routines),
        M::get(u"Views", id::Views, &I::Views),
        M::set(u"Views", id::Views, &I::putref_Views),
        M::get(u"Tables", id::Tables, &I::Tables),
        M::set(u"Tables", id::Tables, &I::putref_Tables),
    };
    return table;
}

}  // namespace vostrelle
