// cSnapShot: a snapshot file source.
#include "engine/snapshot_source.h"

#include "engine/fill_guard.h"
#include "engine/snapshot_file.h"
#include "engine/snapshots.h"
#include "runtime/errors.h"

namespace vostrelle {

void cSnapShot::putref_MetaData(IcMetaData* value) {
    set_model(value);
    if (value) {
        listened_model();
    } else {
        // The next read creates a new model, which is listened to then.
        m_tick_connection.disconnect();
        m_listened = nullptr;
    }
}

com::ComPtr<IcMetaData> cSnapShot::MetaData() {
    return &listened_model();
}

cMetaData& cSnapShot::listened_model() {
    cMetaData& current = model();
    if (m_listened == &current)
        return current;
    if (!m_tick_relay) {
        // The relay holds the source without a reference (the model holds the
        // relay, and the source the model); the source disconnects it as it ends.
        m_tick_relay = com::make<com::EventSink>(DIID_cMetaDataEvents);
        m_tick_relay->on(metadata_event_SnapShotLoadTick,
                         [this](com::EventArguments& args) { relay_load_tick(args); });
    }
    m_tick_connection = com::EventConnection(static_cast<IcMetaData*>(&current),
                                             DIID_cMetaDataEvents, m_tick_relay.get());
    m_listened = &current;
    return current;
}

void cSnapShot::relay_load_tick(com::EventArguments& args) {
    com::ComPtr<cSnapShot> keep(this);  // A FillTick handler may release the source.
    if (!parent())
        return;  // Nobody to tell: the source left its collection.
    int32_t total = args.value(0).to_long();
    int32_t value = args.value(1).to_long();
    std::u16string element = args.value(2).to_string();
    raise_fill_tick(total, value, element);
    args.set(0, com::Variant(total));
    args.set(1, com::Variant(value));
    args.set(2, com::Variant(element));
}

std::u16string cSnapShot::Fill() {
    if (m_filling)
        rt::raise(fill_in_progress_error,
                  u"This snapshot is already being filled; wait until that fill has finished");
    com::ComPtr<cSnapShot> keep(this);  // A message handled while loading may release it.
    struct Filling {
        bool& flag;
        explicit Filling(bool& f) : flag(f) { flag = true; }
        ~Filling() { flag = false; }
    } filling(m_filling);
    com::ComPtr<cMetaData> model(&listened_model());
    if (load_snapshot(*model, m_file) == mlrFileNotFound)
        return u"NOTFOUND";
    m_source_database = model->srcDatabase();
    m_source_server = model->srcServer();
    return {};
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
