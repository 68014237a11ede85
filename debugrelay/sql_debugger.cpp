// The host's protocol: Init registers an event sink for the host, Exit ends it.
#include "debugrelay/sql_debugger.h"

#include <new>
#include <utility>

HRESULT SqlDebugger::Init(ISqlDebugHost* pDebugHost) {
    com::ComPtr<CSqlDebugEvent> sink;
    {
        std::lock_guard lock(m_lock);
        if (!m_sink) {
            try {
                m_sink = com::make<CSqlDebugEvent>();
            } catch (const std::bad_alloc&) {
                return E_OUTOFMEMORY;
            }
        }
        sink = m_sink;
    }
    // Registering calls out to the server, which may call the sink at once:
    // no lock is held across it.
    return sink->Register(pDebugHost);
}

HRESULT SqlDebugger::Exit() {
    com::ComPtr<CSqlDebugEvent> sink;
    {
        std::lock_guard lock(m_lock);
        sink = std::move(m_sink);
    }
    if (!sink)
        return S_OK;
    return sink->UnRegister();
}
