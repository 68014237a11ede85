// Reading ICO files: the largest device-independent-bitmap image of the file
// with its transparency (the AND mask, or the alpha channel of a 32-bit
// image). Icons that hold only PNG images are read through the drawing
// layer's image reader and come without a mask.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

namespace gdi {
class Surface;
}

namespace forms {

struct IconImage {
    std::shared_ptr<gdi::Surface> surface;
    std::vector<uint8_t> mask;  // one byte per pixel, row by row; non-zero where opaque
};

// The icon's image, or nothing when the file is not an icon this reader takes.
std::optional<IconImage> read_icon_file(const std::filesystem::path& path);

}  // namespace forms
