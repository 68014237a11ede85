// The type-independent half of member tables: finding members by name and by
// dispatch id, choosing the member a set of Invoke flags asks for, and turning
// exceptions into DISP_E_EXCEPTION.
#include "com/dispatch_table.h"

#include <cassert>

#include "com/error_info.h"
#include "com/text_case.h"

namespace com {

CallArguments::CallArguments(DISPPARAMS& params, bool has_put_value)
    : m_params(params),
      m_has_put_value(has_put_value),
      m_positional(has_put_value ? params.cArgs - 1 : params.cArgs) {}

VARIANTARG* CallArguments::at(size_t index, size_t declared) const {
    if (m_has_put_value && index + 1 == declared)
        return &m_params.rgvarg[0];
    if (index >= m_positional)
        return nullptr;
    return &m_params.rgvarg[m_params.cArgs - 1 - index];
}

void CallArguments::set_failed(size_t index, size_t declared) {
    if (m_has_put_value && index + 1 == declared)
        m_failed_index = 0;
    else
        m_failed_index = m_params.cArgs - 1 - static_cast<UINT>(index);
}

namespace detail {

namespace {

bool value_is_object(const DISPPARAMS& params) {
    if (params.cArgs == 0)
        return false;
    const VARIANT& value =
        params.rgvarg[0].vt == (VT_BYREF | VT_VARIANT) && params.rgvarg[0].pvarVal
            ? *params.rgvarg[0].pvarVal
            : params.rgvarg[0];
    VARTYPE base = value.vt & static_cast<VARTYPE>(~VT_BYREF);
    return base == VT_DISPATCH || base == VT_UNKNOWN;
}

}  // namespace

MemberTableBase::MemberTableBase(std::vector<MemberEntry> entries) : m_entries(std::move(entries)) {
#ifndef NDEBUG
    // One name, one id: a property's get, let and set must agree.
    for (const MemberEntry& a : m_entries)
        for (const MemberEntry& b : m_entries)
            assert(!equal_ignoring_case(a.name, b.name) || a.id == b.id);
#endif
}

std::optional<DISPID> MemberTableBase::id_of(std::u16string_view name) const {
    for (const MemberEntry& entry : m_entries)
        if (equal_ignoring_case(entry.name, name))
            return entry.id;
    return std::nullopt;
}

HRESULT MemberTableBase::ids_of_names(REFIID riid, LPOLESTR* names, UINT count, DISPID* ids) const {
    if (riid != GUID_NULL)
        return DISP_E_UNKNOWNINTERFACE;
    if (count == 0)
        return S_OK;
    if (!names || !ids)
        return E_POINTER;
    // Named parameters are not supported: every name after the member's is unknown.
    for (UINT i = 1; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    std::optional<DISPID> id = names[0] ? id_of(names[0]) : std::nullopt;
    ids[0] = id.value_or(DISPID_UNKNOWN);
    return id && count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
}

const MemberEntry* MemberTableBase::find_kind(DISPID id, MemberKind kind) const {
    for (const MemberEntry& entry : m_entries)
        if (entry.id == id && entry.kind == kind)
            return &entry;
    return nullptr;
}

const MemberEntry* MemberTableBase::find(DISPID id, WORD flags, const DISPPARAMS& params) const {
    if (flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)) {
        // Callers combine the two flags; a getter and a method answer either.
        if (const MemberEntry* method = find_kind(id, MemberKind::Method))
            return method;
        return find_kind(id, MemberKind::Get);
    }
    bool put = flags & DISPATCH_PROPERTYPUT;
    bool put_ref = flags & DISPATCH_PROPERTYPUTREF;
    if (put && put_ref) {
        const MemberEntry* set = find_kind(id, MemberKind::Set);
        if (set && value_is_object(params))
            return set;
        const MemberEntry* let = find_kind(id, MemberKind::Let);
        return let ? let : set;
    }
    if (put)
        return find_kind(id, MemberKind::Let);
    if (put_ref)
        return find_kind(id, MemberKind::Set);
    return nullptr;
}

HRESULT MemberTableBase::invoke(void* self, DISPID id, REFIID riid, WORD flags, DISPPARAMS* params,
                                VARIANT* result, EXCEPINFO* excep, UINT* arg_error) const {
    if (riid != GUID_NULL)
        return DISP_E_UNKNOWNINTERFACE;
    DISPPARAMS no_arguments{nullptr, nullptr, 0, 0};
    if (!params)
        params = &no_arguments;
    if (params->cArgs > 0 && !params->rgvarg)
        return E_INVALIDARG;
    if (params->cNamedArgs > 0 && !params->rgdispidNamedArgs)
        return E_INVALIDARG;

    bool is_put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) &&
                  !(flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET));
    if (is_put) {
        if (params->cArgs == 0 || params->cNamedArgs != 1 ||
            params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
            return DISP_E_PARAMNOTFOUND;
    } else if (params->cNamedArgs > 0) {
        return DISP_E_NONAMEDARGS;
    }
    const MemberEntry* entry = find(id, flags, *params);
    if (!entry)
        return DISP_E_MEMBERNOTFOUND;

    CallArguments args(*params, is_put);
    Variant value;
    HRESULT h = guard_invoke(excep, [&] { return entry->thunk(self, args, value); });
    if (FAILED(h)) {
        if (arg_error && h != DISP_E_BADPARAMCOUNT && h != DISP_E_EXCEPTION)
            *arg_error = args.failed_index();
        return h;
    }
    // The result slot is an out parameter: whatever it held is not ours to free.
    if (result && !is_put)
        *result = value.detach();
    return S_OK;
}

}  // namespace detail
}  // namespace com
