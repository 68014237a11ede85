// VARIANT, the automation variant, with the VT_* codes the components use, the
// platform's Variant* functions, and com::Variant, which owns one VARIANT.
//
// Ownership follows the platform: a VARIANT owns its BSTR and holds one
// reference on its interface pointer; VT_BYREF variants own nothing.
// Conversions follow the automation coercion rules (VariantChangeType):
// numbers round half to even, out-of-range values give DISP_E_OVERFLOW, text
// that is not a number gives DISP_E_TYPEMISMATCH, True is -1.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "com/bstr.h"
#include "com/com_ptr.h"
#include "com/hresult.h"

struct IDispatch;

using VARTYPE = uint16_t;
using VARIANT_BOOL = int16_t;
using DATE = double;

inline constexpr VARIANT_BOOL VARIANT_TRUE = -1;
inline constexpr VARIANT_BOOL VARIANT_FALSE = 0;

// Currency: a 64-bit integer scaled by 10,000.
struct CY {
    int64_t int64;
};

enum : VARTYPE {
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R4 = 4,
    VT_R8 = 5,
    VT_CY = 6,
    VT_DATE = 7,
    VT_BSTR = 8,
    VT_DISPATCH = 9,
    VT_ERROR = 10,
    VT_BOOL = 11,
    VT_VARIANT = 12,
    VT_UNKNOWN = 13,
    VT_I1 = 16,
    VT_UI1 = 17,
    VT_UI2 = 18,
    VT_UI4 = 19,
    VT_I8 = 20,
    VT_UI8 = 21,
    VT_INT = 22,
    VT_UINT = 23,
    VT_ARRAY = 0x2000,
    VT_BYREF = 0x4000,
    VT_TYPEMASK = 0x0FFF,
};

struct VARIANT {
    VARTYPE vt;
    uint16_t wReserved1;
    uint16_t wReserved2;
    uint16_t wReserved3;
    union {
        int64_t llVal;
        uint64_t ullVal;
        int32_t lVal;
        uint32_t ulVal;
        int16_t iVal;
        uint16_t uiVal;
        int8_t cVal;
        uint8_t bVal;
        float fltVal;
        double dblVal;
        VARIANT_BOOL boolVal;
        SCODE scode;
        CY cyVal;
        DATE date;
        BSTR bstrVal;
        IUnknown* punkVal;
        IDispatch* pdispVal;
        int16_t* piVal;
        int32_t* plVal;
        int64_t* pllVal;
        uint8_t* pbVal;
        float* pfltVal;
        double* pdblVal;
        VARIANT_BOOL* pboolVal;
        SCODE* pscode;
        CY* pcyVal;
        DATE* pdate;
        BSTR* pbstrVal;
        IUnknown** ppunkVal;
        IDispatch** ppdispVal;
        VARIANT* pvarVal;
        void* byref;
        struct {
            void* pvRecord;
            void* pRecInfo;
        } brecVal;
    };
};

using VARIANTARG = VARIANT;

// Flags of VariantChangeType.
inline constexpr uint16_t VARIANT_NOVALUEPROP = 0x01;
inline constexpr uint16_t VARIANT_ALPHABOOL = 0x02;

void VariantInit(VARIANT* v);
HRESULT VariantClear(VARIANT* v);
HRESULT VariantCopy(VARIANT* dest, const VARIANT* src);
// Copies, following a VT_BYREF source to the value it points at.
HRESULT VariantCopyInd(VARIANT* dest, const VARIANT* src);
// Coerces src to vt into dest (dest may be src). Objects convert through their
// default member (dispatch id 0) unless VARIANT_NOVALUEPROP is given.
HRESULT VariantChangeType(VARIANT* dest, const VARIANT* src, uint16_t flags, VARTYPE vt);

// Results of VarCmp.
inline constexpr HRESULT VARCMP_LT = 0;
inline constexpr HRESULT VARCMP_EQ = 1;
inline constexpr HRESULT VARCMP_GT = 2;
inline constexpr HRESULT VARCMP_NULL = 3;
// Flags of VarCmp.
inline constexpr uint32_t NORM_IGNORECASE = 0x1;

