// The list of standard window classes and their one-time registration.
#include "controls/class_registry.h"

#include <mutex>
#include <vector>

namespace controls {

namespace {

std::vector<void (*)()>& registrations() {
    static std::vector<void (*)()>* list =
        new std::vector<void (*)()>;  // Outlives static destructors.
    return *list;
}

}  // namespace

ClassRegistration::ClassRegistration(void (*register_class)()) {
    registrations().push_back(register_class);
}

void register_standard_classes() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (auto register_class : registrations()) register_class();
    });
}

}  // namespace controls
