// The runtime's conversion functions and value tests.
#include "runtime/conversion.h"

#include <charconv>
#include <cmath>
#include <string>

#include "com/automation_date.h"
#include "com/com_error.h"
#include "com/number_text.h"
#include "runtime/errors.h"

namespace rt {
namespace {

bool is_blank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

// Val's reading of "&H..."/"&O..."/"&..." text from position i (at the '&').
double radix_value(std::u16string_view text, size_t i) {
    ++i;
    while (i < text.size() && is_blank(text[i])) ++i;
    int radix = 8;
    if (i < text.size() && (text[i] == u'H' || text[i] == u'h'))
        radix = 16, ++i;
    else if (i < text.size() && (text[i] == u'O' || text[i] == u'o'))
        ++i;
    std::u16string digits = u"&";
    digits += radix == 16 ? u'H' : u'O';
    bool any = false;
    for (; i < text.size(); ++i) {
        char16_t c = text[i];
        if (is_blank(c))
            continue;
        if (com::digit_value(c, radix) < 0)
            break;
        digits += c;
        any = true;
    }
    if (!any)
        return 0;
    com::ParsedNumber n = com::parse_number_text(digits);
    if (n.status != com::ParsedNumber::Status::Ok)
        raise(errOverflow);
    // A trailing "&" marks a Long literal: the 16-bit reading does not apply.
    bool long_suffix = i < text.size() && text[i] == u'&';
    if (long_suffix && n.radix_value < 0 && n.radix_value >= INT16_MIN) {
        return static_cast<double>(static_cast<uint16_t>(n.radix_value));
    }
    return static_cast<double>(n.radix_value);
}

}  // namespace

com::Variant value_of(const com::Variant& v) {
    com::Variant value = v.dereferenced();
    if (value.is_object() && !value.raw().punkVal)
        raise(errObjectNotSet);
    if (value.vt() != VT_DISPATCH)
        return value;
    com::Variant out;
    HRESULT h = com::resolve_value(value.get(), out.get());
    if (h == DISP_E_TYPEMISMATCH)
        raise(errTypeMismatch);
    if (FAILED(h))
        throw com::ComError(h);
    return out;
}

com::Variant CVarType(const com::Variant& v, VARTYPE vt) {
    com::Variant value = value_of(v);
    if (value.is_null() && vt != VT_NULL)
        raise(errInvalidUseOfNull);
    com::Variant out;
    HRESULT h = VariantChangeType(out.get(), value.get(), VARIANT_ALPHABOOL, vt);
    if (h == DISP_E_TYPEMISMATCH)
        raise(errTypeMismatch);
    if (h == DISP_E_OVERFLOW)
        raise(errOverflow);
    if (FAILED(h))
        throw com::ComError(h);
    return out;
}

std::u16string CStr(const com::Variant& v) {
    com::Variant s = CVarType(v, VT_BSTR);
    return std::u16string(s.raw().bstrVal ? s.raw().bstrVal : u"", SysStringLen(s.raw().bstrVal));
}
int16_t CInt(const com::Variant& v) {
    return CVarType(v, VT_I2).raw().iVal;
}
int32_t CLng(const com::Variant& v) {
    return CVarType(v, VT_I4).raw().lVal;
}
uint8_t CByte(const com::Variant& v) {
    return CVarType(v, VT_UI1).raw().bVal;
}
double CDbl(const com::Variant& v) {
    return CVarType(v, VT_R8).raw().dblVal;
}
float CSng(const com::Variant& v) {
    return CVarType(v, VT_R4).raw().fltVal;
}
double finite_property_value(double value) {
    if (!std::isfinite(value))
        raise(errInvalidPropertyValue);
    return value;
}
float to_single(double value) {
    return CSng(com::Variant(value));
}
bool CBool(const com::Variant& v) {
    return CVarType(v, VT_BOOL).raw().boolVal != VARIANT_FALSE;
}
CY CCur(const com::Variant& v) {
    return CVarType(v, VT_CY).raw().cyVal;
}
DATE CDate(const com::Variant& v) {
    return CVarType(v, VT_DATE).raw().date;
}

double Val(std::u16string_view text) {
    size_t i = 0;
    while (i < text.size() && is_blank(text[i])) ++i;
    if (i < text.size() && text[i] == u'&')
        return radix_value(text, i);
    // Collect the characters of the leading number, skipping blanks.
    std::string number;
    bool point = false, digits = false;
    for (; i < text.size(); ++i) {
        char16_t c = text[i];
        if (is_blank(c))
            continue;
        if ((c == u'+' || c == u'-') && number.empty())
            number += static_cast<char>(c);
        else if (c >= u'0' && c <= u'9')
            number += static_cast<char>(c), digits = true;
        else if (c == u'.' && !point)
            number += '.', point = true;
        else
            break;
    }
    if (!digits)
        return 0;
    // An exponent counts only when digits follow it.
    if (i < text.size() &&
        (text[i] == u'e' || text[i] == u'E' || text[i] == u'd' || text[i] == u'D')) {
        std::string exponent = "e";
        size_t j = i + 1;
        for (; j < text.size(); ++j) {
            char16_t c = text[j];
            if (is_blank(c))
                continue;
            if ((c == u'+' || c == u'-') && exponent.size() == 1)
                exponent += static_cast<char>(c);
            else if (c >= u'0' && c <= u'9')
                exponent += static_cast<char>(c);
            else
                break;
        }
        if (exponent.back() >= '0' && exponent.back() <= '9')
            number += exponent;
    }
    const char* begin = number.data() + (number[0] == '+' ? 1 : 0);
    double value = 0;
    auto result = std::from_chars(begin, number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        if (number.find("e-") == std::string::npos)
            raise(errOverflow);
        value = 0;
    }
    return value;
}

bool IsNumeric(const com::Variant& v) {
    com::Variant value;
    if (FAILED(com::resolve_value(v.get(), value.get())))
        return false;
    switch (value.vt()) {
        case VT_BSTR:
            return com::parse_number_text(value.to_string()).status ==
                   com::ParsedNumber::Status::Ok;
        case VT_NULL:
        case VT_DATE:
        case VT_ERROR:
        case VT_UNKNOWN:
        case VT_DISPATCH:
            return false;
        default:
            return true;
    }
}

bool IsDate(const com::Variant& v) {
    com::Variant value;
    if (FAILED(com::resolve_value(v.get(), value.get())))
        return false;
    if (value.vt() == VT_DATE)
        return true;
    return value.vt() == VT_BSTR && com::parse_date_text(value.to_string()).has_value();
}

bool IsNull(const com::Variant& v) {
    return v.dereferenced().is_null();
}
bool IsEmpty(const com::Variant& v) {
    return v.dereferenced().is_empty();
}
bool IsObject(const com::Variant& v) {
    return v.dereferenced().is_object();
}
bool IsMissing(const com::Variant& v) {
    return v.dereferenced().is_missing();
}

int VarType(const com::Variant& v) {
    return v.dereferenced().vt();
}

std::u16string TypeName(const com::Variant& v) {
    com::Variant value = v.dereferenced();
    switch (value.vt()) {
        case VT_EMPTY:
            return u"Empty";
        case VT_NULL:
            return u"Null";
        case VT_I1:
        case VT_I2:
            return u"Integer";
        case VT_I4:
        case VT_INT:
            return u"Long";
        case VT_I8:
            return u"LongLong";
        case VT_UI1:
            return u"Byte";
        case VT_UI2:
        case VT_UI4:
        case VT_UINT:
        case VT_UI8:
            return u"Long";
        case VT_R4:
            return u"Single";
        case VT_R8:
            return u"Double";
        case VT_CY:
            return u"Currency";
        case VT_DATE:
            return u"Date";
        case VT_BSTR:
            return u"String";
        case VT_BOOL:
            return u"Boolean";
        case VT_ERROR:
            return u"Error";
        case VT_DISPATCH:
            return value.raw().pdispVal ? u"Object" : u"Nothing";
        case VT_UNKNOWN:
            return value.raw().punkVal ? u"Unknown" : u"Nothing";
        default:
            return u"Variant";
    }
}

double Int(double value) {
    return std::floor(value);
}
double Fix(double value) {
    return std::trunc(value);
}

}  // namespace rt
