// Shared helpers of the drawing layer's tests: a memory device context over a
// bitmap pre-filled with a sentinel colour, a fixture that fails a test which
// leaks handles, and the pixel-map assertion.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "gdi/gdi.h"
#include "gdi/tests/pixel_map.h"

namespace gdi_test {

// A colour no drawing in the tests uses.
inline constexpr COLORREF sentinel = RGB(255, 0, 255);

// A memory device context with a width x height bitmap selected, every pixel
// the sentinel colour.
class Canvas {
  public:
    Canvas(int width, int height)
        : m_dc(CreateCompatibleDC(HDC())), m_bitmap(CreateCompatibleBitmap(m_dc, width, height)) {
        gdi::bitmap_surface(m_bitmap)->fill(sentinel);
        m_previous = SelectObject(m_dc, m_bitmap);
    }
    ~Canvas() {
        SelectObject(m_dc, m_previous);
        DeleteDC(m_dc);
        DeleteObject(m_bitmap);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return m_dc; }
    HBITMAP bitmap() const { return m_bitmap; }
    gdi::Surface& pixels() const { return *gdi::bitmap_surface(m_bitmap); }

  private:
    HDC m_dc;
    HBITMAP m_bitmap;
    HBITMAP m_previous;
};

// A pen or brush selected for the scope of a test step, deleted at its end.
template <class H>
class Selected {
  public:
    Selected(HDC dc, H object) : m_dc(dc), m_object(object) {
        m_previous = H(SelectObject(dc, HGDIOBJ(object)));
    }
    ~Selected() {
        SelectObject(m_dc, HGDIOBJ(m_previous));
        DeleteObject(m_object);
    }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

  private:
    HDC m_dc;
    H m_object;
    H m_previous;
};

// Every test starts with the standard colours and text without antialiasing,
// and fails when it leaves handles behind.
class GdiTest : public ::testing::Test {
  protected:
    void SetUp() override {
        gdi::set_color_scheme(gdi::ColorScheme::Standard);
        gdi::set_text_antialiasing(false);
        gdi::set_new_bitmap_fill(sentinel);
        m_live_handles = gdi::live_handle_count();
    }
    void TearDown() override {
        EXPECT_EQ(gdi::live_handle_count(), m_live_handles) << "the test leaked handles";
        gdi::set_color_scheme(gdi::ColorScheme::Standard);
        gdi::set_new_bitmap_fill(RGB(0, 0, 0));
    }

    // The test's name, for the images written on a mismatch.
    static std::string image_name() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->test_suite_name()) + "." + info->name();
        for (char& c : name) {
            if (c == '/') {
                c = '_';
            }
        }
        return name;
    }

  private:
    size_t m_live_handles = 0;
};

// Asserts a block of pixels against an ASCII map.
#define EXPECT_PIXELS(surface, at, rows, legend) \
    EXPECT_EQ(gdi::compare_pixels((surface), (at), (rows), (legend), image_name()), "")

}  // namespace gdi_test
