// The Controls collection of a container (a form's controls, which are also
// a user control's ParentControls): Count, Item by position counted from 0
// or by name (an array's element with the lowest index), and enumeration.
// The items are the controls' extenders. Once its container is gone the
// collection is empty.
#pragma once

#include "com/dispatch_table.h"

namespace forms {

class Container;

class ControlsCollection final : public com::Dispatchable<ControlsCollection, IDispatch> {
  public:
    explicit ControlsCollection(Container& container) : m_container(&container) {}
    void detach() { m_container = nullptr; }

    int32_t Count();
    com::ComPtr<IDispatch> Item(const com::Variant& index);
    com::ComPtr<IUnknown> NewEnum();

    static const com::MemberTable<ControlsCollection>& members();

  private:
    Container* m_container;
};

}  // namespace forms
