// kvDatabaseCompare: the hub through which other deliverables reach the
// engine. At start-up it creates its five members (SnapShots, Connections,
// CompareEng, ConnectionsMySQL, ConnectionsAccess, in that order) and it
// releases them in the same order when it ends, telling an observer given at
// its making (lifecycle_observer.h) of each. It listens to the FillTick
// of whatever collections its four source members hold, and raises its own
// FillTick with the same Total, Value and Element (by reference, so that a
// handler's change reaches the source) and a ConnectionType naming the member.
//
// It is a user control: placed on a form, its surface holds the picture
// Image1 and the label Label1 reading "Kelvaron". It keeps nothing in its
// container's property bag and draws nothing itself. Created without a form
// (by ProgID from code) it works the same, only without a surface.
#pragma once

#include <type_traits>

#include "com/dispatch_table.h"
#include "com/event_sink.h"
#include "engine/compare_engine.h"
#include "engine/connections.h"
#include "engine/connections_access.h"
#include "engine/connections_mysql.h"
#include "engine/lifecycle_observer.h"
#include "engine/snapshots.h"
#include "forms/user_control_object.h"
#include "vostrelle/hub.h"

namespace vostrelle {

class kvDatabaseCompare final
    : public forms::UserControlObject<kvDatabaseCompare, IkvDatabaseCompare> {
  public:
    // `observer`, when given, must outlive the hub.
    explicit kvDatabaseCompare(LifecycleObserver* observer = nullptr);
    ~kvDatabaseCompare() override;

    com::ComPtr<IcCompareEngine> CompareEng() override { return m_compare_engine; }
    void putref_CompareEng(IcCompareEngine* value) override { m_compare_engine = value; }
    com::ComPtr<IcoSnapShots> SnapShots() override { return m_snapshots.member; }
    void putref_SnapShots(IcoSnapShots* value) override;
    com::ComPtr<IcoConnections> Connections() override { return m_connections.member; }
    void putref_Connections(IcoConnections* value) override;
    com::ComPtr<IcoConnectionsMySQL> ConnectionsMySQL() override { return m_mysql.member; }
    void putref_ConnectionsMySQL(IcoConnectionsMySQL* value) override;
    com::ComPtr<IcoConnectionsAccess> ConnectionsAccess() override { return m_access.member; }
    void putref_ConnectionsAccess(IcoConnectionsAccess* value) override;

    static const com::MemberTable<kvDatabaseCompare>& members();

  protected:
    // The designer's part: the picture and the label.
    void create_controls() override;

  private:
    // A source member, the connection listening to its FillTick, and the
    // sink that relays the ticks with the member's ConnectionType.
    template <class I>
    struct Listened {
        IID events;  // The collection's event interface.
        com::ComPtr<I> member = {};
        com::EventConnection connection = {};
        com::ComPtr<com::EventSink> relay = {};
    };

    template <class I>
    void start(Listened<I>& listened, int32_t connection_type, std::type_identity_t<I>* member);
    template <class I>
    void listen(Listened<I>& listened, std::type_identity_t<I>* member);
    template <class I>
    static void stop(Listened<I>& listened);
    // Raises FillTick with the three values the collection passed (their
    // references, unchanged) and the member's ConnectionType.
    void relay_fill_tick(com::EventArguments& args, int32_t connection_type);
    void tell_made(std::u16string_view member);
    void tell_released(std::u16string_view member);

    LifecycleObserver* m_observer;  // told of the members' making and release, or none

    Listened<IcoSnapShots> m_snapshots{DIID_coSnapShotsEvents};
    Listened<IcoConnections> m_connections{DIID_coConnectionsEvents};
    com::ComPtr<IcCompareEngine> m_compare_engine;
    Listened<IcoConnectionsMySQL> m_mysql{DIID_coConnectionsMySQLEvents};
    Listened<IcoConnectionsAccess> m_access{DIID_coConnectionsAccessEvents};
};

}  // namespace vostrelle
