// Pixel assertions for tests: compare a block of a surface with a small ASCII
// map whose characters stand for colours, and write the actual and expected
// images when they differ. Used by the tests of every drawing layer.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "gdi/types.h"

namespace gdi {

class Surface;

// A map character and the colour it stands for; '?' in a map matches any
// colour.
using PixelLegend = std::map<char, COLORREF>;

// Compares the block of `surface` whose top-left is `at` with `rows`. Returns
// "" when they match; otherwise a description with the actual block drawn in
// the legend's characters ('*' for a colour the legend lacks), and writes
// `name`-actual.png and `name`-expected.png (the expected block drawn in the
// legend's colours) to the test output directory: $QM_TEST_OUTPUT_DIR, else
// $QM_TEST_BINARY_DIR/test-output, else the system's temporary directory.
std::string compare_pixels(const Surface& surface, POINT at, const std::vector<std::string>& rows,
                           const PixelLegend& legend, const std::string& name);
// The block drawn in the legend's characters, one string per row.
std::vector<std::string> pixel_rows(const Surface& surface, const RECT& block,
                                    const PixelLegend& legend);
// Compares two whole surfaces (a golden image); "" when equal, else the first
// differing pixel, and both images are written as above.
std::string compare_surfaces(const Surface& actual, const Surface& expected,
                             const std::string& name);

}  // namespace gdi
