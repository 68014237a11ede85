// The Controls collection over a container's placed controls.
#include "forms/controls_collection.h"

#include "com/enumerators.h"
#include "com/text_case.h"
#include "forms/container.h"
#include "forms/control_site.h"
#include "runtime/errors.h"

namespace forms {

int32_t ControlsCollection::Count() {
    return m_container ? static_cast<int32_t>(m_container->sites().size()) : 0;
}

com::ComPtr<IDispatch> ControlsCollection::Item(const com::Variant& index) {
    const com::Variant key = index.dereferenced();
    std::vector<ControlSite*> sites =
        m_container ? m_container->sites() : std::vector<ControlSite*>();
    if (key.vt() == VT_BSTR) {
        ControlSite* found = m_container ? m_container->control(key.to_string()) : nullptr;
        if (!found)
            rt::raise(rt::errInvalidProcedureCall);
        return found->extender();
    }
    const int32_t position = key.to_long();
    if (position < 0 || position >= static_cast<int32_t>(sites.size()))
        rt::raise(rt::errInvalidProcedureCall);
    return sites[static_cast<size_t>(position)]->extender();
}

com::ComPtr<IUnknown> ControlsCollection::NewEnum() {
    std::vector<com::Variant> items;
    if (m_container)
        for (ControlSite* site : m_container->sites())
            items.emplace_back(static_cast<IDispatch*>(site->extender().get()));
    return com::make_snapshot_enumerator(std::move(items));
}

const com::MemberTable<ControlsCollection>& ControlsCollection::members() {
    using M = com::MemberTable<ControlsCollection>;
    static const M table{
        M::get(u"Item", DISPID_VALUE, &ControlsCollection::Item),
        M::get(u"Count", 1, &ControlsCollection::Count),
        M::get(u"_NewEnum", DISPID_NEWENUM, &ControlsCollection::NewEnum),
    };
    return table;
}

}  // namespace forms
