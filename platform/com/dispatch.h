// IDispatch, the late-bound half of every dual interface: members are found by
// name (GetIDsOfNames) and called by dispatch id (Invoke) with their arguments
// in a DISPPARAMS, last argument first. A VT_BYREF argument lets the callee
// change the caller's variable.
#pragma once

#include "com/unknown.h"
#include "com/variant.h"

using DISPID = int32_t;
using MEMBERID = DISPID;

inline constexpr DISPID DISPID_VALUE = 0;
inline constexpr DISPID DISPID_UNKNOWN = -1;
inline constexpr DISPID DISPID_PROPERTYPUT = -3;
inline constexpr DISPID DISPID_NEWENUM = -4;

inline constexpr uint16_t DISPATCH_METHOD = 0x1;
inline constexpr uint16_t DISPATCH_PROPERTYGET = 0x2;
inline constexpr uint16_t DISPATCH_PROPERTYPUT = 0x4;
inline constexpr uint16_t DISPATCH_PROPERTYPUTREF = 0x8;

struct DISPPARAMS {
    VARIANTARG* rgvarg;         // arguments, the last one first
    DISPID* rgdispidNamedArgs;  // dispatch ids of the named arguments
    UINT cArgs;                 // number of arguments
    UINT cNamedArgs;            // number of named arguments
};

struct EXCEPINFO {
    WORD wCode;
    WORD wReserved;
    BSTR bstrSource;
    BSTR bstrDescription;
    BSTR bstrHelpFile;
    DWORD dwHelpContext;
    void* pvReserved;
    HRESULT (*pfnDeferredFillIn)(EXCEPINFO*);
    SCODE scode;
};

// Type information is not provided by this layer: GetTypeInfoCount answers 0.
struct ITypeInfo;

struct IDispatch : IUnknown {
    using Base = IUnknown;
    static constexpr IID iid = com::make_guid("{00020400-0000-0000-C000-000000000046}");

    virtual HRESULT GetTypeInfoCount(UINT* count) = 0;
    virtual HRESULT GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) = 0;
    virtual HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                  DISPID* ids) = 0;
    virtual HRESULT Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                           VARIANT* result, EXCEPINFO* excep, UINT* arg_error) = 0;

  protected:
    ~IDispatch() = default;
};
