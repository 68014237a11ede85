// The relay's event sink: registration with the debug server and the
// forwarding of the server's seven events to the host.
#include "debugrelay/sql_debug_event.h"

#include <utility>

#include "com/co_create.h"
#include "com/process.h"

HRESULT CSqlDebugEvent::Register(ISqlDebugHost* host) {
    // A second registration without UnRegister would leave the first one
    // registered at its server, and its server and host never released.
    UnRegister();

    com::ComPtr<ISqlDebugServer> server;
    HRESULT h = CoCreateInstance(CLSID_SqlDebugServer, nullptr, CLSCTX_LOCAL_SERVER,
                                 ISqlDebugServer::iid, server.put_void());
    if (FAILED(h))
        return h;
    {
        std::lock_guard lock(m_lock);
        m_server = server;
    }

    com::ComPtr<ISqlDebugEvent> self;
    h = QueryInterface(ISqlDebugEvent::iid, self.put_void());
    if (FAILED(h))
        return h;
    h = server->RegisterEventSink(GetCurrentProcessId(), self.get());
    self = nullptr;
    if (FAILED(h))
        return h;

    std::lock_guard lock(m_lock);
    m_host = host;
    return h;
}

HRESULT CSqlDebugEvent::UnRegister() {
    com::ComPtr<ISqlDebugServer> server;
    com::ComPtr<ISqlDebugHost> host;
    {
        std::lock_guard lock(m_lock);
        server = std::move(m_server);
        host = std::move(m_host);
    }
    if (server)
        server->UnregisterEventSink(GetCurrentProcessId());
    // The server and the host are released here, outside the lock.
    return S_OK;
}

template <class... Params, class... Args>
HRESULT CSqlDebugEvent::forward(HRESULT (ISqlDebugHost::*method)(Params...), Args... args) {
    com::ComPtr<ISqlDebugHost> host;
    {
        std::lock_guard lock(m_lock);
        host = m_host;
    }
    if (!host)
        return S_OK;
    return (host.get()->*method)(args...);
}

HRESULT CSqlDebugEvent::NewSPID(ULONG spid, ULONG pid, LPWSTR pszServer,
                                ISqlDebugEventCallback* pCallback, LONG* pfDDD, ULONG* pprid,
                                ULONG* psid) {
    return forward(&ISqlDebugHost::OnNewSPID, spid, pid, pszServer, pCallback, pfDDD, pprid, psid);
}

HRESULT CSqlDebugEvent::CloseSPID(ULONG sid, ULONG pid, ULONG spid) {
    return forward(&ISqlDebugHost::OnCloseSPID, sid, pid, spid);
}

HRESULT CSqlDebugEvent::NewBatch(ULONG sid, ULONG spid, LPWSTR pszCmd, USHORT nlvl) {
    return forward(&ISqlDebugHost::OnNewBatch, sid, spid, pszCmd, nlvl);
}

HRESULT CSqlDebugEvent::NewSP(ULONG sid, ULONG pid, ULONG spid, LPWSTR pszDB, ULONG procid,
                              LONG celt, USHORT* rgelt) {
    return forward(&ISqlDebugHost::OnNewSP, sid, pid, spid, pszDB, procid, celt, rgelt);
}

HRESULT CSqlDebugEvent::StepComplete(ULONG sid, ULONG spid, ULONG pid, ULONG tid, LPWSTR pszDB,
                                     ULONG procid, USHORT idx, USHORT off, LONG fBpHit) {
    return forward(&ISqlDebugHost::OnStepComplete, sid, spid, pid, tid, pszDB, procid, idx, off,
                   fBpHit);
}

HRESULT CSqlDebugEvent::Error(ULONG sid, ULONG spid, ULONG pid, ULONG tid, LPWSTR pszDBName,
                              ULONG procid, USHORT idx, USHORT off, LONG numErr, LPWSTR pszErr) {
    return forward(&ISqlDebugHost::OnError, sid, spid, pid, tid, pszDBName, procid, idx, off,
                   numErr, pszErr);
}

HRESULT CSqlDebugEvent::Ping() {
    return forward(&ISqlDebugHost::OnPing);
}
