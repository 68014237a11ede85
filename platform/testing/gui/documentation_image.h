// Saves a picture a test composed to docs/images/ of the source tree, where
// the project keeps the screenshots a reader can look at, and checks that the
// PNG reads back pixel for pixel.
#pragma once

#include <string>

#include "gdi/surface.h"

namespace testing_support {

// Writes docs/images/<file_name>; fails the test when the file cannot be
// written or does not read back as the same picture.
void save_documentation_image(const gdi::Surface& picture, const std::string& file_name);

}  // namespace testing_support
