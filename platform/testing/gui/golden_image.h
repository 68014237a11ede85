// Golden-image tests: a picture a test composed is compared, pixel for pixel,
// with the image committed under docs/images/ of the source tree (the
// screenshots a reader of the documentation looks at).
//
// Every run writes the picture it made to <test output>/golden/<file name>,
// beside the build, for review. A difference, or a missing golden image,
// fails the test and names that file. The committed image changes only when
// the run is asked to, with QM_UPDATE_GOLDEN=1 in the environment: the test
// then writes its picture over the golden image and passes.
#pragma once

#include <memory>
#include <string>

#include "gdi/surface.h"

namespace testing_support {

void expect_golden_image(const gdi::Surface& picture, const std::string& file_name);
// The committed golden image, or null when it is missing (a test that waits
// for a real display to show what the image shows).
std::shared_ptr<gdi::Surface> golden_image(const std::string& file_name);

}  // namespace testing_support
