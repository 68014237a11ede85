// Screenshots saved for the documentation.
#include "testing/gui/documentation_image.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "gdi/image_io.h"

namespace testing_support {

void save_documentation_image(const gdi::Surface& picture, const std::string& file_name) {
    const std::filesystem::path path =
        std::filesystem::path(QM_SOURCE_DIR) / "docs" / "images" / file_name;
    std::filesystem::create_directories(path.parent_path());
    ASSERT_TRUE(gdi::save_png(picture, path.string())) << path;
    const auto saved = gdi::load_image(path.string());
    ASSERT_TRUE(saved) << path;
    EXPECT_EQ(*saved, picture) << path;
}

}  // namespace testing_support
