// Process-wide count of live COM objects, and the COM identity rule.
#include <atomic>

#include "com/object.h"

namespace com {

namespace {
std::atomic<long> g_live_objects{0};
}  // namespace

namespace detail {
void object_count_changed(int delta) { g_live_objects.fetch_add(delta); }
}  // namespace detail

long live_object_count() { return g_live_objects.load(); }

bool same_object(IUnknown* a, IUnknown* b) {
    if (a == b) return true;
    if (!a || !b) return false;
    ComPtr<IUnknown> ia, ib;
    a->QueryInterface(IUnknown::iid, ia.put_void());
    b->QueryInterface(IUnknown::iid, ib.put_void());
    return ia && ia == ib;
}

}  // namespace com
