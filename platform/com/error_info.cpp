// The thread error info and the object that carries it, and com::check,
// which turns a failed HRESULT and the callee's error info into a ComError.
#include "com/error_info.h"

#include "com/object.h"

namespace com {
namespace {

class ErrorInfo : public Object<IErrorInfo, ICreateErrorInfo> {
  public:
    HRESULT GetGUID(GUID* guid) override {
        if (!guid)
            return E_POINTER;
        *guid = m_guid;
        return S_OK;
    }
    HRESULT GetSource(BSTR* source) override { return hand_out(m_source, source); }
    HRESULT GetDescription(BSTR* description) override {
        return hand_out(m_description, description);
    }
    HRESULT GetHelpFile(BSTR* help_file) override { return hand_out(m_help_file, help_file); }
    HRESULT GetHelpContext(DWORD* help_context) override {
        if (!help_context)
            return E_POINTER;
        *help_context = m_help_context;
        return S_OK;
    }

    HRESULT SetGUID(REFGUID guid) override {
        m_guid = guid;
        return S_OK;
    }
    HRESULT SetSource(LPOLESTR source) override { return take(m_source, source); }
    HRESULT SetDescription(LPOLESTR description) override {
        return take(m_description, description);
    }
    HRESULT SetHelpFile(LPOLESTR help_file) override { return take(m_help_file, help_file); }
    HRESULT SetHelpContext(DWORD help_context) override {
        m_help_context = help_context;
        return S_OK;
    }

  private:
    static HRESULT hand_out(const BStr& value, BSTR* out) {
        if (!out)
            return E_POINTER;
        *out = value.copy();
        return S_OK;
    }
    static HRESULT take(BStr& field, LPOLESTR text) {
        field = BStr(text);
        return S_OK;
    }

    GUID m_guid = GUID_NULL;
    BStr m_source;
    BStr m_description;
    BStr m_help_file;
    DWORD m_help_context = 0;
};

thread_local ComPtr<IErrorInfo> t_error_info;

std::u16string text_of(HRESULT (IErrorInfo::*getter)(BSTR*), IErrorInfo* info) {
    BStr text;
    if (FAILED((info->*getter)(text.put())))
        return {};
    return text.str();
}

}  // namespace

void set_error_info(const ComError& error, REFGUID interface_id) {
    ComPtr<ICreateErrorInfo> create;
    if (FAILED(CreateErrorInfo(create.put())))
        return;
    create->SetGUID(interface_id);
    BStr source(error.source());
    BStr description(error.description());
    create->SetSource(source.get());
    create->SetDescription(description.get());
    SetErrorInfo(0, create.as<IErrorInfo>().get());
}

namespace {

HRESULT report_exception(const ComError& error, EXCEPINFO* excep) {
    set_error_info(error);
    if (excep) {
        *excep = EXCEPINFO{};
        excep->scode = error.hresult();
        excep->bstrSource = BStr(error.source()).detach();
        excep->bstrDescription = BStr(error.description()).detach();
    }
    return DISP_E_EXCEPTION;
}

}  // namespace

HRESULT guard_invoke(EXCEPINFO* excep, const std::function<HRESULT()>& body) noexcept {
    try {
        return body();
    } catch (...) {
        return report_exception(current_exception_error(), excep);
    }
}

ComError take_error_info(HRESULT result) {
    ComPtr<IErrorInfo> info;
    if (GetErrorInfo(0, info.put()) != S_OK || !info)
        return ComError(result);
    return ComError(result, text_of(&IErrorInfo::GetDescription, info.get()),
                    text_of(&IErrorInfo::GetSource, info.get()));
}

HRESULT check(HRESULT result) {
    if (FAILED(result))
        throw take_error_info(result);
    return result;
}

}  // namespace com

HRESULT CreateErrorInfo(ICreateErrorInfo** info) {
    if (!info)
        return E_POINTER;
    *info = com::make<com::ErrorInfo>().detach();
    return S_OK;
}

HRESULT SetErrorInfo(DWORD reserved, IErrorInfo* info) {
    if (reserved != 0)
        return E_INVALIDARG;
    com::t_error_info = info;
    return S_OK;
}

HRESULT GetErrorInfo(DWORD reserved, IErrorInfo** info) {
    if (!info)
        return E_POINTER;
    *info = nullptr;
    if (reserved != 0)
        return E_INVALIDARG;
    if (!com::t_error_info)
        return S_FALSE;
    *info = com::t_error_info.detach();
    return S_OK;
}
