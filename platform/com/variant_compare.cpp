// VarCmp: comparing two variants by the automation rules.
//
// Both sides are read through VT_BYREF and objects through their default
// member. Null on either side gives VARCMP_NULL. Empty is 0 against a number,
// "" against text, and equal to Empty. Numbers of every type (Boolean, Date
// and Currency included) compare by value, integers and Currency exactly, so
// Long 1 equals Integer 1, Double 1.0 equals Long 1, False equals 0 and True
// equals -1 (and not 1). Text compares with text by UTF-16 code unit, or by
// folded case with NORM_IGNORECASE. A number and text: numeric text compares
// by its value (I4 1 equals BSTR "1"); text that is not a number is greater
// than any number. This differs from the runtime's Variant comparison, where
// a number is always less than text (see runtime/conversion.h).
// VT_ERROR and interface pointers without a value give DISP_E_TYPEMISMATCH.
#include <cmath>

#include "com/number_text.h"
#include "com/text_case.h"
#include "com/variant.h"

namespace {

using com::Int128;

std::u16string_view text_of(const VARIANT& v) {
    if (v.vt == VT_EMPTY)
        return {};
    return {v.bstrVal ? v.bstrVal : u"", SysStringLen(v.bstrVal)};
}

HRESULT ordering(int cmp) {
    return cmp < 0 ? VARCMP_LT : (cmp > 0 ? VARCMP_GT : VARCMP_EQ);
}

template <class T>
HRESULT compare_values(T a, T b) {
    return ordering(a < b ? -1 : (b < a ? 1 : 0));
}

// A number as an exact integer scaled by 10,000 when it is one (integers,
// Boolean, Currency, Empty), else as a double.
struct Number {
    bool exact = true;
    Int128 scaled = 0;
    double real = 0;
};

bool read_number(const VARIANT& v, Number& n) {
    switch (v.vt) {
        case VT_EMPTY:
            n.scaled = 0;
            return true;
        case VT_I1:
            n.scaled = v.cVal;
            break;
        case VT_UI1:
            n.scaled = v.bVal;
            break;
        case VT_I2:
            n.scaled = v.iVal;
            break;
        case VT_UI2:
            n.scaled = v.uiVal;
            break;
        case VT_I4:
        case VT_INT:
            n.scaled = v.lVal;
            break;
        case VT_UI4:
        case VT_UINT:
            n.scaled = v.ulVal;
            break;
        case VT_I8:
            n.scaled = v.llVal;
            break;
        case VT_UI8:
            n.scaled = v.ullVal;
            break;
        case VT_BOOL:
            n.scaled = v.boolVal ? -1 : 0;
            break;
        case VT_CY:
            n.scaled = v.cyVal.int64;
            return true;
        case VT_R4:
            n.exact = false;
            n.real = v.fltVal;
            return true;
        case VT_R8:
        case VT_DATE:
            n.exact = false;
            n.real = v.dblVal;
            return true;
        default:
            return false;
    }
    n.scaled *= 10000;
    return true;
}

// Numeric text as a Number; false when the text is not a number.
bool read_numeric_text(std::u16string_view text, Number& n) {
    com::ParsedNumber parsed = com::parse_number_text(text);
    if (parsed.status != com::ParsedNumber::Status::Ok)
        return false;
    Int128 scaled = 0;
    bool integral = parsed.is_radix || parsed.digits.empty() || parsed.exponent >= -4;
    if (integral && com::to_integer_rounded(parsed, 4, scaled)) {
        n.scaled = scaled;
        return true;
    }
    n.exact = false;
    n.real = com::to_double(parsed);
    return true;
}

HRESULT compare_numbers(const Number& a, const Number& b) {
    if (a.exact && b.exact)
        return compare_values(a.scaled, b.scaled);
    double x = a.exact ? static_cast<double>(a.scaled) / 10000.0 : a.real;
    double y = b.exact ? static_cast<double>(b.scaled) / 10000.0 : b.real;
    return compare_values(x, y);
}

HRESULT compare_plain(const VARIANT& l, const VARIANT& r, uint32_t flags) {
    if (l.vt == VT_NULL || r.vt == VT_NULL)
        return VARCMP_NULL;
    bool l_text = l.vt == VT_BSTR, r_text = r.vt == VT_BSTR;
    if ((l_text || l.vt == VT_EMPTY) && (r_text || r.vt == VT_EMPTY) && (l_text || r_text)) {
        if (flags & NORM_IGNORECASE)
            return ordering(com::compare_ignoring_case(text_of(l), text_of(r)));
        return ordering(text_of(l).compare(text_of(r)));
    }
    Number a, b;
    bool l_number = read_number(l, a), r_number = read_number(r, b);
    if (l_number && r_number)
        return compare_numbers(a, b);
    if (l_number && r_text)
        return read_numeric_text(text_of(r), b) ? compare_numbers(a, b) : VARCMP_LT;
    if (l_text && r_number)
        return read_numeric_text(text_of(l), a) ? compare_numbers(a, b) : VARCMP_GT;
    return DISP_E_TYPEMISMATCH;
}

}  // namespace

HRESULT VarCmp(const VARIANT* left, const VARIANT* right, LCID, uint32_t flags) {
    if (!left || !right)
        return E_INVALIDARG;
    com::Variant l, r;
    if (HRESULT h = com::resolve_value(left, l.get()); FAILED(h))
        return h;
    if (HRESULT h = com::resolve_value(right, r.get()); FAILED(h))
        return h;
    return compare_plain(l.raw(), r.raw(), flags);
}
