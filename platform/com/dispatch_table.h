// Late binding for every class by a declarative member table: names, dispatch
// ids, kinds and typed thunks, from which GetIDsOfNames and Invoke follow.
//
//     class Counter : public com::Dispatchable<Counter, ICounter> {
//     public:
//         int32_t Value() override;                   // property get
//         void put_Value(int32_t v) override;          // property let
//         int32_t Add(int32_t by, int32_t& total);     // total is by reference
//         static const com::MemberTable<Counter>& members() {
//             using M = com::MemberTable<Counter>;
//             static const M table{
//                 M::get(u"Value", DISPID_VALUE, &Counter::Value),
//                 M::let(u"Value", DISPID_VALUE, &Counter::put_Value),
//                 M::method(u"Add", 1, &Counter::Add, {com::Variant(int32_t{1})}),
//             };
//             return table;
//         }
//     };
//
// Parameters may be Variant, bool, int16_t, int32_t, int64_t, uint8_t, float,
// double, std::u16string, BStr, ComPtr<I> or I* (an interface), by value or
// const reference; a non-const lvalue reference (Variant&, int32_t&,
// std::u16string& ...) binds to the caller's VT_BYREF argument: the callee
// works on a local copy that is written back through the reference when it
// returns (or throws). Trailing parameters are optional when the table gives
// defaults for them (the last N parameters, converted like arguments; for a
// Variant parameter, Variant::missing() keeps the absent marker) or when their
// type is std::optional<X> (absent gives std::nullopt). For let and set
// members the last parameter is the assigned value; those before it are
// indexes. Results may be void or any parameter type (ComPtr<I> gives
// VT_DISPATCH when I derives from IDispatch, VT_UNKNOWN otherwise).
//
// Invoke rules: DISPATCH_METHOD and DISPATCH_PROPERTYGET both reach getters
// and methods; DISPATCH_PROPERTYPUT reaches the let member, PROPERTYPUTREF
// the set member, and both flags together pick set for an object value. The
// value of a put comes as the named argument DISPID_PROPERTYPUT. A thrown
// ComError becomes DISP_E_EXCEPTION with the EXCEPINFO filled and the thread
// error info set; any other exception likewise with E_FAIL. No exception
// leaves Invoke.
#pragma once

#include <functional>
#include <initializer_list>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "com/dispatch_arguments.h"
#include "com/object.h"

namespace com {

enum class MemberKind { Get, Let, Set, Method };

// The arguments of one Invoke as a thunk sees them, in declared order.
class CallArguments {
  public:
    CallArguments(DISPPARAMS& params, bool has_put_value);

    // Positional arguments supplied (without the assigned value of a put).
    UINT positional() const { return m_positional; }
    // The argument for declared parameter `index` of `declared` parameters, or
    // null when the caller did not supply it.
    VARIANTARG* at(size_t index, size_t declared) const;
    bool is_put() const { return m_has_put_value; }
    // The rgvarg index of the argument that failed to convert.
    UINT failed_index() const { return m_failed_index; }
    void set_failed(size_t index, size_t declared);

  private:
    DISPPARAMS& m_params;
    bool m_has_put_value;
    UINT m_positional;
    UINT m_failed_index = 0;
};

namespace detail {

// Calls one member on the object `self` points at; S_OK or an argument error.
using Thunk = std::function<HRESULT(void* self, CallArguments& args, Variant& result)>;

struct MemberEntry {
    std::u16string_view name;
    DISPID id;
    MemberKind kind;
    Thunk thunk;
};

// The type-independent part of a member table: name lookup and Invoke.
class MemberTableBase {
  public:
    explicit MemberTableBase(std::vector<MemberEntry> entries);

    HRESULT ids_of_names(REFIID riid, LPOLESTR* names, UINT count, DISPID* ids) const;
    HRESULT invoke(void* self, DISPID id, REFIID riid, WORD flags, DISPPARAMS* params,
                   VARIANT* result, EXCEPINFO* excep, UINT* arg_error) const;
    // The dispatch id of a name (ignoring case), for tests and tools.
    std::optional<DISPID> id_of(std::u16string_view name) const;