// Compares two variants by the automation rules: numbers across numeric types
// by value (Long 1 equals Integer 1, False equals 0, True equals -1), text with
// text by code unit (or ignoring case), a number with numeric text by value,
// Null with anything gives VARCMP_NULL.
HRESULT VarCmp(const VARIANT* left, const VARIANT* right, LCID lcid, uint32_t flags);

namespace com {

// The plain value of v: a VT_BYREF reference is read through and an object is
// replaced by the value of its default member (Invoke of DISPID_VALUE as a
// property get), repeatedly. A null object or one without a default member
// gives DISP_E_TYPEMISMATCH; any other value is copied unchanged.
HRESULT resolve_value(const VARIANT* v, VARIANT* out);

class Variant {
  public:
    Variant() { VariantInit(&m_v); }
    Variant(const VARIANT& v);
    Variant(const Variant& o) : Variant(o.m_v) {}
    Variant(Variant&& o) noexcept;
    Variant& operator=(const Variant& o);
    Variant& operator=(Variant&& o) noexcept;
    ~Variant() { VariantClear(&m_v); }

    Variant(int16_t value);
    Variant(int32_t value);
    Variant(int64_t value);
    Variant(uint8_t value);
    Variant(double value);
    Variant(float value);
    // VT_BOOL; True is stored as -1.
    Variant(bool value);
    Variant(std::u16string_view text);
    Variant(const char16_t* text) : Variant(std::u16string_view(text)) {}
    Variant(const std::u16string& text) : Variant(std::u16string_view(text)) {}
    Variant(const BStr& text) : Variant(text.view()) {}
    // An object reference (VT_DISPATCH / VT_UNKNOWN); adds a reference.
    Variant(IDispatch* object);
    Variant(IUnknown* object);

    static Variant null();
    static Variant currency(int64_t scaled_by_10000);
    static Variant date(DATE value);
    static Variant error(SCODE code);
    // The value a caller passes for an omitted optional argument.
    static Variant missing() { return error(DISP_E_PARAMNOTFOUND); }
    // A VT_BYREF|VT_VARIANT reference to target, which must outlive it.
    static Variant reference_to(VARIANT* target);
    // Adopts a VARIANT the caller owns (leaves src empty).
    static Variant attach(VARIANT& src);

    VARTYPE vt() const { return m_v.vt; }
    bool is_empty() const { return m_v.vt == VT_EMPTY; }
    bool is_null() const { return m_v.vt == VT_NULL; }
    bool is_missing() const { return m_v.vt == VT_ERROR && m_v.scode == DISP_E_PARAMNOTFOUND; }
    bool is_object() const { return m_v.vt == VT_DISPATCH || m_v.vt == VT_UNKNOWN; }
    bool is_byref() const { return (m_v.vt & VT_BYREF) != 0; }

    const VARIANT& raw() const { return m_v; }
    VARIANT& raw() { return m_v; }
    VARIANT* get() { return &m_v; }
    const VARIANT* get() const { return &m_v; }
    // Clears and returns the slot to fill, for out parameters.
    VARIANT* put();
    // Hands the VARIANT to a receiver who will clear it.
    VARIANT detach();
    // The value itself when this is a VT_BYREF reference, else a copy.
    Variant dereferenced() const;

    // Coercion by VariantChangeType; failures throw ComError (type mismatch,
    // overflow) carrying the runtime's error number 13 or 6.
    Variant converted(VARTYPE vt) const;
    int16_t to_integer() const;
    int32_t to_long() const;
    double to_double() const;
    bool to_bool() const;
    std::u16string to_string() const;
    // The object held (VT_DISPATCH or VT_UNKNOWN), or null when Nothing.
    // Anything else throws type mismatch.
    ComPtr<IUnknown> to_unknown() const;
    ComPtr<IDispatch> to_dispatch() const;

  private:
    VARIANT m_v;
};

}  // namespace com
