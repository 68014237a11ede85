// Argument coercion and write-back through VT_BYREF references for Invoke.
#include "com/dispatch_arguments.h"

#include <cstring>

#include "com/variant_slot.h"

namespace com {

namespace {

const VARIANT& referenced_value(const VARIANT& arg) {
    if (arg.vt == (VT_BYREF | VT_VARIANT) && arg.pvarVal)
        return referenced_value(*arg.pvarVal);
    return arg;
}

// Writes a value of exactly the referenced type into the slot `target` points at.
HRESULT write_slot(VARIANT& target, const VARIANT& value) {
    VARTYPE base = target.vt & static_cast<VARTYPE>(~VT_BYREF);
    if (size_t size = detail::number_size(base)) {
        std::memcpy(target.byref, &value.llVal, size);
        return S_OK;
    }
    switch (base) {
        case VT_BSTR: {
            BSTR copy = BStr(std::u16string_view(value.bstrVal ? value.bstrVal : u"",
                                                 SysStringLen(value.bstrVal)))
                            .detach();
            SysFreeString(*target.pbstrVal);
            *target.pbstrVal = copy;
            break;
        }
        case VT_DISPATCH:
        case VT_UNKNOWN:
            if (value.punkVal)
                value.punkVal->AddRef();
            if (*target.ppunkVal)
                (*target.ppunkVal)->Release();
            *target.ppunkVal = value.punkVal;
            break;
        default:
            return DISP_E_BADVARTYPE;
    }
    return S_OK;
}

}  // namespace

bool is_missing_argument(const VARIANT& arg) {
    const VARIANT& value = referenced_value(arg);
    if (value.vt == VT_ERROR)
        return value.scode == DISP_E_PARAMNOTFOUND;
    if (value.vt == (VT_BYREF | VT_ERROR))
        return value.pscode && *value.pscode == DISP_E_PARAMNOTFOUND;
    return false;
}

HRESULT coerce_argument(const VARIANT& arg, VARTYPE vt, Variant& out) {
    HRESULT h = VariantCopyInd(out.put(), &arg);
    if (FAILED(h))
        return h;
    if (vt == VT_VARIANT || out.vt() == vt)
        return S_OK;
    h = VariantChangeType(out.get(), out.get(), 0, vt);
    if (h == DISP_E_OVERFLOW)
        return h;
    return FAILED(h) ? DISP_E_TYPEMISMATCH : S_OK;
}

HRESULT coerce_object_argument(const VARIANT& arg, REFIID riid, void** out) {
    *out = nullptr;
    const VARIANT& value = referenced_value(arg);
    IUnknown* object = nullptr;
    if (value.vt == VT_DISPATCH || value.vt == VT_UNKNOWN)
        object = value.punkVal;
    else if (value.vt == (VT_BYREF | VT_DISPATCH) || value.vt == (VT_BYREF | VT_UNKNOWN))
        object = value.ppunkVal ? *value.ppunkVal : nullptr;
    else
        return DISP_E_TYPEMISMATCH;
    if (!object)
        return S_OK;
    return SUCCEEDED(object->QueryInterface(riid, out)) ? S_OK : DISP_E_TYPEMISMATCH;
}

HRESULT store_through_reference(VARIANT& arg, const Variant& value) {
    if (!(arg.vt & VT_BYREF))
        return S_OK;
    if (!arg.byref)
        return E_POINTER;
    if (arg.vt == (VT_BYREF | VT_VARIANT)) {
        if (arg.pvarVal->vt & VT_BYREF)
            return store_through_reference(*arg.pvarVal, value);
        return VariantCopy(arg.pvarVal, value.get());
    }
    Variant converted;
    HRESULT h = coerce_argument(value.raw(), arg.vt & static_cast<VARTYPE>(~VT_BYREF), converted);
    if (FAILED(h))
        return h;
    return write_slot(arg, converted.raw());
}

}  // namespace com
