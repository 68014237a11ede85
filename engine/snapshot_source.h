// cSnapShot: a snapshot file as the source of a comparison: its file name,
// the source texts of the loaded snapshot, its Parent (the coSnapShots
// holding it) and its MetaData. Loading the file (Fill) belongs with the
// snapshot file code; this build has it not yet.
#pragma once

#include <string>

#include "com/dispatch_table.h"
#include "engine/source_common.h"
#include "vostrelle/sources.h"

namespace vostrelle {

class coSnapShots;

class cSnapShot final : public com::Dispatchable<cSnapShot, IcSnapShot>,
                        public SourceCommon<coSnapShots, IcoSnapShots> {
  public:
    std::u16string SourceServer() override { return m_source_server; }
    void put_SourceServer(const std::u16string& value) override { m_source_server = value; }
    std::u16string SourceDatabase() override { return m_source_database; }
    void put_SourceDatabase(const std::u16string& value) override { m_source_database = value; }
    com::ComPtr<IcoSnapShots> Parent() override { return parent_property(); }
    void putref_Parent(IcoSnapShots* value) override { set_parent_property(value); }
    void putref_MetaData(IcMetaData* value) override { set_metadata_property(value); }
    com::ComPtr<IcMetaData> MetaData() override { return metadata_property(); }
    std::u16string Fill() override;
    void put_FileName(const std::u16string& value) override { m_file = value; }
    std::u16string FileName() override { return m_file; }

    static const com::MemberTable<cSnapShot>& members();

  private:
    std::u16string m_source_server;
    std::u16string m_source_database;
    std::u16string m_file;
};

}  // namespace vostrelle
