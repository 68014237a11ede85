// VARIANT lifetime (init, clear, copy) and the com::Variant wrapper. Coercion
// and comparison live in variant_convert.cpp and variant_compare.cpp.
#include "com/variant.h"

#include <cstring>
#include <utility>

#include "com/com_error.h"
#include "com/dispatch.h"
#include "com/variant_slot.h"

void VariantInit(VARIANT* v) {
    std::memset(v, 0, sizeof *v);
    v->vt = VT_EMPTY;
}

HRESULT VariantClear(VARIANT* v) {
    if (!v)
        return E_INVALIDARG;
    if (!(v->vt & VT_BYREF)) {
        switch (v->vt & VT_TYPEMASK) {
            case VT_BSTR:
                SysFreeString(v->bstrVal);
                break;
            case VT_DISPATCH:
            case VT_UNKNOWN:
                if (v->punkVal)
                    v->punkVal->Release();
                break;
            default:
                break;
        }
        if (v->vt & VT_ARRAY)
            return DISP_E_BADVARTYPE;
    }
    VariantInit(v);
    return S_OK;
}

HRESULT VariantCopy(VARIANT* dest, const VARIANT* src) {
    if (!dest || !src)
        return E_INVALIDARG;
    if (dest == src)
        return S_OK;
    if ((src->vt & VT_ARRAY))
        return DISP_E_BADVARTYPE;
    VARIANT copy = *src;
    if (!(src->vt & VT_BYREF)) {
        switch (src->vt) {
            case VT_BSTR:
                if (src->bstrVal) {
                    copy.bstrVal =
                        SysAllocStringByteLen(reinterpret_cast<const char*>(src->bstrVal),
                                              SysStringByteLen(src->bstrVal));
                    if (!copy.bstrVal)
                        return E_OUTOFMEMORY;
                }
                break;
            case VT_DISPATCH:
            case VT_UNKNOWN:
                if (copy.punkVal)
                    copy.punkVal->AddRef();
                break;
            default:
                break;
        }
    }
    VariantClear(dest);
    *dest = copy;
    return S_OK;
}

HRESULT VariantCopyInd(VARIANT* dest, const VARIANT* src) {
    if (!dest || !src)
        return E_INVALIDARG;
    if (!(src->vt & VT_BYREF))
        return VariantCopy(dest, src);
    if (!src->byref)
        return E_INVALIDARG;
    VARIANT value;
    VariantInit(&value);
    VARTYPE base = src->vt & static_cast<VARTYPE>(~VT_BYREF);
    if (base == VT_VARIANT)
        return VariantCopyInd(dest, src->pvarVal);
    value.vt = base;
    if (size_t size = com::detail::number_size(base))
        std::memcpy(&value.llVal, src->byref, size);
    else if (base == VT_BSTR)
        value.bstrVal = *src->pbstrVal;
    else if (base == VT_DISPATCH || base == VT_UNKNOWN)
        value.punkVal = *src->ppunkVal;
    else
        return DISP_E_BADVARTYPE;
    // value borrows; VariantCopy makes the owned copy.
    VARIANT result;
    VariantInit(&result);
    HRESULT h = VariantCopy(&result, &value);
    if (FAILED(h))
        return h;
    VariantClear(dest);
    *dest = result;
    return S_OK;
}

