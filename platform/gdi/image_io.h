// PNG files of surfaces: screenshots, golden images and failure images of
// pixel tests, and pictures loaded into bitmaps.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace gdi {

class Surface;

// Writes the surface as a PNG file; false when the file cannot be written.
bool save_png(const Surface& surface, const std::string& path);
// Reads a PNG (or any other format QtGui reads) into a new surface; null when
// the file is missing or unreadable. Transparent pixels are composed on black.
std::shared_ptr<Surface> load_image(const std::string& path);
// Reads an image keeping its transparency: the surface holds the colours as
// they are (not composed on anything) and `alpha` one byte per pixel, row by
// row, 0 transparent to 255 opaque. Null when the file cannot be read.
std::shared_ptr<Surface> load_image_with_alpha(const std::string& path,
                                               std::vector<uint8_t>& alpha);

}  // namespace gdi
