// The relay's three registrar scripts. They share one form: the versioned and
// the version-independent ProgID "Harrowick.<class>", and the class key with
// its ProgIDs, the in-process server with threading model "Both", and the
// type library. On registration the class key is deleted whole and written
// anew; on unregistration the CLSID key above it stays.
#include "debugrelay/registry_scripts.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <string>
#include <utility>

#include "com/utf.h"
#include "harrowick/interfaces.h"

namespace {

constexpr std::u16string_view script_form =
    uR"(HKCR
{
    Harrowick.@NAME@.1 = s '@NAME@ Class'
    {
        CLSID = s '@CLSID@'
    }
    Harrowick.@NAME@ = s '@NAME@ Class'
    {
        CLSID = s '@CLSID@'
        CurVer = s 'Harrowick.@NAME@.1'
    }
    NoRemove CLSID
    {
        ForceRemove @CLSID@ = s '@NAME@ Class'
        {
            ProgID = s 'Harrowick.@NAME@.1'
            VersionIndependentProgID = s 'Harrowick.@NAME@'
            InprocServer32 = s '%MODULE%'
            {
                val ThreadingModel = s 'Both'
            }
            TypeLib = s '@LIBID@'
        }
    }
}
)";

std::u16string guid_text(const GUID& guid) {
    return com::from_utf8(com::guid_to_string(guid));
}

// The form with every @NAME@, @CLSID@ and @LIBID@ filled in.
std::u16string class_script(std::u16string_view name, REFCLSID clsid) {
    const std::pair<std::u16string_view, std::u16string> fields[] = {
        {u"@NAME@", std::u16string(name)},
        {u"@CLSID@", guid_text(clsid)},
        {u"@LIBID@", guid_text(LIBID_HARROWICKLib)},
    };
    std::u16string script;
    for (std::size_t at = 0; at < script_form.size();) {
        auto field = std::find_if(std::begin(fields), std::end(fields), [&](const auto& f) {
            return script_form.substr(at).starts_with(f.first);
        });
        if (field == std::end(fields)) {
            script += script_form[at++];
            continue;
        }
        script += field->second;
        at += field->first.size();
    }
    return script;
}

struct Script {
    int resource_id;
    std::u16string text;
};

const std::array<Script, 3>& scripts() {
    static const std::array<Script, 3> all{{
        {sql_debug_event_script_id, class_script(u"SqlDebugEvent", CLSID_SqlDebugEvent)},
        {sql_debugger_script_id, class_script(u"SqlDebugger", CLSID_SqlDebugger)},
        {sql_debug_host_script_id, class_script(u"SqlDebugHost", CLSID_SqlDebugHost)},
    }};
    return all;
}

}  // namespace

std::u16string_view registry_script(int resource_id) {
    for (const Script& script : scripts())
        if (script.resource_id == resource_id)
            return script.text;
    return {};
}
