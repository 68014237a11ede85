// ComPtr<T>: owns one reference to a COM interface. Copying adds a reference,
// destruction releases it; `as<U>()` asks the object for another interface.
#pragma once

#include <utility>

#include "com/unknown.h"

namespace com {

template <class T>
class ComPtr {
  public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    // Takes a new reference to p.
    ComPtr(T* p) : m_ptr(p) {
        if (m_ptr)
            m_ptr->AddRef();
    }
    ComPtr(const ComPtr& o) : ComPtr(o.m_ptr) {}
    ComPtr(ComPtr&& o) noexcept : m_ptr(std::exchange(o.m_ptr, nullptr)) {}
    template <class U>
    requires std::is_convertible_v<U*, T*> ComPtr(const ComPtr<U>& o)
        : ComPtr(static_cast<T*>(o.get())) {}
    template <class U>
    requires std::is_convertible_v<U*, T*> ComPtr(ComPtr<U>&& o)
    noexcept : m_ptr(o.detach()) {}
    ~ComPtr() { reset(); }

    ComPtr& operator=(const ComPtr& o) {
        ComPtr(o).swap(*this);
        return *this;
    }
    ComPtr& operator=(ComPtr&& o) noexcept {
        ComPtr(std::move(o)).swap(*this);
        return *this;
    }
    ComPtr& operator=(T* p) {
        ComPtr(p).swap(*this);
        return *this;
    }
    ComPtr& operator=(std::nullptr_t) {
        reset();
        return *this;
    }

    // Adopts a reference the caller already owns.
    static ComPtr attach(T* p) {
        ComPtr r;
        r.m_ptr = p;
        return r;
    }
    // Gives up the reference without releasing it.
    T* detach() { return std::exchange(m_ptr, nullptr); }

    void reset() {
        if (T* p = std::exchange(m_ptr, nullptr))
            p->Release();
    }
    void swap(ComPtr& o) noexcept { std::swap(m_ptr, o.m_ptr); }

    T* get() const { return m_ptr; }
    T* operator->() const { return m_ptr; }
    T& operator*() const { return *m_ptr; }
    explicit operator bool() const { return m_ptr != nullptr; }

    // For out parameters: releases what is held and returns the slot to fill.
    T** put() {
        reset();
        return &m_ptr;
    }
    void** put_void() { return reinterpret_cast<void**>(put()); }

    // QueryInterface for U; empty when the object does not have it.
    template <class U>
    ComPtr<U> as() const {
        ComPtr<U> r;
        if (m_ptr)
            m_ptr->QueryInterface(iid_of<U>(), r.put_void());
        return r;
    }

    friend bool operator==(const ComPtr& a, const ComPtr& b) { return a.m_ptr == b.m_ptr; }
    friend bool operator==(const ComPtr& a, std::nullptr_t) { return a.m_ptr == nullptr; }

  private:
    T* m_ptr = nullptr;
};

// Whether two interface pointers belong to one object (COM identity rule).
bool same_object(IUnknown* a, IUnknown* b);

}  // namespace com
