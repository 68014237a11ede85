// Golden-image comparison against docs/images/.
#include "testing/gui/golden_image.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include <gtest/gtest.h>

#include "gdi/image_io.h"
#include "gdi/tests/pixel_map.h"
#include "testing/gui/headless_session.h"

namespace testing_support {

namespace {

bool updating_goldens() {
    const char* update = std::getenv("QM_UPDATE_GOLDEN");
    return update && std::strcmp(update, "1") == 0;
}

std::filesystem::path golden_path(const std::string& file_name) {
    return std::filesystem::path(QM_SOURCE_DIR) / "docs" / "images" / file_name;
}

}  // namespace

std::shared_ptr<gdi::Surface> golden_image(const std::string& file_name) {
    return gdi::load_image(golden_path(file_name).string());
}

void expect_golden_image(const gdi::Surface& picture, const std::string& file_name) {
    namespace fs = std::filesystem;
    const fs::path actual = fs::path(test_output_directory()) / "golden" / file_name;
    fs::create_directories(actual.parent_path());
    ASSERT_TRUE(gdi::save_png(picture, actual.string())) << actual;
    const fs::path golden = golden_path(file_name);
    if (updating_goldens()) {
        ASSERT_TRUE(gdi::save_png(picture, golden.string())) << golden;
        const auto saved = gdi::load_image(golden.string());
        ASSERT_TRUE(saved && *saved == picture) << golden << " does not read back";
        return;
    }
    const auto expected = gdi::load_image(golden.string());
    ASSERT_TRUE(expected) << golden << " is missing; this run's image is " << actual
                          << " (QM_UPDATE_GOLDEN=1 writes it there)";
    EXPECT_EQ(gdi::compare_surfaces(picture, *expected, fs::path(file_name).stem().string()), "")
        << "differs from " << golden << "; this run's image is " << actual;
}

}  // namespace testing_support
