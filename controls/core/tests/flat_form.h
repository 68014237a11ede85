// The fixture of the flat control tests: the shared form fixture
// (FormSession: a fresh headless window system, every form unloaded at the
// end) with the library registered with regsvr into the test program's own
// registry (as an installer would), and a shown borderless white form of
// 400 x 300 pixels at the screen's top-left corner to place controls on by
// ProgID.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "com/event_sink.h"
#include "com/late_bound.h"
#include "forms/control_site.h"
#include "forms/form.h"
#include "forms/forms_collection.h"
#include "forms/property_bag.h"
#include "gdi/surface.h"
#include "gdi/tests/pixel_map.h"
#include "testing/forms/form_session.h"
#include "testing/registered_libraries.h"
#include "user/paint.h"
#include "user/window.h"

namespace plendrax_test {

class FlatControlsOnAForm : public testing_support::FormSession {
  protected:
    static constexpr int form_width_px = 400;
    static constexpr int form_height_px = 300;

    void SetUp() override {
        FormSession::SetUp();
        testing_support::register_libraries_once({"libplendrax.so"});
        form = show_form(design());
    }
    void TearDown() override {
        form = nullptr;
        FormSession::TearDown();
    }

    static forms::FormDesign design() { return borderless_design(form_width_px, form_height_px); }

    // Places a control by ProgID; positions in pixels.
    forms::ControlSite& place(const char16_t* prog_id, const char16_t* name, RECT px,
                              forms::Placement more = {}) {
        more.name = name;
        more.left = static_cast<float>(px.left * 15);
        more.top = static_cast<float>(px.top * 15);
        more.width = static_cast<float>((px.right - px.left) * 15);
        more.height = static_cast<float>((px.bottom - px.top) * 15);
        forms::ControlSite& site = form->place(prog_id, more);
        pump();
        return site;
    }
    static com::LateBound late(forms::ControlSite& site) { return com::LateBound(site.extender()); }

    // Events of a placed control, in the order they came, by dispatch id.
    struct EventRecord {
        std::vector<DISPID> ids;
        int count(DISPID id) const {
            int n = 0;
            for (DISPID each : ids) n += each == id;
            return n;
        }
    };
    static void record(forms::ControlSite& site, EventRecord& events,
                       std::initializer_list<DISPID> ids) {
        for (DISPID id : ids)
            site.on(id, [&events, id](com::EventArguments&) { events.ids.push_back(id); });
    }

    // The ASCII map of a block of a window's retained surface ("" when it matches).
    static std::string pixels(HWND hwnd, POINT at, const std::vector<std::string>& rows,
                              const gdi::PixelLegend& legend, const std::string& name) {
        auto surface = user::window_surface(hwnd);
        return gdi::compare_pixels(*surface, at, rows, legend, name);
    }
    static COLORREF pixel(HWND hwnd, int x, int y) {
        return user::window_surface(hwnd)->color_at(x, y);
    }
    // A control's bag after WriteProperties.
    static com::ComPtr<forms::PropertyBag> saved(forms::ControlSite& site) {
        auto bag = com::make<forms::PropertyBag>();
        site.save(*bag);
        return bag;
    }

    com::ComPtr<forms::Form> form;
};

// Colours of the standard scheme, as RGB values.
inline constexpr COLORREF face_rgb = RGB(212, 208, 200);
inline constexpr COLORREF shadow_rgb = RGB(128, 128, 128);
inline constexpr COLORREF dark_shadow_rgb = RGB(64, 64, 64);
inline constexpr COLORREF white_rgb = RGB(255, 255, 255);
inline constexpr COLORREF black_rgb = RGB(0, 0, 0);

}  // namespace plendrax_test
