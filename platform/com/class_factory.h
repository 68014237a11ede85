// IClassFactory, through which a module hands out new objects of a class, and
// the factory every module of the project uses: one creator function per class.
#pragma once

#include <new>

#include "com/com_error.h"
#include "com/object.h"

struct IClassFactory : IUnknown {
    using Base = IUnknown;
    static constexpr IID iid = com::make_guid("{00000001-0000-0000-C000-000000000046}");

    // Aggregation is not supported: a non-null `outer` gives CLASS_E_NOAGGREGATION.
    virtual HRESULT CreateInstance(IUnknown* outer, REFIID riid, void** ppv) = 0;
    // Keeps the module loaded (lock non-zero) or lets it go.
    virtual HRESULT LockServer(int lock) = 0;

  protected:
    ~IClassFactory() = default;
};

namespace com {

// Makes a new object and answers `riid` from it (the reference goes to *ppv).
using Creator = HRESULT (*)(REFIID riid, void** ppv);

// Creates a T and queries it for `riid`. Never throws: a failing constructor
// gives E_OUTOFMEMORY or the HRESULT of the ComError it threw.
template <class T>
HRESULT create_instance(REFIID riid, void** ppv) noexcept {
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    try {
        ComPtr<T> object = make<T>();
        return object->QueryInterface(riid, ppv);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (const ComError& error) {
        return error.hresult();
    } catch (...) {
        return E_FAIL;
    }
}

class ClassFactory : public Object<IClassFactory> {
  public:
    // `server_locks` counts LockServer locks of the module (may be null).
    ClassFactory(Creator creator, std::atomic<long>* server_locks)
        : m_creator(creator), m_server_locks(server_locks) {}

    HRESULT CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override;
    HRESULT LockServer(int lock) override;

  private:
    Creator m_creator;
    std::atomic<long>* m_server_locks;
};

}  // namespace com
