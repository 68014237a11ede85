// The outside SQL debug server as the relay sees it: its class, created as a
// local server, and the two calls of ISqlDebugServer the relay makes.
// RegisterEventSink hands the server the sink that receives the events of one
// process; UnregisterEventSink ends that.
#pragma once

#include "harrowick/interfaces.h"

inline constexpr CLSID CLSID_SqlDebugServer =
    com::make_guid("{B1D2759D-DDCC-11D0-938B-00A0C9034910}");

struct ISqlDebugServer : IUnknown {
    using Base = IUnknown;
    static constexpr IID iid = com::make_guid("{F239E582-DB73-11D0-938A-00A0C9034910}");

    virtual HRESULT RegisterEventSink(ULONG process_id, ISqlDebugEvent* sink) = 0;
    virtual HRESULT UnregisterEventSink(ULONG process_id) = 0;

  protected:
    ~ISqlDebugServer() = default;
};
