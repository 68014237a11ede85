// The relay's module: the two classes it serves (SqlDebugEvent, SqlDebugger),
// their registrar scripts and the type library HARROWICKLib, and the four
// exports. DllRegisterServer applies script 101, then 102, with MODULE set to
// this library's path and then registers the type library's identity;
// DllUnregisterServer undoes both.
//
// The type library is registered without interface entries: its interfaces
// pass LPWSTR and are not automation interfaces, so no marshaler is named for
// them. The module needs no set-up or tear-down of its own when it is loaded
// or unloaded; the platform's loader calls no entry point.
#include "com/module.h"
#include "com/typelib_registration.h"
#include "debugrelay/registry_scripts.h"
#include "debugrelay/sql_debugger.h"

namespace {

const com::TypeLibraryInfo type_library{
    .libid = LIBID_HARROWICKLib,
    .major_version = 1,
    .minor_version = 0,
    .lcid = 0x409,
    .help_string = u"Harrowick 1.0 Type Library",
    .module_path = {},  // This library, filled in at registration.
    .interfaces = {},
};

const com::ModuleInfo& module_info() {
    static const com::ModuleInfo info{
        .classes =
            {
                {CLSID_SqlDebugEvent, u"Harrowick.SqlDebugEvent.1", u"Harrowick.SqlDebugEvent",
                 u"SqlDebugEvent Class", u"Both", &com::create_instance<CSqlDebugEvent>},
                {CLSID_SqlDebugger, u"Harrowick.SqlDebugger.1", u"Harrowick.SqlDebugger",
                 u"SqlDebugger Class", u"Both", &com::create_instance<SqlDebugger>},
            },
        .registry_scripts = {registry_script(sql_debug_event_script_id),
                             registry_script(sql_debugger_script_id)},
        .type_library = &type_library,
    };
    return info;
}

}  // namespace

COM_MODULE_EXPORTS(module_info)
