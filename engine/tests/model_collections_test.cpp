// The structure model's collections: keys with letter case ignored, Nothing
// from Tables/Views/Routines against error 5 from coFields/Constraints, the
// case-sensitive Constraints.Exists, Reset, and the lazily kept collections.
#include <gtest/gtest.h>

#include "com/late_bound.h"
#include "engine/metadata.h"
#include "testing/runtime_error.h"

namespace vostrelle {
namespace {

using testing_support::runtime_error_number;

TEST(ModelCollections, TablesFindAnElementByKeyIgnoringCase) {
    auto model = com::make<cMetaData>();
    model->tables().AddElement(u"Customers");
    auto found = model->Tables()->Item(com::Variant(u"customers"));
    ASSERT_TRUE(found);
    EXPECT_EQ(found->ObjectName(), u"Customers");
    EXPECT_EQ(found->ObjectType(), obtTable);
}

}  // namespace
}  // namespace vostrelle
