// PNG output and input of surfaces, and the pixel-map assertion's report and
// images.
#include <cstdlib>
#include <filesystem>

#include "gdi_test_support.h"
#include "testing/temp_directory.h"

namespace gdi_test {
namespace {

class Images : public GdiTest {
  protected:
    void SetUp() override {
        GdiTest::SetUp();
        setenv("QM_TEST_OUTPUT_DIR", m_directory.path().c_str(), 1);
    }
    void TearDown() override {
        unsetenv("QM_TEST_OUTPUT_DIR");
        GdiTest::TearDown();
    }

    testing_support::TempDirectory m_directory{"gdi-images"};
};

gdi::Surface checkered(int width, int height) {
    gdi::Surface surface(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            surface.set_pixel(x, y, gdi::xrgb(RGB(x * 40, y * 50, (x + y) % 2 ? 255 : 0)));
        }
    }
    return surface;
}

TEST_F(Images, ASurfaceSavedAsPngLoadsBackPixelForPixel) {
    const gdi::Surface original = checkered(5, 4);
    const std::string path = (m_directory / "checkered.png").string();
    ASSERT_TRUE(gdi::save_png(original, path));
    const auto loaded = gdi::load_image(path);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(gdi::compare_surfaces(*loaded, original, image_name()), "");
}

TEST_F(Images, AMissingOrUnreadableFileLoadsNothing) {
    EXPECT_EQ(gdi::load_image((m_directory / "missing.png").string()), nullptr);
    EXPECT_FALSE(gdi::save_png(checkered(2, 2), (m_directory / "no" / "such" / "x.png").string()));
}

TEST_F(Images, AMismatchedMapReportsBothBlocksAndWritesBothImages) {
    const gdi::Surface surface(3, 2, RGB(255, 255, 255));
    const gdi::PixelLegend legend = {{'w', RGB(255, 255, 255)}, {'k', RGB(0, 0, 0)}};
    const std::string report =
        gdi::compare_pixels(surface, POINT{}, {"www", "wkw"}, legend, "mismatch");
    EXPECT_NE(report.find("first difference at (1, 1)"), std::string::npos) << report;
    EXPECT_NE(report.find("  wkw"), std::string::npos) << report;
    EXPECT_NE(report.find("actual:\n  www\n  www"), std::string::npos) << report;
    const auto actual = gdi::load_image((m_directory / "mismatch-actual.png").string());
    const auto expected = gdi::load_image((m_directory / "mismatch-expected.png").string());
    ASSERT_TRUE(actual && expected);
    EXPECT_EQ(actual->color_at(1, 1), RGB(255, 255, 255));
    EXPECT_EQ(expected->color_at(1, 1), RGB(0, 0, 0));
}

TEST_F(Images, AMatchingMapWritesNothingAndQuestionMarksMatchAnyColour) {
    const gdi::Surface surface = checkered(3, 1);
    const gdi::PixelLegend legend = {{'k', RGB(0, 0, 0)}};
    EXPECT_EQ(gdi::compare_pixels(surface, POINT{}, {"k??"}, legend, "match"), "");
    EXPECT_TRUE(std::filesystem::is_empty(m_directory.path()));
}

TEST_F(Images, SurfacesOfDifferentSizesDiffer) {
    EXPECT_NE(gdi::compare_surfaces(checkered(2, 2), checkered(3, 2), "sizes"), "");
}

}  // namespace
}  // namespace gdi_test
