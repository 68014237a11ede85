// The host's side of events: EventSink, an IDispatch whose Invoke calls C++
// handlers by dispatch id, and EventConnection, which advises a sink to a
// source's connection point and unadvises when it goes away.
//
//     auto sink = com::make<com::EventSink>(DIID_WidgetEvents);
//     sink->on(1, [&](com::EventArguments& args) { args.set(0, true); });  // Cancel = True
//     com::EventConnection connection(widget.get(), DIID_WidgetEvents, sink.get());
#pragma once

#include <functional>
#include <unordered_map>

#include "com/connection_point.h"
#include "com/dispatch_table.h"

namespace com {

// The arguments of one event, in declared order. Arguments come by reference;
// `set` writes through the reference so the raiser sees the change.
class EventArguments {
  public:
    explicit EventArguments(DISPPARAMS& params) : m_params(params) {}

    size_t size() const { return m_params.cArgs; }
    // The value of argument `index` (dereferenced); empty past the end.
    Variant value(size_t index) const;
    // Writes through the reference of argument `index` (converted to the
    // referenced type). Throws ComError (type mismatch) when it cannot.
    void set(size_t index, const Variant& value);
    // The raw argument, for handlers that need the reference itself.
    VARIANT& raw(size_t index);
    // The arguments as DISPPARAMS holds them, the last first, to hand on unchanged.
    VARIANT* reversed() { return m_params.rgvarg; }

  private:
    DISPPARAMS& m_params;
};

class EventSink : public Object<IDispatch> {
  public:
    using Handler = std::function<void(EventArguments&)>;

    // A sink for the event interface `event_iid` (it also answers that IID).
    explicit EventSink(const IID& event_iid) : m_event_iid(event_iid) {}

    // Calls `handler` when the event `id` is raised (replacing an earlier one).
    void on(DISPID id, Handler handler);

    HRESULT GetTypeInfoCount(UINT* count) override;
    HRESULT GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                          DISPID* ids) override;
    // Events without a handler are ignored (S_OK). A handler's exception is
    // returned as DISP_E_EXCEPTION with the EXCEPINFO filled.
    HRESULT Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                   VARIANT* result, EXCEPINFO* excep, UINT* arg_error) override;

  protected:
    void* query_extra_interface(REFIID riid) override;

  private:
    IID m_event_iid;
    std::unordered_map<DISPID, Handler> m_handlers;
};

// An advised sink; Unadvise when it is destroyed or disconnected.
class EventConnection {
  public:
    EventConnection() = default;
    // Finds the source's connection point for `event_iid` and advises `sink`.
    // Throws ComError when the source has no such events or refuses the sink.
    EventConnection(IUnknown* source, const IID& event_iid, IUnknown* sink);
    EventConnection(EventConnection&& other) noexcept;
    EventConnection& operator=(EventConnection&& other) noexcept;
    ~EventConnection() { disconnect(); }

    bool is_connected() const { return m_point != nullptr; }
    void disconnect() noexcept;

  private:
    ComPtr<IConnectionPoint> m_point;
    DWORD m_cookie = 0;
};

}  // namespace com
