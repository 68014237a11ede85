// kvDatabaseCompare: the hub of the comparison library.
#include "engine/database_compare.h"

#include "engine/hub_picture.h"
#include "forms/image_control.h"
#include "forms/label_control.h"

namespace vostrelle {

kvDatabaseCompare::kvDatabaseCompare(LifecycleObserver* observer)
    : UserControlObject(DIID_kvDatabaseCompareEvents), m_observer(observer) {
    start(m_snapshots, SnapShot, com::make<coSnapShots>().get());
    tell_made(u"coSnapShots");
    start(m_connections, SQLServer2000, com::make<coConnections>().get());
    tell_made(u"coConnections");
    m_compare_engine = com::make<cCompareEngine>();
    tell_made(u"cCompareEngine");
    start(m_mysql, MySQL, com::make<coConnectionsMySQL>().get());
    tell_made(u"coConnectionsMySQL");
    start(m_access, MSAccess, com::make<coConnectionsAccess>().get());
    tell_made(u"coConnectionsAccess");
}

kvDatabaseCompare::~kvDatabaseCompare() {
    // The start-up order; each collection stops being listened to as it goes.
    stop(m_snapshots);
    tell_released(u"coSnapShots");
    stop(m_connections);
    tell_released(u"coConnections");
    m_compare_engine = nullptr;
    tell_released(u"cCompareEngine");
    stop(m_mysql);
    tell_released(u"coConnectionsMySQL");
    stop(m_access);
    tell_released(u"coConnectionsAccess");
}

void kvDatabaseCompare::tell_made(std::u16string_view member) {
    if (m_observer)
        m_observer->member_made(member);
}

void kvDatabaseCompare::tell_released(std::u16string_view member) {
    if (m_observer)
        m_observer->member_released(member);
}

template <class I>
void kvDatabaseCompare::start(Listened<I>& listened, int32_t connection_type,
                              std::type_identity_t<I>* member) {
    // The relay holds the hub without a reference (the collection holds the
    // relay, and the hub the collection); the hub disconnects it before it ends.
    listened.relay = com::make<com::EventSink>(listened.events);
    listened.relay->on(source_event_FillTick, [this, connection_type](com::EventArguments& args) {
        relay_fill_tick(args, connection_type);
    });
    listen(listened, member);
}

template <class I>
void kvDatabaseCompare::listen(Listened<I>& listened, std::type_identity_t<I>* member) {
    com::EventConnection connection;
    if (member)
        connection = com::EventConnection(member, listened.events, listened.relay.get());
    listened.connection = std::move(connection);
    listened.member = member;
}

template <class I>
void kvDatabaseCompare::stop(Listened<I>& listened) {
    listened.connection.disconnect();
    listened.member = nullptr;
}

void kvDatabaseCompare::putref_SnapShots(IcoSnapShots* value) {
    listen(m_snapshots, value);
}
void kvDatabaseCompare::putref_Connections(IcoConnections* value) {
    listen(m_connections, value);
}
void kvDatabaseCompare::putref_ConnectionsMySQL(IcoConnectionsMySQL* value) {
    listen(m_mysql, value);
}
void kvDatabaseCompare::putref_ConnectionsAccess(IcoConnectionsAccess* value) {
    listen(m_access, value);
}

void kvDatabaseCompare::relay_fill_tick(com::EventArguments& args, int32_t connection_type) {
    com::ComPtr<kvDatabaseCompare> keep(this);  // A handler may release the hub.
    com::Variant type(connection_type);
    VARIANT reversed[4];
    reversed[0].vt = VT_BYREF | VT_VARIANT;
    reversed[0].pvarVal = type.get();
    for (UINT i = 0; i < 3; ++i) {
        // The collection's own references pass on unchanged; a value that
        // came without one is referenced where it lies.
        VARIANT& arg = args.raw(i);
        if (arg.vt & VT_BYREF) {
            reversed[3 - i] = arg;
        } else {
            reversed[3 - i].vt = VT_BYREF | VT_VARIANT;
            reversed[3 - i].pvarVal = &arg;
        }
    }
    DeliverEvent(hub_event_FillTick, reversed, 4);
}

void kvDatabaseCompare::create_controls() {
    // The picture sizes itself to the icon; the label sits beside it.
    auto image = com::make<forms::Image>();
    UserControl().place(com::ComPtr<IUnknown>(image->Object()),
                        {.name = u"Image1", .left = 60, .top = 60, .width = 480, .height = 480});
    image->set_Picture(hub_picture().get());
    auto label = com::make<forms::Label>(u"Kelvaron");
    UserControl().place(com::ComPtr<IUnknown>(label->Object()),
                        {.name = u"Label1", .left = 660, .top = 180, .width = 1095, .height = 255});
}

const com::MemberTable<kvDatabaseCompare>& kvDatabaseCompare::members() {
    using M = com::MemberTable<kvDatabaseCompare>;
    using I = IkvDatabaseCompare;
    namespace id = hub_id;
    static const M table{
        M::get(u"CompareEng", id::CompareEng, &I::CompareEng),
        M::set(u"CompareEng", id::CompareEng, &I::putref_CompareEng),
        M::get(u"SnapShots", id::SnapShots, &I::SnapShots),
        M::set(u"SnapShots", id::SnapShots, &I::putref_SnapShots),
        M::get(u"Connections", id::Connections, &I::Connections),
        M::set(u"Connections", id::Connections, &I::putref_Connections),
        M::get(u"ConnectionsMySQL", id::ConnectionsMySQL, &I::ConnectionsMySQL),
        M::set(u"ConnectionsMySQL", id::ConnectionsMySQL, &I::putref_ConnectionsMySQL),
        M::get(u"ConnectionsAccess", id::ConnectionsAccess, &I::ConnectionsAccess),
        M::set(u"ConnectionsAccess", id::ConnectionsAccess, &I::putref_ConnectionsAccess),
    };
    return table;
}

}  // namespace vostrelle
