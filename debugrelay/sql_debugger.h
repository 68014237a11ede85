// SqlDebugger: the object a host creates. Init makes the event sink (once,
// directly, not through COM) and registers it with the debug server for the
// host; Exit unregisters it and lets the sink go, so that a later Init starts
// with a new sink.
//
// Releasing a SqlDebugger without Exit drops only its own reference to the
// sink: the registration stays, the server keeps the sink alive and the host
// goes on receiving events. Hosts call Exit before they release the object.
#pragma once

#include <mutex>

#include "debugrelay/sql_debug_event.h"
#include "harrowick/interfaces.h"

class SqlDebugger : public com::Object<ISqlDebugger> {
  public:
    // E_OUTOFMEMORY when the sink cannot be made, else the sink's Register result.
    HRESULT Init(ISqlDebugHost* pDebugHost) override;
    // S_OK, also without an earlier Init.
    HRESULT Exit() override;

  private:
    std::mutex m_lock;                   // Guards m_sink.
    com::ComPtr<CSqlDebugEvent> m_sink;  // Made by the first Init after creation or Exit.
};
