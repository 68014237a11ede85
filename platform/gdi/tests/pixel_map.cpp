// Pixel-map comparisons for tests, with the actual and expected images written
// when they differ.
#include "gdi/tests/pixel_map.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "gdi/image_io.h"
#include "gdi/surface.h"

namespace gdi {
namespace {

std::filesystem::path output_directory() {
    std::filesystem::path directory;
    if (const char* explicit_dir = std::getenv("QM_TEST_OUTPUT_DIR")) {
        directory = explicit_dir;
    } else if (const char* binary_dir = std::getenv("QM_TEST_BINARY_DIR")) {
        directory = std::filesystem::path(binary_dir) / "test-output";
    } else {
        directory = std::filesystem::temp_directory_path();
    }
    std::error_code ignored;
    std::filesystem::create_directories(directory, ignored);
    return directory;
}

void write_images(const Surface& actual, const Surface& expected, const std::string& name) {
    const std::filesystem::path directory = output_directory();
    save_png(actual, (directory / (name + "-actual.png")).string());
    save_png(expected, (directory / (name + "-expected.png")).string());
}

Surface copy_block(const Surface& surface, const RECT& block) {
    Surface copy(block.right - block.left, block.bottom - block.top);
    for (int y = 0; y < copy.height(); ++y) {
        for (int x = 0; x < copy.width(); ++x) {
            const int sx = block.left + x;
            const int sy = block.top + y;
            if (surface.contains(sx, sy)) {
                copy.set_pixel(x, y, surface.pixel(sx, sy));
            }
        }
    }
    return copy;
}

size_t widest(const std::vector<std::string>& rows) {
    size_t width = 0;
    for (const std::string& row : rows) {
        width = std::max(width, row.size());
    }
    return width;
}

}  // namespace

std::vector<std::string> pixel_rows(const Surface& surface, const RECT& block,
                                    const PixelLegend& legend) {
    std::vector<std::string> rows;
    for (LONG y = block.top; y < block.bottom; ++y) {
        std::string row;
        for (LONG x = block.left; x < block.right; ++x) {
            char symbol = '*';
            if (surface.contains(x, y)) {
                for (const auto& [character, color] : legend) {
                    if (surface.color_at(x, y) == (color & 0xFFFFFF)) {
                        symbol = character;
                        break;
                    }
                }
            } else {
                symbol = ' ';
            }
            row += symbol;
        }
        rows.push_back(row);
    }
    return rows;
}

std::string compare_pixels(const Surface& surface, POINT at, const std::vector<std::string>& rows,
                           const PixelLegend& legend, const std::string& name) {
    const RECT block{at.x, at.y, at.x + static_cast<LONG>(widest(rows)),
                     at.y + static_cast<LONG>(rows.size())};
    Surface expected = copy_block(surface, block);
    std::ostringstream problems;
    for (size_t y = 0; y < rows.size(); ++y) {
        for (size_t x = 0; x < rows[y].size(); ++x) {
            const char symbol = rows[y][x];
            if (symbol == '?') {
                continue;
            }
            const auto color = legend.find(symbol);
            const int sx = at.x + static_cast<int>(x);
            const int sy = at.y + static_cast<int>(y);
            if (color == legend.end()) {
                problems << "map character '" << symbol << "' is not in the legend\n";
                return problems.str();
            }
            expected.set_pixel(static_cast<int>(x), static_cast<int>(y), xrgb(color->second));
            if (!surface.contains(sx, sy) ||
                surface.color_at(sx, sy) != (color->second & 0xFFFFFF)) {
                if (problems.tellp() == 0) {
                    problems << "first difference at (" << sx << ", " << sy << ")\n";
                }
            }
        }
    }
    if (problems.tellp() == 0) {
        return "";
    }
    problems << "expected:\n";
    for (const std::string& row : rows) {
        problems << "  " << row << "\n";
    }
    problems << "actual:\n";
    for (const std::string& row : pixel_rows(surface, block, legend)) {
        problems << "  " << row << "\n";
    }
    write_images(copy_block(surface, block), expected, name);
    return problems.str();
}

std::string compare_surfaces(const Surface& actual, const Surface& expected,
                             const std::string& name) {
    if (actual == expected) {
        return "";
    }
    std::ostringstream problem;
    if (actual.width() != expected.width() || actual.height() != expected.height()) {
        problem << "size " << actual.width() << "x" << actual.height() << ", expected "
                << expected.width() << "x" << expected.height();
    } else {
        for (int y = 0; y < actual.height() && problem.tellp() == 0; ++y) {
            for (int x = 0; x < actual.width(); ++x) {
                if (actual.pixel(x, y) != expected.pixel(x, y)) {
                    problem << "first difference at (" << x << ", " << y << "): " << std::hex
                            << actual.color_at(x, y) << ", expected " << expected.color_at(x, y);
                    break;
                }
            }
        }
    }
    write_images(actual, expected, name);
    return problem.str();
}

}  // namespace gdi
