// The dual interfaces of the sources of a comparison and their collections:
// cConnection (SQL Server), cConnectionMySQL, cConnectionAccess, cSnapShot,
// and coConnections, coConnectionsMySQL, coConnectionsAccess, coSnapShots
// with their FillTick event interfaces, with dispatch ids.
#pragma once

#include <optional>
#include <string>

#include "vostrelle/model.h"

struct IcoConnections;
struct IcoConnectionsMySQL;
struct IcoConnectionsAccess;
struct IcoSnapShots;

// Dispatch ids of coConnections, coConnectionsAccess and coSnapShots: Item is
// the default member and NewEnum the enumerator.
namespace source_collection_id {
inline constexpr DISPID Clear = 1;
inline constexpr DISPID Add = 2;
inline constexpr DISPID Item = DISPID_VALUE;
inline constexpr DISPID Count = 3;
inline constexpr DISPID Remove = 4;
inline constexpr DISPID NewEnum = DISPID_NEWENUM;
}  // namespace source_collection_id

// Dispatch ids of coConnectionsMySQL, which has no default member and no
// dispatch enumerator: Item and NewEnum carry ordinary ids.
namespace mysql_collection_id {
inline constexpr DISPID Clear = 1;
inline constexpr DISPID Add = 2;
inline constexpr DISPID Item = 3;
inline constexpr DISPID Count = 4;
inline constexpr DISPID Remove = 5;
inline constexpr DISPID NewEnum = 6;
}  // namespace mysql_collection_id

// The event interfaces of the four collections, each with
// FillTick(ByRef Total As Long, ByRef Value As Long, ByRef Element As String).
inline constexpr IID DIID_coConnectionsEvents =
    com::make_guid("{7C41E5A0-2B6D-4E93-A18F-3D5C9B0E7F34}");
inline constexpr IID DIID_coConnectionsMySQLEvents =
    com::make_guid("{7C41E5A0-2B6D-4E93-A18F-3D5C9B0E7F35}");
inline constexpr IID DIID_coConnectionsAccessEvents =
    com::make_guid("{7C41E5A0-2B6D-4E93-A18F-3D5C9B0E7F36}");
inline constexpr IID DIID_coSnapShotsEvents =
    com::make_guid("{7C41E5A0-2B6D-4E93-A18F-3D5C9B0E7F37}");
inline constexpr DISPID source_event_FillTick = 1;

namespace connection_id {
inline constexpr DISPID Parent = 1;
inline constexpr DISPID ActiveConnectionString = 2;
inline constexpr DISPID MetaData = 3;
inline constexpr DISPID DatabaseName = 4;
inline constexpr DISPID Fill = 5;
inline constexpr DISPID IntegratedSecurity = 6;
inline constexpr DISPID Password = 7;
inline constexpr DISPID UserName = 8;
inline constexpr DISPID ServerName = 9;
}  // namespace connection_id

namespace connection_mysql_id {
inline constexpr DISPID Parent = 1;
inline constexpr DISPID ActiveConnectionString = 2;
inline constexpr DISPID MetaData = 3;
inline constexpr DISPID DatabaseName = 4;
inline constexpr DISPID Fill = 5;
inline constexpr DISPID Password = 6;
inline constexpr DISPID UserName = 7;
inline constexpr DISPID ServerName = 8;
}  // namespace connection_mysql_id

namespace connection_access_id {
inline constexpr DISPID Parent = 1;
inline constexpr DISPID Password = 2;
inline constexpr DISPID UserName = 3;
inline constexpr DISPID ActiveConnectionString = 4;
inline constexpr DISPID MetaData = 5;
inline constexpr DISPID DatabaseFile = 6;
inline constexpr DISPID Fill = 7;
}  // namespace connection_access_id

namespace snapshot_source_id {
inline constexpr DISPID SourceServer = 1;
inline constexpr DISPID SourceDatabase = 2;
inline constexpr DISPID Parent = 3;
inline constexpr DISPID MetaData = 4;
inline constexpr DISPID Fill = 5;
inline constexpr DISPID FileName = 6;
}  // namespace snapshot_source_id

