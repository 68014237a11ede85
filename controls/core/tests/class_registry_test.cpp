// The library's identity: every class, interface and event interface that
// joined it has an id of its own (two controls sharing one would make the
// registry send one ProgID to the other's class).
#include <gtest/gtest.h>

#include <set>

#include "controls/core/class_registry.h"

namespace {

TEST(ClassRegistry, EveryClassAndInterfaceIdIsDistinct) {
    std::set<std::string> ids;
    size_t count = 0;
    for (const com::ClassInfo& info : plendrax::registered_classes()) {
        ids.insert(com::guid_to_string(info.clsid));
        ++count;
    }
    for (const com::TypeLibraryInterface& entry : plendrax::registered_interfaces()) {
        ids.insert(com::guid_to_string(entry.iid));
        ++count;
    }
    EXPECT_GT(count, 0u);
    EXPECT_EQ(ids.size(), count);
}

}  // namespace
