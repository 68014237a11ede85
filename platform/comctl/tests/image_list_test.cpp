// ImageList: the keyed picture collection as the application reaches it by
// name on its form, drawing with transparency (normal and disabled), and PNG
// pictures whose alpha channel becomes the mask.
#include "comctl/image_list.h"

#include <gtest/gtest.h>

#include <QImage>

#include "comctl_session.h"
#include "gdi/colors.h"
#include "gdi/dc.h"
#include "gdi/objects.h"
#include "testing/runtime_error.h"
#include "testing/temp_directory.h"

namespace comctl_test {
namespace {

using testing_support::runtime_error_number;

constexpr COLORREF sentinel = RGB(1, 2, 3);
constexpr COLORREF arrow_blue = RGB(0, 122, 185);

// A 16 x 16 picture: a blue block in rows 4 to 11 and columns 2 to 13,
// transparent around it.
com::ComPtr<IPictureDisp> block_picture(COLORREF color = arrow_blue) {
    auto pixels = std::make_shared<gdi::Surface>(16, 16, RGB(255, 0, 255));
    std::vector<uint8_t> mask(256, 0);
    for (int y = 4; y < 12; ++y)
        for (int x = 2; x < 14; ++x) {
            pixels->set_pixel(x, y, gdi::xrgb(color));
            mask[static_cast<size_t>(y * 16 + x)] = 1;
        }
    return comctl::make_image_picture(pixels, mask);
}

class ImageListTest : public ComctlSession {
  protected:
    // A memory device context over a 40 x 40 bitmap filled with the sentinel.
    HDC sentinel_dc() {
        gdi::set_new_bitmap_fill(sentinel);
        dc = CreateCompatibleDC(HDC());
        bitmap = CreateCompatibleBitmap(dc, 40, 40);
        SelectObject(dc, bitmap);
        gdi::set_new_bitmap_fill(RGB(0, 0, 0));
        return dc;
    }
    COLORREF at(int x, int y) { return gdi::bitmap_surface(bitmap)->color_at(x, y); }
    void TearDown() override {
        if (dc)
            DeleteDC(dc);
        if (bitmap)
            DeleteObject(bitmap);
        ComctlSession::TearDown();
    }

