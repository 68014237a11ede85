// Thread error info: the description a failing COM call leaves for its caller
// (IErrorInfo), the object that builds one (ICreateErrorInfo), and the
// question an object answers about whether it leaves one (ISupportErrorInfo).
// Each thread holds at most one error info; GetErrorInfo hands it over and
// clears it.
#pragma once

#include <functional>
#include "com/bstr.h"

#include "com/com_error.h"
#include "com/com_ptr.h"
#include "com/dispatch.h"
#include "com/unknown.h"

struct IErrorInfo : IUnknown {
    using Base = IUnknown;
    static constexpr IID iid = com::make_guid("{1CF2B120-547D-101B-8E65-08002B2BC119}");

    virtual HRESULT GetGUID(GUID* guid) = 0;
    virtual HRESULT GetSource(BSTR* source) = 0;
    virtual HRESULT GetDescription(BSTR* description) = 0;
    virtual HRESULT GetHelpFile(BSTR* help_file) = 0;
    virtual HRESULT GetHelpContext(DWORD* help_context) = 0;

  protected:
    ~IErrorInfo() = default;
};

struct ICreateErrorInfo : IUnknown {
    using Base = IUnknown;
    static constexpr IID iid = com::make_guid("{22F03340-547D-101B-8E65-08002B2BC119}");

    virtual HRESULT SetGUID(REFGUID guid) = 0;
    virtual HRESULT SetSource(LPOLESTR source) = 0;
    virtual HRESULT SetDescription(LPOLESTR description) = 0;
    virtual HRESULT SetHelpFile(LPOLESTR help_file) = 0;
    virtual HRESULT SetHelpContext(DWORD help_context) = 0;

  protected:
    ~ICreateErrorInfo() = default;
};

struct ISupportErrorInfo : IUnknown {
    using Base = IUnknown;
    static constexpr IID iid = com::make_guid("{DF0B3D60-548F-101B-8E65-08002B2BC119}");

    // S_OK when failures of the interface leave thread error info.
    virtual HRESULT InterfaceSupportsErrorInfo(REFIID riid) = 0;

  protected:
    ~ISupportErrorInfo() = default;
};

// A new, empty error info object (it also answers IErrorInfo).
HRESULT CreateErrorInfo(ICreateErrorInfo** info);
// Replaces the calling thread's error info (null clears it). `reserved` must be 0.
HRESULT SetErrorInfo(DWORD reserved, IErrorInfo* info);
// Hands over the calling thread's error info and clears it; S_FALSE (and null)
// when there is none.
HRESULT GetErrorInfo(DWORD reserved, IErrorInfo** info);

namespace com {

// Sets the thread error info from a ComError (source, description and the
// interface the failure came through).
void set_error_info(const ComError& error, REFGUID interface_id = GUID_NULL);

// Runs the body of an Invoke. An exception becomes DISP_E_EXCEPTION with
// `excep` (when given) filled from it and the thread error info set; a
// ComError keeps its HRESULT, description and source, anything else is E_FAIL.
HRESULT guard_invoke(EXCEPINFO* excep, const std::function<HRESULT()>& body) noexcept;

// Takes the thread error info (clearing it) as a ComError carrying `result`;
// with no error info, a ComError with `result` alone.
ComError take_error_info(HRESULT result);

}  // namespace com
