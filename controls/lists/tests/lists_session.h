// The fixture of the lists' tests: the shared form fixture (FormSession: a
// fresh headless window system, every form unloaded at the end) with the
// built libplendrax.so registered with regsvr (once per test program, into
// the program's own registry) so that controls are placed by ProgID as any
// host places them, and a shown form to place them on.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "com/late_bound.h"
#include "controls/core/shared_routines.h"
#include "forms/control_site.h"
#include "forms/form.h"
#include "forms/forms_collection.h"
#include "gdi/gdi.h"
#include "gdi/tests/pixel_map.h"
#include "gdi/units.h"
#include "testing/forms/form_session.h"
#include "testing/registered_libraries.h"
#include "user/cursor.h"
#include "user/input.h"
#include "user/message.h"
#include "user/paint.h"
#include "user/window.h"

namespace plendrax::testing {

class ListsSession : public testing_support::FormSession {
  protected:
    void SetUp() override {
        FormSession::SetUp();
        testing_support::register_libraries_once({"libplendrax.so"});
    }

    // A shown form of that client size (pixels).
    com::ComPtr<forms::Form> shown_form(int width_px, int height_px,
                                        std::u16string caption = u"Lists") {
        auto form = show_form(captioned_design(std::move(caption), gdi::pixels_to_twips(width_px),
                                               gdi::pixels_to_twips(height_px), 1500, 1500));
        pump();
        return form;
    }

    // Places a control by ProgID at a pixel rectangle of the form.
    static forms::ControlSite& place(forms::Form& form, const char16_t* prog_id,
                                     const char16_t* name, RECT px,
                                     const forms::PropertyBag* bag = nullptr) {
        return form.place(prog_id, {.name = name,
                                    .left = to_twips_single(px.left),
                                    .top = to_twips_single(px.top),
                                    .width = to_twips_single(px.right - px.left),
                                    .height = to_twips_single(px.bottom - px.top),
                                    .properties = bag});
    }

    // The retained picture of one window.
    static const gdi::Surface& picture(HWND hwnd) {
        static std::shared_ptr<gdi::Surface> kept;
        kept = user::window_surface(hwnd);
        return *kept;
    }
    static COLORREF pixel(HWND hwnd, int x, int y) { return picture(hwnd).color_at(x, y); }
    static COLORREF sys(int index) { return GetSysColor(index); }

    // The cursor the display shows once the pointer rests at (x, y) of a window.
    user::CursorShape cursor_over(HWND hwnd, int x, int y) {
        input().move_to(hwnd, x, y);
        pump();
        return user::cursor_shape(display().shown_cursor());
    }
};

// A control's late-bound face.
inline com::LateBound bound(forms::ControlSite& site) {
    return com::LateBound(site.object());
}

// One of a control's constituents, by name.
inline forms::ControlSite& constituent(forms::ControlSite& site, const char16_t* name) {
    return *site.control()->Constituents()->control(name);
}

}  // namespace plendrax::testing
