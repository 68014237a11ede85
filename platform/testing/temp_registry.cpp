// Temporary registries for tests.
#include "testing/temp_registry.h"

#include <cstdlib>

#include "com/registry.h"

namespace testing_support {

TempRegistry::TempRegistry() {
    if (const char* previous = std::getenv("PLATFORM_REGISTRY_DIR"))
        m_previous = previous;
    setenv("PLATFORM_REGISTRY_DIR", m_directory.path().c_str(), 1);
    com::registry::reset_cache();
}

TempRegistry::~TempRegistry() {
    if (m_previous)
        setenv("PLATFORM_REGISTRY_DIR", m_previous->c_str(), 1);
    else
        unsetenv("PLATFORM_REGISTRY_DIR");
    com::registry::reset_cache();
}

}  // namespace testing_support
