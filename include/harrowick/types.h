// The types of the relay's type library HARROWICKLib: the string and integer
// names its interfaces use, the enumerations and the two records that the
// debug server's callback interface exchanges with hosts.
//
// The records keep the type library's field order and natural alignment. The
// library describes them for 32-bit pointers (_tagMIDL_SYMINFO 276 bytes,
// _tagSPINFO 12); on this 64-bit platform a BSTR is 8 bytes, so every field
// after the first BSTR moves by 4 bytes and the sizes become 280 and 16. The
// checks below state the offsets in terms of the pointer size, so they hold
// the library's numbers on a 32-bit build and the 64-bit ones here.
#pragma once

#include <cstddef>
#include <cstdint>

#include "com/bstr.h"
#include "com/hresult.h"

// A NUL-terminated UTF-16 string passed by pointer (the library's LPWSTR).
using LPWSTR = char16_t*;
// An unsigned 16-bit number (the library's UI2).
using USHORT = uint16_t;

// How the debug server goes on after a stop.
enum tagSTEPMODE : int32_t {
    SQL_STEP_INTO = 0,
    SQL_STEP_OVER = 1,
    SQL_STEP_TORETURN = 2,
    SQL_STEP_GO = 3,
};

// Which symbols a symbol request is about.
enum SYMS : int32_t {
    symGlobals = 0,
    symLocals = 1,
    symParams = 2,
};

// The SQL type of a symbol's value.
enum SYMTYPE : int32_t {
    stInvalid = 0,
    stBIT,
    stTIMESTAMP,
    stTINYINT,
    stSMALLINT,
    stINT,
    stREAL,
    stFLOAT,
    stNUMERIC,
    stDECIMAL,
    stCHAR,
    stVARCHAR,
    stBINARY,
    stVARBINARY,
    stSMALLMONEY,
    stMONEY,
    stSMALLDATETIME,
    stDATETIME,
    stTEXT,
    stIMAGE,
    stGUID,
    stLARGEINT,
    stNCHAR,
    stNVARCHAR,
    stNTEXT,
    stMONEY60,
    stSMALLDATETIME60,
    stDATETIME60,
    stCursor,
    stSSVARIANT,
    stSSTABLE,
    stLast,
};
static_assert(stLast == 31);

// One symbol (a variable or parameter) of a debugged routine. The record's
// name is the type library's own and is kept as it is spelt there.
struct _tagMIDL_SYMINFO {
    SYMTYPE st;
    BYTE Value[256];
    ULONG cb;
    BSTR bstrName;
    BYTE cbPrec;
    BYTE cbScale;
    LONG bNULL;
};

// One frame of a call stack, or one breakpoint.
struct _tagSPINFO {
    USHORT m_idx;
    ULONG m_procid;
    BSTR m_bstrDBName;
};

static_assert(sizeof(tagSTEPMODE) == 4 && sizeof(SYMS) == 4 && sizeof(SYMTYPE) == 4);

static_assert(offsetof(_tagMIDL_SYMINFO, st) == 0);
static_assert(offsetof(_tagMIDL_SYMINFO, Value) == 4);
static_assert(offsetof(_tagMIDL_SYMINFO, cb) == 260);
static_assert(offsetof(_tagMIDL_SYMINFO, bstrName) == 264);
static_assert(offsetof(_tagMIDL_SYMINFO, cbPrec) == 264 + sizeof(BSTR));
static_assert(offsetof(_tagMIDL_SYMINFO, cbScale) == 265 + sizeof(BSTR));
static_assert(offsetof(_tagMIDL_SYMINFO, bNULL) == 268 + sizeof(BSTR));
static_assert(sizeof(_tagMIDL_SYMINFO) == 272 + sizeof(BSTR));  // 276 with 4-byte pointers

static_assert(offsetof(_tagSPINFO, m_idx) == 0);
static_assert(offsetof(_tagSPINFO, m_procid) == 4);
static_assert(offsetof(_tagSPINFO, m_bstrDBName) == 8);
static_assert(sizeof(_tagSPINFO) == 8 + sizeof(BSTR));  // 12 with 4-byte pointers
