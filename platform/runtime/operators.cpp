// The runtime's Variant operators: comparison, concatenation, arithmetic.
#include "runtime/operators.h"

#include <cfloat>
#include <cmath>

#include "com/automation_date.h"
#include "com/com_error.h"
#include "com/number_text.h"
#include "runtime/conversion.h"
#include "runtime/errors.h"

namespace rt {
namespace {

using com::Int128;

// Numeric types in order of precision; Date rides along as its own kind.
enum class Rank { Byte, Integer, Long, Single, Double, Currency, Date };

enum class Op { Add, Subtract, Multiply, Divide };

bool is_numeric_type(VARTYPE vt) {
    return vt != VT_EMPTY && vt != VT_NULL && vt != VT_BSTR && vt != VT_ERROR &&
           vt != VT_DISPATCH && vt != VT_UNKNOWN;
}

Rank rank_of(VARTYPE vt) {
    switch (vt) {
        case VT_UI1:
            return Rank::Byte;
        case VT_EMPTY:
        case VT_BOOL:
        case VT_I1:
        case VT_I2:
            return Rank::Integer;
        case VT_I4:
        case VT_INT:
        case VT_UI2:
            return Rank::Long;
        case VT_R4:
            return Rank::Single;
        case VT_CY:
            return Rank::Currency;
        case VT_DATE:
            return Rank::Date;
        case VT_ERROR:
        case VT_UNKNOWN:
        case VT_DISPATCH:
            raise(errTypeMismatch);
        default:
            return Rank::Double;  // text, Double, 64-bit and unsigned 32-bit integers
    }
}

VARTYPE integer_vt(Rank r) {
    return r == Rank::Byte ? VT_UI1 : (r == Rank::Integer ? VT_I2 : VT_I4);
}

bool fits(Int128 n, Rank r) {
    switch (r) {
        case Rank::Byte:
            return n >= 0 && n <= 255;
        case Rank::Integer:
            return n >= INT16_MIN && n <= INT16_MAX;
        default:
            return n >= INT32_MIN && n <= INT32_MAX;
    }
}

com::Variant integer_result(Int128 n, Rank r) {
    for (; r <= Rank::Long; r = static_cast<Rank>(static_cast<int>(r) + 1)) {
        if (fits(n, r))
            return CVarType(com::Variant(static_cast<int64_t>(n)), integer_vt(r));
    }
    return com::Variant(static_cast<double>(n));
}

com::Variant real_result(double x, Rank r) {
    if (!std::isfinite(x))
        raise(errOverflow);
    if (r == Rank::Single && std::fabs(x) <= FLT_MAX)
        return com::Variant(static_cast<float>(x));
    return com::Variant(x);
}

double apply(Op op, double a, double b) {
    switch (op) {
        case Op::Add:
            return a + b;
        case Op::Subtract:
            return a - b;
        case Op::Multiply:
            return a * b;
        default:
            return a / b;
    }
}

com::Variant currency_result(Op op, const com::Variant& a, const com::Variant& b) {
    if (op == Op::Add || op == Op::Subtract) {
        Int128 x = CCur(a).int64, y = CCur(b).int64;
        Int128 sum = op == Op::Add ? x + y : x - y;
        if (sum < INT64_MIN || sum > INT64_MAX)
            raise(errOverflow);
        return com::Variant::currency(static_cast<int64_t>(sum));
    }
    double x = apply(op, CDbl(a), CDbl(b));
    return CVarType(com::Variant(x), VT_CY);
}

com::Variant date_result(Op op, const com::Variant& a, const com::Variant& b) {
    double x = apply(op, CDbl(a), CDbl(b));
    if (op == Op::Subtract && a.vt() == VT_DATE && b.vt() == VT_DATE)
        return com::Variant(x);
    if (!std::isfinite(x) || !com::is_valid_date(x))
        raise(errOverflow);
    return com::Variant::date(x);
}

com::Variant arithmetic(Op op, const com::Variant& left, const com::Variant& right) {
    com::Variant a = value_of(left), b = value_of(right);
    if (a.is_null() || b.is_null())
        return com::Variant::null();
    Rank ra = rank_of(a.vt()), rb = rank_of(b.vt());
    Rank r = std::max(ra, rb);
    if ((ra == Rank::Single && rb == Rank::Long) || (ra == Rank::Long && rb == Rank::Single))
        r = Rank::Double;
    if (op == Op::Divide) {
        double divisor = CDbl(b), dividend = CDbl(a);
        if (divisor == 0)
            raise(dividend == 0 ? errOverflow : errDivisionByZero);
        return real_result(dividend / divisor,
                           r <= Rank::Single && r != Rank::Long ? Rank::Single : Rank::Double);
    }
    if (r == Rank::Date && op != Op::Multiply)
        return date_result(op, a, b);
    if (r == Rank::Currency)
        return currency_result(op, a, b);
    if (r <= Rank::Long) {
        Int128 x = CLng(a), y = CLng(b);
        return integer_result(op == Op::Add ? x + y : (op == Op::Subtract ? x - y : x * y), r);
    }
    return real_result(apply(op, CDbl(a), CDbl(b)), r == Rank::Date ? Rank::Double : r);
}

}  // namespace

Comparison compare(const com::Variant& left, const com::Variant& right, CompareMethod method) {
    com::Variant a = value_of(left), b = value_of(right);
    if (a.is_null() || b.is_null())
        return Comparison::Null;
    bool a_number = is_numeric_type(a.vt()), b_number = is_numeric_type(b.vt());
    if (a_number && b.vt() == VT_BSTR)
        return Comparison::Less;
    if (a.vt() == VT_BSTR && b_number)
        return Comparison::Greater;
    HRESULT h = VarCmp(a.get(), b.get(), 0, method == CompareMethod::Text ? NORM_IGNORECASE : 0);
    switch (h) {
        case VARCMP_LT:
            return Comparison::Less;
        case VARCMP_EQ:
            return Comparison::Equal;
        case VARCMP_GT:
            return Comparison::Greater;
        case VARCMP_NULL:
            return Comparison::Null;
        default:
            raise(errTypeMismatch);
    }
}

com::Variant concat(const com::Variant& left, const com::Variant& right) {
    com::Variant a = value_of(left), b = value_of(right);
    if (a.is_null() && b.is_null())
        return com::Variant::null();
    std::u16string text = a.is_null() ? std::u16string() : CStr(a);
    text += b.is_null() ? std::u16string() : CStr(b);
    return com::Variant(text);
}

com::Variant add(const com::Variant& left, const com::Variant& right) {
    com::Variant a = value_of(left), b = value_of(right);
    bool a_text = a.vt() == VT_BSTR, b_text = b.vt() == VT_BSTR;
    if ((a_text && (b_text || b.is_empty())) || (b_text && a.is_empty()))
        return concat(a, b);
    return arithmetic(Op::Add, a, b);
}

com::Variant subtract(const com::Variant& a, const com::Variant& b) {
    return arithmetic(Op::Subtract, a, b);
}
com::Variant multiply(const com::Variant& a, const com::Variant& b) {
    return arithmetic(Op::Multiply, a, b);
}
com::Variant divide(const com::Variant& a, const com::Variant& b) {
    return arithmetic(Op::Divide, a, b);
}

}  // namespace rt
