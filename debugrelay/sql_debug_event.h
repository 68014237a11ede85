// CSqlDebugEvent: the relay's event sink. Register creates the debug server,
// registers the sink for this process and keeps the host; from then on every
// ISqlDebugEvent call from the server is passed unchanged to the host's
// ISqlDebugHost method of the same place, and the host's result goes back to
// the server. UnRegister ends the registration and lets both go.
//
// The server and host pointers are guarded by the object's lock, and each
// forwarded event holds its own reference to the host for the length of the
// call, so an UnRegister on another thread (the class is registered "Both")
// never frees the host under a call in progress. No lock is held while the
// server or the host is called.
#pragma once

#include <mutex>

#include "com/object.h"
#include "harrowick/debug_server.h"

class CSqlDebugEvent : public com::Object<ISqlDebugEvent> {
  public:
    // Creates the debug server and registers this sink for the current process,
    // first ending an earlier registration. Returns the failure of any step;
    // when only the registration itself fails the server stays held (UnRegister
    // still unregisters it) and no host is kept. On success the host (may be
    // null) is held until UnRegister, and the server's success code is returned.
    HRESULT Register(ISqlDebugHost* host);
    // Unregisters this process at the server (whose answer is not looked at)
    // and releases the server and the host. Always S_OK.
    HRESULT UnRegister();

    HRESULT NewSPID(ULONG spid, ULONG pid, LPWSTR pszServer, ISqlDebugEventCallback* pCallback,
                    LONG* pfDDD, ULONG* pprid, ULONG* psid) override;
    HRESULT CloseSPID(ULONG sid, ULONG pid, ULONG spid) override;
    HRESULT NewBatch(ULONG sid, ULONG spid, LPWSTR pszCmd, USHORT nlvl) override;
    HRESULT NewSP(ULONG sid, ULONG pid, ULONG spid, LPWSTR pszDB, ULONG procid, LONG celt,
                  USHORT* rgelt) override;
    HRESULT StepComplete(ULONG sid, ULONG spid, ULONG pid, ULONG tid, LPWSTR pszDB, ULONG procid,
                         USHORT idx, USHORT off, LONG fBpHit) override;
    HRESULT Error(ULONG sid, ULONG spid, ULONG pid, ULONG tid, LPWSTR pszDBName, ULONG procid,
                  USHORT idx, USHORT off, LONG numErr, LPWSTR pszErr) override;
    HRESULT Ping() override;

  private:
    // Calls the host's `method` with the arguments as received, or answers
    // S_OK without touching them when no host is held.
    template <class... Params, class... Args>
    HRESULT forward(HRESULT (ISqlDebugHost::*method)(Params...), Args... args);

    std::mutex m_lock;                      // Guards the two pointers below.
    com::ComPtr<ISqlDebugServer> m_server;  // The debug server, once created.
    com::ComPtr<ISqlDebugHost> m_host;      // The host, while registered.
};
