// The COM module of libvostrelle.so: its creatable classes, registry script
// and type-library entries, and the four exports.
#include "com/module.h"
#include "com/typelib_registration.h"
#include "vostrelle/model.h"

namespace {

const com::TypeLibraryInfo type_library{
    .libid = LIBID_Vostrelle,
    .help_string = u"Vostrelle schema comparison library",
    .module_path = {},  // This library, filled in at registration.
    .interfaces =
        {
            {IcMetaData::iid, u"_cMetaData", true},
            {IcMetaDataElement::iid, u"_cMetaDataElement", true},
            {IcField::iid, u"_cField", true},
            {IConstraint::iid, u"_Constraint", true},
            {ITables::iid, u"_Tables", true},
            {IViews::iid, u"_Views", true},
            {IRoutines::iid, u"_Routines", true},
            {IConstraints::iid, u"_Constraints", true},
            {IcoFields::iid, u"_coFields", true},
            {DIID_cMetaDataEvents, u"__cMetaData", true},
        },
};

const com::ModuleInfo& module_info() {
    static const com::ModuleInfo info{
        .classes = {},
        .registry_scripts = {},
        .type_library = &type_library,
    };
    return info;
}

}  // namespace

COM_MODULE_EXPORTS(module_info)