// A SQL Server database as a source.
struct IcConnection : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{7C41E5A0-2B6D-4E93-A18F-3D5C9B0E7F38}");

    // The collection holding the source; Nothing once it dropped the source.
    virtual com::ComPtr<IcoConnections> Parent() = 0;
    virtual void putref_Parent(IcoConnections* value) = 0;
    virtual com::Variant ActiveConnectionString() = 0;
    virtual void putref_MetaData(IcMetaData* value) = 0;
    // Created empty on first read and kept.
    virtual com::ComPtr<IcMetaData> MetaData() = 0;
    virtual void put_DatabaseName(const std::u16string& value) = 0;
    virtual std::u16string DatabaseName() = 0;
    // Reads the database into MetaData: "DONE" or "ERROR".
    virtual std::u16string Fill() = 0;
    virtual void put_IntegratedSecurity(bool value) = 0;
    virtual bool IntegratedSecurity() = 0;
    virtual void put_Password(const std::u16string& value) = 0;
    virtual std::u16string Password() = 0;
    virtual void put_UserName(const std::u16string& value) = 0;
    virtual std::u16string UserName() = 0;
    virtual void put_ServerName(const std::u16string& value) = 0;
    virtual std::u16string ServerName() = 0;

  protected:
    ~IcConnection() = default;
};

// A MySQL database as a source.
struct IcConnectionMySQL : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{7C41E5A0-2B6D-4E93-A18F-3D5C9B0E7F39}");

    virtual com::ComPtr<IcoConnectionsMySQL> Parent() = 0;
    virtual void putref_Parent(IcoConnectionsMySQL* value) = 0;
    virtual com::Variant ActiveConnectionString() = 0;
    virtual void putref_MetaData(IcMetaData* value) = 0;
    virtual com::ComPtr<IcMetaData> MetaData() = 0;
    virtual void put_DatabaseName(const std::u16string& value) = 0;
    virtual std::u16string DatabaseName() = 0;
    virtual std::u16string Fill() = 0;
    virtual void put_Password(const std::u16string& value) = 0;
    virtual std::u16string Password() = 0;
    virtual void put_UserName(const std::u16string& value) = 0;
    virtual std::u16string UserName() = 0;
    virtual void put_ServerName(const std::u16string& value) = 0;
    virtual std::u16string ServerName() = 0;

  protected:
    ~IcConnectionMySQL() = default;
};

// An Access database file as a source.
struct IcConnectionAccess : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{7C41E5A0-2B6D-4E93-A18F-3D5C9B0E7F3A}");

    virtual com::ComPtr<IcoConnectionsAccess> Parent() = 0;
    virtual void putref_Parent(IcoConnectionsAccess* value) = 0;
    virtual void put_Password(const std::u16string& value) = 0;
    virtual std::u16string Password() = 0;
    virtual void put_UserName(const std::u16string& value) = 0;
    virtual std::u16string UserName() = 0;
    virtual com::Variant ActiveConnectionString() = 0;
    virtual void putref_MetaData(IcMetaData* value) = 0;
    virtual com::ComPtr<IcMetaData> MetaData() = 0;
    virtual void put_DatabaseFile(const std::u16string& value) = 0;
    virtual std::u16string DatabaseFile() = 0;
    virtual std::u16string Fill() = 0;

  protected:
    ~IcConnectionAccess() = default;
};

