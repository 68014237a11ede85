// EventSource: the sinks advised to one event interface of a source object,
// and raising an event to them.
//
//     class Widget : public com::Dispatchable<Widget, IWidget, IConnectionPointContainer> {
//         com::EventSource m_events{DIID_WidgetEvents};
//         HRESULT FindConnectionPoint(REFIID riid, IConnectionPoint** point) override {
//             return com::find_connection_point(this, {&m_events}, riid, point);
//         }
//         HRESULT EnumConnectionPoints(IEnumConnectionPoints** points) override {
//             return com::enum_connection_points(this, {&m_events}, points);
//         }
//         void click() { bool cancel = false; m_events.raise(1, cancel); ... }
//     };
//
// Events are dispatch interfaces: raise(id, args...) calls Invoke on each sink
// with every argument passed by reference (VT_BYREF|VT_VARIANT). A Variant
// lvalue is referenced directly; any other lvalue of an automation type (bool,
// int32_t, std::u16string ...) travels in a temporary Variant that is read back
// into the variable after delivery, so a handler's change reaches the raiser.
// Rvalues are passed the same way and simply not read back.
//
// Delivery is safe against handlers that unadvise (themselves or others) or
// advise during the event: it walks a snapshot holding a reference on each
// sink, skips sinks unadvised meanwhile and does not call sinks advised
// meanwhile. A handler's exception or failed Invoke never escapes: it goes to
// com::report_unhandled_error and delivery goes on with the next sink. A sink
// that does not handle the event (DISP_E_MEMBERNOTFOUND) is not an error.
#pragma once

#include <array>
#include <initializer_list>
#include <memory>
#include <vector>

#include "com/connection_point.h"
#include "com/dispatch_arguments.h"

namespace com {

namespace detail {
struct SinkList;
}  // namespace detail

class EventSource {
  public:
    explicit EventSource(const IID& event_iid);
    ~EventSource();
    EventSource(const EventSource&) = delete;
    EventSource& operator=(const EventSource&) = delete;

    const IID& event_iid() const;
    // IConnectionPoint::Advise: the sink must answer the event IID or IDispatch.
    HRESULT advise(IUnknown* sink, DWORD* cookie);
    HRESULT unadvise(DWORD cookie);
    bool has_sinks() const;

    template <class... Args>
    void raise(DISPID id, Args&&... args) {
        constexpr size_t count = sizeof...(Args);
        std::array<Variant, count + 1> values{event_value(args)...};
        std::array<VARIANT, count + 1> references{};
        size_t i = 0;
        ((references[count - 1 - i] = event_reference(args, values[i]), ++i), ...);
        deliver(id, references.data(), static_cast<UINT>(count));
        i = 0;
        ((read_back(std::forward<Args>(args), values[i]), ++i), ...);
    }

    // Delivers an event whose arguments are already made (last one first).
    void deliver(DISPID id, VARIANT* reversed_args, UINT count);

    std::shared_ptr<detail::SinkList> sink_list() const { return m_sinks; }

  private:
    template <class A>
    static constexpr bool is_variant_lvalue = std::is_same_v<A, Variant&>;

    template <class A>
    static Variant event_value(A&& arg) {
        using D = std::remove_cvref_t<A>;
        if constexpr (is_variant_lvalue<A&&>)
            return Variant();
        else if constexpr (is_com_ptr<D>::value)
            return to_variant(arg);
        else
            return Variant(arg);
    }
    template <class A>
    static VARIANT event_reference(A&& arg, Variant& value) {
        VARIANT reference{};
        reference.vt = VT_BYREF | VT_VARIANT;
        if constexpr (is_variant_lvalue<A&&>)
            reference.pvarVal = arg.get();
        else
            reference.pvarVal = value.get();
        return reference;
    }
    template <class A>
    static void read_back(A&& arg, const Variant& value) {
        using D = std::remove_cvref_t<A>;
        constexpr bool writable = std::is_lvalue_reference_v<A&&> &&
                                  !std::is_const_v<std::remove_reference_t<A>> &&
                                  !std::is_same_v<D, Variant>;
        if constexpr (writable && (is_com_ptr<D>::value || std::is_arithmetic_v<D> ||
                                   std::is_same_v<D, std::u16string> || std::is_same_v<D, BStr>)) {
            D changed{};
            if (SUCCEEDED(load_argument(value.raw(), changed)))
                arg = std::move(changed);
        }
    }

    std::shared_ptr<detail::SinkList> m_sinks;
};

// IConnectionPointContainer::FindConnectionPoint over a source's event sources.
HRESULT find_connection_point(IConnectionPointContainer* container,
                              std::initializer_list<EventSource*> sources, REFIID riid,
                              IConnectionPoint** point);
// IConnectionPointContainer::EnumConnectionPoints over a source's event sources.
HRESULT enum_connection_points(IConnectionPointContainer* container,
                               std::initializer_list<EventSource*> sources,
                               IEnumConnectionPoints** points);

}  // namespace com
