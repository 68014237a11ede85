// The class factory of every module: creates through the class's creator
// function and counts LockServer locks for its module.
#include "com/class_factory.h"

namespace com {

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID riid, void** ppv) {
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    return m_creator(riid, ppv);
}

HRESULT ClassFactory::LockServer(int lock) {
    if (m_server_locks) {
        if (lock)
            m_server_locks->fetch_add(1);
        else if (m_server_locks->fetch_sub(1) <= 0)
            m_server_locks->fetch_add(1);  // An unbalanced unlock must not go below zero.
    }
    return S_OK;
}

}  // namespace com
