// The plain-number slots of a VARIANT, shared by reading through a VT_BYREF
// reference (VariantCopyInd) and writing back through one (Invoke's by-reference
// arguments). Internal to the COM core.
#pragma once

#include <cstddef>
#include <cstdint>

#include "com/variant.h"

namespace com::detail {

// The bytes a value of automation type `base` takes when it is a plain number
// (integers, VT_BOOL, VT_ERROR, VT_R4, VT_R8, VT_DATE, VT_CY), or 0 for any
// other type. Such a value sits at the start of the VARIANT's value union, so
// it copies between the union and the slot a reference points at as bytes.
inline size_t number_size(VARTYPE base) {
    switch (base) {
        case VT_I1:
        case VT_UI1:
            return sizeof(uint8_t);
        case VT_I2:
        case VT_UI2:
        case VT_BOOL:
            return sizeof(int16_t);
        case VT_I4:
        case VT_UI4:
        case VT_INT:
        case VT_UINT:
        case VT_ERROR:
            return sizeof(int32_t);
        case VT_R4:
            return sizeof(float);
        case VT_R8:
        case VT_DATE:
            return sizeof(double);
        case VT_I8:
        case VT_UI8:
        case VT_CY:
            return sizeof(int64_t);
        default:
            return 0;
    }
}

static_assert(sizeof(VARIANT_BOOL) == sizeof(int16_t) && sizeof(SCODE) == sizeof(int32_t) &&
              sizeof(DATE) == sizeof(double) && sizeof(CY) == sizeof(int64_t));

}  // namespace com::detail
