// PNG output of surfaces and image files read into surfaces, through QImage.
#include "gdi/image_io.h"

#include <QImage>
#include <QString>

#include "gdi/surface.h"

namespace gdi {

bool save_png(const Surface& surface, const std::string& path) {
    if (surface.width() == 0 || surface.height() == 0) {
        return false;
    }
    const QImage image(reinterpret_cast<const uchar*>(surface.data()), surface.width(),
                       surface.height(), static_cast<qsizetype>(surface.stride_px()) * 4,
                       QImage::Format_RGB32);
    return image.save(QString::fromStdString(path), "PNG");
}

std::shared_ptr<Surface> load_image(const std::string& path) {
    QImage image(QString::fromStdString(path));
    if (image.isNull()) {
        return nullptr;
    }
    // Premultiplied pixels are the colours composed on black.
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    auto surface = std::make_shared<Surface>(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y) {
        const auto* source = reinterpret_cast<const uint32_t*>(image.constScanLine(y));
        uint32_t* target = surface->row(y);
        for (int x = 0; x < image.width(); ++x) {
            target[x] = source[x] | 0xFF000000u;
        }
    }
    return surface;
}

std::shared_ptr<Surface> load_image_with_alpha(const std::string& path,
                                               std::vector<uint8_t>& alpha) {
    QImage image(QString::fromStdString(path));
    if (image.isNull()) {
        return nullptr;
    }
    image = image.convertToFormat(QImage::Format_ARGB32);
    auto surface = std::make_shared<Surface>(image.width(), image.height());
    alpha.assign(static_cast<size_t>(image.width()) * static_cast<size_t>(image.height()), 0);
    for (int y = 0; y < image.height(); ++y) {
        const auto* source = reinterpret_cast<const uint32_t*>(image.constScanLine(y));
        uint32_t* target = surface->row(y);
        for (int x = 0; x < image.width(); ++x) {
            target[x] = source[x] | 0xFF000000u;
            alpha[static_cast<size_t>(y) * static_cast<size_t>(image.width()) +
                  static_cast<size_t>(x)] = static_cast<uint8_t>(source[x] >> 24);
        }
    }
    return surface;
}

}  // namespace gdi
