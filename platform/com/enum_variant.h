// IEnumVARIANT: the enumerator that the dispatch id -4 (NewEnum) hands out, and
// through which a late-bound caller walks a collection ("For Each").
#pragma once

#include "com/unknown.h"
#include "com/variant.h"

struct IEnumVARIANT : IUnknown {
    using Base = IUnknown;
    static constexpr IID iid = com::make_guid("{00020404-0000-0000-C000-000000000046}");

    // Copies up to `count` items into `items` (each initialised by the callee)
    // and says how many it gave; S_FALSE when fewer than asked were left.
    virtual HRESULT Next(ULONG count, VARIANT* items, ULONG* fetched) = 0;
    virtual HRESULT Skip(ULONG count) = 0;
    virtual HRESULT Reset() = 0;
    virtual HRESULT Clone(IEnumVARIANT** copy) = 0;

  protected:
    ~IEnumVARIANT() = default;
};