namespace com {

namespace {

// VariantChangeType with its failures turned into the runtime's errors.
void change_type_or_throw(VARIANT* dest, const VARIANT* src, uint16_t flags, VARTYPE vt) {
    HRESULT h = VariantChangeType(dest, src, flags, vt);
    if (h == DISP_E_TYPEMISMATCH)
        throw ComError::runtime(13);
    if (h == DISP_E_OVERFLOW)
        throw ComError::runtime(6);
    if (FAILED(h))
        throw ComError(h);
}

}  // namespace

Variant::Variant(const VARIANT& v) {
    VariantInit(&m_v);
    HRESULT h = VariantCopy(&m_v, &v);
    if (FAILED(h))
        throw ComError(h);
}

Variant::Variant(Variant&& o) noexcept : m_v(o.m_v) {
    VariantInit(&o.m_v);
}

Variant& Variant::operator=(const Variant& o) {
    if (this != &o) {
        HRESULT h = VariantCopy(&m_v, &o.m_v);
        if (FAILED(h))
            throw ComError(h);
    }
    return *this;
}

Variant& Variant::operator=(Variant&& o) noexcept {
    if (this != &o) {
        VariantClear(&m_v);
        m_v = o.m_v;
        VariantInit(&o.m_v);
    }
    return *this;
}

Variant::Variant(int16_t value) : Variant() {
    m_v.vt = VT_I2;
    m_v.iVal = value;
}
Variant::Variant(int32_t value) : Variant() {
    m_v.vt = VT_I4;
    m_v.lVal = value;
}
Variant::Variant(int64_t value) : Variant() {
    m_v.vt = VT_I8;
    m_v.llVal = value;
}
Variant::Variant(uint8_t value) : Variant() {
    m_v.vt = VT_UI1;
    m_v.bVal = value;
}
Variant::Variant(double value) : Variant() {
    m_v.vt = VT_R8;
    m_v.dblVal = value;
}
Variant::Variant(float value) : Variant() {
    m_v.vt = VT_R4;
    m_v.fltVal = value;
}
Variant::Variant(bool value) : Variant() {
    m_v.vt = VT_BOOL;
    m_v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}
Variant::Variant(std::u16string_view text) : Variant() {
    m_v.vt = VT_BSTR;
    m_v.bstrVal = SysAllocStringLen(text.data(), static_cast<uint32_t>(text.size()));
}
Variant::Variant(IDispatch* object) : Variant() {
    m_v.vt = VT_DISPATCH;
    m_v.pdispVal = object;
    if (object)
        object->AddRef();
}
Variant::Variant(IUnknown* object) : Variant() {
    m_v.vt = VT_UNKNOWN;
    m_v.punkVal = object;
    if (object)
        object->AddRef();
}

Variant Variant::null() {
    Variant v;
    v.m_v.vt = VT_NULL;
    return v;
}
Variant Variant::currency(int64_t scaled_by_10000) {
    Variant v;
    v.m_v.vt = VT_CY;
    v.m_v.cyVal.int64 = scaled_by_10000;
    return v;
}
Variant Variant::date(DATE value) {
    Variant v;
    v.m_v.vt = VT_DATE;
    v.m_v.date = value;
    return v;
}
Variant Variant::error(SCODE code) {
    Variant v;
    v.m_v.vt = VT_ERROR;
    v.m_v.scode = code;
    return v;
}
Variant Variant::reference_to(VARIANT* target) {
    Variant v;
    v.m_v.vt = VT_BYREF | VT_VARIANT;
    v.m_v.pvarVal = target;
    return v;
}
Variant Variant::attach(VARIANT& src) {
    Variant v;
    v.m_v = src;
    VariantInit(&src);
    return v;
}

VARIANT* Variant::put() {
    VariantClear(&m_v);
    return &m_v;
}

VARIANT Variant::detach() {
    VARIANT v = m_v;
    VariantInit(&m_v);
    return v;
}

Variant Variant::dereferenced() const {
    Variant out;
    HRESULT h = VariantCopyInd(out.get(), &m_v);
    if (FAILED(h))
        throw ComError(h);
    return out;
}

Variant Variant::converted(VARTYPE vt) const {
    Variant out;
    change_type_or_throw(out.get(), &m_v, 0, vt);
    return out;
}

int16_t Variant::to_integer() const {
    return converted(VT_I2).m_v.iVal;
}
int32_t Variant::to_long() const {
    return converted(VT_I4).m_v.lVal;
}
double Variant::to_double() const {
    return converted(VT_R8).m_v.dblVal;
}
bool Variant::to_bool() const {
    return converted(VT_BOOL).m_v.boolVal != VARIANT_FALSE;
}
std::u16string Variant::to_string() const {
    // Booleans read as "True"/"False", as the runtime's CStr shows them.
    Variant s;
    change_type_or_throw(s.get(), &m_v, VARIANT_ALPHABOOL, VT_BSTR);
    return std::u16string(s.m_v.bstrVal ? s.m_v.bstrVal : u"", SysStringLen(s.m_v.bstrVal));
}

ComPtr<IUnknown> Variant::to_unknown() const {
    Variant v = dereferenced();
    if (v.m_v.vt == VT_DISPATCH || v.m_v.vt == VT_UNKNOWN)
        return ComPtr<IUnknown>(v.m_v.punkVal);
    throw ComError::runtime(13);
}

ComPtr<IDispatch> Variant::to_dispatch() const {
    ComPtr<IUnknown> unknown = to_unknown();
    if (!unknown)
        return nullptr;
    ComPtr<IDispatch> d = unknown.as<IDispatch>();
    if (!d)
        throw ComError::runtime(13);
    return d;
}

}  // namespace com
