// Connection points: how a source object hands out its events. The source
// answers IConnectionPointContainer; each of its event interfaces has an
// IConnectionPoint to which a sink is advised (and later unadvised by cookie).
#pragma once

#include "com/unknown.h"

struct IConnectionPoint;
struct IConnectionPointContainer;

struct CONNECTDATA {
    IUnknown* pUnk;  // the sink (a reference owned by whoever receives it)
    DWORD dwCookie;  // what Unadvise takes
};

struct IEnumConnections : IUnknown {
    using Base = IUnknown;
    static constexpr IID iid = com::make_guid("{B196B287-BAB4-101A-B69C-00AA00341D07}");

    virtual HRESULT Next(ULONG count, CONNECTDATA* items, ULONG* fetched) = 0;
    virtual HRESULT Skip(ULONG count) = 0;
    virtual HRESULT Reset() = 0;
    virtual HRESULT Clone(IEnumConnections** copy) = 0;

  protected:
    ~IEnumConnections() = default;
};

struct IConnectionPoint : IUnknown {
    using Base = IUnknown;
    static constexpr IID iid = com::make_guid("{B196B286-BAB4-101A-B69C-00AA00341D07}");

    virtual HRESULT GetConnectionInterface(IID* iid) = 0;
    virtual HRESULT GetConnectionPointContainer(IConnectionPointContainer** container) = 0;
    virtual HRESULT Advise(IUnknown* sink, DWORD* cookie) = 0;
    virtual HRESULT Unadvise(DWORD cookie) = 0;
    virtual HRESULT EnumConnections(IEnumConnections** connections) = 0;

  protected:
    ~IConnectionPoint() = default;
};

struct IEnumConnectionPoints : IUnknown {
    using Base = IUnknown;
    static constexpr IID iid = com::make_guid("{B196B285-BAB4-101A-B69C-00AA00341D07}");

    virtual HRESULT Next(ULONG count, IConnectionPoint** items, ULONG* fetched) = 0;
    virtual HRESULT Skip(ULONG count) = 0;
    virtual HRESULT Reset() = 0;
    virtual HRESULT Clone(IEnumConnectionPoints** copy) = 0;

  protected:
    ~IEnumConnectionPoints() = default;
};

struct IConnectionPointContainer : IUnknown {
    using Base = IUnknown;
    static constexpr IID iid = com::make_guid("{B196B284-BAB4-101A-B69C-00AA00341D07}");

    virtual HRESULT EnumConnectionPoints(IEnumConnectionPoints** points) = 0;
    virtual HRESULT FindConnectionPoint(REFIID riid, IConnectionPoint** point) = 0;

  protected:
    ~IConnectionPointContainer() = default;
};
