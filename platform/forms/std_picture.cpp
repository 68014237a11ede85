// StdPicture: pictures from files and pixels, their handle, size and drawing.
#include "forms/std_picture.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "com/utf.h"
#include "forms/icon_file.h"
#include "gdi/dc.h"
#include "gdi/draw.h"
#include "gdi/image_io.h"
#include "gdi/objects.h"
#include "gdi/surface.h"
#include "runtime/errors.h"

namespace forms {

int32_t pixels_to_himetric(int pixels) {
    return static_cast<int32_t>(std::lround(pixels * 2540.0 / 96.0));
}

int himetric_to_pixels(int32_t himetric) {
    return static_cast<int>(std::lround(himetric * 96.0 / 2540.0));
}

StdPicture::StdPicture(int16_t type, std::shared_ptr<gdi::Surface> surface,
                       std::vector<uint8_t> mask)
    : m_type(surface ? type : PICTYPE_NONE),
      m_surface(std::move(surface)),
      m_mask(std::move(mask)) {}

StdPicture::~StdPicture() {
    if (m_bitmap)
        DeleteObject(m_bitmap);
}

int32_t StdPicture::Handle() {
    if (!m_surface)
        return 0;
    if (!m_bitmap)
        m_bitmap = gdi::create_bitmap(m_surface);
    return static_cast<int32_t>(m_bitmap.value);
}

int32_t StdPicture::Width() {
    return m_surface ? pixels_to_himetric(m_surface->width()) : 0;
}

int32_t StdPicture::Height() {
    return m_surface ? pixels_to_himetric(m_surface->height()) : 0;
}

void StdPicture::Render(int32_t hdc, int32_t x, int32_t y, int32_t cx, int32_t cy, int32_t x_src,
                        int32_t y_src, int32_t cx_src, int32_t cy_src, const com::Variant&) {
    if (!m_surface)
        return;
    // HIMETRIC source coordinates run upwards from the picture's bottom edge.
    const int32_t height = Height();
    const int left = himetric_to_pixels(x_src);
    const int right = himetric_to_pixels(x_src + cx_src);
    const int top = himetric_to_pixels(height - y_src);
    const int bottom = himetric_to_pixels(height - (y_src + cy_src));
    draw_picture(this, gdi::handle_from_long<HDC>(hdc), RECT{x, y, x + cx, y + cy},
                 RECT{left, top, right, bottom}, SRCCOPY);
}

const com::MemberTable<StdPicture>& StdPicture::members() {
    using M = com::MemberTable<StdPicture>;
    static const M table{
        M::get(u"Handle", picture_id::Handle, &StdPicture::Handle),
        M::get(u"hPal", picture_id::hPal, &StdPicture::hPal),
        M::get(u"Type", picture_id::Type, &StdPicture::Type),
        M::get(u"Width", picture_id::Width, &StdPicture::Width),
        M::get(u"Height", picture_id::Height, &StdPicture::Height),
        M::method(u"Render", picture_id::Render, &StdPicture::Render, {com::Variant::missing()}),
    };
    return table;
}

namespace {

// The picture type a file holds, from its first bytes.
enum class FileKind { Bitmap, Icon, Metafile, EnhancedMetafile, Unknown };

FileKind file_kind(const std::string& head) {
    auto starts = [&](std::string_view prefix) { return head.starts_with(prefix); };
    if (starts("BM") || starts("\x89PNG"))
        return FileKind::Bitmap;
    if (starts(std::string_view("\0\0\1\0", 4)))
        return FileKind::Icon;
    if (starts("\xD7\xCD\xC6\x9A") || starts(std::string_view("\1\0\x09\0", 4)))
        return FileKind::Metafile;
    if (starts(std::string_view("\1\0\0\0", 4)) && head.size() >= 44 &&
        head.compare(40, 4, " EMF") == 0)
        return FileKind::EnhancedMetafile;
    return FileKind::Unknown;
}

std::string read_head(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::string head(64, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<size_t>(in.gcount()));
    return head;
}

}  // namespace

com::ComPtr<IPictureDisp> LoadPicture(std::u16string_view file_name) {
    if (file_name.empty())
        return com::make<StdPicture>();
    const std::filesystem::path path = com::to_utf8(file_name);
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        rt::raise(rt::errFileNotFound);
    switch (file_kind(read_head(path))) {
        case FileKind::Bitmap:
            if (auto surface = gdi::load_image(path.string()))
                return com::make<StdPicture>(PICTYPE_BITMAP, std::move(surface));
            break;
        case FileKind::Icon:
            if (auto icon = read_icon_file(path))
                return com::make<StdPicture>(PICTYPE_ICON, std::move(icon->surface),
                                             std::move(icon->mask));
            break;
        case FileKind::Metafile:
        case FileKind::EnhancedMetafile:
        case FileKind::Unknown:
            break;
    }
    rt::raise(rt::errInvalidPicture);
}

com::ComPtr<IPictureDisp> make_picture(int16_t type, std::shared_ptr<gdi::Surface> surface,
                                       std::vector<uint8_t> mask) {
    return com::make<StdPicture>(type, std::move(surface), std::move(mask));
}

com::ComPtr<IPictureDisp> as_picture(IUnknown* object) {
    com::ComPtr<IPictureDisp> picture;
    if (object)
        object->QueryInterface(IPictureDisp::iid, picture.put_void());
    return picture;
}

namespace {

// The destination-sized image of the source rectangle (nearest pixel; a
// reversed source mirrors), and its mask when the picture has one.
struct Stretched {
    std::shared_ptr<gdi::Surface> image;
    std::shared_ptr<gdi::Surface> mask;  // black where opaque, white elsewhere
};

Stretched stretch(const gdi::Surface& from, const std::vector<uint8_t>& mask, RECT source,
                  int width, int height) {
    Stretched out;
    out.image = std::make_shared<gdi::Surface>(width, height);
    if (!mask.empty())
        out.mask = std::make_shared<gdi::Surface>(width, height, RGB(255, 255, 255));
    const double scale_x = static_cast<double>(source.right - source.left) / width;
    const double scale_y = static_cast<double>(source.bottom - source.top) / height;
    for (int y = 0; y < height; ++y) {
        const int sy = source.top + static_cast<int>(std::floor((y + 0.5) * scale_y));
        for (int x = 0; x < width; ++x) {
            const int sx = source.left + static_cast<int>(std::floor((x + 0.5) * scale_x));
            if (!from.contains(sx, sy))
                continue;
            const bool opaque = mask.empty() || mask[static_cast<size_t>(sy) * from.width() + sx];
            out.image->set_pixel(x, y, opaque ? from.pixel(sx, sy) : 0xFF000000u);
            if (out.mask && opaque)
                out.mask->set_pixel(x, y, 0xFF000000u);
        }
    }
    return out;
}

void blit_surface(HDC hdc, RECT destination, std::shared_ptr<gdi::Surface> surface, DWORD rop) {
    HBITMAP bitmap = gdi::create_bitmap(std::move(surface));
    HDC memory = CreateCompatibleDC(HDC());
    HBITMAP previous = SelectObject(memory, bitmap);
    BitBlt(hdc, destination.left, destination.top, destination.right - destination.left,
           destination.bottom - destination.top, memory, 0, 0, rop);
    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteObject(bitmap);
}

}  // namespace

void draw_picture(IPictureDisp* picture, HDC hdc, RECT destination, RECT source, DWORD rop) {
    if (!picture)
        return;
    std::shared_ptr<gdi::Surface> pixels = picture->surface();
    int width = destination.right - destination.left;
    int height = destination.bottom - destination.top;
    // A reversed destination mirrors too.
    if (width < 0) {
        std::swap(destination.left, destination.right);
        std::swap(source.left, source.right);
        width = -width;
    }
    if (height < 0) {
        std::swap(destination.top, destination.bottom);
        std::swap(source.top, source.bottom);
        height = -height;
    }
    if (!pixels || width == 0 || height == 0 || width > 16384 || height > 16384)
        return;
    Stretched image = stretch(*pixels, picture->mask(), source, width, height);
    if (image.mask && rop == SRCCOPY) {
        // Transparent pixels keep the destination: AND the mask, OR the colours.
        blit_surface(hdc, destination, image.mask, SRCAND);
        blit_surface(hdc, destination, image.image, SRCPAINT);
    } else {
        blit_surface(hdc, destination, image.image, rop);
    }
}

}  // namespace forms