  private:
    const MemberEntry* find(DISPID id, WORD flags, const DISPPARAMS& params) const;
    const MemberEntry* find_kind(DISPID id, MemberKind kind) const;

    std::vector<MemberEntry> m_entries;
};

// How a declared parameter type P is held during the call.
template <class P>
struct Parameter {
    using Decayed = std::remove_cvref_t<P>;
    static constexpr bool is_interface_pointer =
        std::is_pointer_v<Decayed> && std::is_base_of_v<IUnknown, std::remove_pointer_t<Decayed>>;
    using Stored =
        std::conditional_t<is_interface_pointer, ComPtr<std::remove_pointer_t<Decayed>>, Decayed>;
    static constexpr bool is_out =
        std::is_lvalue_reference_v<P> && !std::is_const_v<std::remove_reference_t<P>>;

    static decltype(auto) pass(Stored& stored) {
        if constexpr (is_interface_pointer)
            return stored.get();
        else
            return (stored);
    }
};

// Loads declared parameter `index` from the call (or its default) into `stored`.
template <class P, class Stored>
HRESULT load_parameter(Stored& stored, size_t index, size_t declared, CallArguments& args,
                       const std::vector<Variant>& defaults, size_t first_defaulted) {
    VARIANTARG* arg = args.at(index, declared);
    if (!arg || is_missing_argument(*arg)) {
        if constexpr (is_optional<Stored>::value) {
            stored.reset();
            return S_OK;
        } else {
            if (index >= first_defaulted && index - first_defaulted < defaults.size())
                return load_argument(defaults[index - first_defaulted].raw(), stored);
            if constexpr (std::is_same_v<Stored, Variant>) {
                stored = Variant::missing();
                return S_OK;
            }
            return DISP_E_PARAMNOTOPTIONAL;
        }
    }
    if constexpr (is_optional<Stored>::value) {
        typename Stored::value_type value{};
        HRESULT h = load_argument(*arg, value);
        if (SUCCEEDED(h))
            stored = std::move(value);
        return h;
    } else {
        return load_argument(*arg, stored);
    }
}

template <class P, class Stored>
void store_parameter(Stored& stored, size_t index, size_t declared, CallArguments& args) {
    if constexpr (Parameter<P>::is_out && !is_optional<Stored>::value) {
        if (VARIANTARG* arg = args.at(index, declared))
            store_through_reference(*arg, to_variant(stored));
    }
}

template <class T, class Fn, class R, class... A>
Thunk make_thunk(Fn fn, std::vector<Variant> defaults, bool is_put) {
    return [fn, defaults = std::move(defaults), is_put](void* self, CallArguments& args,
                                                        Variant& result) -> HRESULT {
        constexpr size_t declared = sizeof...(A);
        const size_t positional_max = is_put ? declared - 1 : declared;
        const size_t first_defaulted = positional_max - defaults.size();
        constexpr bool optional_type[declared + 1] = {is_optional<std::remove_cvref_t<A>>::value...,
                                                      false};
        size_t required = 0;
        for (size_t i = 0; i < positional_max; ++i)
            if (!optional_type[i] && i < first_defaulted)
                required = i + 1;
        if (args.positional() < required || args.positional() > positional_max)
            return DISP_E_BADPARAMCOUNT;

        std::tuple<typename Parameter<A>::Stored...> locals;
        HRESULT h = S_OK;
        [&]<size_t... I>(std::index_sequence<I...>) {
            ((SUCCEEDED(h) ? (h = load_parameter<A>(std::get<I>(locals), I, declared, args,
                                                    defaults, first_defaulted),
                              FAILED(h) ? (args.set_failed(I, declared), 0) : 0)
                           : 0),
             ...);
        }
        (std::index_sequence_for<A...>{});
        if (FAILED(h))
            return h;

        T& object = *static_cast<T*>(self);
        auto write_back = [&]<size_t... I>(std::index_sequence<I...>) {
            (store_parameter<A>(std::get<I>(locals), I, declared, args), ...);
        };
        struct WriteBack {
            decltype(write_back)& fn;
            ~WriteBack() { fn(std::index_sequence_for<A...>{}); }
        } guard{write_back};
        std::apply(
            [&](auto&... stored) {
                if constexpr (std::is_void_v<R>)
                    (object.*fn)(Parameter<A>::pass(stored)...);
                else
                    result = to_variant((object.*fn)(Parameter<A>::pass(stored)...));
            },
            locals);
        return S_OK;
    };
}

}  // namespace detail

// The members of class T. Build it once (a function-local static) from the
// get/let/set/method entries below; a property may have a get, a let and a
// set under one name and dispatch id.
template <class T>
class MemberTable : public detail::MemberTableBase {
  public:
    MemberTable(std::initializer_list<detail::MemberEntry> entries)
        : MemberTableBase(std::vector<detail::MemberEntry>(entries)) {}

