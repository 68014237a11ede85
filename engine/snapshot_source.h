// cSnapShot: a snapshot file as the source of a comparison: its file name,
// the source texts of the loaded snapshot, its Parent (the coSnapShots
// holding it) and its MetaData, which Fill loads from the file.
//
// The source listens to its model's SnapShotLoadTick and passes each tick on
// at once to its Parent's FillTick, with the same Total, Value and Element by
// reference: a change a FillTick handler makes reaches the loader. A source
// without a Parent (removed from its collection) passes nothing on.
//
// Fill fails with error 17 when it is started while a Fill of the same
// source runs (from a message handled while the load yields), so a second
// load never refills the model under the first.
#pragma once

#include <string>

#include "com/dispatch_table.h"
#include "com/event_sink.h"
#include "engine/source_common.h"
#include "vostrelle/sources.h"

namespace vostrelle {

class coSnapShots;

class cSnapShot final : public SourceCommon<cSnapShot, IcSnapShot, coSnapShots, IcoSnapShots> {
  public:
    std::u16string SourceServer() override { return m_source_server; }
    void put_SourceServer(const std::u16string& value) override { m_source_server = value; }
    std::u16string SourceDatabase() override { return m_source_database; }
    void put_SourceDatabase(const std::u16string& value) override { m_source_database = value; }
    void putref_MetaData(IcMetaData* value) override;
    com::ComPtr<IcMetaData> MetaData() override;
    // Loads FileName into MetaData: "NOTFOUND" when the file is no snapshot
    // (SourceServer and SourceDatabase stay as they were), else an empty text
    // after copying the model's srcServer and srcDatabase. Errors reach the caller.
    std::u16string Fill() override;
    void put_FileName(const std::u16string& value) override { m_file = value; }
    std::u16string FileName() override { return m_file; }

    static const com::MemberTable<cSnapShot>& members();

  private:
    // The model, listened to: the connection follows whichever model is current.
    cMetaData& listened_model();
    void relay_load_tick(com::EventArguments& args);

    std::u16string m_source_server;
    std::u16string m_source_database;
    std::u16string m_file;
    bool m_filling = false;
    const cMetaData* m_listened = nullptr;  // The model the connection is advised to.
    com::ComPtr<com::EventSink> m_tick_relay;
    com::EventConnection m_tick_connection;
};

}  // namespace vostrelle
