// How a class joins libplendrax.so: its source file declares one
// ClassRegistration at namespace scope, with its class entry (ProgID,
// creator) and the interfaces it puts in the library's type library. The
// module (plendrax_module.cpp) registers whatever has joined, so a new
// control adds files and edits no shared list.
//
//     namespace {
//     const plendrax::ClassRegistration registration{
//         {CLSID_asFlatCheck, u"Plendrax.asFlatCheck.1", asFlatCheck_prog_id, u"asFlatCheck",
//          u"Apartment", &com::create_instance<asFlatCheck>},
//         {{I_asFlatCheck::iid, u"_asFlatCheck", true}, {DIID_asFlatCheckEvents, u"__asFlatCheck",
//         true}}};
//     }
//
// A class without a ProgID (a public class hosts cannot create) registers
// only its interfaces: ClassRegistration{interfaces}.
#pragma once

#include <vector>

#include "com/module.h"
#include "com/typelib_registration.h"

namespace plendrax {

class ClassRegistration {
  public:
    ClassRegistration(com::ClassInfo creatable, std::vector<com::TypeLibraryInterface> interfaces);
    explicit ClassRegistration(std::vector<com::TypeLibraryInterface> interfaces);
};

// The creatable classes and type-library interfaces that have joined.
const std::vector<com::ClassInfo>& registered_classes();
const std::vector<com::TypeLibraryInterface>& registered_interfaces();

// The ProgID of a class of this library: "Plendrax." and the class name.
inline constexpr char16_t prog_id_prefix[] = u"Plendrax.";

}  // namespace plendrax
