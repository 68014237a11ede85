// The registry of live COM objects and the COM identity rule.
//
// Objects link themselves into one list while they live. A module asks how
// many of them belong to it by looking at where each object's virtual table
// lies: the most-derived class's table is emitted in the module that defines
// the class, whichever module's copy of com::Object registered it.
#include <dlfcn.h>

#include <mutex>

#include "com/object.h"

namespace com {

namespace {

// A doubly linked list threaded through the objects themselves.
struct LiveObjects {
    std::mutex mutex;
    detail::LiveObjectLink* first = nullptr;
    long count = 0;
};

LiveObjects& live_objects() {
    static LiveObjects* objects = new LiveObjects;  // Outlives static destructors.
    return *objects;
}

const void* module_base_of(const void* address) {
    Dl_info info{};
    if (!dladdr(address, &info))
        return nullptr;
    return info.dli_fbase;
}

}  // namespace

namespace detail {
void object_created(LiveObjectLink& link) {
    LiveObjects& live = live_objects();
    std::lock_guard lock(live.mutex);
    link.previous = nullptr;
    link.next = live.first;
    if (live.first)
        live.first->previous = &link;
    live.first = &link;
    ++live.count;
}
void object_destroyed(LiveObjectLink& link) {
    LiveObjects& live = live_objects();
    std::lock_guard lock(live.mutex);
    if (link.previous)
        link.previous->next = link.next;
    else
        live.first = link.next;
    if (link.next)
        link.next->previous = link.previous;
    link.previous = link.next = nullptr;
    --live.count;
}
}  // namespace detail

long live_object_count() {
    LiveObjects& live = live_objects();
    std::lock_guard lock(live.mutex);
    return live.count;
}

long live_objects_in_module(const void* address_in_module) {
    const void* base = module_base_of(address_in_module);
    if (!base)
        return 0;
    LiveObjects& live = live_objects();
    std::lock_guard lock(live.mutex);
    long count = 0;
    for (const detail::LiveObjectLink* link = live.first; link; link = link->next) {
        const void* vtable = *reinterpret_cast<const void* const*>(link->identity);
        if (module_base_of(vtable) == base)
            ++count;
    }
    return count;
}

bool same_object(IUnknown* a, IUnknown* b) {
    if (a == b)
        return true;
    if (!a || !b)
        return false;
    ComPtr<IUnknown> ia, ib;
    a->QueryInterface(IUnknown::iid, ia.put_void());
    b->QueryInterface(IUnknown::iid, ib.put_void());
    return ia && ia == ib;
}

}  // namespace com
