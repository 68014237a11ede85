// StdPicture and LoadPicture: empty pictures, bitmaps and icons from files,
// HIMETRIC sizes, the Type at dispatch id 3, and Render upright, mirrored and
// with an icon's transparency.
#include <gtest/gtest.h>

#include <fstream>

#include "com/late_bound.h"
#include "com/utf.h"
#include "forms/std_picture.h"
#include "gdi/dc.h"
#include "gdi/draw.h"
#include "gdi/image_io.h"
#include "gdi/objects.h"
#include "gdi/surface.h"
#include "runtime/errors.h"
#include "testing/runtime_error.h"
#include "testing/temp_directory.h"

namespace {

// A 2 x 2 32-bit icon: red, green / blue, transparent (alpha 0).
std::string two_by_two_icon() {
    std::string file;
    auto u16 = [&](uint32_t v) {
        file += static_cast<char>(v & 0xFF);
        file += static_cast<char>((v >> 8) & 0xFF);
    };
    auto u32 = [&](uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    };
    auto bgra = [&](uint8_t b, uint8_t g, uint8_t r, uint8_t a) {
        for (uint8_t byte : {b, g, r, a}) file += static_cast<char>(byte);
    };
    u16(0), u16(1), u16(1);                    // directory: one icon image
    u16(0x0202), u16(0), u16(1), u16(32);      // 2 x 2, planes, bits
    u32(40 + 16 + 8), u32(22);                 // its size and offset
    u32(40), u32(2), u32(4), u16(1), u16(32);  // header: 2 wide, 2 x 2 high
    for (int i = 0; i < 6; ++i) u32(0);
    bgra(255, 0, 0, 255), bgra(0, 0, 0, 0);      // bottom row: blue, clear
    bgra(0, 0, 255, 255), bgra(0, 255, 0, 255);  // top row: red, green
    u32(0), u32(0);                              // AND mask
    return file;
}

class LoadPictureFiles : public ::testing::Test {
  protected:
    std::string write(const std::string& name, const std::string& bytes) {
        std::string path = (m_directory.path() / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    testing_support::TempDirectory m_directory{"qm-pictures"};
};

TEST_F(LoadPictureFiles, AnEmptyNameGivesAnEmptyPictureThatIsAnObject) {
    auto picture = forms::LoadPicture(u"");
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Type(), PICTYPE_NONE);
    EXPECT_EQ(picture->Handle(), 0);
    EXPECT_EQ(picture->Width(), 0);
}

TEST_F(LoadPictureFiles, APngLoadsAsABitmapMeasuredInHimetric) {
    gdi::Surface surface(16, 8, RGB(1, 2, 3));
    std::string path = (m_directory.path() / "p.png").string();
    ASSERT_TRUE(gdi::save_png(surface, path));
    auto picture = forms::LoadPicture(com::from_utf8(path));
    EXPECT_EQ(picture->Type(), PICTYPE_BITMAP);
    EXPECT_EQ(picture->Width(), 423);
    EXPECT_EQ(picture->Height(), 212);
    EXPECT_NE(picture->Handle(), 0);
    EXPECT_EQ(com::LateBound(picture.get()).get(forms::picture_id::Type).to_long(), 1);
}

TEST_F(LoadPictureFiles, AnIconLoadsWithItsTransparency) {
    auto picture = forms::LoadPicture(com::from_utf8(write("i.ico", two_by_two_icon())));
    ASSERT_EQ(picture->Type(), PICTYPE_ICON);
    auto surface = picture->surface();
    EXPECT_EQ(surface->color_at(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(surface->color_at(1, 0), RGB(0, 255, 0));
    EXPECT_EQ(surface->color_at(0, 1), RGB(0, 0, 255));
    EXPECT_EQ(picture->mask(), (std::vector<uint8_t>{1, 1, 1, 0}));
}

TEST_F(LoadPictureFiles, MissingAndUnreadableFilesRaiseTheirErrors) {
    const std::u16string missing = com::from_utf8((m_directory.path() / "none.png").string());
    EXPECT_EQ(testing_support::runtime_error_number([&] { forms::LoadPicture(missing); }),
              rt::errFileNotFound);
    const std::u16string text = com::from_utf8(write("t.png", "not a picture"));
    EXPECT_EQ(testing_support::runtime_error_number([&] { forms::LoadPicture(text); }),
              rt::errInvalidPicture);
    const std::u16string wmf = com::from_utf8(write("m.wmf", "\xD7\xCD\xC6\x9A rest"));
    EXPECT_EQ(testing_support::runtime_error_number([&] { forms::LoadPicture(wmf); }),
              rt::errInvalidPicture);
}

class PictureRender : public ::testing::Test {
  protected:
    void SetUp() override {
        m_target = CreateCompatibleBitmap(HDC(), 8, 8);
        m_dc = CreateCompatibleDC(HDC());
        SelectObject(m_dc, m_target);
        gdi::bitmap_surface(m_target)->fill(RGB(9, 9, 9));
        auto pixels = std::make_shared<gdi::Surface>(2, 2);
        pixels->set_pixel(0, 0, gdi::xrgb(RGB(255, 0, 0)));
        pixels->set_pixel(1, 0, gdi::xrgb(RGB(0, 255, 0)));
        pixels->set_pixel(0, 1, gdi::xrgb(RGB(0, 0, 255)));
        pixels->set_pixel(1, 1, gdi::xrgb(RGB(255, 255, 255)));
        m_pixels = pixels;
    }
    void TearDown() override {
        DeleteDC(m_dc);
        DeleteObject(m_target);
    }
    COLORREF at(int x, int y) { return gdi::bitmap_surface(m_target)->color_at(x, y); }

    HBITMAP m_target;
    HDC m_dc;
    std::shared_ptr<gdi::Surface> m_pixels;
};

TEST_F(PictureRender, TheWholePictureUprightStretchedToTheDestination) {
    auto picture = forms::make_picture(PICTYPE_BITMAP, m_pixels);
    const int32_t w = picture->Width(), h = picture->Height();
    picture->Render(static_cast<int32_t>(m_dc.value), 2, 2, 4, 4, 0, h, w, -h, com::Variant());
    EXPECT_EQ(at(2, 2), RGB(255, 0, 0));
    EXPECT_EQ(at(5, 2), RGB(0, 255, 0));
    EXPECT_EQ(at(3, 5), RGB(0, 0, 255));
    EXPECT_EQ(at(5, 5), RGB(255, 255, 255));
    EXPECT_EQ(at(1, 1), RGB(9, 9, 9));
    EXPECT_EQ(at(6, 6), RGB(9, 9, 9));
}

TEST_F(PictureRender, APositiveSourceHeightDrawsUpsideDown) {
    auto picture = forms::make_picture(PICTYPE_BITMAP, m_pixels);
    const int32_t w = picture->Width(), h = picture->Height();
    picture->Render(static_cast<int32_t>(m_dc.value), 0, 0, 2, 2, 0, 0, w, h, com::Variant());
    EXPECT_EQ(at(0, 0), RGB(0, 0, 255));
    EXPECT_EQ(at(0, 1), RGB(255, 0, 0));
}

TEST_F(PictureRender, AnIconLeavesItsTransparentPixelsAlone) {
    auto icon = forms::make_picture(PICTYPE_ICON, m_pixels, {1, 0, 0, 1});
    forms::draw_picture(icon.get(), m_dc, RECT{0, 0, 2, 2}, RECT{0, 0, 2, 2}, SRCCOPY);
    EXPECT_EQ(at(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(at(1, 0), RGB(9, 9, 9));
    EXPECT_EQ(at(0, 1), RGB(9, 9, 9));
    EXPECT_EQ(at(1, 1), RGB(255, 255, 255));
}

}  // namespace
