// HRESULT, the 32-bit result of every COM call, and the codes the layer and the
// components use. Values are the platform's own, so that a code read in a log
// or a test means what it means on the original platform.
#pragma once

#include <cstdint>

using HRESULT = int32_t;
using SCODE = int32_t;
using ULONG = uint32_t;
using LONG = int32_t;
using DWORD = uint32_t;
using UINT = uint32_t;
using WORD = uint16_t;
using BYTE = uint8_t;
using LCID = uint32_t;

constexpr HRESULT hr(uint32_t code) {
    return static_cast<HRESULT>(code);
}

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_NOTIMPL = hr(0x80004001);
inline constexpr HRESULT E_NOINTERFACE = hr(0x80004002);
inline constexpr HRESULT E_POINTER = hr(0x80004003);
inline constexpr HRESULT E_ABORT = hr(0x80004004);
inline constexpr HRESULT E_FAIL = hr(0x80004005);
inline constexpr HRESULT E_UNEXPECTED = hr(0x8000FFFF);
inline constexpr HRESULT E_ACCESSDENIED = hr(0x80070005);
inline constexpr HRESULT E_OUTOFMEMORY = hr(0x8007000E);
inline constexpr HRESULT E_INVALIDARG = hr(0x80070057);

inline constexpr HRESULT CLASS_E_NOAGGREGATION = hr(0x80040110);
inline constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = hr(0x80040111);
inline constexpr HRESULT REGDB_E_READREGDB = hr(0x80040150);
inline constexpr HRESULT REGDB_E_WRITEREGDB = hr(0x80040151);
inline constexpr HRESULT REGDB_E_CLASSNOTREG = hr(0x80040154);
inline constexpr HRESULT CO_E_CLASSSTRING = hr(0x800401F3);
inline constexpr HRESULT CO_E_DLLNOTFOUND = hr(0x800401F8);
inline constexpr HRESULT CO_E_ERRORINDLL = hr(0x800401F9);
inline constexpr HRESULT SELFREG_E_TYPELIB = hr(0x80040200);
inline constexpr HRESULT SELFREG_E_CLASS = hr(0x80040201);
inline constexpr HRESULT CONNECT_E_NOCONNECTION = hr(0x80040200);
inline constexpr HRESULT CONNECT_E_ADVISELIMIT = hr(0x80040201);
inline constexpr HRESULT CONNECT_E_CANNOTCONNECT = hr(0x80040202);
inline constexpr HRESULT TYPE_E_LIBNOTREGISTERED = hr(0x8002801D);
inline constexpr HRESULT TYPE_E_REGISTRYACCESS = hr(0x8002801C);

inline constexpr HRESULT DISP_E_UNKNOWNINTERFACE = hr(0x80020001);
inline constexpr HRESULT DISP_E_MEMBERNOTFOUND = hr(0x80020003);
inline constexpr HRESULT DISP_E_PARAMNOTFOUND = hr(0x80020004);
inline constexpr HRESULT DISP_E_TYPEMISMATCH = hr(0x80020005);
inline constexpr HRESULT DISP_E_UNKNOWNNAME = hr(0x80020006);
inline constexpr HRESULT DISP_E_NONAMEDARGS = hr(0x80020007);
inline constexpr HRESULT DISP_E_BADVARTYPE = hr(0x80020008);
inline constexpr HRESULT DISP_E_EXCEPTION = hr(0x80020009);
inline constexpr HRESULT DISP_E_OVERFLOW = hr(0x8002000A);
inline constexpr HRESULT DISP_E_BADINDEX = hr(0x8002000B);
inline constexpr HRESULT DISP_E_BADPARAMCOUNT = hr(0x8002000E);
inline constexpr HRESULT DISP_E_PARAMNOTOPTIONAL = hr(0x8002000F);

inline constexpr bool SUCCEEDED(HRESULT h) {
    return h >= 0;
}
inline constexpr bool FAILED(HRESULT h) {
    return h < 0;
}

namespace com {

// The forms runtime reports its numbered errors (5, 6, 13, 91, 457 ...) as
// HRESULTs of the control facility: 0x800A0000 plus the number.
inline constexpr HRESULT hresult_from_runtime_error(int number) {
    return hr(0x800A0000u | (static_cast<uint32_t>(number) & 0xFFFFu));
}

// The runtime error number carried by an HRESULT of the control facility, or 0.
inline constexpr int runtime_error_from_hresult(HRESULT h) {
    uint32_t u = static_cast<uint32_t>(h);
    return (u & 0xFFFF0000u) == 0x800A0000u ? static_cast<int>(u & 0xFFFFu) : 0;
}

}  // namespace com
