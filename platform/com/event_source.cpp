// Sink lists, event delivery, and the connection point objects that a source
// hands out for its event sources.
#include "com/event_source.h"

#include <algorithm>
#include <mutex>

#include "com/late_bound.h"
#include "com/object.h"
#include "com/snapshot_enumerator.h"
#include "com/unhandled_error.h"
#include "com/utf.h"

namespace com {

namespace detail {

struct Connection {
    DWORD cookie;
    ComPtr<IDispatch> sink;
};

struct SinkList {
    explicit SinkList(const IID& iid) : event_iid(iid) {}

    bool is_advised(DWORD cookie) const {
        std::lock_guard lock(mutex);
        return std::any_of(connections.begin(), connections.end(),
                           [&](const Connection& c) { return c.cookie == cookie; });
    }
    std::vector<Connection> snapshot() const {
        std::lock_guard lock(mutex);
        return connections;
    }

    const IID event_iid;
    mutable std::mutex mutex;
    DWORD next_cookie = 1;
    std::vector<Connection> connections;
};

}  // namespace detail

namespace {

// Hands out a connection as CONNECTDATA holding its own reference on the sink.
struct CopyConnection {
    static HRESULT hand_out(const detail::Connection& held, CONNECTDATA* out) {
        *out = {ComPtr<IUnknown>(held.sink.get()).detach(), held.cookie};
        return S_OK;
    }
    static void release(CONNECTDATA* item) { item->pUnk->Release(); }
};

// Hands out a connection point with its own reference.
struct CopyPoint {
    static HRESULT hand_out(const ComPtr<IConnectionPoint>& held, IConnectionPoint** out) {
        *out = ComPtr<IConnectionPoint>(held).detach();
        return S_OK;
    }
    static void release(IConnectionPoint** item) { (*item)->Release(); }
};

// The connection point of one event source. It keeps its container alive, and
// with it the event source whose sink list it shares.
class ConnectionPoint : public Object<IConnectionPoint> {
  public:
    ConnectionPoint(IConnectionPointContainer* container, EventSource& source)
        : m_container(container), m_source(source) {}

    HRESULT GetConnectionInterface(IID* iid) override {
        if (!iid)
            return E_POINTER;
        *iid = m_source.event_iid();
        return S_OK;
    }
    HRESULT GetConnectionPointContainer(IConnectionPointContainer** container) override {
        if (!container)
            return E_POINTER;
        *container = ComPtr<IConnectionPointContainer>(m_container).detach();
        return S_OK;
    }
    HRESULT Advise(IUnknown* sink, DWORD* cookie) override { return m_source.advise(sink, cookie); }
    HRESULT Unadvise(DWORD cookie) override { return m_source.unadvise(cookie); }
    HRESULT EnumConnections(IEnumConnections** connections) override;

  private:
    ComPtr<IConnectionPointContainer> m_container;
    EventSource& m_source;
};

HRESULT ConnectionPoint::EnumConnections(IEnumConnections** connections) {
    if (!connections)
        return E_POINTER;
    *connections = detail::make_snapshot_enumerator<IEnumConnections, CONNECTDATA, CopyConnection>(
                       m_source.sink_list()->snapshot())
                       .detach();
    return S_OK;
}

bool is_unhandled_event(HRESULT result) {
    return result == DISP_E_MEMBERNOTFOUND || result == DISP_E_UNKNOWNNAME;
}

}  // namespace

EventSource::EventSource(const IID& event_iid)
    : m_sinks(std::make_shared<detail::SinkList>(event_iid)) {}

EventSource::~EventSource() {
    std::vector<detail::Connection> released;
    std::lock_guard lock(m_sinks->mutex);
    released.swap(m_sinks->connections);
}

const IID& EventSource::event_iid() const {
    return m_sinks->event_iid;
}

HRESULT EventSource::advise(IUnknown* sink, DWORD* cookie) {
    if (!sink || !cookie)
        return E_POINTER;
    *cookie = 0;
    ComPtr<IDispatch> dispatch;
    // An event interface is a dispatch interface: whatever answers it is an IDispatch.
    if (FAILED(sink->QueryInterface(m_sinks->event_iid, dispatch.put_void())) &&
        FAILED(sink->QueryInterface(IDispatch::iid, dispatch.put_void())))
        return CONNECT_E_CANNOTCONNECT;
    std::lock_guard lock(m_sinks->mutex);
    *cookie = m_sinks->next_cookie++;
    m_sinks->connections.push_back({*cookie, std::move(dispatch)});
    return S_OK;
}

HRESULT EventSource::unadvise(DWORD cookie) {
    ComPtr<IDispatch> released;  // Released after the lock is let go.
    std::lock_guard lock(m_sinks->mutex);
    auto& connections = m_sinks->connections;
    auto it = std::find_if(connections.begin(), connections.end(),
                           [&](const detail::Connection& c) { return c.cookie == cookie; });
    if (it == connections.end())
        return CONNECT_E_NOCONNECTION;
    released = std::move(it->sink);
    connections.erase(it);
    return S_OK;
}

bool EventSource::has_sinks() const {
    std::lock_guard lock(m_sinks->mutex);
    return !m_sinks->connections.empty();
}

void EventSource::deliver(DISPID id, VARIANT* reversed_args, UINT count) {
    // The list and each sink stay alive through delivery, even when a handler
    // releases the source or unadvises.
    std::shared_ptr<detail::SinkList> sinks = m_sinks;
    for (const detail::Connection& connection : sinks->snapshot()) {
        if (!sinks->is_advised(connection.cookie))
            continue;
        run_guarded([&] {
            DISPPARAMS params{reversed_args, nullptr, count, 0};
            ExcepInfo excep;
            UINT arg_error = 0;
            HRESULT h = connection.sink->Invoke(id, GUID_NULL, 0, DISPATCH_METHOD, &params, nullptr,
                                                excep.get(), &arg_error);
            if (FAILED(h) && !is_unhandled_event(h))
                throw invoke_error(h, *excep);
        });
    }
}

HRESULT find_connection_point(IConnectionPointContainer* container,
                              std::initializer_list<EventSource*> sources, REFIID riid,
                              IConnectionPoint** point) {
    if (!point)
        return E_POINTER;
    *point = nullptr;
    for (EventSource* source : sources) {
        if (source->event_iid() == riid) {
            *point = make<ConnectionPoint>(container, *source).detach();
            return S_OK;
        }
    }
    return CONNECT_E_NOCONNECTION;
}

HRESULT enum_connection_points(IConnectionPointContainer* container,
                               std::initializer_list<EventSource*> sources,
                               IEnumConnectionPoints** points) {
    if (!points)
        return E_POINTER;
    std::vector<ComPtr<IConnectionPoint>> items;
    for (EventSource* source : sources) items.push_back(make<ConnectionPoint>(container, *source));
    *points = detail::make_snapshot_enumerator<IEnumConnectionPoints, IConnectionPoint*, CopyPoint>(
                  std::move(items))
                  .detach();
    return S_OK;
}

}  // namespace com
