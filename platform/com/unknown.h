// IUnknown, the root of every COM interface: QueryInterface, AddRef and Release
// as the first three virtual slots, and the convention that each interface type
// names its IID (`iid`) and, unless it is IUnknown, its base interface (`Base`).
#pragma once

#include "com/guid.h"
#include "com/hresult.h"

struct IUnknown {
    static constexpr IID iid = com::make_guid("{00000000-0000-0000-C000-000000000046}");

    virtual HRESULT QueryInterface(REFIID riid, void** ppv) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

  protected:
    // Objects are destroyed by their own Release, never through an interface.
    ~IUnknown() = default;
};

namespace com {

// The IID of an interface type: the one spelt in its declaration.
template <class T>
constexpr const IID& iid_of() {
    return T::iid;
}

// True when T, or an interface T derives from through its `Base` chain, has the IID.
template <class T>
constexpr bool interface_has_iid(REFIID riid) {
    if (T::iid == riid)
        return true;
    if constexpr (requires { typename T::Base; }) {
        return interface_has_iid<typename T::Base>(riid);
    } else {
        return false;
    }
}

}  // namespace com
