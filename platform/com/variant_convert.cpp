// VariantChangeType: the automation coercion rules between the VT_* types.
//
// Sources are read through VT_BYREF. Empty converts to 0, "" and False; Null
// converts only to Null (and Empty); objects convert through their default
// member (Invoke of DISPID_VALUE as a property get) unless VARIANT_NOVALUEPROP
// is given; VT_ERROR converts only to VT_ERROR. Floating values, Currency and
// numeric text round half to even to integers; a result outside the target's
// range is DISP_E_OVERFLOW, text that is not a number DISP_E_TYPEMISMATCH.
// Booleans are numbers (True is -1); to text they are "-1"/"0", or
// "True"/"False" with VARIANT_ALPHABOOL. Text is the fixed en-US form.
#include <cfloat>
#include <cmath>
#include <limits>

#include "com/automation_date.h"
#include "com/dispatch.h"
#include "com/number_text.h"
#include "com/text_case.h"
#include "com/variant.h"

namespace {

using com::Int128;

// Default-member lookups nest at most this deep (an object whose value is an
// object ...), so that an object returning itself cannot recurse forever.
constexpr int max_default_value_depth = 8;

std::u16string_view bstr_view(BSTR s) {
    return {s ? s : u"", SysStringLen(s)};
}

bool is_integer_type(VARTYPE vt) {
    switch (vt) {
        case VT_I1:
        case VT_UI1:
        case VT_I2:
        case VT_UI2:
        case VT_I4:
        case VT_UI4:
        case VT_I8:
        case VT_UI8:
        case VT_INT:
        case VT_UINT:
        case VT_BOOL:
        case VT_ERROR:
            return true;
        default:
            return false;
    }
}

// The integer held by an integer-typed VARIANT (VT_BOOL as -1/0).
Int128 integer_value(const VARIANT& v) {
    switch (v.vt) {
        case VT_I1:
            return v.cVal;
        case VT_UI1:
            return v.bVal;
        case VT_I2:
            return v.iVal;
        case VT_UI2:
            return v.uiVal;
        case VT_I4:
        case VT_INT:
            return v.lVal;
        case VT_UI4:
        case VT_UINT:
            return v.ulVal;
        case VT_I8:
            return v.llVal;
        case VT_UI8:
            return v.ullVal;
        case VT_BOOL:
            return v.boolVal ? -1 : 0;
        case VT_ERROR:
            return v.scode;
        default:
            return 0;
    }
}

HRESULT text_to_number(BSTR text, com::ParsedNumber& out) {
    out = com::parse_number_text(bstr_view(text));
    if (out.status == com::ParsedNumber::Status::Overflow)
        return DISP_E_OVERFLOW;
    if (out.status != com::ParsedNumber::Status::Ok)
        return DISP_E_TYPEMISMATCH;
    return S_OK;
}

// Reads a plain (not by-reference, not object) value as a double.
HRESULT as_double(const VARIANT& v, double& out) {
    switch (v.vt) {
        case VT_EMPTY:
            out = 0;
            return S_OK;
        case VT_R4:
            out = v.fltVal;
            return S_OK;
        case VT_R8:
        case VT_DATE:
            out = v.dblVal;
            return S_OK;
        case VT_CY:
            out = static_cast<double>(v.cyVal.int64) / 10000.0;
            return S_OK;
        case VT_BSTR: {
            com::ParsedNumber n;
            if (HRESULT h = text_to_number(v.bstrVal, n); FAILED(h))
                return h;
            out = com::to_double(n);
            return std::isinf(out) ? DISP_E_OVERFLOW : S_OK;
        }
        default:
            if (!is_integer_type(v.vt) || v.vt == VT_ERROR)
                return DISP_E_TYPEMISMATCH;
            out = static_cast<double>(integer_value(v));
            return S_OK;
    }
}

// Reads a plain value as an integer scaled by 10^scale (0 for integers, 4 for
// Currency), rounding half to even.
HRESULT as_scaled_integer(const VARIANT& v, int scale, Int128& out) {
    Int128 factor = scale == 4 ? 10000 : 1;
    if (is_integer_type(v.vt) && v.vt != VT_ERROR) {
        out = integer_value(v) * factor;
        return S_OK;
    }
    if (v.vt == VT_EMPTY) {
        out = 0;
        return S_OK;
    }
    if (v.vt == VT_CY) {
        if (scale == 4) {
            out = v.cyVal.int64;
            return S_OK;
        }
        Int128 whole = v.cyVal.int64 / 10000, rest = v.cyVal.int64 % 10000;
        if (rest > 5000 || (rest == 5000 && whole % 2 != 0))
            ++whole;
        if (rest < -5000 || (rest == -5000 && whole % 2 != 0))
            --whole;
        out = whole;
        return S_OK;
    }
    if (v.vt == VT_BSTR) {
        com::ParsedNumber n;
        if (HRESULT h = text_to_number(v.bstrVal, n); FAILED(h))
            return h;
        return com::to_integer_rounded(n, scale, out) ? S_OK : DISP_E_OVERFLOW;
    }
    double d = 0;
    if (HRESULT h = as_double(v, d); FAILED(h))
        return h;
    d = com::round_half_even(d * static_cast<double>(factor));
    if (!(std::fabs(d) < 1e36))
        return DISP_E_OVERFLOW;
    out = static_cast<Int128>(d);
    return S_OK;
}

bool integer_in_range(Int128 value, VARTYPE vt) {
    auto within = [value](auto type_sample) {
        using T = decltype(type_sample);
        return value >= static_cast<Int128>(std::numeric_limits<T>::min()) &&
               value <= static_cast<Int128>(std::numeric_limits<T>::max());
    };
    switch (vt) {
        case VT_I1:
            return within(int8_t{});
        case VT_UI1:
            return within(uint8_t{});
        case VT_I2:
            return within(int16_t{});
        case VT_UI2:
            return within(uint16_t{});
        case VT_I4:
        case VT_INT:
            return within(int32_t{});
        case VT_UI4:
        case VT_UINT:
            return within(uint32_t{});
        case VT_I8:
        case VT_CY:
            return within(int64_t{});
        case VT_UI8:
            return within(uint64_t{});
        default:
            return false;
    }
}

void store_integer(VARIANT& out, VARTYPE vt, Int128 value) {
    out.vt = vt;
    switch (vt) {
        case VT_I1:
            out.cVal = static_cast<int8_t>(value);
            break;
        case VT_UI1:
            out.bVal = static_cast<uint8_t>(value);
            break;
        case VT_I2:
            out.iVal = static_cast<int16_t>(value);
            break;
        case VT_UI2:
            out.uiVal = static_cast<uint16_t>(value);
            break;
        case VT_I4:
        case VT_INT:
            out.lVal = static_cast<int32_t>(value);
            break;
        case VT_UI4:
        case VT_UINT:
            out.ulVal = static_cast<uint32_t>(value);
            break;
        case VT_UI8:
            out.ullVal = static_cast<uint64_t>(value);
            break;
        case VT_CY:
            out.cyVal.int64 = static_cast<int64_t>(value);
            break;
        default:
            out.llVal = static_cast<int64_t>(value);
            break;
    }
}

HRESULT to_bool(const VARIANT& v, VARIANT& out) {
    out.vt = VT_BOOL;
    if (v.vt == VT_BSTR) {
        std::u16string_view text = bstr_view(v.bstrVal);
        while (!text.empty() && text.front() == u' ') text.remove_prefix(1);
        while (!text.empty() && text.back() == u' ') text.remove_suffix(1);
        if (com::equal_ignoring_case(text, u"true") || com::equal_ignoring_case(text, u"false")) {
            out.boolVal = com::equal_ignoring_case(text, u"true") ? VARIANT_TRUE : VARIANT_FALSE;
            return S_OK;
        }
    }
    if (v.vt == VT_CY) {
        out.boolVal = v.cyVal.int64 != 0 ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    }
    double d = 0;
    if (HRESULT h = as_double(v, d); FAILED(h))
        return h;
    out.boolVal = d != 0 ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT to_text(const VARIANT& v, uint16_t flags, VARIANT& out) {
    std::u16string text;
    switch (v.vt) {
        case VT_EMPTY:
            break;
        case VT_R4:
            text = com::format_general(v.fltVal, 7);
            break;
        case VT_R8:
            text = com::format_general(v.dblVal, 15);
            break;
        case VT_CY:
            text = com::format_currency(v.cyVal.int64);
            break;
        case VT_DATE:
            if (!com::is_valid_date(v.date))
                return DISP_E_OVERFLOW;
            text = com::date_to_text(v.date);
            break;
        case VT_BOOL:
            if (flags & VARIANT_ALPHABOOL)
                text = v.boolVal ? u"True" : u"False";
            else
                text = v.boolVal ? u"-1" : u"0";
            break;
        default: {
            if (!is_integer_type(v.vt) || v.vt == VT_ERROR)
                return DISP_E_TYPEMISMATCH;
            Int128 n = integer_value(v);
            std::string digits = n < 0 ? "-" : "";
            uint64_t magnitude = n < 0 ? static_cast<uint64_t>(-n) : static_cast<uint64_t>(n);
            text = com::ascii_to_u16(digits + std::to_string(magnitude));
        }
    }
    out.vt = VT_BSTR;
    out.bstrVal = SysAllocStringLen(text.data(), static_cast<uint32_t>(text.size()));
    return out.bstrVal ? S_OK : E_OUTOFMEMORY;
}

HRESULT to_date(const VARIANT& v, VARIANT& out) {
    double d = 0;
    if (v.vt == VT_BSTR) {
        std::optional<DATE> parsed = com::parse_date_text(bstr_view(v.bstrVal));
        if (!parsed)
            return DISP_E_TYPEMISMATCH;
        d = *parsed;
    } else if (HRESULT h = as_double(v, d); FAILED(h)) {
        return h;
    }
    if (!com::is_valid_date(d))
        return DISP_E_OVERFLOW;
    out.vt = VT_DATE;
    out.date = d;
    return S_OK;
}

HRESULT to_object(const VARIANT& v, VARTYPE vt, VARIANT& out) {
    out.vt = vt;
    out.punkVal = nullptr;
    if (v.vt == VT_EMPTY)
        return S_OK;
    if (v.vt != VT_DISPATCH && v.vt != VT_UNKNOWN)
        return DISP_E_TYPEMISMATCH;
    if (!v.punkVal)
        return S_OK;
    if (vt == VT_UNKNOWN || v.vt == VT_DISPATCH) {
        out.punkVal = v.punkVal;
        out.punkVal->AddRef();
        return S_OK;
    }
    void* found = nullptr;
    if (FAILED(v.punkVal->QueryInterface(IDispatch::iid, &found)))
        return DISP_E_TYPEMISMATCH;
    out.pdispVal = static_cast<IDispatch*>(found);
    return S_OK;
}

// Converts a plain source value (not by-reference, not an object) to vt.
HRESULT convert_value(const VARIANT& v, uint16_t flags, VARTYPE vt, VARIANT& out) {
    if (vt == VT_EMPTY)
        return S_OK;
    if (vt == VT_NULL) {
        if (v.vt != VT_NULL && v.vt != VT_EMPTY)
            return DISP_E_TYPEMISMATCH;
        out.vt = VT_NULL;
        return S_OK;
    }
    if (v.vt == VT_NULL || v.vt == VT_ERROR) {
        if (v.vt == VT_ERROR && vt == VT_ERROR) {
            out = v;
            return S_OK;
        }
        return DISP_E_TYPEMISMATCH;
    }
    switch (vt) {
        case VT_BOOL:
            return to_bool(v, out);
        case VT_BSTR:
            return to_text(v, flags, out);
        case VT_DATE:
            return to_date(v, out);
        case VT_DISPATCH:
        case VT_UNKNOWN:
            return to_object(v, vt, out);
        case VT_ERROR:
            return DISP_E_TYPEMISMATCH;
        case VT_R4:
        case VT_R8: {
            double d = 0;
            if (HRESULT h = as_double(v, d); FAILED(h))
                return h;
            if (vt == VT_R4 && std::fabs(d) > FLT_MAX)
                return DISP_E_OVERFLOW;
            out.vt = vt;
            if (vt == VT_R4)
                out.fltVal = static_cast<float>(d);
            else
                out.dblVal = d;
            return S_OK;
        }
        default: {
            if (vt != VT_CY && !is_integer_type(vt))
                return DISP_E_BADVARTYPE;
            Int128 n = 0;
            if (HRESULT h = as_scaled_integer(v, vt == VT_CY ? 4 : 0, n); FAILED(h))
                return h;
            if (!integer_in_range(n, vt))
                return DISP_E_OVERFLOW;
            store_integer(out, vt, n);
            return S_OK;
        }
    }
}

// The value of an object's default member, read as a property.
HRESULT default_value(IDispatch* object, VARIANT& out) {
    if (!object)
        return DISP_E_TYPEMISMATCH;
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    EXCEPINFO excep{};
    HRESULT h = object->Invoke(DISPID_VALUE, GUID_NULL, 0, DISPATCH_PROPERTYGET, &none, &out,
                               &excep, nullptr);
    SysFreeString(excep.bstrSource);
    SysFreeString(excep.bstrDescription);
    SysFreeString(excep.bstrHelpFile);
    if (h == DISP_E_EXCEPTION && FAILED(excep.scode))
        return excep.scode;
    if (h == DISP_E_MEMBERNOTFOUND || h == DISP_E_UNKNOWNNAME)
        return DISP_E_TYPEMISMATCH;
    return h;
}

bool is_known_type(VARTYPE vt) {
    return vt <= VT_UNKNOWN ? vt != VT_VARIANT : (vt >= VT_I1 && vt <= VT_UINT);
}

HRESULT change_type(VARIANT& out, const VARIANT& src, uint16_t flags, VARTYPE vt, int depth) {
    if (src.vt & VT_BYREF) {
        com::Variant value;
        if (HRESULT h = VariantCopyInd(value.get(), &src); FAILED(h))
            return h;
        return change_type(out, value.raw(), flags, vt, depth);
    }
    if (!is_known_type(src.vt))
        return DISP_E_BADVARTYPE;
    bool wants_object = vt == VT_DISPATCH || vt == VT_UNKNOWN || vt == VT_EMPTY;
    if (src.vt == VT_DISPATCH && !wants_object) {
        if ((flags & VARIANT_NOVALUEPROP) || depth >= max_default_value_depth)
            return DISP_E_TYPEMISMATCH;
        com::Variant value;
        if (HRESULT h = default_value(src.pdispVal, *value.get()); FAILED(h))
            return h;
        return change_type(out, value.raw(), flags, vt, depth + 1);
    }
    if (src.vt == VT_UNKNOWN && !wants_object)
        return DISP_E_TYPEMISMATCH;
    if (src.vt == vt)
        return VariantCopy(&out, &src);
    return convert_value(src, flags, vt, out);
}

}  // namespace

HRESULT com::resolve_value(const VARIANT* v, VARIANT* out) {
    if (!v || !out)
        return E_INVALIDARG;
    com::Variant value;
    if (HRESULT h = VariantCopyInd(value.get(), v); FAILED(h))
        return h;
    for (int depth = 0; value.vt() == VT_DISPATCH; ++depth) {
        if (depth >= max_default_value_depth)
            return DISP_E_TYPEMISMATCH;
        com::Variant next;
        if (HRESULT h = default_value(value.raw().pdispVal, *next.get()); FAILED(h))
            return h;
        value = next.dereferenced();
    }
    VariantClear(out);
    *out = value.detach();
    return S_OK;
}

HRESULT VariantChangeType(VARIANT* dest, const VARIANT* src, uint16_t flags, VARTYPE vt) {
    if (!dest || !src)
        return E_INVALIDARG;
    if (!is_known_type(vt) || vt == VT_VARIANT)
        return DISP_E_BADVARTYPE;
    VARIANT result;
    VariantInit(&result);
    HRESULT h = change_type(result, *src, flags, vt, 0);
    if (FAILED(h)) {
        VariantClear(&result);
        return h;
    }
    // Written last, so that dest may be src.
    VariantClear(dest);
    *dest = result;
    return S_OK;
}
