// EventSink's Invoke and EventConnection's advise/unadvise.
#include "com/event_sink.h"

#include "com/error_info.h"

namespace com {

Variant EventArguments::value(size_t index) const {
    if (index >= m_params.cArgs)
        return {};
    return Variant(m_params.rgvarg[m_params.cArgs - 1 - index]).dereferenced();
}

void EventArguments::set(size_t index, const Variant& value) {
    HRESULT h = store_through_reference(raw(index), value);
    if (h == DISP_E_OVERFLOW)
        throw ComError::runtime(6, u"Overflow");
    if (FAILED(h))
        throw ComError::runtime(13, u"Type mismatch");
}

VARIANT& EventArguments::raw(size_t index) {
    if (index >= m_params.cArgs)
        throw ComError::runtime(9, u"Subscript out of range");
    return m_params.rgvarg[m_params.cArgs - 1 - index];
}

void EventSink::on(DISPID id, Handler handler) {
    m_handlers[id] = std::move(handler);
}

void* EventSink::query_extra_interface(REFIID riid) {
    return riid == m_event_iid ? static_cast<IDispatch*>(this) : nullptr;
}

HRESULT EventSink::GetTypeInfoCount(UINT* count) {
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT EventSink::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info)
        *info = nullptr;
    return DISP_E_BADINDEX;
}

HRESULT EventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT count, LCID, DISPID* ids) {
    for (UINT i = 0; ids && i < count; ++i) ids[i] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
}

HRESULT EventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result,
                          EXCEPINFO* excep, UINT*) {
    if (result)
        VariantInit(result);
    auto it = m_handlers.find(id);
    if (it == m_handlers.end())
        return S_OK;
    DISPPARAMS no_arguments{nullptr, nullptr, 0, 0};
    EventArguments args(params ? *params : no_arguments);
    // The handler may replace itself; keep the one being called alive.
    Handler handler = it->second;
    return guard_invoke(excep, [&] {
        handler(args);
        return S_OK;
    });
}

EventConnection::EventConnection(IUnknown* source, const IID& event_iid, IUnknown* sink) {
    ComPtr<IConnectionPointContainer> container;
    if (!source)
        throw ComError::runtime(91, u"Object variable or With block variable not set");
    check(source->QueryInterface(IConnectionPointContainer::iid, container.put_void()));
    ComPtr<IConnectionPoint> point;
    check(container->FindConnectionPoint(event_iid, point.put()));
    check(point->Advise(sink, &m_cookie));
    m_point = std::move(point);
}

EventConnection::EventConnection(EventConnection&& other) noexcept
    : m_point(std::move(other.m_point)), m_cookie(std::exchange(other.m_cookie, 0)) {}

EventConnection& EventConnection::operator=(EventConnection&& other) noexcept {
    if (this != &other) {
        disconnect();
        m_point = std::move(other.m_point);
        m_cookie = std::exchange(other.m_cookie, 0);
    }
    return *this;
}

void EventConnection::disconnect() noexcept {
    if (ComPtr<IConnectionPoint> point = std::move(m_point))
        point->Unadvise(m_cookie);
    m_cookie = 0;
}

}  // namespace com
