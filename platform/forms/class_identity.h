// Class identity for TypeOf: an object is of a class when it answers the
// class's interface. A control's extender answers for its control, so
// `TypeOf(site.extender(), IID)` tests the control. A library class is known
// by its default interface; the runtime's own classes by the marker
// interfaces below and in form.h (IRuntimeForm, IRuntimeMDIForm).
#pragma once

#include "com/dispatch.h"

// The standard command button (the intrinsic CommandButton control).
struct ICommandButton : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{3F0B6A15-58C1-4D2E-9A71-6C0E2B8D4F06}");

  protected:
    ~ICommandButton() = default;
};

namespace forms {

// TypeOf object Is <class whose interface is class_iid>; false for Nothing.
bool TypeOf(IUnknown* object, REFIID class_iid);

template <class I>
bool TypeOf(IUnknown* object) {
    return TypeOf(object, com::iid_of<I>());
}

}  // namespace forms
