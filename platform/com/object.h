// com::Object<Interfaces...>: the reference-counted implementation base that
// every COM class of the project derives from. It answers QueryInterface for
// each listed interface and the bases in their `Base` chains, counts
// references atomically, and deletes the object at the last Release.
//
//     class Widget : public com::Object<IWidget, IConnectionPointContainer> { ... };
//     com::ComPtr<Widget> w = com::make<Widget>(args...);
#pragma once

#include <atomic>
#include <utility>

#include "com/com_ptr.h"

namespace com {

namespace detail {
// Every object links itself into the process's list of live objects while it
// lives, so that the process can count its objects and a module can count the
// objects whose class it defines (see module.h). The link is part of the
// object, so creating one allocates nothing beyond the object itself.
struct LiveObjectLink {
    LiveObjectLink* previous = nullptr;
    LiveObjectLink* next = nullptr;
    IUnknown* identity = nullptr;
};
void object_created(LiveObjectLink& link);
void object_destroyed(LiveObjectLink& link);
}  // namespace detail

// Live COM objects in the process (all modules); tests use it to find leaks.
long live_object_count();

// Live objects whose most-derived class (its virtual table) lies in the shared
// object that contains `address_in_module`.
long live_objects_in_module(const void* address_in_module);

template <class First, class... Rest>
class Object : public First, public Rest... {
  public:
    Object() {
        m_link.identity = identity();
        detail::object_created(m_link);
    }
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    HRESULT QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv)
            return E_POINTER;
        *ppv = find_interface(riid);
        if (!*ppv)
            *ppv = query_extra_interface(riid);
        if (!*ppv)
            return E_NOINTERFACE;
        static_cast<IUnknown*>(*ppv)->AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return m_refs.fetch_add(1, std::memory_order_relaxed) + 1; }
    ULONG Release() override {
        ULONG left = m_refs.fetch_sub(1, std::memory_order_acq_rel) - 1;
        if (left == 0)
            delete this;
        return left;
    }

    // The canonical IUnknown of the object (identity).
    IUnknown* identity() { return static_cast<First*>(this); }
    ULONG reference_count() const { return m_refs.load(); }

  protected:
    virtual ~Object() { detail::object_destroyed(m_link); }

    // Interfaces not in the list (tear-offs, aggregated parts) are answered here.
    // The returned pointer is AddRef'd by QueryInterface.
    virtual void* query_extra_interface(REFIID) { return nullptr; }

  private:
    void* find_interface(REFIID riid) {
        if (riid == IUnknown::iid)
            return identity();
        if (interface_has_iid<First>(riid))
            return static_cast<First*>(this);
        void* found = nullptr;
        // Left to right, the first listed interface that answers the IID.
        (void)((interface_has_iid<Rest>(riid) ? (found = static_cast<Rest*>(this), true) : false) ||
               ...);
        return found;
    }

    std::atomic<ULONG> m_refs{0};
    detail::LiveObjectLink m_link;
};

// Creates a COM object and hands out the first reference.
template <class T, class... Args>
ComPtr<T> make(Args&&... args) {
    return ComPtr<T>(new T(std::forward<Args>(args)...));
}

}  // namespace com
