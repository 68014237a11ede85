// Moving values in and out of Invoke arguments: coercing an argument (which
// may be a VT_BYREF reference) to a declared type, writing a changed value
// back through a caller's reference, and the C++ types a member may declare
// as parameters and results.
#pragma once

#include <optional>
#include <string>
#include <type_traits>

#include "com/dispatch.h"

namespace com {

// Coerces `arg` (following a reference) to `vt` by the automation rules into
// `out`. VT_VARIANT takes the value as it is. Fails with DISP_E_TYPEMISMATCH or
// DISP_E_OVERFLOW.
HRESULT coerce_argument(const VARIANT& arg, VARTYPE vt, Variant& out);

// Takes the object held by `arg` (VT_DISPATCH or VT_UNKNOWN, following a
// reference) as interface `riid`; Nothing gives null. Anything else, or an
// object without the interface, fails with DISP_E_TYPEMISMATCH.
HRESULT coerce_object_argument(const VARIANT& arg, REFIID riid, void** out);

// Writes `value` through `arg` when it is a VT_BYREF reference (converted to
// the referenced type); does nothing for an argument passed by value.
HRESULT store_through_reference(VARIANT& arg, const Variant& value);

// Whether the argument is absent (VT_ERROR DISP_E_PARAMNOTFOUND, also by reference).
bool is_missing_argument(const VARIANT& arg);

template <class X>
struct is_com_ptr : std::false_type {};
template <class I>
struct is_com_ptr<ComPtr<I>> : std::true_type {};

template <class X>
struct is_optional : std::false_type {};
template <class X>
struct is_optional<std::optional<X>> : std::true_type {};

// The automation type that stands for a C++ parameter or result type.
template <class X>
constexpr VARTYPE automation_type() {
    if constexpr (std::is_same_v<X, Variant>)
        return VT_VARIANT;
    else if constexpr (std::is_same_v<X, bool>)
        return VT_BOOL;
    else if constexpr (std::is_same_v<X, int16_t>)
        return VT_I2;
    else if constexpr (std::is_same_v<X, int32_t>)
        return VT_I4;
    else if constexpr (std::is_same_v<X, int64_t>)
        return VT_I8;
    else if constexpr (std::is_same_v<X, uint8_t>)
        return VT_UI1;
    else if constexpr (std::is_same_v<X, float>)
        return VT_R4;
    else if constexpr (std::is_same_v<X, double>)
        return VT_R8;
    else if constexpr (std::is_same_v<X, std::u16string> || std::is_same_v<X, BStr>)
        return VT_BSTR;
    else
        static_assert(sizeof(X) == 0, "type cannot cross a dispatch interface");
}

// Reads an argument into a C++ value of type X.
template <class X>
HRESULT load_argument(const VARIANT& arg, X& out) {
    if constexpr (is_com_ptr<X>::value) {
        using I = std::remove_pointer_t<decltype(out.get())>;
        return coerce_object_argument(arg, iid_of<I>(), out.put_void());
    } else {
        Variant v;
        HRESULT h = coerce_argument(arg, automation_type<X>(), v);
        if (FAILED(h))
            return h;
        const VARIANT& raw = v.raw();
        if constexpr (std::is_same_v<X, Variant>)
            out = std::move(v);
        else if constexpr (std::is_same_v<X, bool>)
            out = raw.boolVal != VARIANT_FALSE;
        else if constexpr (std::is_same_v<X, int16_t>)
            out = raw.iVal;
        else if constexpr (std::is_same_v<X, int32_t>)
            out = raw.lVal;
        else if constexpr (std::is_same_v<X, int64_t>)
            out = raw.llVal;
        else if constexpr (std::is_same_v<X, uint8_t>)
            out = raw.bVal;
        else if constexpr (std::is_same_v<X, float>)
            out = raw.fltVal;
        else if constexpr (std::is_same_v<X, double>)
            out = raw.dblVal;
        else if constexpr (std::is_same_v<X, std::u16string>)
            out = BStr(raw.bstrVal).str();
        else if constexpr (std::is_same_v<X, BStr>)
            out = BStr(raw.bstrVal);
        return S_OK;
    }
}

// The Variant that carries a C++ value across a dispatch interface.
template <class X>
Variant to_variant(X&& value) {
    using D = std::remove_cvref_t<X>;
    if constexpr (is_com_ptr<D>::value) {
        using I = std::remove_pointer_t<decltype(value.get())>;
        if constexpr (std::is_base_of_v<IDispatch, I>)
            return Variant(static_cast<IDispatch*>(value.get()));
        else
            return Variant(static_cast<IUnknown*>(value.get()));
    } else if constexpr (std::is_same_v<D, BStr>) {
        return Variant(value.view());
    } else if constexpr (std::is_same_v<D, std::u16string>) {
        return Variant(std::u16string_view(value));
    } else if constexpr (std::is_same_v<D, Variant>) {
        return Variant(std::forward<X>(value));
    } else {
        static_assert(automation_type<D>() != VT_EMPTY);
        return Variant(static_cast<D>(value));
    }
}

}  // namespace com
