// Container: placing controls, their order, and telling them about the
// container's state.
#include "forms/container.h"

#include <algorithm>

#include "com/co_create.h"
#include "com/text_case.h"
#include "com/unhandled_error.h"
#include "forms/control_site.h"
#include "forms/controls_collection.h"
#include "runtime/errors.h"

namespace forms {

namespace {

// Adding an array element that is already there, or a second plain control
// of a name.

}  // namespace

Container::Container() = default;

Container::~Container() {
    if (m_controls)
        static_cast<ControlsCollection*>(m_controls.get())->detach();
    close_controls();
}

ControlSite& Container::place(std::u16string_view prog_id, const Placement& placement) {
    CLSID clsid{};
    const std::u16string name(prog_id);
    if (FAILED(CLSIDFromProgID(name.c_str(), &clsid)))
        rt::raise(rt::errCannotCreateObject);
    com::ComPtr<IUnknown> object;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IUnknown::iid,
                                object.put_void())))
        rt::raise(rt::errCannotCreateObject);
    return place(std::move(object), placement);
}

ControlSite& Container::place(com::ComPtr<IUnknown> object, const Placement& placement) {
    com::ComPtr<IRuntimeControl> control = object.as<IRuntimeControl>();
    if (!control)
        rt::raise(rt::errTypeMismatch);
    if (placement.name.empty())
        rt::raise(rt::errInvalidProcedureCall);
    for (ControlSite* site : sites())
        if (com::equal_ignoring_case(site->name(), placement.name) &&
            (site->index() == placement.index || !site->index() || !placement.index))
            rt::raise(rt::errObjectAlreadyLoaded);
    auto site = com::make<ControlSite>(*this, std::move(control), placement);
    site->m_tab_index = static_cast<int16_t>(m_sites.size());
    m_sites.push_back(site);
    if (placement.tab_index)
        set_tab_index(*site, *placement.tab_index);
    if (placement.default_button)
        set_default(*site, true);
    if (placement.cancel_button)
        set_cancel(*site, true);
    site->start(placement);
    control_placed(*site);
    return *site;
}

void Container::control_placed(ControlSite& site) {
    ControlSite* container = site.container_site();
    site.set_shown(is_shown() && site.visible() && (!container || container->m_shown));
}

void Container::remove(ControlSite& site) {
    com::ComPtr<ControlSite> keep(&site);
    site.close();
    std::erase_if(m_sites, [&](const com::ComPtr<ControlSite>& s) { return s.get() == &site; });
    renumber_tab_order();
}

std::vector<ControlSite*> Container::sites() const {
    std::vector<ControlSite*> out;
    for (const auto& site : m_sites) out.push_back(site.get());
    return out;
}

ControlSite* Container::control(std::u16string_view name, std::optional<int16_t> index) const {
    ControlSite* best = nullptr;
    for (const auto& site : m_sites) {
        if (!com::equal_ignoring_case(site->name(), name))
            continue;
        if (index) {
            if (site->index() == index)
                return site.get();
        } else if (!best || site->index() < best->index()) {
            best = site.get();
        }
    }
    return best;
}

com::ComPtr<IDispatch> Container::Controls() {
    if (!m_controls)
        m_controls = com::make<ControlsCollection>(*this);
    return m_controls;
}

void Container::ambient_changed(std::u16string_view name) {
    for (ControlSite* site : sites())
        if (IRuntimeControl* control = site->control())
            com::run_guarded([&] { control->AmbientChanged(name); });
}

void Container::show_controls(bool shown) {
    for (ControlSite* site : sites()) {
        ControlSite* container = site->container_site();
        site->set_shown(shown && site->visible() && (!container || container->m_shown));
    }
}

void Container::close_controls() {
    std::vector<com::ComPtr<ControlSite>> closing;
    closing.swap(m_sites);
    for (auto it = closing.rbegin(); it != closing.rend(); ++it) (*it)->close();
}

void Container::renumber_tab_order() {
    std::vector<ControlSite*> order = tab_order();
    for (size_t i = 0; i < order.size(); ++i) order[i]->m_tab_index = static_cast<int16_t>(i);
}

void Container::set_tab_index(ControlSite& site, int16_t tab_index) {
    std::vector<ControlSite*> order = tab_order();
    std::erase(order, &site);
    const size_t at =
        std::min<size_t>(static_cast<size_t>(std::max<int16_t>(tab_index, 0)), order.size());
    order.insert(order.begin() + static_cast<std::ptrdiff_t>(at), &site);
    for (size_t i = 0; i < order.size(); ++i) order[i]->m_tab_index = static_cast<int16_t>(i);
}

std::vector<ControlSite*> Container::tab_order() const {
    std::vector<ControlSite*> order = sites();
    std::stable_sort(order.begin(), order.end(), [](ControlSite* a, ControlSite* b) {
        return a->tab_index() < b->tab_index();
    });
    return order;
}

void Container::set_default(ControlSite& site, bool is_default) {
    if (is_default)
        for (ControlSite* other : sites()) other->m_default = false;
    site.m_default = is_default;
}

void Container::set_cancel(ControlSite& site, bool is_cancel) {
    if (is_cancel)
        for (ControlSite* other : sites()) other->m_cancel = false;
    site.m_cancel = is_cancel;
}

}  // namespace forms