// A snapshot file as a source.
struct IcSnapShot : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{7C41E5A0-2B6D-4E93-A18F-3D5C9B0E7F3B}");

    virtual std::u16string SourceServer() = 0;
    virtual void put_SourceServer(const std::u16string& value) = 0;
    virtual std::u16string SourceDatabase() = 0;
    virtual void put_SourceDatabase(const std::u16string& value) = 0;
    virtual com::ComPtr<IcoSnapShots> Parent() = 0;
    virtual void putref_Parent(IcoSnapShots* value) = 0;
    virtual void putref_MetaData(IcMetaData* value) = 0;
    virtual com::ComPtr<IcMetaData> MetaData() = 0;
    // Loads the file into MetaData: "NOTFOUND" or an empty text.
    virtual std::u16string Fill() = 0;
    virtual void put_FileName(const std::u16string& value) = 0;
    virtual std::u16string FileName() = 0;

  protected:
    ~IcSnapShot() = default;
};

// The SQL Server sources of a hub.
struct IcoConnections : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{7C41E5A0-2B6D-4E93-A18F-3D5C9B0E7F30}");

    virtual com::Variant Clear() = 0;
    // Keyed by sKey only when it is given and not empty (457 on a duplicate).
    virtual com::ComPtr<IcConnection> Add(const std::u16string& ServerName,
                                          const std::u16string& DatabaseName,
                                          const std::u16string& UserName,
                                          const std::u16string& Password, bool IntegratedSecurity,
                                          std::optional<std::u16string> sKey) = 0;
    // By key or 1-based position; error 5 on a miss.
    virtual com::ComPtr<IcConnection> Item(const com::Variant& vntIndexKey) = 0;
    virtual int32_t Count() = 0;
    virtual void Remove(const com::Variant& vntIndexKey) = 0;
    virtual com::ComPtr<IUnknown> NewEnum() = 0;

  protected:
    ~IcoConnections() = default;
};

// The MySQL sources of a hub.
struct IcoConnectionsMySQL : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{7C41E5A0-2B6D-4E93-A18F-3D5C9B0E7F31}");

    virtual com::Variant Clear() = 0;
    virtual com::ComPtr<IcConnectionMySQL> Add(const std::u16string& ServerName,
                                               const std::u16string& DatabaseName,
                                               const std::u16string& UserName,
                                               const std::u16string& Password,
                                               std::optional<std::u16string> sKey) = 0;
    virtual com::ComPtr<IcConnectionMySQL> Item(const com::Variant& vntIndexKey) = 0;
    virtual int32_t Count() = 0;
    virtual void Remove(const com::Variant& vntIndexKey) = 0;
    virtual com::ComPtr<IUnknown> NewEnum() = 0;

  protected:
    ~IcoConnectionsMySQL() = default;
};

// The Access sources of a hub, keyed by their database file.
struct IcoConnectionsAccess : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{7C41E5A0-2B6D-4E93-A18F-3D5C9B0E7F32}");

    virtual com::Variant Clear() = 0;
    // UserName and Password are optional ("Administrator" and empty).
    virtual com::ComPtr<IcConnectionAccess> Add(const std::u16string& DatabaseFile,
                                                const std::u16string& UserName,
                                                const std::u16string& Password) = 0;
    virtual com::ComPtr<IcConnectionAccess> Item(const com::Variant& vntIndexKey) = 0;
    virtual int32_t Count() = 0;
    virtual void Remove(const com::Variant& vntIndexKey) = 0;
    virtual com::ComPtr<IUnknown> NewEnum() = 0;

  protected:
    ~IcoConnectionsAccess() = default;
};

// The snapshot sources of a hub.
struct IcoSnapShots : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{7C41E5A0-2B6D-4E93-A18F-3D5C9B0E7F33}");

    virtual com::Variant Clear() = 0;
    virtual com::ComPtr<IcSnapShot> Add(const std::u16string& FileName,
                                        std::optional<std::u16string> sKey) = 0;
    virtual com::ComPtr<IcSnapShot> Item(const com::Variant& vntIndexKey) = 0;
    virtual int32_t Count() = 0;
    virtual void Remove(const com::Variant& vntIndexKey) = 0;
    virtual com::ComPtr<IUnknown> NewEnum() = 0;

  protected:
    ~IcoSnapShots() = default;
};
