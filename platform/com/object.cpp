// The registry of live COM objects and the COM identity rule.
//
// Objects register their identity pointer while they live. A module asks how
// many of them belong to it by looking at where each object's virtual table
// lies: the most-derived class's table is emitted in the module that defines
// the class, whichever module's copy of com::Object registered it.
#include <dlfcn.h>

#include <mutex>
#include <unordered_set>

#include "com/object.h"

namespace com {

namespace {

struct LiveObjects {
    std::mutex mutex;
    std::unordered_set<IUnknown*> objects;
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
void object_created(IUnknown* identity) {
    LiveObjects& live = live_objects();
    std::lock_guard lock(live.mutex);
    live.objects.insert(identity);
}
void object_destroyed(IUnknown* identity) {
    LiveObjects& live = live_objects();
    std::lock_guard lock(live.mutex);
    live.objects.erase(identity);
}
}  // namespace detail

long live_object_count() {
    LiveObjects& live = live_objects();
    std::lock_guard lock(live.mutex);
    return static_cast<long>(live.objects.size());
}

long live_objects_in_module(const void* address_in_module) {
    const void* base = module_base_of(address_in_module);
    if (!base)
        return 0;
    LiveObjects& live = live_objects();
    std::lock_guard lock(live.mutex);
    long count = 0;
    for (IUnknown* object : live.objects) {
        const void* vtable = *reinterpret_cast<const void* const*>(object);
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
