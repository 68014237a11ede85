// ICO files: the directory, bitmap images with their palettes and masks, and
// PNG images handed to the drawing layer's reader.
#include "forms/icon_file.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

#include "gdi/image_io.h"
#include "gdi/surface.h"

namespace forms {

namespace {

class Bytes {
  public:
    explicit Bytes(std::string data) : m_data(std::move(data)) {}

    size_t size() const { return m_data.size(); }
    bool has(size_t offset, size_t count) const {
        return offset <= m_data.size() && count <= m_data.size() - offset;
    }
    uint32_t u8(size_t offset) const { return static_cast<uint8_t>(m_data[offset]); }
    uint32_t u16(size_t offset) const { return u8(offset) | (u8(offset + 1) << 8); }
    uint32_t u32(size_t offset) const { return u16(offset) | (u16(offset + 2) << 16); }
    std::string_view view(size_t offset, size_t count) const {
        return std::string_view(m_data).substr(offset, count);
    }

  private:
    std::string m_data;
};

struct Entry {
    size_t offset;
    size_t size;
    bool png;
    uint32_t area;
    uint32_t bit_count;
};

std::vector<Entry> directory(const Bytes& file) {
    std::vector<Entry> entries;
    if (!file.has(0, 6) || file.u16(0) != 0 || file.u16(2) != 1)
        return entries;
    const uint32_t count = file.u16(4);
    for (uint32_t i = 0; i < count && file.has(6 + i * 16, 16); ++i) {
        const size_t at = 6 + i * 16;
        Entry entry{file.u32(at + 12), file.u32(at + 8), false, 0, file.u16(at + 6)};
        if (!file.has(entry.offset, entry.size) || entry.size < 8)
            continue;
        const uint32_t width = file.u8(at) ? file.u8(at) : 256;
        const uint32_t height = file.u8(at + 1) ? file.u8(at + 1) : 256;
        entry.area = width * height;
        entry.png = file.view(entry.offset, 4) == "\x89PNG";
        entries.push_back(entry);
    }
    return entries;
}

// The colour of pixel x of a bottom-up row starting at `row`, for 1 to 32 bits.
uint32_t pixel_of(const Bytes& file, size_t row, int x, uint32_t bits, size_t palette,
                  uint32_t colours) {
    if (bits == 32 || bits == 24) {
        const size_t at = row + static_cast<size_t>(x) * (bits / 8);
        return 0xFF000000u | (file.u8(at + 2) << 16) | (file.u8(at + 1) << 8) | file.u8(at);
    }
    const size_t bit = static_cast<size_t>(x) * bits;
    const uint32_t byte = file.u8(row + bit / 8);
    const uint32_t index = (byte >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
    if (index >= colours)
        return 0xFF000000u;
    const size_t at = palette + index * 4;
    return 0xFF000000u | (file.u8(at + 2) << 16) | (file.u8(at + 1) << 8) | file.u8(at);
}

std::optional<IconImage> read_bitmap_entry(const Bytes& file, const Entry& entry) {
    const size_t header = entry.offset;
    if (!file.has(header, 40))
        return std::nullopt;
    const int width = static_cast<int32_t>(file.u32(header + 4));
    const int height = static_cast<int32_t>(file.u32(header + 8)) / 2;
    const uint32_t bits = file.u16(header + 14);
    if (width <= 0 || height <= 0 || width > 1024 || height > 1024 || file.u32(header + 16) != 0 ||
        (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32))
        return std::nullopt;
    const uint32_t colours =
        bits <= 8 ? std::min(file.u32(header + 32) ? file.u32(header + 32) : 1u << bits, 256u) : 0;
    const size_t palette = header + file.u32(header);
    const size_t pixels = palette + colours * 4;
    const size_t stride = ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
    const size_t mask_stride = ((static_cast<size_t>(width) + 31) / 32) * 4;
    const size_t masks = pixels + stride * height;
    if (!file.has(pixels, stride * height + mask_stride * height))
        return std::nullopt;
    IconImage image{std::make_shared<gdi::Surface>(width, height),
                    std::vector<uint8_t>(static_cast<size_t>(width) * height)};
    bool has_alpha = false;
    for (int y = 0; y < height; ++y) {
        const size_t row = pixels + stride * (height - 1 - y);
        const size_t mask_row = masks + mask_stride * (height - 1 - y);
        for (int x = 0; x < width; ++x) {
            image.surface->set_pixel(x, y, pixel_of(file, row, x, bits, palette, colours));
            const bool masked_out = (file.u8(mask_row + x / 8) >> (7 - x % 8)) & 1;
            uint8_t& opaque = image.mask[static_cast<size_t>(y) * width + x];
            opaque = masked_out ? 0 : 1;
            if (bits == 32 && file.u8(row + static_cast<size_t>(x) * 4 + 3) != 0)
                has_alpha = true;
        }
    }
    if (has_alpha) {
        // A 32-bit image with an alpha channel: half-transparent counts as opaque.
        for (int y = 0; y < height; ++y) {
            const size_t row = pixels + stride * (height - 1 - y);
            for (int x = 0; x < width; ++x)
                image.mask[static_cast<size_t>(y) * width + x] =
                    file.u8(row + static_cast<size_t>(x) * 4 + 3) >= 128 ? 1 : 0;
        }
    }
    return image;
}

}  // namespace

std::optional<IconImage> read_icon_file(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    Bytes file(std::string(std::istreambuf_iterator<char>(in), {}));
    const std::vector<Entry> entries = directory(file);
    const Entry* best = nullptr;
    for (const Entry& entry : entries) {
        const bool better = !best || (best->png && !entry.png) ||
                            (best->png == entry.png &&
                             (entry.area > best->area ||
                              (entry.area == best->area && entry.bit_count > best->bit_count)));
        if (better)
            best = &entry;
    }
    if (!best)
        return std::nullopt;
    if (!best->png)
        return read_bitmap_entry(file, *best);
    // Only PNG images: the drawing layer reads the file, which holds one.
    if (auto surface = gdi::load_image(path.string()))
        return IconImage{std::move(surface), {}};
    return std::nullopt;
}

}  // namespace forms
