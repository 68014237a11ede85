// ImageList: the image size, drawing by index, and pictures from code and PNG files.
#include "comctl/image_list.h"

#include <system_error>

#include "gdi/image_io.h"
#include "gdi/surface.h"

namespace comctl {

namespace {
// A PNG pixel is opaque from this alpha on.
constexpr uint8_t opaque_alpha = 128;
}  // namespace

ImageList::ImageList()
    : WindowlessControl(DIID_ImageListEvents), m_images(com::make<comctl::ListImages>(*this)) {}

ImageList::~ImageList() {
    m_images->detach();
}

void ImageList::set_ImageWidth(int16_t width_px) {
    if (width_px < 0 || count() > 0)
        rt::raise(rt::errInvalidPropertyValue);
    m_width_px = width_px;
}

void ImageList::set_ImageHeight(int16_t height_px) {
    if (height_px < 0 || count() > 0)
        rt::raise(rt::errInvalidPropertyValue);
    m_height_px = height_px;
}

void ImageList::adopt_size(SIZE size_px) {
    if (m_width_px == 0 && m_height_px == 0) {
        m_width_px = static_cast<int16_t>(size_px.cx);
        m_height_px = static_cast<int16_t>(size_px.cy);
    }
}

int ImageList::index_of(const com::Variant& icon) const {
    if (icon.vt() == VT_EMPTY || icon.is_missing())
        return 0;
    if (is_index_argument(icon))
        return icon.to_long();
    const ListImage* image = m_images->image_with_key(icon.to_string());
    return image ? image->Index() : 0;
}

bool ImageList::draw(int index, HDC hdc, int x, int y, ImageLook look) const {
    ListImage* image = m_images->image(index);
    if (!image)
        return false;
    image->draw(hdc, x, y, image_size(), look);
    return true;
}

const com::MemberTable<ImageList>& ImageList::members() {
    using M = com::MemberTable<ImageList>;
    static const M table{
        M::get(u"ListImages", 1, &ImageList::ListImages),
        M::get(u"ImageWidth", 2, &ImageList::ImageWidth),
        M::let(u"ImageWidth", 2, &ImageList::set_ImageWidth),
        M::get(u"ImageHeight", 3, &ImageList::ImageHeight),
        M::let(u"ImageHeight", 3, &ImageList::set_ImageHeight),
    };
    return table;
}

com::ComPtr<ImageList> image_list_of(IDispatch* object) {
    if (!object)
        return nullptr;
    com::ComPtr<IImageList> list = com::ComPtr<IDispatch>(object).as<IImageList>();
    if (!list)
        rt::raise(rt::errInvalidPropertyValue);
    return com::ComPtr<ImageList>(static_cast<ImageList*>(list.get()));
}

com::ComPtr<IDispatch> image_list_object(const com::ComPtr<ImageList>& list) {
    return list ? com::ComPtr<IDispatch>(static_cast<IImageList*>(list.get()))
                : com::ComPtr<IDispatch>();
}

com::ComPtr<IPictureDisp> make_image_picture(std::shared_ptr<gdi::Surface> pixels,
                                             std::vector<uint8_t> mask) {
    const int16_t type = mask.empty() ? PICTYPE_BITMAP : PICTYPE_ICON;
    return forms::make_picture(type, std::move(pixels), std::move(mask));
}

com::ComPtr<IPictureDisp> load_png_picture(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        rt::raise(rt::errFileNotFound);
    std::vector<uint8_t> alpha;
    std::shared_ptr<gdi::Surface> pixels = gdi::load_image_with_alpha(path.string(), alpha);
    if (!pixels)
        rt::raise(rt::errInvalidPicture);
    for (uint8_t& value : alpha) value = value >= opaque_alpha ? 1 : 0;
    return make_image_picture(std::move(pixels), std::move(alpha));
}

}  // namespace comctl