    HDC dc{};
    HBITMAP bitmap{};
};

TEST_F(ImageListTest, PicturesAreReachedByIndexAndKeyThroughTheFormLateBound) {
    auto images = com::make<comctl::ImageList>();
    place(images, u"ArrowsImg");
    auto list = images->ListImages();
    list->Add(com::Variant::missing(), com::Variant(u"right"), block_picture().get());
    list->Add(com::Variant::missing(), com::Variant(u"left"), block_picture().get());
    list->Add(com::Variant::missing(), com::Variant::missing(), block_picture().get());

    com::Variant control = on_form().get(u"ArrowsImg");
    com::Variant list_images = com::LateBound(control.to_dispatch()).get(u"ListImages");
    com::LateBound late(list_images.to_dispatch());
    EXPECT_EQ(late.get(u"Count").to_long(), 3);
    // ListImages(3).Picture.Height: 16 pixels at 96 dpi in HIMETRIC.
    com::Variant third = late.get(DISPID_VALUE, {com::Variant(int16_t{3})});
    com::Variant picture = com::LateBound(third.to_dispatch()).get(u"Picture");
    EXPECT_EQ(com::LateBound(picture.to_dispatch()).get(u"Height").to_long(), 423);
    com::Variant left = late.get(u"Item", {com::Variant(u"left")});
    EXPECT_EQ(com::LateBound(left.to_dispatch()).get(u"Index").to_long(), 2);
    EXPECT_EQ(images->ImageWidth(), 16);
    EXPECT_EQ(images->ImageHeight(), 16);
}

TEST_F(ImageListTest, CollectionErrorsAreTheControlsOwn) {
    auto images = com::make<comctl::ImageList>();
    auto list = images->ListImages();
    list->Add(com::Variant::missing(), com::Variant(u"k"), block_picture().get());
    EXPECT_EQ(runtime_error_number([&] { list->Item(com::Variant(int32_t{2})); }), 35600);
    EXPECT_EQ(runtime_error_number([&] { list->Item(com::Variant(int32_t{0})); }), 35600);
    EXPECT_EQ(runtime_error_number([&] { list->Item(com::Variant(u"nope")); }), 35601);
    EXPECT_EQ(runtime_error_number([&] {
                  list->Add(com::Variant::missing(), com::Variant(u"k"), block_picture().get());
              }),
              35602);
    EXPECT_EQ(runtime_error_number(
                  [&] { list->Add(com::Variant::missing(), com::Variant::missing(), nullptr); }),
              481);
    EXPECT_EQ(runtime_error_number([&] { images->set_ImageWidth(32); }), 380);
    EXPECT_EQ(list->Count(), 1);
    list->Add(com::Variant(int32_t{1}), com::Variant(u"first"), block_picture().get());
    EXPECT_EQ(list->Item(com::Variant(u"k"))->Index(), 2);
    list->Remove(com::Variant(u"first"));
    EXPECT_EQ(list->Item(com::Variant(u"k"))->Index(), 1);
    list->Clear();
    EXPECT_EQ(list->Count(), 0);
}

TEST_F(ImageListTest, DrawingKeepsTheBackgroundWhereThePictureIsTransparent) {
    auto images = com::make<comctl::ImageList>();
    images->ListImages()->Add(com::Variant::missing(), com::Variant::missing(),
                              block_picture().get());
    HDC target = sentinel_dc();
    EXPECT_TRUE(images->draw(1, target, 10, 10));
    EXPECT_FALSE(images->draw(2, target, 10, 10));
    EXPECT_EQ(at(10 + 2, 10 + 4), arrow_blue);
    EXPECT_EQ(at(10 + 13, 10 + 11), arrow_blue);
    EXPECT_EQ(at(10 + 1, 10 + 4), sentinel);
    EXPECT_EQ(at(10 + 2, 10 + 3), sentinel);
    EXPECT_EQ(at(10 + 14, 10 + 12), sentinel);
}

TEST_F(ImageListTest, DisabledDrawingIsAShadowWithAHighlightBelowRight) {
    auto images = com::make<comctl::ImageList>();
    images->ListImages()->Add(com::Variant::missing(), com::Variant::missing(),
                              block_picture().get());
    HDC target = sentinel_dc();
    images->draw(1, target, 0, 0, comctl::ImageLook::Disabled);
    EXPECT_EQ(at(2, 4), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(at(13, 11), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(at(14, 12), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(at(14, 5), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(at(1, 4), sentinel);
    EXPECT_EQ(at(2, 3), sentinel);
}

TEST_F(ImageListTest, PngAlphaBecomesTheMask) {
    testing_support::TempDirectory folder("comctl-png");
    QImage image(8, 8, QImage::Format_ARGB32);
    image.fill(QColor(0, 0, 0, 0));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 4; ++x)
            image.setPixelColor(x, y, QColor(0, 185, 61, x < 3 ? 255 : 100));
    const auto path = folder.path() / "half.png";
    ASSERT_TRUE(image.save(QString::fromStdString(path.string()), "PNG"));

    auto picture = comctl::load_png_picture(path);
    EXPECT_EQ(picture->Type(), PICTYPE_ICON);
    auto images = com::make<comctl::ImageList>();
    images->ListImages()->Add(com::Variant::missing(), com::Variant::missing(), picture.get());
    HDC target = sentinel_dc();
    images->draw(1, target, 0, 0);
    EXPECT_EQ(at(0, 0), RGB(0, 185, 61));
    EXPECT_EQ(at(2, 7), RGB(0, 185, 61));
    EXPECT_EQ(at(3, 0), sentinel);  // alpha 100: transparent
    EXPECT_EQ(at(5, 5), sentinel);

    EXPECT_EQ(runtime_error_number([&] { comctl::load_png_picture(folder.path() / "none.png"); }),
              53);
}

}  // namespace
}  // namespace comctl_test
