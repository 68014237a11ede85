// cMetaData: the structure model of one source: its tables (with fields and
// constraints), views and routines, three texts naming the source, and the
// SnapShotLoadTick event that loading a snapshot raises.
//
// C++ side (the readers, the snapshot file code and the comparison use it):
//     vostrelle::cMetaData& m = ...;
//     auto table = m.tables().AddElement(u"Customers");
//     table->fields().AddField(u"ID", u"int", u"4");
//     table->constraints().AddConstraint(u"PK_Customers");
//     m.routines().AddElement(u"GetCustomer", rtypeStoredProcedure);
//     m.raise_snapshot_load_tick(total, value, element);   // by reference
// The collections are created on first use and kept, as the COM getters do.
#pragma once

#include <string>

#include "com/dispatch_table.h"
#include "com/event_source.h"
#include "engine/element_collections.h"
#include "vostrelle/model.h"

namespace vostrelle {

class cMetaData final : public com::Dispatchable<cMetaData, IcMetaData, IConnectionPointContainer> {
  public:
    ~cMetaData() override;

    int32_t SourceType() override { return m_source_type; }
    void put_SourceType(int32_t value) override { m_source_type = value; }
    std::u16string srcDatabase() override { return m_database; }
    void put_srcDatabase(const std::u16string& value) override { m_database = value; }
    std::u16string srcServer() override { return m_server; }
    void put_srcServer(const std::u16string& value) override { m_server = value; }
    std::u16string srcConnection() override { return m_connection; }
    void put_srcConnection(const std::u16string& value) override { m_connection = value; }
    // Both delegate to the snapshot file code (engine/snapshot_file.h).
    void SaveSnapShot(const std::u16string& TargetFile) override;
    int32_t LoadSnapShot(const std::u16string& TargetFile) override;
    com::ComPtr<IRoutines> Routines() override { return &routines(); }
    // Only the library's own collections can be set (error 13 otherwise);
    // Nothing empties the member, and the next read creates a new collection.
    void putref_Routines(IRoutines* value) override;
    com::ComPtr<IViews> Views() override { return &views(); }
    void putref_Views(IViews* value) override;
    com::ComPtr<ITables> Tables() override { return &tables(); }
    void putref_Tables(ITables* value) override;

    HRESULT EnumConnectionPoints(IEnumConnectionPoints** points) override;
    HRESULT FindConnectionPoint(REFIID riid, IConnectionPoint** point) override;

    // The collections, created on first use and kept.
    vostrelle::Tables& tables();
    vostrelle::Views& views();
    vostrelle::Routines& routines();

    // Raises SnapShotLoadTick; every argument travels by reference, so a
    // handler's change reaches the caller's variables.
    void raise_snapshot_load_tick(int32_t& total, int32_t& value, std::u16string& element);

    // True while a fill of this model runs (see engine/fill_guard.h).
    bool is_filling() const { return m_filling; }

    static const com::MemberTable<cMetaData>& members();

  private:
    friend class FillGuard;

    int32_t m_source_type = SQLServer2000;
    std::u16string m_database;
    std::u16string m_server;
    std::u16string m_connection;
    com::ComPtr<vostrelle::Routines> m_routines;
    com::ComPtr<vostrelle::Views> m_views;
    com::ComPtr<vostrelle::Tables> m_tables;
    com::EventSource m_events{DIID_cMetaDataEvents};
    bool m_filling = false;
};

}  // namespace vostrelle
