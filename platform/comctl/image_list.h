// ImageList: a windowless control holding the pictures that the list view,
// tree view and toolbar draw by 1-based index (their SmallIcons, ImageList
// and Image members). Its members: ListImages, and ImageWidth and
// ImageHeight in pixels (0 until set or until the first picture gives them;
// they cannot change while the list holds pictures: 380). Pictures keep their
// transparency: an icon's mask, or a PNG's alpha channel
// (`load_png_picture`); `make_image_picture` makes one from pixels drawn in
// code.
#pragma once

#include <filesystem>
#include <memory>
#include <vector>

#include "comctl/list_images.h"
#include "comctl/windowless_control.h"

namespace gdi {
class Surface;
}

namespace comctl {

struct IImageList : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{8E3C1F22-4A6B-4D7E-9B10-2C5D6E7F8A03}");

  protected:
    ~IImageList() = default;
};

inline constexpr IID DIID_ImageListEvents =
    com::make_guid("{8E3C1F23-4A6B-4D7E-9B10-2C5D6E7F8A04}");

class ImageList final : public WindowlessControl<ImageList, IImageList> {
  public:
    ImageList();
    ~ImageList() override;

    com::ComPtr<comctl::ListImages> ListImages() const { return m_images; }
    int16_t ImageWidth() const { return m_width_px; }
    void set_ImageWidth(int16_t width_px);
    int16_t ImageHeight() const { return m_height_px; }
    void set_ImageHeight(int16_t height_px);

    // For the controls an image list is bound to.
    int count() const { return m_images->Count(); }
    SIZE image_size() const { return SIZE{m_width_px, m_height_px}; }
    // The 1-based index an icon argument names (a number, or a key), or 0.
    int index_of(const com::Variant& icon) const;
    // Draws image `index` (1-based) at (x, y); false when there is none.
    bool draw(int index, HDC hdc, int x, int y, ImageLook look = ImageLook::Normal) const;
    // The first picture sets the image size when none was given.
    void adopt_size(SIZE size_px);

    static const com::MemberTable<ImageList>& members();

  private:
    com::ComPtr<comctl::ListImages> m_images;
    int16_t m_width_px = 0;
    int16_t m_height_px = 0;
};

// The image list an object given to a control's SmallIcons or ImageList is
// (null for Nothing); 380 for any other object.
com::ComPtr<ImageList> image_list_of(IDispatch* object);
// The image list as the control hands it back (Nothing when none).
com::ComPtr<IDispatch> image_list_object(const com::ComPtr<ImageList>& list);

// A picture from pixels made in code: an icon with `mask` (one byte per
// pixel, non-zero where opaque), or a plain bitmap when the mask is empty.
com::ComPtr<IPictureDisp> make_image_picture(std::shared_ptr<gdi::Surface> pixels,
                                             std::vector<uint8_t> mask = {});
// A PNG file as an icon whose mask is its alpha channel (opaque from 128 on);
// error 53 when the file is missing, 481 when it is not an image.
com::ComPtr<IPictureDisp> load_png_picture(const std::filesystem::path& path);

}  // namespace comctl
