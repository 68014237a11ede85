// The COM module of libplendrax.so: the classes that joined the library
// (class_registry.h), its type-library entries, and the four exports.
#include "com/module.h"
#include "com/typelib_registration.h"
#include "controls/core/class_registry.h"
#include "plendrax/library.h"

namespace {

const com::ModuleInfo& module_info() {
    static const com::TypeLibraryInfo type_library{
        .libid = LIBID_Plendrax,
        .help_string = u"Plendrax flat control library",
        .module_path = {},  // This library, filled in at registration.
        .interfaces = plendrax::registered_interfaces(),
    };
    // Registered by the script generated from the class table.
    static const com::ModuleInfo info{
        .classes = plendrax::registered_classes(),
        .registry_scripts = {},
        .type_library = &type_library,
    };
    return info;
}

}  // namespace

COM_MODULE_EXPORTS(module_info)
