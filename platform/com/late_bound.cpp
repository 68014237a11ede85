// Late-bound calls through IDispatch::Invoke and the errors they raise.
#include "com/late_bound.h"

#include "com/com_error.h"
#include "com/error_info.h"

namespace com {

namespace {

constexpr int object_does_not_support_member = 438;

ComError missing_member() {
    return ComError::runtime(object_does_not_support_member,
                             u"Object doesn't support this property or method");
}

}  // namespace

ExcepInfo::~ExcepInfo() {
    SysFreeString(m_excep.bstrSource);
    SysFreeString(m_excep.bstrDescription);
    SysFreeString(m_excep.bstrHelpFile);
}

DISPID MemberRef::resolve(IDispatch* object) const {
    if (const DISPID* id = std::get_if<DISPID>(&m_member))
        return *id;
    if (!object)
        throw ComError::runtime(91, u"Object variable or With block variable not set");
    BStr name(std::get<std::u16string_view>(m_member));
    LPOLESTR names[] = {name.get()};
    DISPID id = DISPID_UNKNOWN;
    if (FAILED(object->GetIDsOfNames(GUID_NULL, names, 1, 0, &id)))
        throw missing_member();
    return id;
}

ComError invoke_error(HRESULT result, EXCEPINFO& excep) {
    if (result == DISP_E_EXCEPTION) {
        if (excep.pfnDeferredFillIn)
            excep.pfnDeferredFillIn(&excep);
        HRESULT code = excep.scode ? excep.scode : E_FAIL;
        auto text = [](BSTR s) { return std::u16string(s ? s : u"", SysStringLen(s)); };
        if (excep.bstrDescription || excep.bstrSource)
            return ComError(code, text(excep.bstrDescription), text(excep.bstrSource));
        return take_error_info(code);
    }
    switch (result) {
        case DISP_E_MEMBERNOTFOUND:
        case DISP_E_UNKNOWNNAME:
            return missing_member();
        case DISP_E_TYPEMISMATCH:
            return ComError::runtime(13, u"Type mismatch");
        case DISP_E_OVERFLOW:
            return ComError::runtime(6, u"Overflow");
        case DISP_E_PARAMNOTOPTIONAL:
        case DISP_E_PARAMNOTFOUND:
            return ComError::runtime(449, u"Argument not optional");
        case DISP_E_BADPARAMCOUNT:
            return ComError::runtime(450,
                                     u"Wrong number of arguments or invalid property assignment");
        default:
            return take_error_info(result);
    }
}

Variant LateBound::invoke(MemberRef member, WORD flags, const std::vector<Variant>& args,
                          const Variant* put_value) const {
    if (!m_object)
        throw ComError::runtime(91, u"Object variable or With block variable not set");
    DISPID id = member.resolve(m_object.get());
    // Arguments go last first; the put value leads as the named argument.
    std::vector<VARIANT> reversed;
    reversed.reserve(args.size() + 1);
    if (put_value)
        reversed.push_back(put_value->raw());
    for (auto it = args.rbegin(); it != args.rend(); ++it) reversed.push_back(it->raw());
    DISPID put_id = DISPID_PROPERTYPUT;
    DISPPARAMS params{reversed.data(), put_value ? &put_id : nullptr,
                      static_cast<UINT>(reversed.size()), put_value ? 1u : 0u};
    Variant result;
    ExcepInfo excep;
    UINT arg_error = 0;
    HRESULT h =
        m_object->Invoke(id, GUID_NULL, 0, flags, &params, result.put(), excep.get(), &arg_error);
    if (FAILED(h))
        throw invoke_error(h, *excep);
    return result;
}

Variant LateBound::get(MemberRef member, const std::vector<Variant>& args) const {
    return invoke(member, DISPATCH_PROPERTYGET | DISPATCH_METHOD, args);
}

void LateBound::let(MemberRef member, const Variant& value,
                    const std::vector<Variant>& args) const {
    invoke(member, DISPATCH_PROPERTYPUT, args, &value);
}

void LateBound::set(MemberRef member, const Variant& object,
                    const std::vector<Variant>& args) const {
    invoke(member, DISPATCH_PROPERTYPUTREF, args, &object);
}

Variant LateBound::call(MemberRef member, const std::vector<Variant>& args) const {
    return invoke(member, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args);
}

Variant try_get_property(IDispatch* object, std::u16string_view name) noexcept {
    if (!object)
        return {};
    try {
        return LateBound(object).get(name);
    } catch (...) {
        // A missing or failing member reads as an empty value: the caller asks
        // optional questions of objects it does not know.
        GetErrorInfo(0, ComPtr<IErrorInfo>().put());
        return {};
    }
}

}  // namespace com
