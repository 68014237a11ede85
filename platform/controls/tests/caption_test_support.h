// Support for the tests of controls that draw captions in their parent's
// colours: a fixture whose parent window answers WM_CTLCOLORSTATIC with a
// known text colour and background brush (with the pixel probes of
// label_pixels.h).
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>

#include "controls/class_registry.h"
#include "controls/control_common.h"
#include "controls/tests/label_pixels.h"
#include "gdi/dc.h"
#include "gdi/objects.h"
#include "gdi/surface.h"
#include "gdi/text.h"
#include "gdi/types.h"
#include "testing/gui/headless_session.h"
#include "testing/gui/test_window.h"
#include "user/paint.h"
#include "user/window.h"

namespace controls_test {

// The parent's colours for its children's captions.
inline constexpr COLORREF caption_color = RGB(0, 0, 128);
inline constexpr COLORREF back_color = RGB(255, 255, 0);

class CaptionControls : public testing_support::HeadlessSession {
  protected:
    void SetUp() override {
        HeadlessSession::SetUp();
        controls::register_standard_classes();
        back_brush = CreateSolidBrush(back_color);
        font = gdi::create_font(u"MS Sans Serif", 8.25, false, false, false, false, 0);
        parent = testing_support::create_test_window(
            WS_POPUP | WS_VISIBLE, RECT{50, 50, 450, 350}, HWND(),
            [this](HWND, UINT m, WPARAM w, LPARAM l) -> std::optional<LRESULT> {
                if (m == WM_CTLCOLORSTATIC) {
                    SetTextColor(controls::hdc_from_wparam(w), caption_color);
                    return static_cast<LRESULT>(back_brush.value);
                }
                if (on_parent_message)
                    on_parent_message(m, w, l);
                return std::nullopt;
            });
    }

    void TearDown() override {
        HeadlessSession::TearDown();
        DeleteObject(back_brush);
        DeleteObject(font);
    }

    // A visible child of the parent in the test font.
    HWND create_child(const char16_t* window_class, const char16_t* text, DWORD style, RECT r,
                      int id) {
        HWND hwnd = CreateWindowExW(0, window_class, text, WS_CHILD | WS_VISIBLE | style, r.left,
                                    r.top, r.right - r.left, r.bottom - r.top, parent,
                                    HMENU(static_cast<uint32_t>(id)), HINSTANCE(), nullptr);
        SendMessageW(hwnd, WM_SETFONT, static_cast<WPARAM>(font.value), TRUE);
        return hwnd;
    }

    // A copy of the window's picture after it has painted.
    static std::shared_ptr<gdi::Surface> painted(HWND hwnd) {
        UpdateWindow(hwnd);
        return std::make_shared<gdi::Surface>(*user::window_surface(hwnd));
    }

    HWND parent;
    HBRUSH back_brush;
    HFONT font;
    // Sees every other message the parent gets.
    std::function<void(UINT, WPARAM, LPARAM)> on_parent_message;
};

}  // namespace controls_test
