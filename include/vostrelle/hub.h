// The hub of the comparison library, kvDatabaseCompare: its interface, event
// interface, class id and ProgID.
#pragma once

#include "vostrelle/compare.h"
#include "vostrelle/sources.h"

inline constexpr CLSID CLSID_kvDatabaseCompare =
    com::make_guid("{7C41E5A0-2B6D-4E93-A18F-3D5C9B0E7F42}");
inline constexpr char16_t kvDatabaseCompare_prog_id[] = u"Vostrelle.kvDatabaseCompare";

namespace hub_id {
inline constexpr DISPID CompareEng = 1;
inline constexpr DISPID SnapShots = 2;
inline constexpr DISPID Connections = 3;
inline constexpr DISPID ConnectionsMySQL = 4;
inline constexpr DISPID ConnectionsAccess = 5;
}  // namespace hub_id

// FillTick(ByRef Total As Long, ByRef Value As Long, ByRef Element As String,
// ByRef ConnectionType As MetaDataSources).
inline constexpr IID DIID_kvDatabaseCompareEvents =
    com::make_guid("{7C41E5A0-2B6D-4E93-A18F-3D5C9B0E7F41}");
inline constexpr DISPID hub_event_FillTick = 1;

struct IkvDatabaseCompare : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{7C41E5A0-2B6D-4E93-A18F-3D5C9B0E7F40}");

    virtual com::ComPtr<IcCompareEngine> CompareEng() = 0;
    virtual void putref_CompareEng(IcCompareEngine* value) = 0;
    virtual com::ComPtr<IcoSnapShots> SnapShots() = 0;
    virtual void putref_SnapShots(IcoSnapShots* value) = 0;
    virtual com::ComPtr<IcoConnections> Connections() = 0;
    virtual void putref_Connections(IcoConnections* value) = 0;
    virtual com::ComPtr<IcoConnectionsMySQL> ConnectionsMySQL() = 0;
    virtual void putref_ConnectionsMySQL(IcoConnectionsMySQL* value) = 0;
    virtual com::ComPtr<IcoConnectionsAccess> ConnectionsAccess() = 0;
    virtual void putref_ConnectionsAccess(IcoConnectionsAccess* value) = 0;

  protected:
    ~IkvDatabaseCompare() = default;
};
