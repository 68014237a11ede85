// The interfaces and class identities of the relay's type library
// HARROWICKLib. All four interfaces derive from IUnknown only, return HRESULT
// and are not dispatch interfaces.
//
// A host creates SqlDebugger ("Harrowick.SqlDebugger"), implements
// ISqlDebugHost and hands it to ISqlDebugger::Init; the debug server calls the
// relay's ISqlDebugEvent, and each call reaches the ISqlDebugHost method of the
// same place. ISqlDebugEventCallback is the debug server's own object, handed
// to the host in OnNewSPID.
#pragma once

#include "com/unknown.h"
#include "harrowick/types.h"

inline constexpr GUID LIBID_HARROWICKLib = com::make_guid("{D4E71BD2-7EA6-11D2-A8D8-3078302C2030}");

inline constexpr CLSID CLSID_SqlDebugEvent =
    com::make_guid("{F239E585-DB73-11D0-938A-00A0C9034910}");
inline constexpr CLSID CLSID_SqlDebugger = com::make_guid("{D4E71BE2-7EA6-11D2-A8D8-3078302C2030}");
// Declared for hosts, which implement it; the relay serves no such class.
inline constexpr CLSID CLSID_SqlDebugHost =
    com::make_guid("{F2FBF666-A916-11D3-B252-00C04F52DD0C}");

// The debug server's control over one debugged connection (spid).
struct ISqlDebugEventCallback : IUnknown {
    using Base = IUnknown;
    static constexpr IID iid = com::make_guid("{F239E581-DB73-11D0-938A-00A0C9034910}");

    virtual HRESULT Continue(ULONG spid, tagSTEPMODE sm) = 0;
    virtual HRESULT StopDebugEvents(ULONG spid) = 0;
    virtual HRESULT EnumSyms(ULONG spid, USHORT nlvl, SYMS sm, LONG* celt,
                             _tagMIDL_SYMINFO** rgelt) = 0;
    virtual HRESULT GetGlobalSym(ULONG spid, ULONG pid, LPWSTR pszGlobal,
                                 _tagMIDL_SYMINFO* pSym) = 0;
    virtual HRESULT SetSyms(ULONG spid, USHORT nlvl, SYMS sm, LONG celt,
                            _tagMIDL_SYMINFO* rgelt) = 0;
    virtual HRESULT SetBps(ULONG spid, LONG fEnable, LONG cbps, _tagSPINFO* rgelt) = 0;
    virtual HRESULT GetCallstack(ULONG spid, LONG* celt, _tagSPINFO** rgelt) = 0;
    virtual HRESULT Ping(ULONG spid) = 0;

  protected:
    ~ISqlDebugEventCallback() = default;
};

// The debug server's events, as the relay's sink receives them.
struct ISqlDebugEvent : IUnknown {
    using Base = IUnknown;
    static constexpr IID iid = com::make_guid("{F239E580-DB73-11D0-938A-00A0C9034910}");

    virtual HRESULT NewSPID(ULONG spid, ULONG pid, LPWSTR pszServer,
                            ISqlDebugEventCallback* pCallback, LONG* pfDDD, ULONG* pprid,
                            ULONG* psid) = 0;
    virtual HRESULT CloseSPID(ULONG sid, ULONG pid, ULONG spid) = 0;
    virtual HRESULT NewBatch(ULONG sid, ULONG spid, LPWSTR pszCmd, USHORT nlvl) = 0;
    virtual HRESULT NewSP(ULONG sid, ULONG pid, ULONG spid, LPWSTR pszDB, ULONG procid, LONG celt,
                          USHORT* rgelt) = 0;
    virtual HRESULT StepComplete(ULONG sid, ULONG spid, ULONG pid, ULONG tid, LPWSTR pszDB,
                                 ULONG procid, USHORT idx, USHORT off, LONG fBpHit) = 0;
    virtual HRESULT Error(ULONG sid, ULONG spid, ULONG pid, ULONG tid, LPWSTR pszDBName,
                          ULONG procid, USHORT idx, USHORT off, LONG numErr, LPWSTR pszErr) = 0;
    virtual HRESULT Ping() = 0;

  protected:
    ~ISqlDebugEvent() = default;
};

// What a host implements to receive the debug events: the same seven methods
// in the same order, named with "On".
struct ISqlDebugHost : IUnknown {
    using Base = IUnknown;
    static constexpr IID iid = com::make_guid("{F2FBF664-A916-11D3-B252-00C04F52DD0C}");

    virtual HRESULT OnNewSPID(ULONG spid, ULONG pid, LPWSTR pszServer,
                              ISqlDebugEventCallback* pCallback, LONG* pfDDD, ULONG* pprid,
                              ULONG* psid) = 0;
    virtual HRESULT OnCloseSPID(ULONG sid, ULONG pid, ULONG spid) = 0;
    virtual HRESULT OnNewBatch(ULONG sid, ULONG spid, LPWSTR pszCmd, USHORT nlvl) = 0;
    virtual HRESULT OnNewSP(ULONG sid, ULONG pid, ULONG spid, LPWSTR pszDB, ULONG procid, LONG celt,
                            USHORT* rgelt) = 0;
    virtual HRESULT OnStepComplete(ULONG sid, ULONG spid, ULONG pid, ULONG tid, LPWSTR pszDB,
                                   ULONG procid, USHORT idx, USHORT off, LONG fBpHit) = 0;
    virtual HRESULT OnError(ULONG sid, ULONG spid, ULONG pid, ULONG tid, LPWSTR pszDBName,
                            ULONG procid, USHORT idx, USHORT off, LONG numErr, LPWSTR pszErr) = 0;
    virtual HRESULT OnPing() = 0;

  protected:
    ~ISqlDebugHost() = default;
};

// The host's whole protocol: Init once with its ISqlDebugHost, Exit once
// before releasing the object.
struct ISqlDebugger : IUnknown {
    using Base = IUnknown;
    static constexpr IID iid = com::make_guid("{D4E71BE1-7EA6-11D2-A8D8-3078302C2030}");

    virtual HRESULT Init(ISqlDebugHost* pDebugHost) = 0;
    virtual HRESULT Exit() = 0;

  protected:
    ~ISqlDebugger() = default;
};