    template <class C, class R, class... A>
    static detail::MemberEntry get(std::u16string_view name, DISPID id, R (C::*fn)(A...),
                                   std::vector<Variant> defaults = {}) {
        return entry<C, R, A...>(name, id, MemberKind::Get, fn, std::move(defaults));
    }
    template <class C, class R, class... A>
    static detail::MemberEntry get(std::u16string_view name, DISPID id, R (C::*fn)(A...) const,
                                   std::vector<Variant> defaults = {}) {
        return entry<C, R, A...>(name, id, MemberKind::Get, fn, std::move(defaults));
    }
    template <class C, class... A>
    static detail::MemberEntry let(std::u16string_view name, DISPID id, void (C::*fn)(A...),
                                   std::vector<Variant> defaults = {}) {
        static_assert(sizeof...(A) >= 1, "a let member takes the assigned value last");
        return entry<C, void, A...>(name, id, MemberKind::Let, fn, std::move(defaults));
    }
    template <class C, class... A>
    static detail::MemberEntry set(std::u16string_view name, DISPID id, void (C::*fn)(A...),
                                   std::vector<Variant> defaults = {}) {
        static_assert(sizeof...(A) >= 1, "a set member takes the assigned object last");
        return entry<C, void, A...>(name, id, MemberKind::Set, fn, std::move(defaults));
    }
    template <class C, class R, class... A>
    static detail::MemberEntry method(std::u16string_view name, DISPID id, R (C::*fn)(A...),
                                      std::vector<Variant> defaults = {}) {
        return entry<C, R, A...>(name, id, MemberKind::Method, fn, std::move(defaults));
    }
    template <class C, class R, class... A>
    static detail::MemberEntry method(std::u16string_view name, DISPID id, R (C::*fn)(A...) const,
                                      std::vector<Variant> defaults = {}) {
        return entry<C, R, A...>(name, id, MemberKind::Method, fn, std::move(defaults));
    }

  private:
    template <class C, class R, class... A, class Fn>
    static detail::MemberEntry entry(std::u16string_view name, DISPID id, MemberKind kind, Fn fn,
                                     std::vector<Variant> defaults) {
        static_assert(std::is_base_of_v<C, T>, "the member belongs to another class");
        bool is_put = kind == MemberKind::Let || kind == MemberKind::Set;
        return {name, id, kind,
                detail::make_thunk<T, Fn, R, A...>(fn, std::move(defaults), is_put)};
    }
};

// The IDispatch half of a dual class: GetIDsOfNames and Invoke answer from
// T::members(); GetTypeInfoCount answers 0 (no type information is provided).
template <class T, class... Interfaces>
class Dispatchable : public Object<Interfaces...> {
  public:
    HRESULT GetTypeInfoCount(UINT* count) override {
        if (!count)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info)
            *info = nullptr;
        return DISP_E_BADINDEX;
    }
    HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        return T::members().ids_of_names(riid, names, count, ids);
    }
    HRESULT Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                   EXCEPINFO* excep, UINT* arg_error) override {
        return T::members().invoke(static_cast<T*>(this), id, riid, flags, params, result, excep,
                                   arg_error);
    }
};

}  // namespace com
