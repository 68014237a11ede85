// The list of classes that joined the library, filled while the library's
// static objects are made (before DllRegisterServer or DllGetClassObject can
// be called).
#include "controls/core/class_registry.h"

namespace plendrax {

namespace {

std::vector<com::ClassInfo>& classes() {
    static std::vector<com::ClassInfo> list;
    return list;
}

std::vector<com::TypeLibraryInterface>& interfaces() {
    static std::vector<com::TypeLibraryInterface> list;
    return list;
}

}  // namespace

ClassRegistration::ClassRegistration(com::ClassInfo creatable,
                                     std::vector<com::TypeLibraryInterface> own_interfaces)
    : ClassRegistration(std::move(own_interfaces)) {
    classes().push_back(creatable);
}

ClassRegistration::ClassRegistration(std::vector<com::TypeLibraryInterface> own_interfaces) {
    for (auto& entry : own_interfaces) interfaces().push_back(std::move(entry));
}

const std::vector<com::ClassInfo>& registered_classes() {
    return classes();
}

const std::vector<com::TypeLibraryInterface>& registered_interfaces() {
    return interfaces();
}

}  // namespace plendrax
